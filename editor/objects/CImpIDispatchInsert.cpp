// Insertion of positioned objects: the armed insertion tool's object built
// from its template and appended to the body of the page under the point,
// selected; pictures of the wallpaper folder offered as the page background,
// pictures of the frame folder composed with the image under the point.

#include "editor/CImpIDispatch.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "editor/objects/FragmentText.h"
#include "editor/objects/InsertSources.h"
#include "editor/objects/PositionedObjectHtml.h"
#include "effects/CScriptUtility.h"
#include "frames/VornaFrameSet.h"
#include "images/FramedImage.h"
#include "images/ImageFiles.h"
#include "util/ElementGeometry.h"
#include "util/MessageBox.h"
#include "util/PageLinks.h"
#include "util/StringResources.h"
#include "web/SitePageOperations.h"
#include "web/VornaDialogSiteManagerSheet.h"

#include "engine/dom/Document.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/view/PageView.h"

#include "platform/DataRoot.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <optional>

namespace insertobject_detail {

constexpr unsigned kWallpaperFolderId = 41537;
constexpr unsigned kBackgroundQuestionId = 57676;

// The picture a roll-over image's handler shows: the text between the first
// apostrophe after the first comma and the last apostrophe, with "/".
void replaceHandlerPicture(engine::Element* image, const QString& attribute, const QString& newPath)
{
    const engine::Variant handler = image->getAttribute(attribute);
    if (!handler.isString())
        return;
    QString text = handler.toString();
    const int comma = int(text.indexOf(QLatin1Char(',')));
    const int open = comma < 0 ? -1 : int(text.indexOf(QLatin1Char('\''), comma));
    const int close = int(text.lastIndexOf(QLatin1Char('\'')));
    if (open < 0 || close <= open)
        return;
    QString oldPath = text.mid(open + 1, close - open - 1);
    oldPath.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (oldPath.isEmpty())
        return;
    QString path = newPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    text.replace(oldPath, path);
    image->setAttribute(attribute, engine::Variant(text));
}

InsertRequest requestOf(const CMainFrame& frame, const CImpIDispatch& sink)
{
    InsertRequest r;
    r.kind = frame.m_nInsertKind;
    r.size = frame.m_rcInsert.size();
    r.imageSrc = frame.m_strInsertImageSrc;
    r.imageFlag = frame.m_nInsertImageFlag;
    r.mediaSrc = frame.m_strInsertMediaSrc;
    r.mediaType = frame.m_nInsertMediaType;
    r.mediaAutoPlay = frame.m_bMediaAutoPlay;
    r.mediaLoop = frame.m_bMediaLoop;
    r.html = frame.m_strInsertHtml;
    r.linkHref = frame.m_strInsertLinkHref;
    r.hrDefaultWidth = sink.m_bHrDefaultWidth;
    r.marqueeDefaultWidth = sink.m_bMarqueeDefaultWidth;
    return r;
}

QString pageFolderOf(const CZQView* view)
{
    const CZQDoc* doc = view ? view->GetDocument() : nullptr;
    const QString path = doc ? doc->pathName() : QString();
    return path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
}

} // namespace insertobject_detail

HRESULT CImpIDispatch::InsertPositionedObject(QPoint& point)
{
    namespace detail = insertobject_detail;
    // 1. The main frame; the page lets go of the mouse.
    CMainFrame* frame = CMainFrame::instance();
    ReleaseDocumentCapture();
    engine::PageView* page = pageView();
    if (!frame || !page) {
        CancelInsertMode();
        return 1;
    }
    // 2.-3. The page under the point: a frame page's pane there, else this view.
    const QPoint screen = page->viewport()->mapToGlobal(page->clientToView(point));
    CChildFrame* child = m_pView->GetParentFrame();
    CZQView* target = nullptr;
    const bool framesPage = child && child->HasFrameset();
    if (framesPage) {
        VornaFrameSet* node = child->frameTree().root->FindFrameAtPoint(screen, true);
        target = node ? dynamic_cast<CZQView*>(node->m_pView) : nullptr;
    } else if (m_pView->rect().contains(m_pView->mapFromGlobal(screen))) {
        target = m_pView;
    }
    engine::PageView* targetPage = target ? target->GetPageView() : nullptr;
    engine::Document* doc = target ? target->GetHtmlDocument() : nullptr;
    if (!targetPage || !doc) {
        CancelInsertMode();
        return 1;
    }
    // 4.-5. That page active; the point in its page coordinates.
    if (framesPage)
        child->activatePane(target);
    point = targetPage->viewToClient(targetPage->viewport()->mapFromGlobal(screen)) + targetPage->scrollPosition();

    // One undo step for the insertion and what comes with it.
    std::optional<engine::UndoUnit> unit(std::in_place, doc);
    // The object's HTML, at the next Z-INDEX of the page.
    InsertRequest request = detail::requestOf(*frame, *this);
    const bool builds = (request.kind >= 1 && request.kind <= 10) && request.kind != 5 && request.kind != 8;
    if (request.kind == 6 && request.mediaType == 0) {
        request.rollOverSize = GetImageFileSize(request.imageSrc);
        CScriptUtility::EnsureRollOverScript(QStringLiteral("VornaRollImage"));
    }
    InsertHtml built;
    if (builds) {
        const int z = target->m_nMaxZIndex = std::min(target->m_nMaxZIndex + 1, kMaxTopZIndex);
        built = BuildPositionedObjectHtml(request, z, point.x(), point.y());
    }
    if (built.built && request.kind == 2 && request.imageFlag == 0 && m_pMapImage &&
        m_pMapImage->hasTag(QLatin1String("IMG")) && RemoveImageMapPainter(m_pMapImage.get()) >= 0) {
        // An image map being edited is left first.
        ResetImageMapMode();
        RemoveUsemapHash(m_pMapImage.get());
    }

    // Inserting.
    engine::Element* inserted = nullptr;
    if (built.built) {
        const QString source = request.imageSrc;
        const bool plainImage = request.kind == 2 && request.imageFlag == 0;
        if (plainImage && FileLiesIn(source, InstallFolderOf(detail::kWallpaperFolderId))) {
            // A wallpaper: the page background, or the pages of the web, or an image.
            const bool inWeb = frame->IsPageInWeb(target->GetDocument()->GetDisplayName());
            if (inWeb && frame->siteManagerSheet())
                frame->siteManagerSheet()->m_bWebQuestion = 1;
            const int answer = MessageBoxById(detail::kBackgroundQuestionId, 0, 0x40, 4, 12, inWeb);
            if (answer == 6) {
                if (frame->m_nRememberedAnswer == 6 || (frame->m_nRememberedAnswer == 1 && inWeb)) {
                    frame->m_nRememberedAnswer = 0;
                    ApplyBodyAttributesToSitePages(source, QString(), QString(), QString(), QString(), QString());
                } else {
                    WriteBodyAttributes(target, source, QString(), QString(), QString(), QString(), QString());
                }
            } else {
                target->AppendElementToBody(built.tag, built.html, &inserted);
                frame->m_nRememberedAnswer = 0;
            }
        } else if (plainImage && IsPictureFrameFile(source)) {
            // A picture frame: composed with the local image under the point.
            engine::Ref<engine::Element> under(doc->elementFromPoint(point.x() - targetPage->scrollPosition().x(),
                                                                     point.y() - targetPage->scrollPosition().y()));
            const QString picture =
                under && under->hasTag(QLatin1String("IMG")) && under->getAttribute(QStringLiteral("src")).isString()
                    ? LocalImageFile(under->getAttributeText(QStringLiteral("src")), detail::pageFolderOf(target))
                    : QString();
            if (!picture.isEmpty()) {
                platform::Rect shown(0, 0, -1, -1);
                GetElementStylePixels(under.get(), shown);
                QSize size(shown.width() > 0 ? shown.width() : -1, shown.height() > 0 ? shown.height() : -1);
                QApplication::setOverrideCursor(Qt::WaitCursor);
                const QString framed = ComposeFramedImage(picture, source, size);
                QApplication::restoreOverrideCursor();
                if (!framed.isEmpty()) {
                    under->setAttribute(QStringLiteral("src"), engine::Variant(framed));
                    if (under->styleIfAny() && !under->styleIfAny()->isEmpty()) {
                        under->style().setAttribute(QStringLiteral("width"), engine::Variant(size.width()));
                        under->style().setAttribute(QStringLiteral("height"), engine::Variant(size.height()));
                    } else {
                        under->setAttribute(QStringLiteral("width"), engine::Variant(size.width()));
                        under->setAttribute(QStringLiteral("height"), engine::Variant(size.height()));
                    }
                    if (under->getAttributeText(QStringLiteral("id")) == QLatin1String("VornaRollImage"))
                        detail::replaceHandlerPicture(under.get(), QStringLiteral("onmouseout"), framed);
                }
            } else {
                target->AppendElementToBody(built.tag, built.html, &inserted);
            }
        } else if (!built.html.isEmpty()) {
            target->AppendElementToBody(built.tag, built.html, &inserted);
        }
    }

    unit.reset();
    // After the insertion: the tool put away, the new object selected.
    if (built.built) {
        frame->m_nInsertKind = 0;
        frame->m_strInsertImageSrc.clear();
    }
    m_ptDown = QPoint(-1, -1);
    engine::Ref<engine::Element> selected;
    CImpIDispatch* targetSink = target->GetSink();
    HRESULT result = -1;
    if (targetSink) {
        result = targetSink->SelectElementAtPoint(point, &selected);
        // The point of an object with margins (a rule) lies outside it: the
        // object itself is selected.
        if (inserted && inserted->isConnected() && !(selected && inserted->contains(selected.get()))) {
            selected = inserted;
            result = targetSink->SelectControlElement(inserted);
        }
        if (framesPage && target != child->GetActiveView())
            child->activatePane(target);
    }
    if ((request.kind == 1 || request.kind == 9) && built.built && selected && targetSink)
        targetSink->PlaceCaretInObject(-1, -1, selected.get(), target);
    const engine::Variant on(true);
    m_pView->ExecCommand(engine::CommandGroup::Position2D, &on);
    return result;
}

void CImpIDispatch::PositionDroppedControl()
{
    // 1. The drop point on the page.
    QPoint point = m_ptDrop;
    AddBodyScrollOffset(point);
    // 2. The dropped element, positioned there; no undo unit, no Z-INDEX.
    const std::vector<engine::Ref<engine::Element>> selected = controlSelection();
    if (selected.empty())
        return;
    engine::Style& style = selected.front()->style();
    style.setAttribute(QStringLiteral("position"), engine::Variant(QStringLiteral("absolute")));
    style.setAttribute(QStringLiteral("left"), engine::Variant(QStringLiteral("%1px").arg(point.x())));
    style.setAttribute(QStringLiteral("top"), engine::Variant(QStringLiteral("%1px").arg(point.y())));
}
