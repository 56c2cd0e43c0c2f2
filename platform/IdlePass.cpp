#include "platform/IdlePass.h"

#include "platform/WindowMessage.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QTimer>

namespace platform {

namespace {
thread_local bool t_idlePassRunning = false;
} // namespace

IdlePass::IdlePass(QObject* parent) : QObject(parent)
{
    if (auto* app = QCoreApplication::instance())
        app->installEventFilter(this);
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        m_blockConnection = connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &IdlePass::runIfDue);
}

IdlePass::~IdlePass()
{
    disconnect(m_blockConnection);
    if (auto* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

void IdlePass::setHandler(std::function<void()> handler)
{
    m_handler = std::move(handler);
}

bool IdlePass::isRunningOnThisThread()
{
    return t_idlePassRunning;
}

void IdlePass::runIfDue()
{
    if (!m_due || t_idlePassRunning)
        return;
    // A modal dialog's own loop does not run the application's idle
    // processing; the pass waits until the dialog is gone.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) && QApplication::activeModalWidget())
        return;
    m_due = false;
    ++m_passes;
    t_idlePassRunning = true;
    if (m_handler)
        m_handler();
    t_idlePassRunning = false;
}

bool IdlePass::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_due && !t_idlePassRunning && isRealEvent(watched, event))
        m_due = true;
    return false;
}

bool IdlePass::isRealEvent(QObject* receiver, QEvent* event)
{
    switch (event->type()) {
    // Work that widgets do for themselves after a change: never a reason
    // for a pass (command updates cause these).
    case QEvent::Paint:
    case QEvent::UpdateRequest:
    case QEvent::UpdateLater:
    case QEvent::StyleAnimationUpdate:
    case QEvent::LayoutRequest:
    case QEvent::Polish:
    case QEvent::PolishRequest:
    case QEvent::ChildAdded:
    case QEvent::ChildPolished:
    case QEvent::ChildRemoved:
    case QEvent::DeferredDelete:
    case QEvent::ActionAdded:
    case QEvent::ActionChanged:
    case QEvent::ActionRemoved:
    case QEvent::EnabledChange:
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::ApplicationFontChange:
    case QEvent::ApplicationPaletteChange:
    case QEvent::WindowTitleChange:
    case QEvent::WindowIconChange:
    case QEvent::IconTextChange:
    case QEvent::ToolTipChange:
    case QEvent::ModifiedChange:
    case QEvent::DynamicPropertyChange:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
    case QEvent::ZOrderChange:
    case QEvent::ParentChange:
    case QEvent::ParentAboutToChange:
    case QEvent::LanguageChange:
    case QEvent::LocaleChange:
    case QEvent::StatusTip:
    case QEvent::ScreenChangeInternal:
    case QEvent::PlatformSurface:
    case QEvent::Expose:
    case QEvent::WinIdChange:
    case QEvent::CursorChange:
    case QEvent::ThreadChange:
    case QEvent::Create:
    case QEvent::Destroy:
    case QEvent::Quit:
        return false;
    case QEvent::Timer:
        // Program timers (QTimer objects, the one-shot timers behind
        // QTimer::singleShot, and the timers with ids); the private timers
        // of widgets (caret blink, hover, animations) are not.
        return qobject_cast<QTimer*>(receiver) != nullptr ||
               qstrcmp(receiver->metaObject()->className(), "QSingleShotTimer") == 0 ||
               receiver->objectName() == QLatin1String("platform_timer_relay");
    case QEvent::MouseMove: {
        // A move that did not move, as some platforms send, is not work.
        const QPoint pos = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        if (pos == m_lastMousePos)
            return false;
        m_lastMousePos = pos;
        return true;
    }
    default:
        break;
    }
    if (event->type() == WindowMessage::eventType())
        return !static_cast<WindowMessage*>(event)->postedByIdlePass();
    return true;
}

} // namespace platform
