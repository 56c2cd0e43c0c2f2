#include "web/VornaDialogSiteManagerPage1.h"

#include "app/CChildFrame.h"
#include "app/CHtmlEditCntrItem.h"
#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "chrome/ULOToolBar.h"
#include "controls/CVornaToolTipCtrl.h"
#include "controls/VornaImageButton.h"
#include "dialogs/VornaDialogAsk.h"
#include "editor/CImpIDispatch.h"
#include "frames/FramePages.h"
#include "frames/VornaFrameSet.h"
#include "publish/CVornaDialogQuickPublish.h"
#include "publish/CVornaFtp.h"
#include "res/resource.h"
#include "util/AppContext.h"
#include "util/FileHelpers.h"
#include "util/MessageBox.h"
#include "util/PageLinks.h"
#include "util/PathText.h"
#include "util/StringResources.h"
#include "web/CVornaSiteGridCtrl.h"
#include "web/SiteFileTexts.h"

#include "platform/CommandRegistry.h"
#include "platform/DataRoot.h"
#include "platform/DocTemplate.h"
#include "platform/ModalRunner.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QVBoxLayout>

namespace sitemanagerpage_detail {

// Whether the path lies in the folder or below it (at a path boundary).
bool inFolder(const QString& path, const QString& folder)
{
    return !folder.isEmpty() && (path == folder || path.startsWith(folder + QLatin1Char('/')));
}

VornaImageButton* imageButton(QWidget* parent, int id)
{
    auto* button = new VornaImageButton(parent);
    button->setObjectName(QStringLiteral("id_%1").arg(id));
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

// The four toolbar pictures of a command on a picture button.
void setToolbarIcons(VornaImageButton* button, int command)
{
    const int index = ULOToolBar::imageIndexOf(command);
    QImage normal = ULOToolBar::image(ULOToolBar::kNormal, index).toImage();
    if (normal.isNull())
        normal = QImage(QStringLiteral(":/res/icons/16/%1.png").arg(command));
    if (normal.isNull())
        return;
    auto pick = [&](ULOToolBar::ImageList list) {
        const QImage image = ULOToolBar::image(list, index).toImage();
        return image.isNull() ? normal : image;
    };
    QImage disabled = ULOToolBar::image(ULOToolBar::kDisabled, index).toImage();
    if (disabled.isNull())
        disabled = ULOToolBar::disabledPicture(QPixmap::fromImage(normal)).toImage();
    button->SetIcons(normal, pick(ULOToolBar::kHot), pick(ULOToolBar::kPressed), disabled);
}

CMainFrame* mainFrame()
{
    return CMainFrame::instance();
}

CChildFrame* childOf(CZQView* view)
{
    return view ? view->GetParentFrame() : nullptr;
}

} // namespace sitemanagerpage_detail

VornaDialogSiteManagerPage1::VornaDialogSiteManagerPage1(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    m_strWork = SiteWebFolder();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    auto* names = new QGridLayout;
    names->setHorizontalSpacing(6);
    names->setVerticalSpacing(2);
    names->addWidget(new QLabel(LoadResString(IDS_SITE_WEB_NAME_LABEL), this), 0, 0);
    names->addWidget(new QLabel(LoadResString(IDS_SITE_SERVER_LABEL), this), 1, 0);
    m_webName = new QLabel(this);
    m_webName->setObjectName(QStringLiteral("id_%1").arg(IDC_SITE_WEB_NAME));
    m_webName->setMinimumWidth(20);
    m_webName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_serverName = new QLabel(this);
    m_serverName->setObjectName(QStringLiteral("id_%1").arg(IDC_SITE_SERVER_NAME));
    m_serverName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    names->addWidget(m_webName, 0, 1);
    names->addWidget(m_serverName, 1, 1);
    names->setColumnStretch(1, 1);
    layout->addLayout(names);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    m_btnImport = sitemanagerpage_detail::imageButton(this, IDC_SITE_IMPORT);
    m_btnDelete = sitemanagerpage_detail::imageButton(this, IDC_SITE_DELETE);
    m_btnRefresh = sitemanagerpage_detail::imageButton(this, IDC_SITE_REFRESH);
    m_btnQuickPublish = sitemanagerpage_detail::imageButton(this, IDC_SITE_QUICK_PUBLISH);
    m_btnQuickPublishProperties = sitemanagerpage_detail::imageButton(this, IDC_SITE_QUICK_PUBLISH_PROPERTIES);
    buttons->addWidget(m_btnImport);
    buttons->addWidget(m_btnDelete);
    buttons->addWidget(m_btnRefresh);
    buttons->addSpacing(8);
    buttons->addWidget(m_btnQuickPublish);
    buttons->addWidget(m_btnQuickPublishProperties);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    m_list = new CVornaSiteGridCtrl(this);
    layout->addWidget(m_list, 1);

    // Tooltips, pictures, handlers.
    m_toolTips = new CVornaToolTipCtrl(this);
    m_toolTips->Create(this);
    m_toolTips->AddTool(m_btnImport, LoadResString(IDS_SITE_IMPORT));
    m_toolTips->AddTool(m_btnRefresh, LoadResString(IDS_SITE_REFRESH));
    m_toolTips->AddTool(m_btnDelete, LoadResString(IDS_SITE_DELETE));
    m_toolTips->AddTool(m_btnQuickPublish, LoadResString(IDS_SITE_QUICK_PUBLISH));
    m_toolTips->AddTool(m_btnQuickPublishProperties, LoadResString(IDS_SITE_QUICK_PUBLISH_PROPERTIES));
    m_btnImport->SetBitmap(QStringLiteral(":/res/bitmaps/%1.png").arg(IDB_SITE_IMPORT));
    m_btnRefresh->SetBitmap(QStringLiteral(":/res/bitmaps/%1.png").arg(IDB_SITE_REFRESH));
    m_btnDelete->SetBitmap(QStringLiteral(":/res/bitmaps/%1.png").arg(IDB_SITE_DELETE));
    sitemanagerpage_detail::setToolbarIcons(m_btnQuickPublish, ID_SITE_QUICK_PUBLISH_COMMAND);
    sitemanagerpage_detail::setToolbarIcons(m_btnQuickPublishProperties, ID_TOOLS_QUICK_PUBLISH_PROPERTIES);
    connect(m_btnImport, &QPushButton::clicked, this, [this] { OnImport(); });
    connect(m_btnDelete, &QPushButton::clicked, this, [this] { OnDelete(); });
    connect(m_btnRefresh, &QPushButton::clicked, this, [this] { OnRefresh(); });
    connect(m_btnQuickPublishProperties, &QPushButton::clicked, this, [this] { OnQuickPublishProperties(); });
    connect(m_btnQuickPublish, &QPushButton::clicked, this, [] {
        if (CZQApp* app = CZQApp::instance(); app && app->commands())
            app->commands()->sendCommand(ID_SITE_QUICK_PUBLISH_COMMAND);
    });
    // The page's keys reach it from whichever of its controls has the focus.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    installEventFilter(this);
}

VornaDialogSiteManagerPage1::~VornaDialogSiteManagerPage1()
{
    if (PublishedWebModel::installed() == this)
        PublishedWebModel::install(nullptr);
}

// ---- window ----

QString VornaDialogSiteManagerPage1::ShortenToWidth(const QString& text, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    QString head = text.left(qMax(0, int(text.size()) - 2));
    while (!head.isEmpty() && metrics.horizontalAdvance(head + QStringLiteral("...")) > width)
        head.chop(1);
    return head + QStringLiteral("...");
}

void VornaDialogSiteManagerPage1::ShowWebName()
{
    const CMainFrame* frame = sitemanagerpage_detail::mainFrame();
    const QString name = frame ? frame->m_strWebName : QFileInfo(SiteWebFolder()).fileName();
    m_webName->setToolTip(name);
    m_webName->setText(ShortenToWidth(name, m_webName->fontMetrics(), qMax(1, m_webName->width())));
}

void VornaDialogSiteManagerPage1::ShowServerName()
{
    CMainFrame* frame = sitemanagerpage_detail::mainFrame();
    m_serverName->setText(frame ? frame->GetFtp().GetActiveWeb() : QString());
}

void VornaDialogSiteManagerPage1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Rolled up: the name column's width is kept for when the page comes back.
    if (width() == 0 && height() != 0) {
        m_list->m_nSavedNameWidth = m_list->GetColumnWidth(0);
        return;
    }
    if (width() == 0)
        return;
    if (m_list->m_nSavedNameWidth >= 0) {
        m_list->SetColumnWidth(0, m_list->m_nSavedNameWidth);
        m_list->m_nSavedNameWidth = -1;
        int pageRow = -1;
        int framesetRow = -1;
        if (FindActivePageRows(pageRow, framesetRow)) {
            m_list->ClearSelection();
            SelectRow(framesetRow >= 0 ? framesetRow : pageRow, true);
        }
    }
    if (!m_webName->toolTip().isEmpty())
        ShowWebName();
}

bool VornaDialogSiteManagerPage1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const bool press = event->type() == QEvent::KeyPress;
    if (key->key() == Qt::Key_Control) {
        m_bCtrlDown = press;
        if (press) {
            // Ctrl goes to the page being edited (a drag onto it may follow).
            if (CZQView* view = AppContext::instance().activeView()) {
                view->setFocus(Qt::OtherFocusReason);
                if (CImpIDispatch* sink = view->GetSink())
                    sink->ReleaseDocumentCapture();
            }
        }
        return false;
    }
    if (!press || key->isAutoRepeat())
        return QWidget::eventFilter(watched, event);
    if (key->key() == Qt::Key_F5) {
        m_list->Reload();
        return true;
    }
    if (key->key() == Qt::Key_F9) {
        if (CZQApp* app = CZQApp::instance(); app && app->commands())
            app->commands()->sendCommand(ID_WINDOW_SITE_MANAGER);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// ---- the web model ----

bool VornaDialogSiteManagerPage1::LoadWeb()
{
    m_list->DeleteAll();
    if (SiteWebFolder().isEmpty())
        return false;
    m_strWork = SiteWebFolder();
    m_list->FillFromWeb();
    PublishedWebModel::install(this);
    ShowWebName();
    ShowServerName();
    return true;
}

QStringList VornaDialogSiteManagerPage1::GetPageFileNames() const
{
    QStringList names;
    const QString page = CVornaSiteGridCtrl::TypePage();
    for (int row = 0; row < m_list->GetItemCount(); ++row) {
        if (SiteSameText(m_list->GetRowType(row), page))
            names.append(m_list->GetItemText(row, 0));
    }
    return names;
}

QStringList VornaDialogSiteManagerPage1::GetPageTitles() const
{
    QStringList titles;
    const QString page = CVornaSiteGridCtrl::TypePage();
    for (int row = 0; row < m_list->GetItemCount(); ++row) {
        if (SiteSameText(m_list->GetRowType(row), page))
            titles.append(m_list->GetItemText(row, 1));
    }
    return titles;
}

int VornaDialogSiteManagerPage1::FindFileRow(const QString& file)
{
    return FindFileRow(file, nullptr);
}

int VornaDialogSiteManagerPage1::FindFileRow(const QString& file, CZQView* view)
{
    const QString web = SiteWebFolder();
    // 1. A page outside the web has no row.
    if (view) {
        const QString path = AppContext::instance().viewPage(view).path;
        const QString folder = path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
        if (!folder.isEmpty() && !sitemanagerpage_detail::inFolder(folder, web))
            return -1;
    }
    // 2, 3. A path relative to the web folder, whatever the separators.
    QString name = QString(file).replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.startsWith(QLatin1Char('/'))) {
        if (!sitemanagerpage_detail::inFolder(name, web))
            return -1;
        name = name.mid(web.size() + 1);
    }
    // 4.
    return name.isEmpty() ? -1 : m_list->FindRowOfPath(name);
}

int VornaDialogSiteManagerPage1::GetSiteListCount() const
{
    return m_list->GetItemCount();
}

int VornaDialogSiteManagerPage1::GetSiteListSelectionMark() const
{
    return m_list->GetSelectionMark();
}

void VornaDialogSiteManagerPage1::SelectRow(int row, bool select)
{
    if (row < 0 || row >= m_list->GetItemCount())
        return;
    m_list->SetItemState(row, select ? LVIS_SELECTED : 0, LVIS_SELECTED);
    if (select)
        m_list->EnsureVisible(row, false);
}

void VornaDialogSiteManagerPage1::SelectFile(const QString& file, bool select)
{
    int row = FindFileRow(file);
    if (row < 0)
        return;
    const QString tag = m_list->GetItemTag(row);
    if (!tag.isEmpty()) {
        const int framesetRow = FindFileRow(tag);
        if (framesetRow >= 0)
            row = framesetRow;
    }
    SelectRow(row, select);
}

bool VornaDialogSiteManagerPage1::FindActivePageRows(int& pageRow, int& framesetRow, QString* name)
{
    pageRow = -1;
    framesetRow = -1;
    CZQView* view = AppContext::instance().activeView();
    CZQDoc* document = view ? view->GetDocument() : nullptr;
    if (!document)
        return false;
    if (!document->pathName().isEmpty() && QFileInfo(document->pathName()).absolutePath() != SiteWebFolder())
        return false;
    const QString displayName = document->GetDisplayName();
    pageRow = FindFileRow(displayName);
    if (pageRow < 0)
        return false;
    if (name)
        *name = displayName;
    CChildFrame* child = sitemanagerpage_detail::childOf(view);
    CZQView* frameset = child && child->HasFrameset() ? child->GetFramesetView() : nullptr;
    if (frameset && frameset->GetDocument())
        framesetRow = FindFileRow(frameset->GetDocument()->GetDisplayName());
    return true;
}

void VornaDialogSiteManagerPage1::OpenItem(int row)
{
    // 1.
    if (row < 0 || row >= m_list->GetItemCount() || m_nBusy != 0)
        return;
    // 2.
    m_strWork.clear();
    const QString web = SiteWebFolder();
    if (!QFileInfo(web).isDir()) {
        MessageBoxById(IDS_SITE_FOLDER_NOT_FOUND);
        return;
    }
    // 3.
    const QString tag = m_list->GetItemTag(row);
    const QString name = m_list->GetItemText(row, 0);
    const QString path = web + QLatin1Char('/') + m_list->GetItemPath(row);
    if (tag.isEmpty()) {
        // 4.
        openPath(path);
    } else {
        // 5. A frame page opens in its frameset page.
        if (row != m_nLastFrameRow) {
            ShowMessageBox(LoadResString(IDS_SITE_FRAME_DOCUMENT) + tag + LoadResString(IDS_SITE_FRAME_DOCUMENT_END));
            m_list->viewport()->update();
        }
        m_list->SetItemState(row, 0, LVIS_SELECTED);
        m_nLastFrameRow = row;
        const int framesetRow = FindFileRow(tag);
        if (framesetRow >= 0)
            m_list->SetItemState(framesetRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        openPath(web + QLatin1Char('/') + tag);
        // The frame page shown in its pane when it is open as a document.
        if (CZQDoc* frameDoc = FindOpenDocument(path)) {
            CChildFrame* child = sitemanagerpage_detail::childOf(frameDoc->GetView());
            if (child && frameDoc->GetView())
                child->activatePane(frameDoc->GetView());
        }
        m_nLastFrameRow = -1;
    }
    // 6.
    if (CZQApp* app = CZQApp::instance())
        app->m_bCommandRan = true;
}

void VornaDialogSiteManagerPage1::openPath(const QString& path)
{
    if (CZQDoc* document = FindOpenDocument(path)) {
        if (CChildFrame* child = sitemanagerpage_detail::childOf(document->GetView())) {
            if (child->isMinimized())
                child->showNormal();
            if (QMdiArea* area = child->mdiArea())
                area->setActiveSubWindow(child);
        }
        return;
    }
    if (QFileInfo(path).isFile()) {
        if (CZQApp* app = CZQApp::instance())
            app->OpenDocumentFile(path);
        return;
    }
    ShowMessageBox(LoadResString(IDS_SITE_FILE_MISSING));
    RemoveFileRow(path);
}

int VornaDialogSiteManagerPage1::AddPageToWeb(const QString& path, const QString& titleFile, const QString& title,
                                              const QString& framesetName, bool frame)
{
    const QString web = SiteWebFolder();
    QString folder = web;
    QString name = GetFileNamePart(path);
    if (name.isEmpty())
        return -1;
    // 1. A page from another folder is copied into the web (asking for
    // another name when the web has a page of that name) and opened there.
    QString readTitleFrom = titleFile;
    if (IsHtmlFileName(path)) {
        const QString normal = QString(path).replace(QLatin1Char('\\'), QLatin1Char('/'));
        const qsizetype slash = normal.lastIndexOf(QLatin1Char('/'));
        folder = slash < 0 ? web : normal.left(slash);
        if (folder != web) {
            const bool taken = QFileInfo::exists(web + QLatin1Char('/') + name) || FindFileRow(name) >= 0;
            CMainFrame* main = sitemanagerpage_detail::mainFrame();
            const QString answer = main ? main->AskRenameExistingPage(folder, name, taken, false) : QString();
            if (answer.isEmpty() || SiteSameText(answer, QStringLiteral("FALSE")))
                return -1;
            name = GetFileNamePart(answer);
            folder = web;
            if (readTitleFrom.isEmpty())
                readTitleFrom = answer;
        }
    }
    ensureFilled();
    // 2. The page's path and its title.
    m_strWork = folder + QLatin1Char('/') + name;
    CZQView* view = AppContext::instance().activeView();
    CZQDoc* document = view ? view->GetDocument() : nullptr;
    QString pageTitle = title;
    if (pageTitle.isEmpty() && !readTitleFrom.isEmpty())
        pageTitle = GetHtmlFileTitle(QFileInfo(readTitleFrom).isAbsolute() ? readTitleFrom
                                                                           : web + QLatin1Char('/') + readTitleFrom);
    if (pageTitle.isEmpty() && view)
        pageTitle = view->GetDocumentTitle();
    if (pageTitle.isEmpty())
        pageTitle = LoadResString(IDS_NO_TITLE);
    // 3. An untitled page asks for its title.
    if (SiteSameText(pageTitle, LoadResString(IDS_NO_TITLE)) && !frame && framesetName.isEmpty()) {
        VornaDialogAsk ask(window());
        ask.m_strTitle = pageTitle;
        if (ask.DoModal() != platform::IDOK) {
            m_strWork.clear();
            return -1;
        }
        if (!ask.m_strTitle.isEmpty() && !ask.m_bDeclined) {
            pageTitle = ask.m_strTitle;
            if (view) {
                view->SetDocumentTitle(pageTitle);
                if (document)
                    document->SetPageTitle(pageTitle);
            }
        }
    }
    pageTitle.replace(QLatin1String("&nbsp;"), QLatin1String(" "));
    // 4. The row.
    m_nBusy = 2;
    int row = -1;
    for (int at = 1; at < m_list->GetItemCount(); ++at) {
        if (m_list->GetItemText(at, 0) == name && m_list->GetItemPath(at) == name) {
            row = at;
            break;
        }
    }
    if (row >= 0) {
        m_list->SetCellText(row, 1, pageTitle);
        if (frame && !framesetName.isEmpty()) {
            m_list->SetItemTag(row, framesetName);
            m_list->SetItemKind(row, 1);
        }
    } else {
        m_list->AddRootItem(name);
        row = m_list->GetItemCount() - 1;
        QString fileName, fileTitle, size, type, date;
        const QString file = web + QLatin1Char('/') + name;
        if (QFileInfo::exists(file))
            m_list->GetFileRowTexts(file, fileName, fileTitle, size, type, date, nullptr);
        m_list->m_fillErrors.clear();
        m_list->SetCellText(row, 1, pageTitle);
        m_list->SetCellText(row, 2, size);
        m_list->SetCellText(row, 3, CVornaSiteGridCtrl::TypePage());
        m_list->SetCellText(row, 4, date);
        if (frame && !framesetName.isEmpty()) {
            m_list->SetItemTag(row, framesetName);
            m_list->SetItemKind(row, 1);
        }
        m_list->EnsureVisible(row, false);
    }
    // The frames of a new frameset page hang under it.
    if (frame && framesetName.isEmpty()) {
        CChildFrame* child = sitemanagerpage_detail::childOf(view);
        if (child && child->HasFrameset()) {
            m_list->SetItemKind(row, 2);
            QList<FramePane*> panes;
            child->frameTree().root->CollectFrameViews(panes);
            for (FramePane* pane : panes) {
                auto* paneView = dynamic_cast<CZQView*>(pane);
                if (paneView && paneView->GetDocument())
                    AddOrUpdateFileRow(paneView->GetDocument()->GetDisplayName(), name);
            }
        }
    }
    // 5.
    m_list->ClearSelection();
    m_list->SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_nBusy = 0;
    m_strWork.clear();
    return row;
}

void VornaDialogSiteManagerPage1::ensureFilled()
{
    // A list never filled yet takes the open web's files before a row joins them.
    if (!m_list->GetRootItem(0) && !SiteWebFolder().isEmpty())
        m_list->FillFromWeb();
}

void VornaDialogSiteManagerPage1::AddOrUpdateFileRow(const QString& fileName, const QString& framesetName)
{
    if (fileName.isEmpty())
        return;
    ensureFilled();
    for (int row = 1; row < m_list->GetItemCount(); ++row) {
        if (m_list->GetItemText(row, 0) == fileName) {
            m_list->SetItemTag(row, framesetName);
            m_list->SetItemKind(row, 1);
            return;
        }
    }
    const QString web = SiteWebFolder();
    if (!m_list->AddRootItem(fileName))
        return;
    const int row = m_list->GetItemCount() - 1;
    QString title = GetHtmlFileTitle(web + QLatin1Char('/') + fileName);
    if (title.isEmpty())
        title = QStringLiteral(" ");
    m_list->SetCellText(row, 1, title);
    m_list->SetCellText(row, 3, CVornaSiteGridCtrl::TypePage());
    m_list->SetItemTag(row, framesetName);
    m_list->SetItemKind(row, 1);
}

void VornaDialogSiteManagerPage1::RenameFileRow(const QString& oldName, const QString& newName)
{
    if (oldName == newName)
        return;
    const int shown = FindFileRow(newName);
    if (shown > 0)
        m_list->DeleteRow(shown);
    for (int row = 1; row < m_list->GetItemCount(); ++row) {
        if (m_list->GetItemText(row, 0) == oldName)
            m_list->SetCellText(row, 0, newName);
        if (m_list->GetItemTag(row) == oldName) {
            m_list->SetItemTag(row, newName);
            m_list->SetItemKind(row, 1);
        }
    }
}

void VornaDialogSiteManagerPage1::SetPageTitle(const QString& page, const QString& title)
{
    for (int row = 1; row < m_list->GetItemCount(); ++row) {
        if (m_list->GetItemText(row, 0) == page) {
            m_list->SetCellText(row, 1, title);
            return;
        }
    }
}

void VornaDialogSiteManagerPage1::RemoveFileRow(const QString& path)
{
    const int row = FindFileRow(path);
    if (row > 0)
        m_list->DeleteRow(row);
}

void VornaDialogSiteManagerPage1::UnlinkRow(const QString& fileName, int row)
{
    if (row < 0) {
        for (int at = 1; at < m_list->GetItemCount() && row < 0; ++at) {
            if (m_list->GetItemText(at, 0) == fileName)
                row = at;
        }
    }
    if (row >= 0 && !m_list->GetItemTag(row).isEmpty()) {
        m_list->SetItemTag(row, QString());
        m_list->SetItemKind(row, 0);
    }
}

void VornaDialogSiteManagerPage1::UnlinkChildRows(const QString& framesetName)
{
    for (int row = 1; row < m_list->GetItemCount(); ++row) {
        if (SiteSameText(m_list->GetItemTag(row), framesetName))
            UnlinkRow(m_list->GetItemText(row, 0), row);
    }
}

bool VornaDialogSiteManagerPage1::SetItemTag(int row, const QString& tag)
{
    return m_list->SetItemTag(row, tag);
}

bool VornaDialogSiteManagerPage1::SetItemKind(int row, int kind)
{
    return m_list->SetItemKind(row, kind);
}

bool VornaDialogSiteManagerPage1::AddRootItem(const QString& text)
{
    return m_list->AddRootItem(text);
}

bool VornaDialogSiteManagerPage1::SetCellText(int row, int column, const QString& text)
{
    return m_list->SetCellText(row, column, text);
}

bool VornaDialogSiteManagerPage1::ClearSelection()
{
    return m_list->ClearSelection();
}

void VornaDialogSiteManagerPage1::SetBodyAttributes(const QString& background, const QString& bgColor,
                                                    const QString& text, const QString& link, const QString& aLink,
                                                    const QString& vLink)
{
    m_strBackground = background;
    m_strBgColor = bgColor;
    m_strText = text;
    m_strLink = link;
    m_strALink = aLink;
    m_strVLink = vLink;
}

void VornaDialogSiteManagerPage1::ApplyBodyAttributes(CZQView* view)
{
    if (view)
        WriteBodyAttributes(view, m_strBackground, m_strBgColor, m_strText, m_strLink, m_strALink, m_strVLink);
}

// ---- files to publish ----

void VornaDialogSiteManagerPage1::AddModifiedFile(const QString& fileName)
{
    if (fileName.isEmpty())
        return;
    if (!m_pModifiedFiles)
        m_pModifiedFiles = std::make_unique<QStringList>();
    if (!m_pModifiedFiles->contains(fileName))
        m_pModifiedFiles->prepend(fileName);
}

bool VornaDialogSiteManagerPage1::RemoveModifiedFile(const QString& fileName)
{
    return m_pModifiedFiles && m_pModifiedFiles->removeOne(fileName);
}

const QStringList* VornaDialogSiteManagerPage1::GetModifiedFiles()
{
    const QString project = QStringLiteral("project.ini");
    if (m_bWebChanged) {
        if (!m_pModifiedFiles)
            m_pModifiedFiles = std::make_unique<QStringList>();
        if (!m_pModifiedFiles->contains(project))
            m_pModifiedFiles->prepend(project);
    }
    if (m_pModifiedFiles && m_pModifiedFiles->isEmpty())
        m_pModifiedFiles.reset();
    return m_pModifiedFiles.get();
}

void VornaDialogSiteManagerPage1::ClearModifiedFiles()
{
    m_pModifiedFiles.reset();
    m_bWebChanged = 0;
}

// ---- the FTP engine ----

CVornaFtp& VornaDialogSiteManagerPage1::GetFtp()
{
    if (!m_pFtp)
        m_pFtp = std::make_unique<CVornaFtp>();
    return *m_pFtp;
}

bool VornaDialogSiteManagerPage1::IsTransferRunning() const
{
    return m_pFtp && m_pFtp->IsBusy();
}
