#include "app/ProductPicture.h"

#include <QLinearGradient>
#include <QPainter>

QPixmap ProductPicture(int bitmapId, QSize size)
{
    QPixmap shipped(QStringLiteral(":/res/bitmaps/%1.png").arg(bitmapId));
    if (!shipped.isNull())
        return shipped;
    QPixmap made(size);
    QPainter painter(&made);
    QLinearGradient fill(0, 0, 0, made.height());
    fill.setColorAt(0, QColor(0x24, 0x3c, 0x9c));
    fill.setColorAt(1, QColor(0x6c, 0x8c, 0xe4));
    painter.fillRect(made.rect(), fill);
    painter.setPen(Qt::white);
    // The name takes the upper part, the Japanese name the lower one.
    const int nameHeight = size.height() * 5 / 8;
    QFont font = painter.font();
    font.setPixelSize(qMax(12, size.height() / 8));
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, size.width(), nameHeight), Qt::AlignHCenter | Qt::AlignBottom,
                     QStringLiteral("Vorna-Paginor 2002"));
    font.setPixelSize(qMax(10, size.height() / 16));
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(QRect(0, nameHeight + size.height() / 24, size.width(), size.height() - nameHeight),
                     Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("ミヌエのペジタロ"));
    return made;
}
