#include "chrome/ULOToolBarFormat.h"

#include <QEvent>
#include <QPainter>
#include <QToolButton>

bool ULOToolBarFormat::SetupDropDowns()
{
    for (int index : {7, 8}) {
        MakeColorDropDown(index);
        if (QWidget* button = buttonWidget(index))
            button->installEventFilter(this);
    }
    return true;
}

QRect ULOToolBarFormat::ButtonScreenRect(int id) const
{
    const int index = int(buttonIds().indexOf(id));
    QWidget* button = buttonWidget(index);
    if (!button)
        return {};
    return QRect(button->mapToGlobal(QPoint(0, 0)), button->size());
}

void ULOToolBarFormat::SetBarColor(int id, const QColor& color)
{
    (id == kFontColor ? m_fontColor : m_backColor) = color;
    if (QWidget* button = buttonWidget(int(buttonIds().indexOf(id))))
        button->update();
}

QRect ULOToolBarFormat::colorBarRect(const QRect& button, bool pressed)
{
    QRect bar(button.left() + 4, button.top() + 17, 15, button.height() - 17 - 4);
    if (bar.height() < 2)
        bar.setHeight(2);
    if (pressed)
        bar.translate(1, 1);
    return bar;
}

void ULOToolBarFormat::OnColorDropDown(int index)
{
    const int id = buttonIds().value(index);
    emit colorDropDown(id, ButtonScreenRect(id));
}

bool ULOToolBarFormat::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        auto* button = qobject_cast<QToolButton*>(watched);
        if (button && button->isEnabled()) {
            // Paint the button first, then its colour bar over it.
            button->removeEventFilter(this);
            QCoreApplication::sendEvent(button, event);
            button->installEventFilter(this);
            for (int id : {kFontColor, kBackColor}) {
                if (buttonWidget(int(buttonIds().indexOf(id))) == button)
                    paintBar(button, id);
            }
            return true;
        }
    }
    return ULOToolBar::eventFilter(watched, event);
}

void ULOToolBarFormat::paintBar(QWidget* button, int id)
{
    const QColor color = barColor(id);
    if (!color.isValid())
        return;
    auto* tool = qobject_cast<QToolButton*>(button);
    QRect bar = colorBarRect(button->rect(), tool && tool->isDown());
    QPainter painter(button);
    if (color == Qt::white) {
        painter.setPen(Qt::black);
        painter.drawRect(bar.adjusted(0, 0, -1, -1));
        bar.adjust(1, 1, -1, -1);
    }
    painter.fillRect(bar, color);
}
