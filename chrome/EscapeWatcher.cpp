#include "chrome/EscapeWatcher.h"

#include <QCoreApplication>
#include <QKeyEvent>

EscapeWatcher::EscapeWatcher(std::function<void()> onEscape, bool consume, QObject* parent)
    : QObject(parent), m_onEscape(std::move(onEscape)), m_consume(consume)
{
}

EscapeWatcher::~EscapeWatcher()
{
    uninstall();
}

void EscapeWatcher::install()
{
    if (m_installed || !QCoreApplication::instance())
        return;
    QCoreApplication::instance()->installEventFilter(this);
    m_installed = true;
}

void EscapeWatcher::uninstall()
{
    if (!m_installed)
        return;
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
    m_installed = false;
}

bool EscapeWatcher::eventFilter(QObject* /*watched*/, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape)
        return false;
    m_escaped = true;
    if (m_onEscape)
        m_onEscape();
    return m_consume;
}
