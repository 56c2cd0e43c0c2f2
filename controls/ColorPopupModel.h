#pragma once

#include "controls/ColorValue.h"
#include "controls/CustomColors.h"
#include "platform/Rect.h"

#include <QPoint>
#include <QSize>
#include <QString>

#include <array>

// What the palette popup shows and does, without a window: its items, their
// colours and texts, the layout in client pixels, the hit test, the keyboard
// moves and the value a finished popup hands back.
//
// Items: 0..15 the standard cells, 16..31 the user cells, -3 the default
// button, -2 the custom button, -1 no item. A button whose text is empty does
// not exist: hit tests and key moves skip it.
class ColorPopupModel
{
public:
    static constexpr int kDefaultItem = -3;
    static constexpr int kCustomItem = -2;
    static constexpr int kNoItem = -1;
    static constexpr int kItemCount = 32;
    static constexpr int kStandardCount = 16;
    static constexpr int kColumns = 8;
    static constexpr int kRows = 4;
    static constexpr int kButtonHeight = 26;
    static constexpr int kLabelHeight = 16;

    struct NamedColor
    {
        platform::ColorRef color;
        unsigned int nameId;
    };
    // The sixteen standard cells in order, with the string ids of their names.
    static const std::array<NamedColor, 16>& StandardColors();

    // Keys that move the hover item.
    enum class Move { Down, Up, Right, Left };

    // Where everything sits, in client pixels; window is the W x H size at (0, 0).
    struct Layout
    {
        int cellSize = 18;
        int margin = 2;
        platform::Rect window;
        platform::Rect defaultButton;
        platform::Rect customButton;
        platform::Rect standardLabel;
        platform::Rect userLabel;
        platform::Rect standardGrid;
        platform::Rect userGrid;
        platform::Rect divider1;
        platform::Rect divider2;
    };

    // The value a finished popup hands back, and whether the colour-space
    // dialog decides it first.
    struct Commit
    {
        platform::ColorRef result = kColorNone;
        bool openColorSpace = false;
    };

    ColorPopupModel(platform::ColorRef initialColor, platform::ColorRef defaultColor);

    // Texts of the default and custom buttons and of the two labels; the
    // string table's by default.
    void SetTexts(const QString& defaultText, const QString& customText, const QString& standardLabel,
                  const QString& userLabel);
    // The user cells and their tooltips ("RGB={R,G,B}" or the standard name).
    void SetUserColors(const CustomColorTable& colors);

    bool HasDefaultButton() const { return !m_defaultText.isEmpty(); }
    bool HasCustomButton() const { return !m_customText.isEmpty(); }

    platform::ColorRef ColorOfItem(int item) const;
    QString TextOfItem(int item) const;
    int RowOfItem(int item) const;
    int ColumnOfItem(int item) const;
    int ItemAt(int row, int column) const;
    // The item drawn as chosen for a colour; a colour in no cell goes to the
    // custom button (which then shows it) when that exists.
    int ItemOfColor(platform::ColorRef color);

    // The cell size for a margin: 18, or 2m + 7 when the swatch would be
    // smaller than 5 pixels.
    static int CellSizeFor(int margin);
    void LayoutWindow(int minimumWidth, int margin);
    const Layout& layout() const { return m_layout; }
    // The window rectangle at the position, moved onto the screen: left by the
    // excess at the right edge, right to the screen's left edge, and above the
    // opener (its height plus the popup's) when the bottom would pass the
    // screen, but never above the screen's top.
    static platform::Rect PlaceWindow(QPoint position, QSize size, const platform::Rect& screen, int openerHeight);

    // An empty rectangle for items without one.
    platform::Rect RectOfItem(int item) const;
    int HitTest(QPoint client) const;
    // Whether the point lies on an item region: a button, or either grid.
    bool OnItemRegion(QPoint client) const;
    int ItemAfterMove(int item, Move move) const;

    // Finishing with OK on the item (the default button gives kColorDefault,
    // no item the opening colour); the custom button asks the colour-space
    // dialog first.
    Commit CommitItem(int item) const;
    // The colour the colour-space dialog starts from: the default colour for
    // kColorDefault, white for kColorNone, else the opening colour.
    platform::ColorRef ColorSpaceStart() const;

    platform::ColorRef initialColor() const { return m_initial; }
    platform::ColorRef defaultColor() const { return m_default; }
    platform::ColorRef customColor() const { return m_custom; }
    const QString& standardLabelText() const { return m_standardLabel; }
    const QString& userLabelText() const { return m_userLabel; }

    int hover = kNoItem;
    int chosen = kNoItem;
    bool pressed = false;

private:
    platform::ColorRef m_initial;
    platform::ColorRef m_default;
    platform::ColorRef m_custom = kColorNone;
    CustomColorTable m_user{};
    std::array<QString, 16> m_userTips;
    QString m_defaultText;
    QString m_customText;
    QString m_standardLabel;
    QString m_userLabel;
    Layout m_layout;
};
