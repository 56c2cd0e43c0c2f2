#include "effects/VornaDialogWebCounter.h"

#include "app/CMainFrame.h"
#include "controls/CVornaComboBox.h"
#include "controls/NumberEdit.h"
#include "controls/VornaIconListCtrl.h"
#include "effects/CounterMarkup.h"
#include "effects/WebObjectStyles.h"
#include "effects/WebServiceAccount.h"
#include "publish/CVornaFtp.h"
#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace vornadialogwebcounter_detail {

QString controlName(int id)
{
    return QStringLiteral("id_%1").arg(id);
}

} // namespace vornadialogwebcounter_detail

VornaDialogWebCounter::VornaDialogWebCounter(QWidget* parent) : QDialog(parent)
{
    using vornadialogwebcounter_detail::controlName;
    setObjectName(controlName(IDD_WEB_COUNTER));
    setWindowTitle(LoadResString(IDS_WEB_COUNTER_CAPTION));

    // The service's counter: its style, its start value and its settings.
    m_chkService = new QCheckBox(LoadResString(IDS_COUNTER_SERVICE), this);
    m_chkService->setObjectName(controlName(IDC_COUNTER_SERVICE));
    connect(m_chkService, &QCheckBox::clicked, this, &VornaDialogWebCounter::OnUseService);
    m_listStyles = new VornaIconListCtrl(this);
    m_listStyles->setObjectName(controlName(IDC_WEB_OBJECT_STYLES));
    m_listStyles->setIconSize(QSize(70, 45));
    m_listStyles->setSpacing(6);
    m_listStyles->setMinimumSize(440, 110);
    m_listStyles->setMaximumHeight(140);
    m_listStyles->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_listStyles->installEventFilter(this);
    connect(m_listStyles, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { OnClickStyle(index.row()); });
    connect(m_listStyles, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { OnDblClickStyle(index.row()); });
    connect(m_listStyles, &QListWidget::currentRowChanged, this, [this](int item) {
        m_strStyleName = ItemText(item);
        if (item >= 0)
            m_nCurrentItem = item;
    });
    m_editStart = new NumberEdit(this);
    m_editStart->setObjectName(controlName(IDC_COUNTER_START));
    m_editStart->setRange(0, kMaxStartValue);
    m_editStart->setMayStayEmpty(false);
    m_editStart->setMinimumWidth(120);
    connect(m_editStart, &NumberEdit::editingFinished, this, [this] { m_nStartValue = m_editStart->value(); });
    auto* startLabel = new QLabel(LoadResString(IDS_COUNTER_START_LABEL), this);
    startLabel->setBuddy(m_editStart);
    m_btnSettings = new QPushButton(LoadResString(IDS_COUNTER_SETTINGS), this);
    m_btnSettings->setObjectName(controlName(IDC_COUNTER_SETTINGS));
    m_btnSettings->setAutoDefault(false);
    connect(m_btnSettings, &QPushButton::clicked, this, &VornaDialogWebCounter::OnSettings);
    auto* startRow = new QHBoxLayout;
    startRow->addWidget(startLabel);
    startRow->addWidget(m_editStart);
    startRow->addStretch(1);
    startRow->addWidget(m_btnSettings);

    // Another provider's counter: its kind and its markup.
    m_cbKind = new CVornaComboBox(this);
    m_cbKind->setObjectName(controlName(IDC_COUNTER_KIND));
    connect(m_cbKind, &QComboBox::activated, this, &VornaDialogWebCounter::OnSelchangeKind);
    auto* kindLabel = new QLabel(LoadResString(IDS_COUNTER_KIND_LABEL), this);
    kindLabel->setBuddy(m_cbKind);
    auto* kindRow = new QHBoxLayout;
    kindRow->addWidget(kindLabel);
    kindRow->addWidget(m_cbKind);
    kindRow->addStretch(1);
    m_example = new QLabel(this);
    m_example->setObjectName(controlName(IDC_COUNTER_EXAMPLE));
    m_example->setTextFormat(Qt::PlainText);
    m_example->setWordWrap(true);
    m_editHtml = new QPlainTextEdit(this);
    m_editHtml->setObjectName(controlName(IDC_COUNTER_HTML));
    m_editHtml->setMinimumHeight(80);
    m_editHtml->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_editHtml->setTabChangesFocus(true);
    connect(m_editHtml, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_bUseService)
            SetDependentControls();
    });

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(LoadResString(IDS_MSGBOX_OK), QDialogButtonBox::AcceptRole);
    ok->setObjectName(controlName(platform::IDOK));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(LoadResString(IDS_MSGBOX_CANCEL), QDialogButtonBox::RejectRole);
    cancel->setObjectName(controlName(platform::IDCANCEL));
    connect(buttons, &QDialogButtonBox::accepted, this, &VornaDialogWebCounter::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &VornaDialogWebCounter::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_chkService);
    layout->addWidget(m_listStyles);
    layout->addLayout(startRow);
    layout->addSpacing(8);
    layout->addLayout(kindRow);
    layout->addWidget(m_example);
    layout->addWidget(m_editHtml, 1);
    layout->addWidget(buttons);
}

VornaDialogWebCounter::~VornaDialogWebCounter() = default;

int VornaDialogWebCounter::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, IDD_WEB_COUNTER);
}

void VornaDialogWebCounter::FillStyleList()
{
    // One item per ".cnt" file, drawn with the GIF of its name beside it.
    m_strStyleFolder = webobjectstyles::StyleFolder(QStringLiteral("Counter"));
    m_listStyles->clear();
    m_listStyles->m_strFolder = m_strStyleFolder + QLatin1Char('/');
    for (const QString& name : webobjectstyles::StyleNames(m_strStyleFolder, QStringLiteral("cnt")))
        m_listStyles->InsertItem(m_listStyles->count(), name);
}

void VornaDialogWebCounter::OnInitDialog()
{
    FillStyleList();
    m_cbKind->clear();
    m_cbKind->addItems({LoadResString(IDS_IMAGE_COUNTER), LoadResString(IDS_FLASH_COUNTER)});
    m_nKind = m_nKind == 1 ? 1 : 0;
    m_nStartValue = qBound(0, m_nStartValue, kMaxStartValue);
    UpdateData(false);
    SetDependentControls();
    if (!m_bEditMode) {
        m_editHtml->setFocus();
        return;
    }
    // A counter being changed: its style selected.
    const QString style = webservice::StyleOfAddress(m_strResultURL);
    QStringList texts;
    for (int i = 0; i < m_listStyles->count(); ++i)
        texts.append(ItemText(i));
    const qsizetype found = style.isEmpty() ? -1 : webobjectstyles::IndexOfCaseBlind(texts, style);
    if (found >= 0)
        SelectItem(int(found));
}

void VornaDialogWebCounter::UpdateData(bool save)
{
    if (save) {
        m_strHtml = m_editHtml->toPlainText();
        m_bUseService = m_chkService->isChecked() ? 1 : 0;
        m_nStartValue = m_editStart->value();
        m_nKind = m_cbKind->currentIndex();
        return;
    }
    m_editHtml->setPlainText(m_strHtml);
    m_chkService->setChecked(m_bUseService != 0);
    m_editStart->setValue(m_nStartValue);
    m_cbKind->setCurrentIndex(m_nKind);
    ShowExample();
}

void VornaDialogWebCounter::ShowExample()
{
    m_example->setText(LoadResString(m_nKind == 1 ? IDS_FLASH_COUNTER_EXAMPLE : IDS_IMAGE_COUNTER_EXAMPLE));
}

void VornaDialogWebCounter::SetDependentControls()
{
    const bool service = m_bUseService != 0;
    m_listStyles->setEnabled(service);
    m_editStart->setEnabled(service);
    m_btnSettings->setEnabled(service);
    m_cbKind->setEnabled(!service);
    m_editHtml->setEnabled(!service);
    m_chkService->setEnabled(!m_bEditMode);
    m_listStyles->verticalScrollBar()->setEnabled(service);
    // The markup's scroll bar works only for text longer than the box.
    QScrollBar* markupBar = m_editHtml->verticalScrollBar();
    markupBar->setEnabled(!service && markupBar->maximum() > markupBar->minimum());
    ShowExample();
}

QString VornaDialogWebCounter::ItemText(int item) const
{
    const QListWidgetItem* entry = m_listStyles->item(item);
    return entry ? entry->text() : QString();
}

void VornaDialogWebCounter::SelectItem(int item)
{
    QListWidgetItem* entry = m_listStyles->item(item);
    if (!entry)
        return;
    m_listStyles->setCurrentItem(entry, QItemSelectionModel::ClearAndSelect);
    m_listStyles->scrollToItem(entry);
}

void VornaDialogWebCounter::BuildAddress(const QString& styleName)
{
    m_strStyleName = styleName;
    if (m_strStyleName.isEmpty())
        return;
    if (CMainFrame* frame = CMainFrame::instance())
        m_strResultURL = frame->BuildWebObjectQuery(m_strStyleFolder, m_strStyleName, QStringLiteral("CNT"));
}

void VornaDialogWebCounter::Decline(int item)
{
    if (QListWidgetItem* entry = m_listStyles->item(item)) {
        entry->setSelected(false);
        if (m_listStyles->currentItem() == entry)
            m_listStyles->setCurrentItem(nullptr, QItemSelectionModel::NoUpdate);
    }
    if (m_bEditMode)
        return;
    m_bUseService = 0;
    SetDependentControls();
    m_chkService->setChecked(false);
    m_editHtml->setFocus();
}

namespace vornadialogwebcounter_detail {

bool ensureAccount()
{
    CMainFrame* frame = CMainFrame::instance();
    return frame && frame->EnsureWebServiceUserId();
}

} // namespace vornadialogwebcounter_detail

void VornaDialogWebCounter::OnClickStyle(int item)
{
    if (vornadialogwebcounter_detail::ensureAccount())
        BuildAddress(ItemText(item));
    else
        Decline(item);
}

void VornaDialogWebCounter::OnDblClickStyle(int item)
{
    if (!vornadialogwebcounter_detail::ensureAccount()) {
        Decline(item);
        return;
    }
    if (ItemText(item).isEmpty())
        return;
    BuildAddress(ItemText(item));
    accept();
}

void VornaDialogWebCounter::OnStyleKey(bool down)
{
    const int item = webobjectstyles::ArrowKeyItem(m_nCurrentItem, m_listStyles->count(), down);
    if (item < 0)
        return;
    SelectItem(item);
    BuildAddress(ItemText(item));
}

void VornaDialogWebCounter::OnStyleFocus()
{
    if (m_nCurrentItem < 0 || m_nCurrentItem >= m_listStyles->count())
        return;
    SelectItem(m_nCurrentItem);
    BuildAddress(ItemText(m_nCurrentItem));
}

bool VornaDialogWebCounter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_listStyles) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                OnStyleKey(key == Qt::Key_Down);
                return true;
            }
        } else if (event->type() == QEvent::FocusIn) {
            OnStyleFocus();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void VornaDialogWebCounter::OnUseService()
{
    UpdateData(true);
    SetDependentControls();
}

void VornaDialogWebCounter::OnSelchangeKind()
{
    UpdateData(true);
    ShowExample();
}

void VornaDialogWebCounter::OnSettings()
{
    // 1. An account.
    if (!vornadialogwebcounter_detail::ensureAccount())
        return;
    // 2. The settings page of its counter, from the start value shown.
    m_nStartValue = m_editStart->value();
    std::unique_ptr<CVornaFtp> local;
    const QString address =
        webservice::BuildCounterSettingsAddress(webservice::ServiceFtp(local).GetWebObjectCounterSetValue(),
                                                webservice::ReadUserId(), webservice::ReadPassword(), m_nStartValue);
    // 3. In the desktop's browser; the dialog does not wait for it.
    webservice::OpenServicePage(address);
}

void VornaDialogWebCounter::accept()
{
    UpdateData(true);
    if (m_bUseService) {
        // 1. The service's counter needs an account; an address built
        // before the user had an id gets the new one.
        const bool hadId = webservice::IsUserId(webservice::ReadUserId());
        if (!vornadialogwebcounter_detail::ensureAccount())
            return;
        if (!hadId || m_strResultURL.isEmpty())
            BuildAddress(m_strStyleName);
        // 2. A style, at an address the installation configures.
        if (m_strResultURL.isEmpty()) {
            MessageBoxById(m_strStyleName.isEmpty() ? IDS_NO_COUNTER_CHOSEN : IDS_SERVICE_NOT_CONFIGURED);
            m_listStyles->setFocus();
            return;
        }
        m_strResultURL = webservice::WithAddressScheme(m_strResultURL);
        done(platform::IDOK);
        return;
    }
    // 3. Pasted markup, of a kind the markup shows.
    if (m_strHtml.isEmpty() || m_cbKind->currentIndex() < 0) {
        MessageBoxById(IDS_NO_COUNTER_HTML);
        m_editHtml->setFocus();
        return;
    }
    const CounterMarkup checked = CounterMarkup::Check(m_strHtml);
    if (checked.markup != m_strHtml) {
        m_strHtml = checked.markup;
        m_editHtml->setPlainText(m_strHtml);
    }
    if (checked.messageId != 0) {
        MessageBoxById(checked.messageId);
        m_editHtml->setFocus();
        m_editHtml->selectAll();
        return;
    }
    m_cbKind->setCurrentIndex(checked.kind);
    m_nKind = checked.kind;
    ShowExample();
    done(platform::IDOK);
}
