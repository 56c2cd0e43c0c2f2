#include "skins/SkinStyle.h"

#include "skins/ASMMiniDockFrameBand.h"
#include "skins/ASMToolbar.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMdiSubWindow>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>
#include <QStyleOptionTitleBar>
#include <QStyleOptionToolButton>
#include <QToolBar>

namespace {

// A page window maximised in the MDI area: the menu bar carries its icon and
// buttons, so it shows neither title bar nor frame of its own.
bool isMaximisedPageWindow(const QWidget* widget)
{
    const auto* sub = qobject_cast<const QMdiSubWindow*>(widget);
    return sub && sub->isMaximized();
}

} // namespace

SkinStyle::SkinStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
    setObjectName(QStringLiteral("SkinStyle"));
}

SkinStyle::~SkinStyle() = default;

void SkinStyle::InstallOnApplication()
{
    if (qobject_cast<SkinStyle*>(QApplication::style()))
        return;
    // QApplication takes the style and deletes it with itself.
    QApplication::setStyle(new SkinStyle);
}

bool SkinStyle::UsesPopupMenuLayout(const QWidget* menu)
{
    for (const QWidget* walk = menu; walk; walk = walk->parentWidget()) {
        if (walk->property(kPopupMenuLayoutProperty).toBool())
            return true;
    }
    return false;
}

bool SkinStyle::UsesLargeMenuImages(const QWidget* menu)
{
    return menu && menu->property(kLargeMenuImagesProperty).toBool();
}

int SkinStyle::MenuLineHeight(const QFontMetrics& metrics)
{
    return qMax(metrics.height() + 6, MenuImageBox().height());
}

QSize SkinStyle::MenuImageBox()
{
    return QSize(16 + 4, 16 + 4);
}

QSize SkinStyle::MainMenuItemSize(const QFontMetrics& metrics, bool separator, int textWidth, int shortcutWidth)
{
    const int line = MenuLineHeight(metrics);
    // A separator is as wide as the menu (QMenu drops an entry of no width).
    if (separator)
        return QSize(1, line / 2);
    // The text with the accelerator part after a gap, the image box at the
    // left and as much room again at the right.
    const int text =
        textWidth + (shortcutWidth > 0 ? metrics.horizontalAdvance(QLatin1Char(' ')) * 4 + shortcutWidth : 0);
    return QSize(text + 4 + 1 + 2 * MenuImageBox().width() + 1, qMax(line, metrics.height()));
}

QSize SkinStyle::LargeMenuItemSize(const QFontMetrics& metrics, bool separator, int textWidth, int shortcutWidth)
{
    if (separator)
        return QSize(1, MenuLineHeight(metrics) / 2);
    // The text, the image box and as much room again at the right.
    const int text =
        textWidth + (shortcutWidth > 0 ? metrics.horizontalAdvance(QLatin1Char(' ')) * 4 + shortcutWidth : 0);
    return QSize(text + 4 + 1 + 2 * kLargeMenuRow + 1, kLargeMenuRow);
}

QSize SkinStyle::PopupMenuItemSize(const QFontMetrics& metrics, bool separator, int textWidth, int shortcutWidth)
{
    const int line = MenuLineHeight(metrics);
    if (separator)
        return QSize(1, line / 2);
    const int text =
        textWidth + (shortcutWidth > 0 ? metrics.horizontalAdvance(QLatin1Char(' ')) * 4 + shortcutWidth : 0);
    return QSize(text + 1 + 32, qMax(kPopupLeastRowHeight, line));
}

QSize SkinStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                  const QWidget* widget) const
{
    if (type == CT_MenuItem) {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            const bool separator = item->menuItemType == QStyleOptionMenuItem::Separator;
            QSize result =
                UsesLargeMenuImages(widget)
                    ? LargeMenuItemSize(item->fontMetrics, separator, size.width(), item->reservedShortcutWidth)
                : UsesPopupMenuLayout(widget)
                    ? PopupMenuItemSize(item->fontMetrics, separator, size.width(), item->reservedShortcutWidth)
                    : MainMenuItemSize(item->fontMetrics, separator, size.width(), item->reservedShortcutWidth);
            if (!separator && item->menuItemType == QStyleOptionMenuItem::SubMenu)
                result.rwidth() += MenuImageBox().width() / 2;
            return result;
        }
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

int SkinStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    switch (metric) {
    case PM_MenuPanelWidth:
        // A two-pixel raised frame and one pixel of the face inside it.
        return 3;
    case PM_MenuHMargin:
    case PM_MenuVMargin:
        return 0;
    case PM_DockWidgetFrameWidth:
        // A floating bar in the skin's frame has no frame of its own.
        if (SkinDrawsFloatingFrame(widget))
            return 0;
        break;
    case PM_DefaultFrameWidth:
        if (const int skinned = SkinControlPixelMetric(metric, option, widget); skinned >= 0)
            return skinned;
        break;
    case PM_TitleBarHeight:
    case PM_MdiSubWindowFrameWidth:
        if (isMaximisedPageWindow(widget))
            return 0;
        if (const int skinned = FramePixelMetric(metric, widget); skinned >= 0)
            return skinned;
        break;
    default:
        break;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

int SkinStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                         QStyleHintReturn* returnData) const
{
    if (hint == SH_TitleBar_NoBorder &&
        (isMaximisedPageWindow(widget) || FramePixelMetric(PM_TitleBarHeight, widget) >= 0))
        return 1;
    if (hint == SH_WindowFrame_Mask && option) {
        if (const QRegion mask = PageWindowMask(*option, widget); !mask.isEmpty()) {
            if (auto* answer = qstyleoption_cast<QStyleHintReturnMask*>(returnData))
                answer->region = mask;
            return 1;
        }
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void SkinStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                   const QWidget* widget) const
{
    if (DrawSkinComplexControl(control, *option, *painter, widget))
        return;
    // The buttons of the main frame's toolbars.
    if (control == CC_ToolButton && ASMToolbar::SkinnedToolbarOf(widget) && widget &&
        qobject_cast<const QToolBar*>(widget->parentWidget())) {
        if (const auto* button = qstyleoption_cast<const QStyleOptionToolButton*>(option)) {
            painter->save();
            ASMToolbar::DrawButton(*painter, *button, widget, this);
            painter->restore();
            return;
        }
    }
    if (control == CC_TitleBar) {
        if (const auto* bar = qstyleoption_cast<const QStyleOptionTitleBar*>(option)) {
            painter->save();
            const bool drawn = DrawSkinTitleBar(*bar, *painter, widget);
            painter->restore();
            if (drawn)
                return;
        }
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

QRect SkinStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sc,
                                const QWidget* widget) const
{
    if (control == CC_TitleBar && sc != SC_TitleBarLabel) {
        if (const auto* bar = qstyleoption_cast<const QStyleOptionTitleBar*>(option)) {
            if (FramePixelMetric(PM_TitleBarHeight, widget) >= 0)
                return TitleBarButtonRect(*bar, sc, widget);
        }
    }
    return QProxyStyle::subControlRect(control, option, sc, widget);
}
