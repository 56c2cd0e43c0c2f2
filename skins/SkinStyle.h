#pragma once

#include <QProxyStyle>
#include <QRegion>

class QFontMetrics;
class QStyleOptionMenuItem;
class QStyleOptionTitleBar;

// The program's style: Fusion with the program's own menus (an image box at
// the left of each entry, a sunken frame round the picture of a checked
// command, embossed pictures of disabled ones, etched separators, accelerator
// names right-aligned) drawn in the skin's colours, or the desktop's while no
// skin is on. Set once on the application.
class SkinStyle : public QProxyStyle
{
    Q_OBJECT
public:
    SkinStyle();
    ~SkinStyle() override;

    // Sets the style on the application unless it is set already; the style
    // made here lives as long as the application.
    static void InstallOnApplication();

    // A dynamic property: menus shown by a widget carrying it, or by any of
    // its children, are drawn in the dialogs' popup layout.
    static constexpr const char* kPopupMenuLayoutProperty = "paginorPopupMenuLayout";
    // Whether the menu belongs to a widget marked for the popup layout.
    static bool UsesPopupMenuLayout(const QWidget* menu);
    // A dynamic property of a menu drawn with 24 x 24 pictures in 32 x 32
    // image boxes on rows of 32 pixels (the basic toolbar's popups).
    static constexpr const char* kLargeMenuImagesProperty = "paginorLargeMenuImages";
    static bool UsesLargeMenuImages(const QWidget* menu);
    static constexpr int kLargeMenuPicture = 24;
    static constexpr int kLargeMenuRow = 32;

    // Geometry of menu entries (pure, for the layout's users and tests).
    // One menu line: the height of an entry with text.
    static int MenuLineHeight(const QFontMetrics& metrics);
    // The image box of the main menus (a toolbar picture plus 4 x 4).
    static QSize MenuImageBox();
    // The size of an entry whose text (without the accelerator part) measures
    // textWidth, with room for accelerator names of shortcutWidth.
    static QSize MainMenuItemSize(const QFontMetrics& metrics, bool separator, int textWidth, int shortcutWidth);
    static QSize PopupMenuItemSize(const QFontMetrics& metrics, bool separator, int textWidth, int shortcutWidth);
    static QSize LargeMenuItemSize(const QFontMetrics& metrics, bool separator, int textWidth, int shortcutWidth);
    // The popup layout's image box width and least row height.
    static constexpr int kPopupImageBoxWidth = 24;
    static constexpr int kPopupLeastRowHeight = 20;

    // Hands every widget to the skin manager, which skins it.
    void polish(QWidget* widget) override;
    using QProxyStyle::polish;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sc,
                         const QWidget* widget = nullptr) const override;

    // A page window's title-bar height or border width under the skin; -1
    // when the skin does not draw its frame.
    static int FramePixelMetric(PixelMetric metric, const QWidget* widget);
    // Where a title-bar button of a page window stands under the skin;
    // empty when the skin does not draw it.
    static QRect TitleBarButtonRect(const QStyleOptionTitleBar& option, SubControl sc, const QWidget* widget);

    // A page window's outline under the skin, at the option's rectangle;
    // empty when the skin gives none.
    static QRegion PageWindowMask(const QStyleOption& option, const QWidget* widget);

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette, bool enabled,
                      const QString& text, QPalette::ColorRole textRole = QPalette::NoRole) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

private:
    // The control skins' painting; false where the base style draws.
    bool DrawSkinControl(ControlElement element, const QStyleOption& option, QPainter& painter,
                         const QWidget* widget) const;
    // The skin's measure of a control (a list's or a field's frame of two
    // rings); -1 where the base style measures.
    int SkinControlPixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const;
    bool DrawSkinControlPrimitive(PrimitiveElement element, const QStyleOption& option, QPainter& painter,
                                  const QWidget* widget) const;
    bool DrawSkinComplexControl(ComplexControl control, const QStyleOptionComplex& option, QPainter& painter,
                                const QWidget* widget) const;
    bool DrawSkinTitleBar(const QStyleOptionTitleBar& option, QPainter& painter, const QWidget* widget) const;
    bool DrawSkinWindowFrame(const QStyleOption& option, QPainter& painter, const QWidget* widget) const;
    bool DrawSkinBars(ControlElement element, const QStyleOption& option, QPainter& painter,
                      const QWidget* widget) const;
    bool DrawSkinBarPrimitive(PrimitiveElement element, const QStyleOption& option, QPainter& painter,
                              const QWidget* widget) const;
    void drawMainMenuItem(const QStyleOptionMenuItem& item, QPainter& painter, const QWidget* widget) const;
    void drawPopupMenuItem(const QStyleOptionMenuItem& item, QPainter& painter, const QWidget* widget) const;
};
