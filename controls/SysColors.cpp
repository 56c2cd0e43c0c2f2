#include "controls/SysColors.h"

#include <QApplication>
#include <QPalette>

namespace syscolors_detail {

QPalette::ColorRole roleOfSysColor(int index, QPalette::ColorGroup& group)
{
    group = QPalette::Active;
    switch (index) {
    case COLOR_WINDOW:
        return QPalette::Base;
    case COLOR_MENUTEXT:
        return QPalette::WindowText;
    case COLOR_WINDOWTEXT:
        return QPalette::Text;
    case COLOR_HIGHLIGHT:
        return QPalette::Highlight;
    case COLOR_HIGHLIGHTTEXT:
        return QPalette::HighlightedText;
    case COLOR_BTNSHADOW:
        return QPalette::Dark;
    case COLOR_GRAYTEXT:
        group = QPalette::Disabled;
        return QPalette::Text;
    case COLOR_BTNTEXT:
        return QPalette::ButtonText;
    case COLOR_BTNHIGHLIGHT:
        return QPalette::Light;
    case COLOR_3DDKSHADOW:
        return QPalette::Shadow;
    case COLOR_3DLIGHT:
        return QPalette::Midlight;
    case COLOR_INFOTEXT:
        return QPalette::ToolTipText;
    case COLOR_INFOBK:
        return QPalette::ToolTipBase;
    case COLOR_MENU:
    case COLOR_BTNFACE:
    default:
        return QPalette::Button;
    }
}

} // namespace syscolors_detail

platform::ColorRef GetSysColor(int index)
{
    QPalette::ColorGroup group;
    const QPalette::ColorRole role = syscolors_detail::roleOfSysColor(index, group);
    return platform::fromQColor(QApplication::palette().color(group, role));
}
