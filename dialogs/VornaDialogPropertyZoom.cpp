#include "dialogs/VornaDialogPropertyZoom.h"

#include "controls/NumberEdit.h"
#include "dialogs/DialogButtons.h"
#include "res/resource.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

VornaDialogPropertyZoom::VornaDialogPropertyZoom(QWidget* parent) : QDialog(parent)
{
    setObjectName(DialogControlName(IDD));
    setWindowTitle(LoadResString(IDS_ZOOM_TITLE));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    m_rbFactor = new QRadioButton(LoadResString(IDS_ZOOM_FACTOR), this);
    m_rbFactor->setObjectName(DialogControlName(IDC_ZOOM_FACTOR));
    m_rbUser = new QRadioButton(LoadResString(IDS_PAGE_SIZE_USER), this);
    m_rbUser->setObjectName(DialogControlName(IDC_ZOOM_USER));
    // The two radios make one group of which none is chosen at first.
    auto* group = new QButtonGroup(this);
    group->addButton(m_rbFactor, kFactor);
    group->addButton(m_rbUser, kUser);
    m_cbZoom = new QComboBox(this);
    m_cbZoom->setObjectName(DialogControlName(IDC_ZOOM_LIST));
    m_cbZoom->setEditable(true);
    m_cbZoom->addItems(Factors());
    m_cbZoom->setCurrentIndex(-1);
    m_edUser = new NumberEdit(this);
    m_edUser->setObjectName(DialogControlName(IDC_ZOOM_USER_VALUE));
    m_edUser->setRange(kMinZoom, kMaxZoom);
    m_edUser->setMinimumWidth(80);
    grid->addWidget(m_rbFactor, 0, 0);
    grid->addWidget(m_cbZoom, 0, 1, 1, 2);
    grid->addWidget(m_rbUser, 1, 0);
    grid->addWidget(m_edUser, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("%"), this), 1, 2);
    AddOkCancelButtons(*this, layout);
}

VornaDialogPropertyZoom::~VornaDialogPropertyZoom() = default;

int VornaDialogPropertyZoom::DoModal()
{
    m_nZoom = 0;
    return platform::runModal(*this, IDD);
}

void VornaDialogPropertyZoom::accept()
{
    m_nChoice = m_rbFactor->isChecked() ? kFactor : m_rbUser->isChecked() ? kUser : kNoChoice;
    m_strFactor = m_cbZoom->currentText();
    // The user's value as its box shows it once left: within 25 .. 200.
    m_strUser = m_edUser->field().textOnLeaving(m_edUser->text());
    OnOK();
    QDialog::accept();
}
