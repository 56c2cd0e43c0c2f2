#include "effects/VornaDialogWebCounter.h"

#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace webcounterdialog_detail {

QString controlName(int id)
{
    return QStringLiteral("id_%1").arg(id);
}

} // namespace webcounterdialog_detail

VornaDialogWebCounter::VornaDialogWebCounter(QWidget* parent) : QDialog(parent)
{
    using webcounterdialog_detail::controlName;
    setObjectName(controlName(IDD_WEB_COUNTER));
    setWindowTitle(LoadResString(IDS_WEB_COUNTER_CAPTION));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    m_cbKind = new QComboBox(this);
    m_cbKind->setObjectName(controlName(IDC_COUNTER_KIND));
    m_cbKind->addItems({LoadResString(IDS_IMAGE_COUNTER), LoadResString(IDS_FLASH_COUNTER)});
    connect(m_cbKind, &QComboBox::currentIndexChanged, this, &VornaDialogWebCounter::OnSelchangeKind);
    form->addRow(LoadResString(IDS_COUNTER_KIND_LABEL), m_cbKind);
    m_example = new QLabel(this);
    m_example->setObjectName(controlName(IDC_COUNTER_EXAMPLE));
    m_example->setTextFormat(Qt::PlainText);
    layout->addWidget(m_example);
    m_editHtml = new QPlainTextEdit(this);
    m_editHtml->setObjectName(controlName(IDC_COUNTER_HTML));
    m_editHtml->setMinimumSize(420, 80);
    layout->addWidget(m_editHtml);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(LoadResString(IDS_MSGBOX_OK), QDialogButtonBox::AcceptRole);
    ok->setObjectName(controlName(platform::IDOK));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(LoadResString(IDS_MSGBOX_CANCEL), QDialogButtonBox::RejectRole);
    cancel->setObjectName(controlName(platform::IDCANCEL));
    connect(buttons, &QDialogButtonBox::accepted, this, &VornaDialogWebCounter::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &VornaDialogWebCounter::reject);
    layout->addWidget(buttons);
}

VornaDialogWebCounter::~VornaDialogWebCounter() = default;

int VornaDialogWebCounter::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, IDD_WEB_COUNTER);
}

void VornaDialogWebCounter::OnInitDialog()
{
    // Without the style list a new counter is pasted markup; a counter
    // being changed keeps its address.
    if (!m_bEditMode)
        m_bUseService = 0;
    m_cbKind->setCurrentIndex(m_nKind == 1 ? 1 : 0);
    m_editHtml->setPlainText(m_strHtml);
    m_cbKind->setEnabled(!m_bUseService);
    m_editHtml->setEnabled(!m_bUseService);
    OnSelchangeKind();
    if (!m_bEditMode)
        m_editHtml->setFocus();
}

void VornaDialogWebCounter::OnSelchangeKind()
{
    m_example->setText(
        LoadResString(m_cbKind->currentIndex() == 1 ? IDS_FLASH_COUNTER_EXAMPLE : IDS_IMAGE_COUNTER_EXAMPLE));
}

void VornaDialogWebCounter::accept()
{
    if (!m_bUseService) {
        m_strHtml = m_editHtml->toPlainText();
        if (m_strHtml.isEmpty()) {
            MessageBoxById(IDS_NO_COUNTER_HTML);
            m_editHtml->setFocus();
            return;
        }
        m_nKind = m_cbKind->currentIndex();
    }
    done(platform::IDOK);
}
