#include "dialogs/VornaDialogPageSize.h"

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

VornaDialogPageSize::VornaDialogPageSize(QWidget* parent) : QDialog(parent)
{
    setObjectName(DialogControlName(IDD));
    setWindowTitle(LoadResString(IDS_PAGE_SIZE_TITLE));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    m_rbResolution = new QRadioButton(LoadResString(IDS_PAGE_SIZE_RESOLUTION), this);
    m_rbResolution->setObjectName(DialogControlName(IDC_PAGE_SIZE_RESOLUTION));
    m_cbResolution = new QComboBox(this);
    m_cbResolution->setObjectName(DialogControlName(IDC_PAGE_SIZE_LIST));
    m_rbUser = new QRadioButton(LoadResString(IDS_PAGE_SIZE_USER), this);
    m_rbUser->setObjectName(DialogControlName(IDC_PAGE_SIZE_USER));
    auto* group = new QButtonGroup(this);
    group->addButton(m_rbResolution, kResolutionMode);
    group->addButton(m_rbUser, kUserMode);
    for (NumberEdit** edit : {&m_edWidth, &m_edHeight}) {
        *edit = new NumberEdit(this);
        (*edit)->setMinimumWidth(80);
        // Leaving a box clamps it to 0 .. 9999.
        (*edit)->setRange(0, int(kMaxSide));
        (*edit)->setMayStayEmpty(false);
    }
    m_edWidth->setObjectName(DialogControlName(IDC_PAGE_SIZE_WIDTH));
    m_edHeight->setObjectName(DialogControlName(IDC_PAGE_SIZE_HEIGHT));
    grid->addWidget(m_rbResolution, 0, 0);
    grid->addWidget(m_cbResolution, 0, 1, 1, 3);
    grid->addWidget(m_rbUser, 1, 0);
    grid->addWidget(m_edWidth, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("x"), this), 1, 2);
    grid->addWidget(m_edHeight, 1, 3);
    connect(group, &QButtonGroup::idClicked, this, [this] { OnModeClicked(); });
    AddOkCancelButtons(*this, layout);
}

VornaDialogPageSize::~VornaDialogPageSize() = default;

int VornaDialogPageSize::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, IDD);
}

void VornaDialogPageSize::OnInitDialog()
{
    // 1. The list's three entries.
    m_cbResolution->clear();
    for (int i = 0; i < int(kResolutions.size()); ++i)
        m_cbResolution->addItem(ResolutionText(i));
    // 2.-3. Width, height, mode and entry from the guide's size.
    InitFromSize();
    // 4. Shown, with the controls of the other mode greyed.
    UpdateData(false);
    EnableControls();
}

void VornaDialogPageSize::UpdateData(bool save)
{
    if (save) {
        m_nMode = m_rbUser->isChecked() ? kUserMode : kResolutionMode;
        m_nResolution = m_cbResolution->currentIndex();
        m_nWidth = unsigned(m_edWidth->value());
        m_nHeight = unsigned(m_edHeight->value());
        return;
    }
    (m_nMode == kUserMode ? m_rbUser : m_rbResolution)->setChecked(true);
    m_cbResolution->setCurrentIndex(m_nResolution);
    m_edWidth->setValue(int(m_nWidth));
    m_edHeight->setValue(int(m_nHeight));
}

void VornaDialogPageSize::EnableControls()
{
    const bool resolution = m_nMode == kResolutionMode;
    m_cbResolution->setEnabled(resolution);
    m_edWidth->setEnabled(!resolution);
    m_edHeight->setEnabled(!resolution);
}

void VornaDialogPageSize::OnModeClicked()
{
    UpdateData(true);
    EnableControls();
}

void VornaDialogPageSize::accept()
{
    UpdateData(true);
    if (!OnOK()) {
        // A resolution must be chosen from the list.
        m_cbResolution->setFocus();
        return;
    }
    QDialog::accept();
}
