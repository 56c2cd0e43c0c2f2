#include "effects/WebServiceLinkDialog.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "controls/CVornaComboBox.h"
#include "controls/CVornaEdit.h"
#include "effects/WebObjectStyles.h"
#include "effects/WebServiceAccount.h"
#include "images/CVornaListCtrlImage.h"
#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/PageDom.h"
#include "util/StringResources.h"

#include "engine/dom/Document.h"
#include "engine/dom/Element.h"
#include "engine/editing/TextRange.h"

#include "platform/ModalRunner.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace webservicelinkdialog_detail {

QString controlName(int id)
{
    return QStringLiteral("id_%1").arg(id);
}

bool ensureAccount()
{
    CMainFrame* frame = CMainFrame::instance();
    return frame && frame->EnsureWebServiceUserId();
}

// The frame tree of the active page window; none for a plain page.
const VornaFrameSet* activeFrameTree()
{
    CMainFrame* frame = CMainFrame::instance();
    CChildFrame* child = frame ? frame->GetActiveChild() : nullptr;
    return child && child->HasFrameset() ? child->frameTree().root.get() : nullptr;
}

} // namespace webservicelinkdialog_detail

using engine::Element;
using engine::Ref;

WebServiceLinkDialog::WebServiceLinkDialog(const Kind& kind, QWidget* parent) : QDialog(parent), m_kind(kind)
{
    using webservicelinkdialog_detail::controlName;
    setObjectName(controlName(kind.dialogId));
    setWindowTitle(LoadResString(kind.captionId));

    // The service's page by its style.
    m_chkService = new QCheckBox(LoadResString(kind.serviceTextId), this);
    m_chkService->setObjectName(controlName(kind.serviceId));
    connect(m_chkService, &QCheckBox::clicked, this, &WebServiceLinkDialog::OnUseService);
    m_listStyles = new CVornaListCtrlImage(this);
    m_listStyles->setObjectName(controlName(IDC_WEB_OBJECT_STYLES));
    m_listStyles->SetThumbnailWidth(300);
    m_listStyles->SetThumbnailHeight(100);
    m_listStyles->setMinimumSize(370, 300);
    m_listStyles->installEventFilter(this);
    connect(m_listStyles, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { OnClickStyle(index.row()); });
    connect(m_listStyles, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { OnDblClickStyle(index.row()); });
    connect(m_listStyles->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    m_nCurrentItem = current.row();
            });
    m_hint = new QLabel(LoadResString(kind.hintId), this);
    m_hint->setObjectName(controlName(IDC_WEB_OBJECT_HINT));
    m_hint->setWordWrap(true);

    // The link: its address, target and underline.
    auto* form = new QFormLayout;
    m_editURL = new CVornaEdit(this);
    m_editURL->setObjectName(controlName(IDC_WEB_OBJECT_ADDRESS));
    connect(m_editURL, &QLineEdit::textChanged, this, [this](const QString& text) { m_strURL = text; });
    form->addRow(LoadResString(IDS_WEB_OBJECT_ADDRESS_LABEL), m_editURL);
    m_cbTarget = new CVornaComboBox(this);
    m_cbTarget->setObjectName(controlName(IDC_WEB_OBJECT_TARGET));
    m_cbTarget->setEditable(true);
    m_cbTarget->setInsertPolicy(QComboBox::NoInsert);
    form->addRow(LoadResString(IDS_WEB_OBJECT_TARGET_LABEL), m_cbTarget);
    m_chkRemoveUnderline = new QCheckBox(LoadResString(IDS_WEB_OBJECT_REMOVE_UNDERLINE), this);
    m_chkRemoveUnderline->setObjectName(controlName(IDC_WEB_OBJECT_REMOVE_UNDERLINE));

    auto* buttons = new QDialogButtonBox(this);
    m_btnDelete = buttons->addButton(LoadResString(IDS_WEB_OBJECT_DELETE), QDialogButtonBox::ResetRole);
    m_btnDelete->setObjectName(controlName(IDC_WEB_OBJECT_DELETE));
    m_btnDelete->setAutoDefault(false);
    connect(m_btnDelete, &QPushButton::clicked, this, &WebServiceLinkDialog::OnDelete);
    QPushButton* ok = buttons->addButton(LoadResString(IDS_MSGBOX_OK), QDialogButtonBox::AcceptRole);
    ok->setObjectName(controlName(platform::IDOK));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(LoadResString(IDS_MSGBOX_CANCEL), QDialogButtonBox::RejectRole);
    cancel->setObjectName(controlName(platform::IDCANCEL));
    connect(buttons, &QDialogButtonBox::accepted, this, &WebServiceLinkDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &WebServiceLinkDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_chkService);
    layout->addWidget(m_listStyles, 1);
    layout->addWidget(m_hint);
    layout->addLayout(form);
    layout->addWidget(m_chkRemoveUnderline);
    layout->addWidget(buttons);
}

WebServiceLinkDialog::~WebServiceLinkDialog() = default;

int WebServiceLinkDialog::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, m_kind.dialogId);
}

void WebServiceLinkDialog::FillStyleList()
{
    // One item per GIF of the kind's folder, named after it.
    const bool board = m_strStyleFilter.compare(QLatin1String("*.brd"), Qt::CaseInsensitive) == 0;
    m_strStyleFolder = webobjectstyles::StyleFolder(board ? QStringLiteral("Board") : QStringLiteral("VisitorsBook"));
    m_listStyles->DeleteAllItems();
    m_listStyles->m_strFolder = m_strStyleFolder + QLatin1Char('/');
    for (const QString& name : webobjectstyles::StyleNames(m_strStyleFolder, QStringLiteral("gif")))
        m_listStyles->InsertItem(m_listStyles->GetItemCount(), name);
}

void WebServiceLinkDialog::FillTargets()
{
    // 1. The fixed targets and the frames of a frameset page.
    const QStringList targets = webobjectstyles::LinkTargets(webservicelinkdialog_detail::activeFrameTree());
    m_cbTarget->clear();
    m_cbTarget->addItems(targets);
    m_cbTarget->setCurrentIndex(-1);
    m_cbTarget->setEditText(QString());
    // 2. The link's own target, added when the page has no such frame.
    if (m_strTarget.isEmpty())
        return;
    qsizetype found = webobjectstyles::IndexOfCaseBlind(targets, m_strTarget);
    if (found < 0) {
        m_cbTarget->addItem(m_strTarget);
        found = m_cbTarget->count() - 1;
    }
    m_cbTarget->setCurrentIndex(int(found));
}

void WebServiceLinkDialog::OnInitDialog()
{
    FillStyleList();
    FillTargets();
    if (!m_strResultURL.isEmpty())
        m_strURL = m_strResultURL;
    m_editURL->setText(m_strURL);
    m_chkRemoveUnderline->setChecked(m_bRemoveUnderline != 0);
    m_chkService->setChecked(m_bUseService != 0);
    m_strTargetFrame.clear();
    m_bDeleteLink = false;
    if (m_bEditLink)
        SelectEditedLink();
    m_chkRemoveUnderline->setEnabled(m_bEnableRemoveUnderline);
    m_btnDelete->setEnabled(m_bEditLink);
    m_chkService->setEnabled(!m_bEditLink);
    SetServiceControls(true);
}

void WebServiceLinkDialog::SelectEditedLink()
{
    // 1. The link's style in the list.
    const QString style = webservice::StyleOfAddress(m_strURL);
    if (!style.isEmpty()) {
        for (int i = 0; i < m_listStyles->GetItemCount(); ++i) {
            if (ItemText(i).compare(style, Qt::CaseInsensitive) == 0) {
                SelectItem(i);
                break;
            }
        }
    }
    // 2. The whole text of the link around a text selection (not in a
    // marquee), which the new link replaces.
    engine::Ref<engine::Document> document;
    std::optional<engine::TextRange> range;
    if (GetHTMLDocument(document) != S_OK || GetPageSelection(nullptr, nullptr, &range) != S_OK || !range)
        return;
    Ref<Element> parent(range->parentElement());
    if (!parent)
        return;
    Ref<Element> marquee = parent;
    if (FindParentByTag(marquee, QStringLiteral("MARQUEE")) == S_OK)
        return;
    Ref<Element> link = parent;
    if (FindParentByTag(link, QStringLiteral("A")) != S_OK)
        return;
    engine::TextRange whole(document.get());
    if (whole.moveToElementText(link.get()))
        whole.select();
}

void WebServiceLinkDialog::SetServiceControls(bool atOpen)
{
    const bool service = m_bUseService != 0;
    m_listStyles->setEnabled(service);
    if (atOpen && m_kind.hideScrollBar)
        m_listStyles->setVerticalScrollBarPolicy(service ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    else
        m_listStyles->verticalScrollBar()->setEnabled(service);
    m_editURL->setReadOnly(service);
}

QString WebServiceLinkDialog::ItemText(int item) const
{
    return item >= 0 && item < m_listStyles->GetItemCount() ? m_listStyles->GetItemText(item) : QString();
}

void WebServiceLinkDialog::SelectItem(int item)
{
    const QModelIndex index = m_listStyles->model()->index(item, 0);
    if (!index.isValid())
        return;
    m_listStyles->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_listStyles->scrollTo(index);
}

void WebServiceLinkDialog::BuildAddress(const QString& styleName)
{
    m_strStyleName = styleName;
    if (m_strStyleName.isEmpty())
        return;
    CMainFrame* frame = CMainFrame::instance();
    if (!frame)
        return;
    m_strResultURL = frame->BuildWebObjectQuery(m_strStyleFolder, m_strStyleName, m_strStyleFilter.right(3));
    m_strURL = m_strResultURL;
    m_editURL->setText(m_strURL);
}

void WebServiceLinkDialog::Decline(int item)
{
    // The item chosen without an account goes; the user types an address.
    const QModelIndex index = m_listStyles->model()->index(item, 0);
    if (index.isValid())
        m_listStyles->selectionModel()->select(index, QItemSelectionModel::Deselect);
    m_bUseService = 0;
    m_chkService->setChecked(false);
    SetServiceControls(false);
    m_editURL->clear();
    m_editURL->setFocus();
}

void WebServiceLinkDialog::OnClickStyle(int item)
{
    const QString text = ItemText(item);
    if (webservicelinkdialog_detail::ensureAccount())
        BuildAddress(text);
    else
        Decline(item);
}

void WebServiceLinkDialog::OnDblClickStyle(int item)
{
    const QString text = ItemText(item);
    if (!webservicelinkdialog_detail::ensureAccount()) {
        Decline(item);
        return;
    }
    if (text.isEmpty())
        return;
    BuildAddress(text);
    // The dialog's own OK, so that the chosen target is kept.
    accept();
}

void WebServiceLinkDialog::OnStyleKey(bool down)
{
    const int item = webobjectstyles::ArrowKeyItem(m_nCurrentItem, m_listStyles->GetItemCount(), down);
    if (item < 0)
        return;
    SelectItem(item);
    BuildAddress(ItemText(item));
}

void WebServiceLinkDialog::OnStyleFocus()
{
    if (m_nCurrentItem < 0 || m_nCurrentItem >= m_listStyles->GetItemCount())
        return;
    SelectItem(m_nCurrentItem);
    BuildAddress(ItemText(m_nCurrentItem));
}

bool WebServiceLinkDialog::eventFilter(QObject* watched, QEvent* event)
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

void WebServiceLinkDialog::OnUseService()
{
    ReadControls();
    m_bUseService = m_chkService->isChecked() ? 1 : 0;
    SetServiceControls(false);
}

void WebServiceLinkDialog::ReadControls()
{
    m_strURL = m_editURL->text();
    m_bRemoveUnderline = m_chkRemoveUnderline->isChecked() ? 1 : 0;
    m_bUseService = m_chkService->isChecked() ? 1 : 0;
}

void WebServiceLinkDialog::OnDelete()
{
    ReadControls();
    m_bDeleteLink = true;
    done(platform::IDOK);
}

void WebServiceLinkDialog::accept()
{
    ReadControls();
    // 1. The target chosen or typed.
    m_strTargetFrame = m_cbTarget->currentText();
    // 2. A service address built before the user had an id gets the new one.
    if (m_bUseService && !m_strStyleName.isEmpty() && m_strURL == m_strResultURL &&
        !webservice::IsUserId(webservice::ReadUserId())) {
        if (!webservicelinkdialog_detail::ensureAccount()) {
            Decline(m_nCurrentItem);
            return;
        }
        BuildAddress(m_strStyleName);
    }
    // 3. An address.
    if (m_strURL.isEmpty()) {
        const bool notConfigured = m_bUseService && !m_strStyleName.isEmpty();
        MessageBoxById(notConfigured ? IDS_SERVICE_NOT_CONFIGURED : m_kind.noAddressId);
        m_editURL->setFocus();
        return;
    }
    // 4. With its scheme.
    m_strURL = webservice::WithAddressScheme(m_strURL);
    m_strResultURL = m_strURL;
    done(platform::IDOK);
}
