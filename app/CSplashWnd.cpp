#include "app/CSplashWnd.h"

#include "app/ProductPicture.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>

namespace splashwnd_detail {
bool g_enabled = true;
CSplashWnd* g_current = nullptr;
constexpr int kSplashMs = 750;
} // namespace splashwnd_detail

CSplashWnd::CSplashWnd(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_bitmap(picture())
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("splash"));
    setFixedSize(m_bitmap.size());
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    m_timer = startTimer(splashwnd_detail::kSplashMs);
}

CSplashWnd::~CSplashWnd()
{
    if (splashwnd_detail::g_current == this)
        splashwnd_detail::g_current = nullptr;
}

void CSplashWnd::EnableSplashScreen(bool enable)
{
    splashwnd_detail::g_enabled = enable;
}

void CSplashWnd::ShowSplashScreen(QWidget* parent)
{
    if (!splashwnd_detail::g_enabled || splashwnd_detail::g_current)
        return;
    splashwnd_detail::g_current = new CSplashWnd(parent);
    splashwnd_detail::g_current->show();
    splashwnd_detail::g_current->repaint();
}

CSplashWnd* CSplashWnd::current()
{
    return splashwnd_detail::g_current;
}

void CSplashWnd::HideSplashScreen()
{
    if (m_timer)
        killTimer(m_timer);
    m_timer = 0;
    if (splashwnd_detail::g_current == this)
        splashwnd_detail::g_current = nullptr;
    QWidget* owner = parentWidget();
    close();
    if (owner)
        owner->update();
}

QPixmap CSplashWnd::picture()
{
    return ProductPicture(660, QSize(420, 240));
}

void CSplashWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_bitmap);
}

void CSplashWnd::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_timer)
        HideSplashScreen();
}
