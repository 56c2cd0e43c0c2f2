#include "app/CSplashWnd.h"

#include <QFile>
#include <QGuiApplication>
#include <QLinearGradient>
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
    QPixmap shipped(QStringLiteral(":/res/bitmaps/660.png"));
    if (!shipped.isNull())
        return shipped;
    // Without the product picture, a plain one with the product's name.
    QPixmap made(420, 240);
    QPainter painter(&made);
    QLinearGradient fill(0, 0, 0, made.height());
    fill.setColorAt(0, QColor(0x24, 0x3c, 0x9c));
    fill.setColorAt(1, QColor(0x6c, 0x8c, 0xe4));
    painter.fillRect(made.rect(), fill);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(30);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(made.rect().adjusted(0, 0, 0, -30), Qt::AlignCenter, QStringLiteral("Vorna-Paginor 2002"));
    font.setPixelSize(14);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(made.rect().adjusted(0, 60, 0, 0), Qt::AlignCenter, QStringLiteral("ミヌエのペジタロ"));
    return made;
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
