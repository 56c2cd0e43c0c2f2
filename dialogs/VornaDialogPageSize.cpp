#include "dialogs/VornaDialogPageSize.h"

#include "controls/NumberEdit.h"
#include "dialogs/DialogButtons.h"
#include "res/resource.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace pagesizedialog_detail {

const std::array<QSize, 3> kResolutions = {QSize(640, 480), QSize(800, 600), QSize(1024, 768)};

} // namespace pagesizedialog_detail

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
    for (const QSize& size : pagesizedialog_detail::kResolutions)
        m_cbResolution->addItem(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height()));
    m_rbUser = new QRadioButton(LoadResString(IDS_PAGE_SIZE_USER), this);
    m_rbUser->setObjectName(DialogControlName(IDC_PAGE_SIZE_USER));
    m_edWidth = new NumberEdit(this);
    m_edWidth->setObjectName(DialogControlName(IDC_PAGE_SIZE_WIDTH));
    m_edWidth->setRange(0, 9999);
    m_edWidth->setMinimumWidth(80);
    m_edHeight = new NumberEdit(this);
    m_edHeight->setObjectName(DialogControlName(IDC_PAGE_SIZE_HEIGHT));
    m_edHeight->setRange(0, 9999);
    m_edHeight->setMinimumWidth(80);
    grid->addWidget(m_rbResolution, 0, 0);
    grid->addWidget(m_cbResolution, 0, 1, 1, 3);
    grid->addWidget(m_rbUser, 1, 0);
    grid->addWidget(m_edWidth, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("x"), this), 1, 2);
    grid->addWidget(m_edHeight, 1, 3);
    connect(m_rbResolution, &QRadioButton::toggled, this, [this] { EnableControls(); });
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
    // No size proposes 800 x 600; one of the resolutions selects it.
    const QSize size = m_size.width() == 0 && m_size.height() == 0 ? QSize(800, 600) : m_size;
    m_edWidth->setValue(size.width());
    m_edHeight->setValue(size.height());
    const auto& resolutions = pagesizedialog_detail::kResolutions;
    const auto found = std::find(resolutions.begin(), resolutions.end(), size);
    m_cbResolution->setCurrentIndex(found == resolutions.end() ? -1 : int(found - resolutions.begin()));
    m_rbResolution->setChecked(found != resolutions.end());
    m_rbUser->setChecked(found == resolutions.end());
    EnableControls();
}

void VornaDialogPageSize::EnableControls()
{
    const bool resolution = m_rbResolution->isChecked();
    m_cbResolution->setEnabled(resolution);
    m_edWidth->setEnabled(!resolution);
    m_edHeight->setEnabled(!resolution);
}

void VornaDialogPageSize::accept()
{
    if (m_rbResolution->isChecked()) {
        // A resolution must be chosen.
        const int index = m_cbResolution->currentIndex();
        if (index < 0) {
            m_cbResolution->setFocus();
            return;
        }
        m_size = pagesizedialog_detail::kResolutions[size_t(index)];
    } else {
        m_size = QSize(std::clamp(m_edWidth->value(), 0, 9999), std::clamp(m_edHeight->value(), 0, 9999));
    }
    QDialog::accept();
}
