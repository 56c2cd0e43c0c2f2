#include "skins/VornaSkinManager.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>

VornaSkinManager& VornaSkinManager::GetInstance()
{
    static VornaSkinManager instance;
    return instance;
}

void VornaSkinManager::ImageButtonRecord::DrawSkinButtonImage(QPainter& dc, int x, int y, int width, int height,
                                                              int state) const
{
    // The strip's columns in state order: normal, hover, pressed, disabled, focused.
    static const int kColumnOfState[] = {0, 1, 2, 4, 3};
    if (strip.isNull() || stateWidth <= 0 || state < 0 || state > 4)
        return;
    const QRect source(kColumnOfState[state] * stateWidth, 0, stateWidth, strip.height());
    dc.drawImage(QRect(x, y, width, height), strip, source);
}

namespace {

QPalette::ColorRole roleOfSysColor(int index, QPalette::ColorGroup& group)
{
    group = QPalette::Active;
    switch (index) {
    case COLOR_WINDOW:
        return QPalette::Base;
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

} // namespace

platform::ColorRef GetSkinSysColor(int index)
{
    QPalette::ColorGroup group;
    const QPalette::ColorRole role = roleOfSysColor(index, group);
    return platform::fromQColor(QApplication::palette().color(group, role));
}

void FillSkinBackgroundXY(QPainter& dc, int x, int y, int width, int height, QWidget* /*background*/,
                          QWidget* /*painted*/)
{
    dc.fillRect(QRect(x, y, width, height), platform::toQColor(GetSkinSysColor(COLOR_BTNFACE)));
}

bool VornaSkinManager::Install(QWidget* mainFrame)
{
    return mainFrame != nullptr;
}
