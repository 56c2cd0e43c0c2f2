#include "dialogs/VornaDialogHyperlink.h"

#include "app/CMainFrame.h"
#include "controls/AddressHistory.h"
#include "controls/CVornaComboBox.h"
#include "controls/ULOFileDialog.h"
#include "controls/VornaImageButton.h"
#include "frames/FrameEnvironment.h"
#include "frames/FrameSetHost.h"
#include "images/VornaDialogOpenImage.h"
#include "res/resource.h"
#include "util/AppContext.h"
#include "util/FileHelpers.h"
#include "util/MessageBox.h"
#include "util/PageDom.h"
#include "util/PathText.h"
#include "util/StringResources.h"
#include "web/VornaDialogSiteManagerPage1.h"
#include "web/VornaDialogSiteManagerSheet.h"

#include "engine/dom/Document.h"
#include "engine/dom/Element.h"
#include "engine/editing/TextRange.h"

#include "platform/ModalRunner.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <optional>

namespace hyperlinkdialog_detail {

QString controlName(int id)
{
    return QStringLiteral("id_%1").arg(id);
}

// The page list's grid lines: each cell framed on its right and bottom.
class GridLineDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(option.palette.color(QPalette::Midlight));
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
    }
};

VornaDialogHyperlink::WebPageSource& webPageSource()
{
    static VornaDialogHyperlink::WebPageSource source;
    return source;
}

// The rows of the open web's pages, from the site manager's page list.
QList<HyperlinkDialogModel::PageRow> webPageRows()
{
    if (const VornaDialogHyperlink::WebPageSource& source = webPageSource())
        return source();
    const CMainFrame* frame = CMainFrame::instance();
    const VornaDialogSiteManagerSheet* sheet = frame ? frame->siteManagerSheet() : nullptr;
    const VornaDialogSiteManagerPage1* page = sheet ? sheet->sitePage() : nullptr;
    if (!page)
        return {};
    QStringList names = page->GetPageFileNames();
    QStringList titles = page->GetPageTitles();
    // One more slot than rows, as the site list hands them over.
    names.resize(page->GetSiteListCount() + 1);
    titles.resize(names.size());
    return HyperlinkDialogModel::WebPageRows(names, titles);
}

} // namespace hyperlinkdialog_detail

using hyperlinkdialog_detail::controlName;

VornaDialogHyperlink::VornaDialogHyperlink(QWidget* parent) : QDialog(parent)
{
    setObjectName(controlName(IDD));
    setWindowTitle(LoadResString(IDS_HYPERLINK_TITLE));
    CreateControls();
}

VornaDialogHyperlink::~VornaDialogHyperlink() = default;

void VornaDialogHyperlink::SetWebPageSource(WebPageSource source)
{
    hyperlinkdialog_detail::webPageSource() = std::move(source);
}

QString VornaDialogHyperlink::HistoryKeyName()
{
    return QStringLiteral("Hyperlink History");
}

void VornaDialogHyperlink::CreateControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);

    auto* addressLabel = new QLabel(LoadResString(IDS_HYPERLINK_ADDRESS), this);
    m_cbScheme = new CVornaComboBox(this);
    m_cbScheme->setObjectName(controlName(kSchemeBoxId));
    m_cbScheme->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_cbURL = new CVornaComboBox(this);
    m_cbURL->setObjectName(controlName(kUrlBoxId));
    m_cbURL->setEditable(true);
    m_cbURL->setInsertPolicy(QComboBox::NoInsert);
    m_cbURL->setMinimumWidth(300);
    addressLabel->setBuddy(m_cbURL);
    m_btnBrowse = new VornaImageButton(this);
    m_btnBrowse->setObjectName(controlName(kBrowseButtonId));
    m_btnBrowse->SetBitmap(QStringLiteral(":/res/bitmaps/%1.png").arg(IDB_BROWSE));
    m_btnBrowse->setFixedSize(24, 22);
    grid->addWidget(addressLabel, 0, 0);
    grid->addWidget(m_cbScheme, 0, 1);
    grid->addWidget(m_cbURL, 0, 2);
    grid->addWidget(m_btnBrowse, 0, 3);
    grid->setColumnStretch(2, 1);

    auto* targetLabel = new QLabel(LoadResString(IDS_HYPERLINK_TARGET), this);
    m_cbTarget = new CVornaComboBox(this);
    m_cbTarget->setObjectName(controlName(kTargetBoxId));
    m_cbTarget->setEditable(true);
    m_cbTarget->setInsertPolicy(QComboBox::NoInsert);
    targetLabel->setBuddy(m_cbTarget);
    grid->addWidget(targetLabel, 1, 0);
    grid->addWidget(m_cbTarget, 1, 1, 1, 2);

    m_chkRemoveUnderline = new QCheckBox(LoadResString(IDS_HYPERLINK_REMOVE_UNDERLINE), this);
    m_chkRemoveUnderline->setObjectName(controlName(kRemoveUnderlineId));
    layout->addWidget(m_chkRemoveUnderline);

    layout->addWidget(new QLabel(LoadResString(IDS_FOLDER_COMBO_DOCUMENTS), this));
    m_listPages = new QTreeWidget(this);
    m_listPages->setObjectName(controlName(kPageListId));
    m_listPages->setRootIsDecorated(false);
    m_listPages->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listPages->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_listPages->setUniformRowHeights(true);
    m_listPages->setItemDelegate(new hyperlinkdialog_detail::GridLineDelegate(m_listPages));
    m_listPages->setHeaderLabels({LoadResString(IDS_HYPERLINK_COLUMN_TITLE), LoadResString(IDS_HYPERLINK_COLUMN_FILE)});
    // Both columns take half the width, also when a scroll bar comes.
    m_listPages->header()->setSectionResizeMode(QHeaderView::Stretch);
    m_listPages->header()->setSectionsMovable(false);
    // The selection shows while the list has no focus.
    QPalette palette = m_listPages->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    m_listPages->setPalette(palette);
    m_listPages->setMinimumHeight(160);
    m_listPages->viewport()->installEventFilter(this);
    layout->addWidget(m_listPages, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(LoadResString(IDS_MSGBOX_OK), QDialogButtonBox::AcceptRole);
    ok->setObjectName(controlName(platform::IDOK));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(LoadResString(IDS_MSGBOX_CANCEL), QDialogButtonBox::RejectRole);
    cancel->setObjectName(controlName(platform::IDCANCEL));
    m_btnDelete = buttons->addButton(LoadResString(IDS_HYPERLINK_DELETE), QDialogButtonBox::ActionRole);
    m_btnDelete->setObjectName(controlName(kDeleteButtonId));
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &VornaDialogHyperlink::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &VornaDialogHyperlink::reject);
    connect(m_btnDelete, &QPushButton::clicked, this, &VornaDialogHyperlink::OnDeleteLink);
    connect(m_btnBrowse, &QPushButton::clicked, this, &VornaDialogHyperlink::OnBrowse);
    connect(m_cbScheme, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_bWriting)
            OnSelchangeScheme();
    });
    connect(m_cbURL, &QComboBox::editTextChanged, this, [this] {
        if (!m_bWriting)
            OnEditchangeURL();
    });
    connect(m_cbURL, &QComboBox::activated, this, [this] {
        if (!m_bWriting)
            OnSelchangeURL();
    });
    connect(m_chkRemoveUnderline, &QCheckBox::toggled, this, [this] { ReadControls(); });
    m_cbURL->lineEdit()->installEventFilter(this);
}

int VornaDialogHyperlink::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, IDD);
}

void VornaDialogHyperlink::OnInitDialog()
{
    const QSignalBlocker schemeBlocker(m_cbScheme);
    m_bWriting = true;
    // 1. The active page.
    AppContext& app = AppContext::instance();
    const AppContext::OpenDocument page = app.viewPage(app.activeView());
    // 2. The address as the dialog shows it.
    m_strURL = NormaliseAddress(m_strURL);
    // 3.-5. The pages; a page the address names is taken as its row.
    QString relative = m_strURL;
    bool insideWeb = false;
    MakeWebRelativePath(relative, insideWeb);
    FillPageList(page.displayName, page.path);
    TakePageRows(m_rows, relative);
    ShowPageItem();
    // 6.-8. The schemes, the edited link's among them.
    m_cbScheme->clear();
    for (int id : {IDS_HYPERLINK_SCHEME_URL, IDS_HYPERLINK_SCHEME_MAIL, IDS_HYPERLINK_SCHEME_DOWNLOAD,
                   IDS_HYPERLINK_SCHEME_IMAGE})
        m_cbScheme->addItem(LoadResString(id));
    // The list shows the longest kind whole.
    int widest = 0;
    for (int i = 0; i < m_cbScheme->count(); ++i)
        widest = qMax(widest, m_cbScheme->fontMetrics().horizontalAdvance(m_cbScheme->itemText(i)));
    m_cbScheme->setMinimumWidth(widest + 48);
    ClassifyOnOpen();
    m_cbScheme->setCurrentIndex(m_nCurScheme);
    // 9. Browse.
    EnableBrowseByScheme();
    // 10. The history under the address.
    m_cbURL->clear();
    AddressHistory(HistoryKeyName()).FillComboBox(*m_cbURL);
    // 11.
    m_strOrigURL = m_strURL;
    // 12. The targets: the frames of a frame page after the four names.
    if (FrameSetHost* host = frameSetHostOrActive(nullptr))
        m_pFrameSet = host->frameTree().root.get();
    const QStringList targets = TargetItems(m_pFrameSet);
    m_cbTarget->clear();
    m_cbTarget->addItems(targets);
    // 13. The edited link's target, added when it is none of them.
    int target = -1;
    if (!m_strTarget.isEmpty()) {
        target = FindItem(targets, m_strTarget);
        if (target < 0) {
            m_cbTarget->addItem(m_strTarget);
            target = m_cbTarget->count() - 1;
        }
    }
    m_cbTarget->setCurrentIndex(target);
    if (target < 0)
        m_cbTarget->setEditText(QString());
    m_strTargetFrame.clear();
    m_bDeleteLink = false;
    // 14.
    EnableTargetByScheme();
    m_btnDelete->setEnabled(m_bEditLink);
    m_chkRemoveUnderline->setEnabled(m_bEnableRemoveUnderline);
    m_bWriting = false;
    WriteControls();
}

void VornaDialogHyperlink::FillPageList(const QString& displayName, const QString& pagePath)
{
    QList<PageRow> rows;
    bool listed = true;
    if (m_bPageInWeb) {
        rows = hyperlinkdialog_detail::webPageRows();
    } else if (IsHtmlFileName(displayName) && pagePath.contains(QLatin1Char('/'))) {
        rows = FolderPageRows(pagePath.left(pagePath.lastIndexOf(QLatin1Char('/'))));
    } else {
        listed = false;
    }
    m_listPages->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (const PageRow& row : rows)
        items.append(new QTreeWidgetItem(QStringList{row.title, row.fileName}));
    m_listPages->addTopLevelItems(items);
    m_listPages->setEnabled(listed);
    m_rows = rows;
}

void VornaDialogHyperlink::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The link being edited is selected whole once the dialog stands.
    if (m_bEditLink)
        QTimer::singleShot(0, this, [this] { SelectLinkInPage(); });
}

void VornaDialogHyperlink::SelectLinkInPage()
{
    if (!m_bEditLink)
        return;
    m_bEditLink = false;
    CZQView* view = AppContext::instance().activeView();
    engine::Ref<engine::Document> document;
    std::optional<engine::TextRange> selection;
    if (GetHTMLDocument(document, view) != S_OK || GetPageSelection(nullptr, nullptr, &selection, view) != S_OK ||
        !selection)
        return;
    // Text in a marquee keeps its selection.
    if (IsTextRangeInMarquee(*selection))
        return;
    engine::Ref<engine::Element> link(selection->parentElement());
    if (!link || FindParentByTag(link, QStringLiteral("A")) != S_OK || !link)
        return;
    engine::TextRange body = document->createTextRange();
    if (body.moveToElementText(link.get()))
        body.select();
}

bool VornaDialogHyperlink::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_cbURL->lineEdit() && event->type() == QEvent::FocusIn) {
        // After the line edit's own handling, which may select all.
        QTimer::singleShot(0, this, [this] { OnSetfocusURL(); });
    } else if (watched == m_listPages->viewport() &&
               (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonDblClick)) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            const QModelIndex index = m_listPages->indexAt(mouse->position().toPoint());
            const int row = index.isValid() ? index.row() : -1;
            // The list's own handling is done with: the handlers set the selection.
            if (event->type() == QEvent::MouseButtonRelease)
                OnClickPageList(row);
            else
                OnDblclkPageList(row);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void VornaDialogHyperlink::EnableTargetByScheme()
{
    m_bTargetEnabled = TargetEnabled(m_cbScheme->currentIndex());
    m_cbTarget->setEnabled(m_bTargetEnabled);
}

void VornaDialogHyperlink::EnableBrowseByScheme()
{
    m_btnBrowse->setEnabled(BrowseEnabled(m_cbScheme->currentIndex()));
}

void VornaDialogHyperlink::WriteControls()
{
    SetUrlText(m_strURL);
    const QSignalBlocker blocker(m_chkRemoveUnderline);
    m_chkRemoveUnderline->setChecked(m_bRemoveUnderline != 0);
}

void VornaDialogHyperlink::ReadControls()
{
    m_strURL = m_cbURL->currentText();
    m_bRemoveUnderline = m_chkRemoveUnderline->isChecked() ? 1 : 0;
}

void VornaDialogHyperlink::SetUrlText(const QString& text)
{
    const bool writing = m_bWriting;
    m_bWriting = true;
    m_cbURL->setEditText(text);
    m_bWriting = writing;
}

void VornaDialogHyperlink::ShowPageItem()
{
    const QSignalBlocker blocker(m_listPages);
    m_listPages->clearSelection();
    if (QTreeWidgetItem* item = m_nPageItem >= 0 ? m_listPages->topLevelItem(m_nPageItem) : nullptr) {
        m_listPages->setCurrentItem(item);
        item->setSelected(true);
        m_listPages->scrollToItem(item);
    }
}

void VornaDialogHyperlink::OnSelchangeScheme()
{
    const int scheme = m_cbScheme->currentIndex();
    ReadControls();
    ChangeScheme(scheme);
    ShowPageItem();
    SetUrlText(m_strURL);
    EnableTargetByScheme();
    EnableBrowseByScheme();
}

void VornaDialogHyperlink::OnSetfocusURL()
{
    ReadControls();
    const auto [start, length] = SelectionAfterPrefix(m_strURL);
    if (start >= 0)
        m_cbURL->lineEdit()->setSelection(start, length);
}

void VornaDialogHyperlink::OnEditchangeURL()
{
    FollowAddressKind(m_cbURL->currentText());
}

void VornaDialogHyperlink::OnSelchangeURL()
{
    ReadControls();
    FollowAddressKind(m_strURL);
}

void VornaDialogHyperlink::FollowAddressKind(const QString& address)
{
    const bool schemeChanged = ClassifyAddress(address);
    ShowPageItem();
    if (!schemeChanged)
        return;
    const QSignalBlocker blocker(m_cbScheme);
    m_cbScheme->setCurrentIndex(m_nCurScheme);
    EnableBrowseByScheme();
    EnableTargetByScheme();
}

void VornaDialogHyperlink::OnClickPageList(int row)
{
    // 1. Outside the rows, or the row already taken: the list shows the taken row.
    if (row < 0 || row >= m_listPages->topLevelItemCount() || row == m_nPageItem) {
        ShowPageItem();
        return;
    }
    // 2. The row's page without a scheme.
    TakeRow(row);
    {
        const QSignalBlocker blocker(m_cbScheme);
        m_cbScheme->setCurrentIndex(-1);
    }
    EnableBrowseByScheme();
    EnableTargetByScheme();
    // 3. A page never saved has no file name to link to.
    if (!IsHtmlFileName(m_strURL) && !SaveUnsavedPage(row)) {
        ShowPageItem();
        return;
    }
    // 4.
    m_nPageItem = row;
    ShowPageItem();
    WriteControls();
}

bool VornaDialogHyperlink::SaveUnsavedPage(int row)
{
    if (MessageBoxById(IDS_HYPERLINK_NEEDS_FILE_NAME, 0, 0x40, 4) != platform::IDYES)
        return false;
    CZQDoc* doc = FindOpenDocument(m_strURL);
    if (!doc)
        return true;
    // Differs from taking the document's path whatever the save did: a save
    // cancelled or failed leaves the page without a name, as No does.
    const QString path = AppContext::instance().saveDocument(doc);
    if (path.isEmpty())
        return false;
    // A saved page is shown by its file name.
    const QString displayName = GetFileNamePart(path);
    m_rows[row].fileName = displayName;
    m_listPages->topLevelItem(row)->setText(1, displayName);
    m_strURL = displayName;
    return true;
}

void VornaDialogHyperlink::OnDblclkPageList(int row)
{
    if (row < 0 || row >= m_listPages->topLevelItemCount()) {
        ShowPageItem();
        return;
    }
    OnOK();
}

void VornaDialogHyperlink::OnBrowse()
{
    ReadControls();
    const QString start = BrowseStartPath(m_strURL);
    const int scheme = m_cbScheme->currentIndex();
    if (scheme == kSchemeDownload) {
        ULOFileDialog dialog(true, 0, QString(), start, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                             LoadResString(IDS_FILTER_ALL_FILES), this);
        if (dialog.DoModal() == platform::IDOK) {
            m_strURL = dialog.m_bURL ? dialog.m_strURL : dialog.GetPathName();
            m_strURL.replace(QLatin1Char('\\'), QLatin1Char('/'));
            WriteControls();
        }
    } else if (scheme == kSchemeImage) {
        VornaDialogOpenImage dialog(this);
        if (platform::runModal(dialog, VornaDialogOpenImage::IDD) == platform::IDOK &&
            !dialog.m_strResultPath.isEmpty()) {
            m_strURL = dialog.m_strResultPath;
            m_strURL.replace(QLatin1Char('\\'), QLatin1Char('/'));
            WriteControls();
        }
    }
    m_cbURL->lineEdit()->end(false);
}

void VornaDialogHyperlink::OnDeleteLink()
{
    ReadControls();
    m_bDeleteLink = true;
    done(platform::IDOK);
}

void VornaDialogHyperlink::OnOK()
{
    // 1.
    ReadControls();
    m_strTargetFrame = m_bTargetEnabled ? m_cbTarget->currentText() : QString();
    // 2.-4.
    switch (CheckOk()) {
    case OkOutcome::DeleteLink:
        done(platform::IDOK);
        return;
    case OkOutcome::NoAddress:
        MessageBoxById(IDS_HYPERLINK_NO_ADDRESS);
        return;
    case OkOutcome::ChooseScheme:
        MessageBoxById(IDS_HYPERLINK_CHOOSE_SCHEME);
        return;
    case OkOutcome::Accept:
        break;
    }
    // 5. The address on top of the history.
    m_bWriting = true;
    AddressHistory(HistoryKeyName()).AddFromComboBox(*m_cbURL, m_strURL);
    m_bWriting = false;
    // 6.
    WriteControls();
    done(platform::IDOK);
}
