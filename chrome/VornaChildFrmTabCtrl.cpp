#include "chrome/VornaChildFrmTabCtrl.h"

#include "util/StringResources.h"

#include "platform/WindowMessage.h"

VornaChildFrmTabCtrl::VornaChildFrmTabCtrl(QWidget* parent) : QTabBar(parent)
{
    setObjectName(QStringLiteral("viewTabs"));
    setShape(QTabBar::RoundedWest);
    setDrawBase(false);
    setExpanding(false);
    setFocusPolicy(Qt::NoFocus);
    for (unsigned id : {57748u, 57749u, 57750u})
        addTab(LoadResString(id));
    connect(this, &QTabBar::currentChanged, this, [this](int tab) {
        if (m_bSetting || !m_frame || tab < 0)
            return;
        platform::sendMessage(m_frame, kViewTabMessage, quintptr(kFirstTabCode + tab), 0);
    });
}

VornaChildFrmTabCtrl::~VornaChildFrmTabCtrl() = default;

bool VornaChildFrmTabCtrl::Install(QWidget* frame)
{
    m_frame = frame;
    return frame != nullptr;
}

bool VornaChildFrmTabCtrl::AddView(QWidget* view)
{
    return view != nullptr;
}

void VornaChildFrmTabCtrl::SetCurTab(int tab)
{
    m_bSetting = true;
    setCurrentIndex(tab);
    m_bSetting = false;
}
