#pragma once

#include "platform/Rect.h"
#include "skins/ASMCore.h"

#include <QPixmap>

class QAction;
class QPainter;
class QStyle;
class QStyleOptionToolButton;
class QToolBar;
struct SkinToolbarImageList;

// The skin of the main frame's toolbars: the bar over the skin's pattern
// with skin-coloured borders and grip, etched separators, and its buttons
// over the skin's image-button cells while hot, pressed or checked. A pressed
// or checked button shows the picture its toolbar entered in the skin's
// table of toolbar picture lists, else its normal one.
class ASMToolbar : public ASMCore
{
    Q_OBJECT
public:
    // What a button shows, by the first rule that holds.
    enum class ButtonLook {
        Pressed,  // pressed or checked: image-button cell 2, the table's picture
        Hot,      // under the mouse, no mouse button held: cell 1, the hot picture
        Normal,   // enabled: the normal picture alone
        Disabled, // the disabled picture alone
    };
    static ButtonLook LookOf(bool pressed, bool checked, bool enabled, bool hot, bool mouseHeld);

    // Enters the toolbar's pictures for pressed and checked buttons in the
    // skin's table, replacing an entry it had; the entry leaves with the toolbar.
    static void EnterImageList(QToolBar* toolbar, SkinToolbarImageList list);
    // The table's entry for the toolbar, or null.
    static const SkinToolbarImageList* ImageListOf(const QObject* toolbar);

    // The skin's toolbar of a widget (the toolbar itself or one of its
    // buttons), or null while no skin is on or the toolbar has none.
    static QToolBar* SkinnedToolbarOf(const QWidget* widget);

    // A tool button of a skinned toolbar; `base` draws the text of a button
    // without a picture.
    static void DrawButton(QPainter& dc, const QStyleOptionToolButton& option, const QWidget* button,
                           const QStyle* base);
    // A separator: an etched line across the middle of its box, upright on a
    // horizontal bar, else lying near the bottom of the box.
    static void DrawSeparator(QPainter& dc, const platform::Rect& rect, bool horizontalBar);
    // The bar's background: the pattern continued from the frame it stands in
    // (floating, from its own window), and a docked bar's borders.
    static void DrawBar(QPainter& dc, const platform::Rect& rect, const QToolBar* toolbar);
    // The grip of a bar. A floating bar keeps it: its window has no caption
    // to be dragged by.
    static void DrawHandle(QPainter& dc, const platform::Rect& rect, bool horizontal);

    bool WindowProc(QEvent* event) override;
};
