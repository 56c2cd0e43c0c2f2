#include "web/CVornaSiteGridCtrl.h"

#include "app/CChildFrame.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "controls/CListEditCtrl.h"
#include "res/resource.h"
#include "util/AppContext.h"
#include "util/FileHelpers.h"
#include "util/HtmlTextScan.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"
#include "web/SiteFileTexts.h"
#include "web/VornaDialogSiteManagerPage1.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>

namespace sitegrid_detail {

QPixmap icon(int id)
{
    return QPixmap(QStringLiteral(":/res/icons/%1.png").arg(id));
}

} // namespace sitegrid_detail

CVornaSiteGridCtrl::CVornaSiteGridCtrl(QWidget* parent) : CVornaGridCtrl(parent)
{
    setObjectName(QStringLiteral("id_%1").arg(IDC));
    setFrameShape(QFrame::StyledPanel);
    const QList<QPixmap> images = {sitegrid_detail::icon(IDI_SITE_FOLDER_OPEN), sitegrid_detail::icon(IDI_SITE_FOLDER),
                                   sitegrid_detail::icon(IDI_SITE_PAGE),        sitegrid_detail::icon(IDI_SITE_FILE),
                                   sitegrid_detail::icon(IDI_SITE_WEB),         sitegrid_detail::icon(IDI_SITE_IMAGE)};
    SetImageList(images);
    m_cxIcon = images.first().isNull() ? 16 : images.first().width();
    m_cyIcon = images.first().isNull() ? 16 : images.first().height();
}

CVornaSiteGridCtrl::~CVornaSiteGridCtrl() = default;

QString CVornaSiteGridCtrl::TypeFolder()
{
    return LoadResString(IDS_SITE_TYPE_FOLDER);
}

QString CVornaSiteGridCtrl::TypePage()
{
    return LoadResString(IDS_FILE_TYPE_HTML);
}

QString CVornaSiteGridCtrl::TypeImage()
{
    return LoadResString(IDS_SITE_TYPE_IMAGE);
}

QString CVornaSiteGridCtrl::TypeWeb()
{
    return LoadResString(IDS_SITE_TYPE_WEB);
}

// ---- filling ----

bool CVornaSiteGridCtrl::FillFromWeb()
{
    // 1. The open web.
    m_strFolder = SiteWebFolder();
    m_strName = QFileInfo(m_strFolder).fileName();
    if (m_strFolder.isEmpty())
        return false;
    // 2. The columns, once.
    if (GetColumnCount() == 0) {
        InsertColumn(0, LoadResString(IDS_SITE_COLUMN_NAME), LVCFMT_LEFT, 150);
        InsertColumn(1, LoadResString(IDS_SITE_COLUMN_TITLE), LVCFMT_LEFT, 100);
        InsertColumn(2, LoadResString(IDS_SITE_COLUMN_SIZE), LVCFMT_RIGHT, 50);
        InsertColumn(3, LoadResString(IDS_SITE_COLUMN_TYPE), LVCFMT_LEFT, 80);
        InsertColumn(4, LoadResString(IDS_SITE_COLUMN_DATE), LVCFMT_LEFT, 120);
    }
    // 3 - 6.
    return fill();
}

bool CVornaSiteGridCtrl::fill()
{
    m_fillErrors.clear();
    auto root = std::make_unique<CItemInfo>();
    root->SetImage(ImageWeb);
    root->SetItemText(m_strName + QLatin1Char('[') + QDir::toNativeSeparators(m_strFolder) + QLatin1Char(']'));
    root->SetSubItemText(2, TypeWeb());
    CTreeItem* rootItem = InsertRootItem(std::move(root));
    if (!rootItem)
        return false;
    QStringList links;
    ScanFolder(m_strFolder, rootItem, links);
    // Every file has a row that the rest of the program can find.
    int last = 0;
    ExpandAll(rootItem, last);
    SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    linkPass(links);
    reportFillErrors();
    return true;
}

bool CVornaSiteGridCtrl::Reload()
{
    // A name or title being typed goes on in its editor over its file's row,
    // wherever the refill puts that row: ended now it would change the file
    // that comes to stand at its row number.
    const PendingEdit pending = setAsideEdit();
    const int nameWidth = GetColumnWidth(0);
    DeleteAll();
    if (!fill())
        return false;
    if (nameWidth > 0)
        SetColumnWidth(0, nameWidth);
    viewport()->update();
    // The active page's row, when the page is one of the web.
    AppContext& app = AppContext::instance();
    if (CZQView* view = app.activeView()) {
        const QString name = app.viewPage(view).displayName;
        if (!name.isEmpty() && app.isPageInWeb(name)) {
            ClearSelection();
            if (auto* page = qobject_cast<VornaDialogSiteManagerPage1*>(parentWidget()))
                page->SelectFile(name, true);
        }
    }
    if (!resumeEdit(pending))
        setFocus(Qt::OtherFocusReason);
    return true;
}

CVornaSiteGridCtrl::PendingEdit CVornaSiteGridCtrl::setAsideEdit()
{
    PendingEdit pending;
    for (CListEditCtrl* box : viewport()->findChildren<CListEditCtrl*>()) {
        if (!box->isVisible())
            continue; // ended, waiting to be deleted
        pending.path = GetItemPath(box->item());
        pending.column = box->subItem();
        pending.text = box->text();
        pending.cursor = box->cursorPosition();
        pending.selectionStart = box->selectionStart();
        pending.selectionLength = int(box->selectedText().size());
        // Closed without an end: its row number is about to mean another file.
        box->Discard();
    }
    return pending;
}

bool CVornaSiteGridCtrl::resumeEdit(const PendingEdit& pending)
{
    if (pending.path.isEmpty())
        return false;
    // A file gone meanwhile takes its edit along.
    const int row = FindRowOfPath(pending.path);
    if (row < 0)
        return false;
    CListEditCtrl* box = pending.column == 0 ? EditLabel(row) : EditSubItem(row, pending.column);
    if (!box)
        return false;
    box->setText(pending.text);
    if (pending.selectionLength > 0)
        box->setSelection(pending.selectionStart, pending.selectionLength);
    else
        box->setCursorPosition(pending.cursor);
    return true;
}

void CVornaSiteGridCtrl::reportFillErrors()
{
    if (m_fillErrors.isEmpty())
        return;
    const QString text = m_fillErrors.join(QLatin1Char('\n'));
    m_fillErrors.clear();
    ShowMessageBox(text);
}

bool CVornaSiteGridCtrl::ScanFolder(const QString& folder, CTreeItem* parent, QStringList& links)
{
    if (!parent)
        return false;
    QStringList entries;
    QString error;
    if (!ListSiteFolder(folder, m_strFolder, entries, error)) {
        m_fillErrors.append(error);
        return false;
    }
    for (const QString& entry : entries) {
        if (entry.isEmpty())
            continue;
        if (entry.endsWith(QLatin1Char('/'))) {
            const QString path = entry.chopped(1);
            const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
            if (name.isEmpty())
                continue;
            auto info = std::make_unique<CItemInfo>();
            info->SetImage(ImageFolder);
            info->SetItemText(name);
            info->SetSubItemText(2, TypeFolder());
            CTreeItem* item = InsertItem(parent, std::move(info), false);
            ScanFolder(path, item, links);
            continue;
        }
        QString name, title, size, type, date;
        GetFileRowTexts(entry, name, title, size, type, date, &links);
        auto info = std::make_unique<CItemInfo>();
        info->SetImage(ImagePage);
        info->SetItemText(name.isEmpty() ? entry.mid(entry.lastIndexOf(QLatin1Char('/')) + 1) : name);
        if (!title.isEmpty())
            info->SetSubItemText(0, title);
        if (!size.isEmpty())
            info->SetSubItemText(1, size);
        if (!date.isEmpty())
            info->SetSubItemText(3, date);
        if (!type.isEmpty()) {
            info->SetSubItemText(2, type);
            info->SetImage(type == TypePage() ? ImagePage : type == TypeImage() ? ImagePicture : ImageFile);
        } else {
            info->SetImage(ImageFile);
        }
        InsertItem(parent, std::move(info), false);
    }
    return true;
}

void CVornaSiteGridCtrl::GetFileRowTexts(const QString& path, QString& name, QString& title, QString& size,
                                         QString& type, QString& date, QStringList* links)
{
    // 1.
    name.clear();
    title.clear();
    size.clear();
    type.clear();
    date.clear();
    // 2. A closed page is read at once, its size and date taken from the open file.
    name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const QString fileType = SiteFileType(name);
    CZQDoc* document = fileType == TypePage() ? FindOpenDocument(path) : nullptr;
    SiteFileStat info;
    QByteArray bytes;
    QString readError;
    const bool closedPage = fileType == TypePage() && !document;
    const bool read = closedPage && ReadSitePageFile(path, info, bytes, readError);
    if (!closedPage)
        info = StatSiteFile(path);
    if (!info.exists) {
        name.clear();
        m_fillErrors.append(QDir::toNativeSeparators(path) + QStringLiteral(" : ") +
                            LoadResString(IDS_SITE_FILE_MISSING));
        return;
    }
    type = fileType;
    size = SiteSizeText(info.size);
    date = SiteDateText(info.modified);
    // 3.
    if (type != TypePage())
        return;
    // 4. A page open in the editor: its title as edited, its frames as its window holds them.
    if (document) {
        CZQView* view = document->GetView();
        if (!view)
            return;
        title = view->GetDocumentTitle();
        if (title.isEmpty())
            ReadTagTextFromFile(path, QStringLiteral("TITLE"), title, 0);
        CChildFrame* child = view->GetParentFrame();
        if (child && child->HasFrameset() && links) {
            CZQView* frameset = child->GetFramesetView();
            if (frameset == view)
                links->append(name + QLatin1Char('/') + name);
            else if (frameset && frameset->GetDocument())
                links->append(frameset->GetDocument()->GetDisplayName() + QLatin1Char('/') + name);
        }
        return;
    }
    // 5. A closed page: its file.
    if (!read) {
        m_fillErrors.append(readError);
        return;
    }
    ScanSitePage(bytes, name, title, links);
}

void CVornaSiteGridCtrl::linkPass(const QStringList& links)
{
    const QString page = TypePage();
    for (const QString& record : links) {
        QString frameset, frame;
        SplitSiteLink(record, frameset, frame);
        for (int row = 0; row < GetItemCount(); ++row) {
            if (!SiteSameText(GetRowType(row), page) || !SiteSameText(GetItemText(row, 0), frame))
                continue;
            if (!SiteSameText(frameset, frame)) {
                SetItemTag(row, frameset);
                SetItemKind(row, 1);
            } else {
                SetItemKind(row, 2);
            }
            break;
        }
    }
}

// ---- rows ----

CItemInfo* CVornaSiteGridCtrl::rowData(int row) const
{
    if (row < 0 || row >= GetItemCount())
        return nullptr;
    return GetData(GetTreeItem(row));
}

QString CVornaSiteGridCtrl::GetItemPath(int row) const
{
    if (row < 0 || row >= GetItemCount())
        return QString();
    QStringList parts;
    for (const CTreeItem* item = GetTreeItem(row); item && GetParentItem(item); item = GetParentItem(item)) {
        const CItemInfo* info = GetData(item);
        parts.prepend(info ? info->GetItemText() : QString());
    }
    return parts.join(QLatin1Char('/'));
}

bool CVornaSiteGridCtrl::SetCellText(int row, int column, const QString& text)
{
    if (row < 0 || column < 0)
        return false;
    CItemInfo* info = rowData(row);
    if (!info)
        return false;
    if (column == 0)
        info->SetItemText(text);
    else
        info->SetSubItemText(column - 1, text);
    UpdateRowText(GetTreeItem(row));
    return true;
}

bool CVornaSiteGridCtrl::AddRootItem(const QString& text)
{
    CTreeItem* root = GetRootItem(0);
    if (!root)
        return false;
    auto info = std::make_unique<CItemInfo>();
    info->SetImage(ImagePage);
    info->SetItemText(text);
    // The root row is expanded: the new row shows at once.
    InsertItem(root, std::move(info), !IsCollapsed(root));
    return true;
}

QString CVornaSiteGridCtrl::GetItemTag(int row) const
{
    const CItemInfo* info = rowData(row);
    return info ? info->GetTag() : QString();
}

bool CVornaSiteGridCtrl::SetItemTag(int row, const QString& tag)
{
    CItemInfo* info = rowData(row);
    if (!info)
        return false;
    info->SetTag(tag);
    return true;
}

int CVornaSiteGridCtrl::GetItemKind(int row) const
{
    const CItemInfo* info = rowData(row);
    return info ? info->m_nKind : 0;
}

bool CVornaSiteGridCtrl::SetItemKind(int row, int kind)
{
    CItemInfo* info = rowData(row);
    if (!info)
        return false;
    info->m_nKind = kind;
    return true;
}

int CVornaSiteGridCtrl::FindChildItem(const CTreeItem* item, const QString& text) const
{
    if (!item || !ItemHasChildren(item) || GetChildCount(item) == 0)
        return -1;
    for (int i = 0; i < GetChildCount(item); ++i) {
        const CTreeItem* child = GetChild(item, i);
        const CItemInfo* info = GetData(child);
        if (info && SiteSameText(info->GetItemText(), text))
            return GetItemIndex(child);
    }
    return -1;
}

bool CVornaSiteGridCtrl::DeleteRow(int row)
{
    if (row < 0 || row >= GetItemCount())
        return false;
    CTreeItem* item = GetTreeItem(row);
    if (!item || !OnBeforeDelete(item, row))
        return false;
    DeleteTreeItem(item, row);
    return true;
}

bool CVornaSiteGridCtrl::ClearSelection()
{
    for (int row = GetNextItem(-1, LVIS_SELECTED); row >= 0; row = GetNextItem(row, LVIS_SELECTED))
        SetItemState(row, 0, LVIS_SELECTED);
    return true;
}

QList<int> CVornaSiteGridCtrl::GetSelectedRows() const
{
    QList<int> rows;
    for (int row = GetNextItem(-1, LVIS_SELECTED); row >= 0; row = GetNextItem(row, LVIS_SELECTED))
        rows.append(row);
    return rows;
}

int CVornaSiteGridCtrl::FindRowOfPath(const QString& path)
{
    CTreeItem* root = GetRootItem(0);
    if (!root || path.isEmpty())
        return -1;
    for (CTreeItem* item = GetNextTreeItem(root); item; item = GetNextTreeItem(item)) {
        if (ItemHasChildren(item))
            continue;
        QStringList parts;
        for (const CTreeItem* up = item; up && GetParentItem(up); up = GetParentItem(up))
            parts.prepend(GetData(up) ? GetData(up)->GetItemText() : QString());
        if (parts.join(QLatin1Char('/')) != path)
            continue;
        // A row in a closed folder: its folders open.
        if (GetItemIndex(item) < 0) {
            QList<CTreeItem*> closed;
            for (CTreeItem* up = GetParentItem(item); up; up = GetParentItem(up))
                closed.prepend(up);
            for (CTreeItem* up : closed) {
                const int row = GetItemIndex(up);
                if (row >= 0 && IsCollapsed(up))
                    Expand(up, row);
            }
        }
        return GetItemIndex(item);
    }
    return -1;
}

// ---- hooks ----

int CVornaSiteGridCtrl::GetItemImage(CTreeItem* item)
{
    const CItemInfo* info = GetData(item);
    if (info && info->GetImage() != -1)
        return info->GetImage();
    if (ItemHasChildren(item))
        return IsCollapsed(item) ? ImageFolder : ImageOpenFolder;
    return ImagePage;
}

void CVornaSiteGridCtrl::OnCellClick(unsigned flags, QPoint point, GridHitTestInfo& hit)
{
    // A click selects; it starts no editing.
    Q_UNUSED(flags);
    Q_UNUSED(point);
    Q_UNUSED(hit);
}

std::unique_ptr<CItemInfo> CVornaSiteGridCtrl::CopyItemData(const CItemInfo* source)
{
    std::unique_ptr<CItemInfo> copy = CVornaGridCtrl::CopyItemData(source);
    if (copy && source) {
        copy->SetTag(source->GetTag());
        copy->m_nKind = source->m_nKind;
    }
    return copy;
}
