#include "frames/FrameCommands.h"

#include "frames/FrameEnvironment.h"
#include "frames/FrameLayout.h"
#include "frames/FramePane.h"
#include "frames/FrameSetHost.h"
#include "frames/FramesetWriter.h"
#include "frames/VornaFrameSet.h"
#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include <QScopeGuard>

using platform::Rect;

namespace framecommands_detail {

// Columns of the site list.
constexpr int kNameColumn = 0;
constexpr int kTitleColumn = 1;
constexpr int kTypeColumn = 3;
// Kinds of a page row.
constexpr int kFramePageKind = 1;
constexpr int kFramesetPageKind = 2;

FrameSiteRows* siteRows()
{
    FrameEnvironment* environment = frameEnvironment();
    return environment ? environment->siteManager() : nullptr;
}

bool isPageInWeb(const QString& name)
{
    FrameEnvironment* environment = frameEnvironment();
    return environment && environment->isPageInWeb(name);
}

// A new page row: the title "タイトルなし" and the type "HTMLファイル".
void describeNewPageRow(FrameSiteRows* rows, int row)
{
    rows->SetCellText(row, kTitleColumn, LoadResString(IDS_NO_TITLE));
    rows->SetCellText(row, kTypeColumn, LoadResString(IDS_FILE_TYPE_HTML));
}

void hangUnder(FrameSiteRows* rows, int row, const QString& framesetName)
{
    rows->SetItemTag(row, framesetName);
    rows->SetItemKind(row, kFramePageKind);
}

// The site list after a split: the new frame's page listed under its frameset
// page, and the split page hung under it too.
void listSplitPages(FramePane* framesetView, FramePane* splitView, const QString& newName, bool firstSplit)
{
    FrameSiteRows* rows = siteRows();
    if (!rows || !framesetView || !splitView)
        return;
    const QString framesetName = framesetView->displayName();
    const QString splitName = splitView->displayName();
    const int n = rows->GetSiteListCount();
    if (isPageInWeb(framesetName)) {
        if (!framesetName.isEmpty() && rows->AddRootItem(newName)) {
            describeNewPageRow(rows, n);
            hangUnder(rows, n, framesetName);
        }
        const int row = rows->FindFileRow(splitName);
        if (row >= 0 && splitName != framesetName) {
            rows->SetCellText(row, kNameColumn, splitName);
            rows->SetCellText(row, kTitleColumn, splitView->pageTitle());
            rows->SetCellText(row, kTypeColumn, LoadResString(IDS_FILE_TYPE_HTML));
            hangUnder(rows, row, framesetName);
        }
    } else if (firstSplit && isPageInWeb(splitName)) {
        if (rows->AddRootItem(framesetName)) {
            describeNewPageRow(rows, n);
            rows->SetItemKind(n, kFramesetPageKind);
        }
        if (!framesetName.isEmpty() && rows->AddRootItem(newName)) {
            describeNewPageRow(rows, n + 1);
            hangUnder(rows, n + 1, framesetName);
        }
        if (const int row = rows->FindFileRow(splitName); row >= 0)
            hangUnder(rows, row, framesetName);
    }
}

// A deleted frame's page, and the last one left, belong to no frameset page any more.
void unlinkRow(FrameSiteRows* rows, const QString& name)
{
    if (const int row = rows->FindFileRow(name); row >= 0) {
        rows->SetItemTag(row, QString());
        rows->SetItemKind(row, 0);
    }
}

Rect unite(const Rect& a, const Rect& b)
{
    return Rect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom));
}

} // namespace framecommands_detail

bool ComputeFrameSplit(const Rect& pane, int spacing, int direction, FrameSplitGeometry* geometry)
{
    const int l = pane.left;
    const int t = pane.top;
    const int r = pane.right;
    const int b = pane.bottom;
    const int w = pane.width();
    const int h = pane.height();
    const int half = std::max(1, spacing / 2);
    const bool across = direction == SplitBottom || direction == SplitTop;
    if ((across ? h : w) <= half + 40)
        return false;
    FrameSplitGeometry g;
    switch (direction) {
    case SplitBottom:
        g.splitWindow = Rect(l, t, l + w, t + h / 2 - half);
        g.splitPane = Rect(l, t, r, t + h / 2 - half);
        g.newPane = Rect(l, t + h / 2 + half, r, b);
        break;
    case SplitTop:
        g.splitWindow = Rect(l, t + h / 2 + half, l + w, t + h / 2 + half + h / 2 - half);
        g.splitPane = Rect(l, t + h / 2 + half, r, b);
        g.newPane = Rect(l, t, r, t + h / 2 - half);
        g.newFirst = true;
        break;
    case SplitRight:
        g.splitWindow = Rect(l, t, l + w / 2 - half, t + h);
        g.splitPane = Rect(l, t, l + w / 2 - half, b);
        g.newPane = Rect(l + w / 2 + half, t, r, b);
        break;
    case SplitLeft:
        g.splitWindow = Rect(l + w / 2 + half, t, l + w / 2 + half + w / 2 - half, t + h);
        g.splitPane = Rect(l + w / 2 + half, t, r, b);
        g.newPane = Rect(l, t, l + w / 2 - half, b);
        g.newFirst = true;
        break;
    default:
        return false;
    }
    g.split = across ? QStringLiteral("rows") : QStringLiteral("cols");
    *geometry = g;
    return true;
}

bool SplitFrame(FrameSetHost* host, int direction, int& frameCount)
{
    FramePane* view = host ? host->activePane() : nullptr;
    if (!view)
        return false;
    FrameTree& tree = host->frameTree();
    const bool firstSplit = !tree.root;

    // 1. The frame to split: a plain page becomes a frame of its own.
    std::unique_ptr<VornaFrameSet> pageFrame;
    VornaFrameSet* frame = nullptr;
    Rect pageRect;
    if (firstSplit) {
        pageFrame = std::make_unique<VornaFrameSet>();
        pageFrame->SetKind(QStringLiteral("FRAME"));
        pageFrame->m_pView = view;
        pageFrame->SetSrc(view->documentPath());
        pageRect = view->windowRect();
        pageRect.inflate(-2, -2);
        pageFrame->SetRect(pageRect);
        frame = pageFrame.get();
    } else {
        frame = FindFrameByViewIn(tree.root.get(), view);
        if (!frame)
            return false;
    }

    // 2., 3. Its halves, or the refusal.
    Rect pane;
    frame->GetPaneRect(&pane);
    const int spacing = firstSplit ? frame->GetFrameSpacing() : tree.root->GetFrameSpacing();
    FrameSplitGeometry geometry;
    if (!ComputeFrameSplit(pane, spacing, direction, &geometry)) {
        MessageBoxById(IDS_CANNOT_SPLIT_FRAME);
        return false;
    }

    // 7. (made first, so that nothing changes when the page's frameset view
    // cannot be made) The frameset page's own document, hidden.
    FramePane* framesetView = tree.rootView;
    if (firstSplit) {
        framesetView = host->createFramesetPane(pageRect, QStringLiteral("FrameSet%1").arg(frameCount));
        if (!framesetView)
            return false;
        ++frameCount;
        // 4.
        tree.root = std::move(pageFrame);
        tree.lastNode = frame;
    }

    // 5. The split pane's half.
    view->moveWindow(geometry.splitWindow);
    frame->SetRect(geometry.splitPane);

    // 6., 8., 10. The new frame with a new page in its pane.
    auto frameset = std::make_unique<VornaFrameSet>();
    frameset->SetKind(QStringLiteral("FRAMESET"));
    frameset->m_strSplit = geometry.split;
    if (firstSplit)
        frameset->m_pView = framesetView;
    const QString newName = QStringLiteral("Frame%1").arg(frameCount++);
    FramePane* newView = host->createPane(geometry.newPane, newName);
    auto newFrame = std::make_unique<VornaFrameSet>();
    newFrame->SetKind(QStringLiteral("FRAME"));
    newFrame->SetRect(geometry.newPane);
    newFrame->m_pView = newView;
    VornaFrameSet* added = newFrame.get();

    // 9. The new FRAMESET takes the frame's place, with both frames in it.
    VornaFrameSet* parent = frameset.get();
    if (!frame->SplitPane(std::move(frameset), std::move(newFrame), !geometry.newFirst, host))
        return false;
    VornaFrameSet* first = parent->m_pFirstChild.get();
    first->m_strSize = QStringLiteral("50%");
    first->m_pNext->m_strSize = QStringLiteral("*");
    Q_ASSERT(first == (geometry.newFirst ? added : frame));

    // 11.
    framecommands_detail::listSplitPages(framesetView, view, newView ? newView->displayName() : newName, firstSplit);
    // 12.-14.
    host->activatePane(newView ? newView : view);
    host->setFramesetModified();
    return true;
}

bool DeleteFrame(FrameSetHost* host)
{
    FramePane* view = host ? host->activePane() : nullptr;
    FrameTree* tree = host ? &host->frameTree() : nullptr;
    // 1.
    if (!view || !tree->root || view == tree->rootView)
        return false;
    // 2. The page's own save question; Cancel keeps the frame.
    {
        host->setClosingFrame(true);
        const auto closed = qScopeGuard([host] { host->setClosingFrame(false); });
        if (!view->saveModified())
            return false;
    }
    // 3., 4.
    int frames = 0;
    CountFrameNodes(tree->root.get(), &frames);
    const QString framesetName = tree->rootView ? tree->rootView->displayName() : QString();
    const QString deletedName = view->displayName();
    VornaFrameSet* frame = FindFrameByViewIn(tree->root.get(), view);
    if (!frame)
        return false;
    const Rect deleted = frame->m_rcPane;

    // 5. The neighbour that takes the frame's space.
    VornaFrameSet* taker = frame->RemovePane(host);
    // 6.
    QString remainingName;
    if (taker && taker->IsFrame()) {
        const Rect united = framecommands_detail::unite(deleted, taker->m_rcPane);
        if (taker->m_pView) {
            taker->m_pView->moveWindow(united);
            host->activatePane(taker->m_pView);
            remainingName = taker->m_pView->displayName();
        }
        taker->SetRect(united);
        if (taker->m_pParent)
            WriteFramesetSizes(taker, taker->m_pParent->m_strSplit, united, host);
    } else if (taker && taker->IsFrameset()) {
        Rect bounds;
        GetFramesBoundingRect(taker, &bounds, false);
        const Rect united = framecommands_detail::unite(deleted, bounds);
        LayoutFrameWindows(taker->m_pFirstChild.get(), bounds.left - united.left, bounds.top - united.top, 0, 0);
        UpdateFramesetSizes(taker, united, host);
        VornaFrameSet* firstFrame = taker;
        while (firstFrame->m_pFirstChild)
            firstFrame = firstFrame->m_pFirstChild.get();
        if (firstFrame->m_pView)
            host->activatePane(firstFrame->m_pView);
    }

    // 7. The site list: the pages belong to the frameset page no more.
    if (FrameSiteRows* rows = framecommands_detail::siteRows();
        rows && framecommands_detail::isPageInWeb(framesetName)) {
        framecommands_detail::unlinkRow(rows, deletedName);
        if (frames <= 2 && !remainingName.isEmpty())
            framecommands_detail::unlinkRow(rows, remainingName);
    }
    // 8., 9.
    host->removePane(view);
    host->setFramesetModified();
    return true;
}

bool SaveFrameset(FrameSetHost* host, int& saveMode, bool saveAs)
{
    // 1.
    FramePane* framesetView = host ? host->frameTree().rootView : nullptr;
    if (!framesetView || !host->frameTree().root || !framesetView->hasDocument())
        return false;
    // 2., 3. The frame pages first, then the frameset page from the tree.
    QString text;
    if (saveAs) {
        BuildFramesetPageHtml(text, FramesetSaveUnsavedFrames, host);
    } else {
        saveMode = 1;
        BuildFramesetPageHtml(text, FramesetSaveUnsavedFrames, host);
        saveMode = 0;
    }
    host->setFramesetText(text);
    bool saved = false;
    if (saveAs) {
        saved = framesetView->fileSaveAs();
    } else {
        saveMode = -1;
        saved = framesetView->fileSave();
        saveMode = 0;
    }
    // A save that was cancelled or failed leaves the frameset page changed,
    // so that closing it still asks.
    if (!saved)
        return false;
    host->clearFramesetModified();
    if (saveAs)
        host->setCaption(framesetView->displayName());
    return true;
}

bool CanUseFrameset(FrameSetHost* host)
{
    return host && host->frameTree().root && host->frameTree().rootView;
}

bool CanEditFrame(FrameSetHost* host)
{
    return CanUseFrameset(host) && host->activePane() != host->frameTree().rootView;
}

bool CanDeleteFrame(FrameSetHost* host)
{
    if (!CanEditFrame(host))
        return false;
    const FrameTree& tree = host->frameTree();
    int frames = 0;
    CountFrameNodes(tree.root.get(), &frames);
    return tree.root.get() != tree.lastNode && frames >= 2;
}
