#include "dialogs/VornaDialogSourceConversion.h"

#include "dialogs/DialogButtons.h"
#include "dialogs/DialogControls.h"
#include "res/resource.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

VornaDialogSourceConversion::VornaDialogSourceConversion(QWidget* parent) : QDialog(parent)
{
    setObjectName(DialogControlName(IDD));
    setWindowTitle(LoadResString(IDS_SOURCE_CONVERSION_TITLE));
    auto* layout = new QVBoxLayout(this);
    m_rbConvert = NamedRadio(LoadResString(IDS_SOURCE_CONVERSION_CONVERT), IDC_SOURCE_CONVERSION_CONVERT, this);
    m_rbKeep = NamedRadio(LoadResString(IDS_SOURCE_CONVERSION_KEEP), IDC_SOURCE_CONVERSION_KEEP, this);
    m_chkNoShowAgain =
        Named(new QCheckBox(LoadResString(IDS_SOURCE_CONVERSION_NO_SHOW), this), IDC_SOURCE_CONVERSION_NO_SHOW);
    layout->addWidget(m_rbConvert);
    layout->addWidget(m_rbKeep);
    layout->addSpacing(8);
    layout->addWidget(m_chkNoShowAgain);
    // OK alone.
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(LoadResString(IDS_MSGBOX_OK), QDialogButtonBox::AcceptRole);
    ok->setObjectName(DialogControlName(platform::IDOK));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

VornaDialogSourceConversion::~VornaDialogSourceConversion() = default;

int VornaDialogSourceConversion::DoModal()
{
    // The conversion is proposed; the tick keeps what the caller set.
    m_nConvert = kConvert;
    m_rbConvert->setChecked(true);
    m_chkNoShowAgain->setChecked(m_bNoShowAgain != 0);
    return platform::runModal(*this, IDD);
}

void VornaDialogSourceConversion::accept()
{
    m_nConvert = m_rbKeep->isChecked() ? kKeepOriginal : kConvert;
    m_bNoShowAgain = m_chkNoShowAgain->isChecked() ? 1 : 0;
    QDialog::accept();
}
