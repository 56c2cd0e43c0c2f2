#include "dialogs/VornaDialogImgCssComplex.h"

#include "dialogs/DialogButtons.h"

#include "engine/css/Style.h"

#include "platform/ModalRunner.h"

VornaDialogImgCssComplex::VornaDialogImgCssComplex(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    AddOkCancelButtons(*this);
}

VornaDialogImgCssComplex::~VornaDialogImgCssComplex() = default;

int VornaDialogImgCssComplex::DoModal()
{
    if (m_pStyle)
        m_strFilter = m_pStyle->filter().trimmed();
    if (!m_rcButton.isNull())
        move(m_rcButton.bottomLeft());
    return platform::runModal(*this, IDD);
}
