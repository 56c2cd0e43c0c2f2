#include "controls/CVornaToolTipCtrl.h"

bool CVornaToolTipCtrl::Create(QWidget* parent)
{
    m_parent = parent;
    return parent != nullptr;
}

bool CVornaToolTipCtrl::AddTool(QWidget* control, const QString& text)
{
    if (!control)
        return false;
    control->setToolTip(text);
    return true;
}

void CVornaToolTipCtrl::UpdateTipText(const QString& text, QWidget* control)
{
    if (control)
        control->setToolTip(text);
}

QString CVornaToolTipCtrl::GetText(const QWidget* control) const
{
    return control ? control->toolTip() : QString();
}
