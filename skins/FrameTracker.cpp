#include "skins/FrameTracker.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

FrameTracker::FrameTracker(QWidget* window, Mode mode)
    : QObject(window), m_window(window), m_mode(mode), m_start(window->geometry()), m_anchor(QCursor::pos())
{
}

FrameTracker* FrameTracker::Running(const QWidget* window)
{
    if (!window)
        return nullptr;
    for (auto* tracker : window->findChildren<FrameTracker*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!tracker->m_bEnded)
            return tracker;
    }
    return nullptr;
}

FrameTracker* FrameTracker::Start(QWidget* window, Mode mode)
{
    if (!window)
        return nullptr;
    if (FrameTracker* running = Running(window))
        return running;
    auto* tracker = new FrameTracker(window, mode);
    window->installEventFilter(tracker);
    window->grabMouse(QCursor(mode == Mode::Move ? Qt::SizeAllCursor : Qt::SizeFDiagCursor));
    window->grabKeyboard();
    return tracker;
}

void FrameTracker::Follow(QPoint delta)
{
    if (!m_window || m_bEnded)
        return;
    if (m_mode == Mode::Move) {
        m_window->move(m_start.topLeft() + delta);
        return;
    }
    const QSize size = (m_start.size() + QSize(delta.x(), delta.y()))
                           .expandedTo(m_window->minimumSize())
                           .expandedTo(m_window->minimumSizeHint())
                           .expandedTo(kLeastSize)
                           .boundedTo(m_window->maximumSize());
    m_window->resize(size);
}

void FrameTracker::End(bool keep)
{
    if (m_bEnded)
        return;
    m_bEnded = true;
    if (QWidget* w = m_window) {
        w->removeEventFilter(this);
        w->releaseMouse();
        w->releaseKeyboard();
        if (!keep)
            w->setGeometry(m_start);
    }
    deleteLater();
}

bool FrameTracker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_window || m_bEnded)
        return false;
    switch (event->type()) {
    case QEvent::MouseMove:
        Follow(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - m_anchor + m_keyDelta);
        return true;
    case QEvent::MouseButtonPress:
        End(true);
        return true;
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyRelease:
        return true;
    case QEvent::KeyPress: {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            End(true);
            return true;
        case Qt::Key_Escape:
            End(false);
            return true;
        case Qt::Key_Left:
            m_keyDelta.rx() -= kKeyStep;
            break;
        case Qt::Key_Right:
            m_keyDelta.rx() += kKeyStep;
            break;
        case Qt::Key_Up:
            m_keyDelta.ry() -= kKeyStep;
            break;
        case Qt::Key_Down:
            m_keyDelta.ry() += kKeyStep;
            break;
        default:
            return true;
        }
        Follow(QCursor::pos() - m_anchor + m_keyDelta);
        return true;
    }
    case QEvent::Hide:
        End(true);
        return false;
    default:
        return false;
    }
}
