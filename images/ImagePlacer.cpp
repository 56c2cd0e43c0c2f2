#include "images/ImagePlacer.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "editor/CImpIDispatch.h"
#include "engine/dom/Element.h"
#include "engine/view/PageView.h"
#include "frames/FramePane.h"
#include "images/ImageFiles.h"
#include "images/ImageLibraryFolders.h"
#include "res/resource.h"

#include "platform/ProgramCursors.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

namespace imageplacer_detail {

// The rectangle that follows the pointer, drawn over the child window.
class TrackingOverlay : public QWidget
{
public:
    explicit TrackingOverlay(QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setGeometry(parent->rect());
    }
    void setTracked(const QRect& rect)
    {
        if (rect == m_rect)
            return;
        m_rect = rect;
        setGeometry(parentWidget()->rect());
        raise();
        update();
    }
    const QRect& tracked() const { return m_rect; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (m_rect.isEmpty())
            return;
        QPainter painter(this);
        // A dotted focus rectangle, dark on light and light on dark.
        QPen pen(Qt::black, 1, Qt::DotLine);
        painter.setPen(pen);
        painter.drawRect(m_rect.adjusted(0, 0, -1, -1));
        pen.setColor(Qt::white);
        pen.setDashOffset(1);
        painter.setPen(pen);
        painter.drawRect(m_rect.adjusted(0, 0, -1, -1));
    }

private:
    QRect m_rect;
};

QWidget* clientOf(CChildFrame* child)
{
    return child->widget() ? child->widget() : child;
}

// A widget's rectangle on the screen: a window's with its frame, a child
// window's (the image browser in its bar) as it lies in its parent.
QRect globalRect(const QWidget* widget, bool frame = false)
{
    if (frame && widget->isWindow())
        return widget->frameGeometry();
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

// A widget's rectangle in another widget's coordinates.
QRect rectIn(const QWidget* widget, const QWidget* within, bool frame = false)
{
    const QRect global = globalRect(widget, frame);
    return QRect(within->mapFromGlobal(global.topLeft()), global.size());
}

} // namespace imageplacer_detail

struct ImagePlacer::Geometry
{
    CChildFrame* child = nullptr;
    QWidget* client = nullptr;
    QRect page;   // the page's window in the client's coordinates
    QRect window; // the image window's
};

ImagePlacer::ImagePlacer(QWidget* window) : QObject(window), m_window(window) {}

ImagePlacer::~ImagePlacer()
{
    if (m_bPlacing)
        Cancel();
    delete m_overlay.data();
}

ImagePlacer::Geometry ImagePlacer::geometryAt() const
{
    using namespace imageplacer_detail;
    Geometry g;
    CMainFrame* frame = CMainFrame::instance();
    g.child = frame ? frame->GetActiveChild() : nullptr;
    if (!g.child)
        return g;
    g.client = clientOf(g.child);
    // The page's window: the frameset's when the child shows one.
    QWidget* page = nullptr;
    if (g.child->HasFrameset())
        page = dynamic_cast<QWidget*>(g.child->frameTree().rootView);
    if (!page)
        page = g.child->GetActiveView();
    if (page)
        g.page = rectIn(page, g.client);
    if (m_window)
        g.window = rectIn(m_window, g.client, true);
    return g;
}

CZQView* ImagePlacer::viewAt(QPoint global) const
{
    CMainFrame* frame = CMainFrame::instance();
    return frame ? frame->DropTargetView(global) : nullptr;
}

QString ImagePlacer::LocalFileOfSource(const QString& src, const QString& pageFolder)
{
    const QString text = src.trimmed();
    if (text.isEmpty())
        return QString();
    const QUrl url(text);
    QString path;
    if (url.isLocalFile())
        path = url.toLocalFile();
    else if (url.scheme().size() > 1)
        return QString(); // an address of the web
    else
        path = QUrl::fromPercentEncoding(text.toUtf8());
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (QFileInfo(path).isRelative()) {
        if (pageFolder.isEmpty())
            return QString();
        path = QDir(pageFolder).filePath(path);
    }
    return QFileInfo(path).isFile() ? QFileInfo(path).absoluteFilePath() : QString();
}

int ImagePlacer::CursorAt(QPoint global) const
{
    // Only a frame picture has another cursor.
    const QString frames = InstallSubFolder(IDS_IMAGE_LIBRARY_FRAME);
    if (!m_strPath.startsWith(frames, Qt::CaseInsensitive))
        return IDC_PLACE_IMAGE_CURSOR;
    if (m_window && imageplacer_detail::globalRect(m_window, true).contains(global))
        return IDC_PLACE_IMAGE_CURSOR;
    CZQView* view = viewAt(global);
    engine::PageView* page = view ? view->GetPageView() : nullptr;
    CImpIDispatch* sink = view ? view->GetSink() : nullptr;
    if (!page || !sink || !view->rect().contains(view->mapFromGlobal(global)))
        return IDC_PLACE_IMAGE_CURSOR;
    engine::Ref<engine::Element> element;
    const QPoint point = page->viewToClient(page->viewport()->mapFromGlobal(global));
    if (sink->GetElementFromPoint(point, element) != S_OK || !element || !element->hasTag(QLatin1String("IMG")))
        return IDC_PLACE_IMAGE_CURSOR;
    const QString document = view->GetDocument() ? view->GetDocument()->pathName() : QString();
    const QString folder = document.isEmpty() ? QString() : QFileInfo(document).absolutePath();
    return LocalFileOfSource(element->getAttributeText(QStringLiteral("src")), folder).isEmpty()
               ? IDC_PLACE_IMAGE_CURSOR
               : IDC_PLACE_FRAME_CURSOR;
}

bool ImagePlacer::Start(const QString& path, bool byDoubleClick)
{
    CMainFrame* frame = CMainFrame::instance();
    if (!frame || !m_window)
        return false;
    if (m_bPlacing)
        Cancel();
    // A file the decoders refuse is not placed: the user is told.
    const QSize size = GetImageFileSize(QDir::fromNativeSeparators(path));
    if (size.isEmpty()) {
        TellUnreadableImage(path);
        return false;
    }
    // 1.-2. The image, written with "/", and the mouse held by the window.
    m_strPath = QDir::fromNativeSeparators(path);
    m_bByDoubleClick = byDoubleClick;
    frame->m_strInsertImageSrc = m_strPath;
    frame->m_nImageDragMode = 1;
    // 3.-4. Its size, and no rectangle yet.
    m_size = size;
    frame->m_rcInsert = QRect(QPoint(-1, -1), m_size);
    m_bPlacing = true;
    m_nCursor = IDC_PLACE_IMAGE_CURSOR;
    QApplication::setOverrideCursor(platform::ProgramCursors::cursor(m_nCursor));
    qApp->installEventFilter(this);
    m_window->grabMouse();
    return true;
}

void ImagePlacer::setTracking(const QRect& rect, const Geometry& g)
{
    CMainFrame* frame = CMainFrame::instance();
    if (frame)
        frame->m_rcInsert = rect;
    // Drawn only over the page, never over the image window.
    const bool shown = g.client && rect.topLeft() != QPoint(-1, -1) && g.page.contains(rect.topLeft()) &&
                       !g.window.contains(rect.topLeft());
    if (shown && (!m_overlay || m_overlay->parentWidget() != g.client)) {
        delete m_overlay.data();
        m_overlay = new imageplacer_detail::TrackingOverlay(g.client);
        m_overlay->show();
    }
    if (auto* overlay = static_cast<imageplacer_detail::TrackingOverlay*>(m_overlay.data()))
        overlay->setTracked(shown ? rect : QRect());
}

QRect ImagePlacer::DrawnRect() const
{
    const auto* overlay = static_cast<const imageplacer_detail::TrackingOverlay*>(m_overlay.data());
    return overlay ? overlay->tracked() : QRect();
}

void ImagePlacer::Move(QPoint global)
{
    if (!m_bPlacing)
        return;
    // 1. The rectangle at the pointer, in the child window's coordinates.
    const Geometry g = geometryAt();
    if (g.client)
        setTracking(QRect(g.client->mapFromGlobal(global), m_size), g);
    // 2. The cursor.
    const int cursor = CursorAt(global);
    if (cursor != m_nCursor) {
        m_nCursor = cursor;
        QApplication::changeOverrideCursor(platform::ProgramCursors::cursor(cursor));
    }
}

bool ImagePlacer::Release(QPoint global)
{
    if (!m_bPlacing)
        return false;
    if (m_bByDoubleClick) {
        // The release that ends the double-click.
        m_bByDoubleClick = false;
        return false;
    }
    CMainFrame* frame = CMainFrame::instance();
    const Geometry g = geometryAt();
    const QRect tracked = frame ? frame->m_rcInsert : QRect();
    const bool drawn = g.client && tracked.topLeft() != QPoint(-1, -1) && g.page.contains(tracked.topLeft()) &&
                       !g.window.contains(tracked.topLeft()) &&
                       !imageplacer_detail::globalRect(m_window, true).contains(global);
    // 2. The page under the point, made active in a frameset.
    CZQView* target = g.child ? viewAt(global) : nullptr;
    bool inserted = false;
    if (frame && target) {
        if (target != frame->GetActiveView())
            target->ActivateItemUI();
        frame->m_nInsertKind = 2;
        target->EnsureEngine();
        engine::PageView* page = target->GetPageView();
        CImpIDispatch* sink = target->GetSink();
        if (drawn && page && sink) {
            QPoint point = page->viewToClient(page->viewport()->mapFromGlobal(global));
            point.setX(qMax(0, point.x()));
            point.setY(qMax(0, point.y()));
            inserted = sink->InsertPositionedObject(point) == S_OK;
            target->setFocus();
        }
    }
    finish();
    return inserted;
}

void ImagePlacer::Cancel()
{
    if (m_bPlacing)
        finish();
}

void ImagePlacer::finish()
{
    // Nothing of the placing stays.
    m_bPlacing = false;
    m_bByDoubleClick = false;
    qApp->removeEventFilter(this);
    if (m_window)
        m_window->releaseMouse();
    QApplication::restoreOverrideCursor();
    delete m_overlay.data();
    if (CMainFrame* frame = CMainFrame::instance()) {
        frame->m_nInsertKind = 0;
        frame->m_strInsertImageSrc.clear();
        frame->m_rcInsert = QRect(QPoint(-1, -1), QPoint(-2, -2));
        frame->m_nImageDragMode = 0;
    }
}

bool ImagePlacer::eventFilter(QObject* watched, QEvent* event)
{
    Q_UNUSED(watched);
    if (!m_bPlacing)
        return false;
    switch (event->type()) {
    case QEvent::MouseMove:
        Move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return true;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            Release(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
            return true;
        }
        return false;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            Cancel();
            if (m_window)
                m_window->setFocus();
            return true;
        }
        return false;
    default:
        return false;
    }
}
