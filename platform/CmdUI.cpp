#include "platform/CmdUI.h"

#include <QAction>

namespace platform {

void CmdUI::enable(bool on)
{
    m_enabled = on;
    m_enableChanged = true;
    if (m_action)
        m_action->setEnabled(on);
}

void CmdUI::setCheck(int check)
{
    m_check = check;
    if (!m_action)
        return;
    if (check != 0 && !m_action->isCheckable())
        m_action->setCheckable(true);
    if (m_action->isCheckable())
        m_action->setChecked(check != 0);
}

void CmdUI::setRadio(bool on)
{
    setCheck(on ? 1 : 0);
}

void CmdUI::setText(const QString& text)
{
    if (m_action && m_action->text() != text)
        m_action->setText(text);
}

} // namespace platform
