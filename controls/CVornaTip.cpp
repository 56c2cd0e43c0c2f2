#include "controls/CVornaTip.h"

#include "controls/SkinContext.h"

#include <QFontMetrics>
#include <QPainter>

CVornaTip::CVornaTip(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating, true);
    setFocusPolicy(Qt::NoFocus);
}

bool CVornaTip::Show(int x, int y, const QString& text)
{
    // A hidden tip shows again even for the text it showed last.
    if (isVisible() && text == m_strText)
        return false;
    m_strText = text;
    const QFontMetrics metrics(font());
    const QSize textSize(metrics.horizontalAdvance(text), metrics.height());
    setGeometry(QRect(QPoint(x, y), sizeForText(textSize)));
    show();
    raise();
    repaint();
    return true;
}

void CVornaTip::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const QRect client = rect();
    painter.fillRect(client, platform::toQColor(SkinContext::instance().sysColor(COLOR_INFOBK)));
    painter.setPen(platform::toQColor(SkinContext::instance().sysColor(COLOR_INFOTEXT)));
    painter.drawText(client, Qt::AlignCenter | Qt::TextSingleLine, m_strText);
    painter.setPen(platform::toQColor(SkinContext::instance().sysColor(COLOR_WINDOWTEXT)));
    painter.drawRect(client.adjusted(0, 0, -1, -1));
}
