#include "EffectPictures.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

QImage blank(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QPainterPath starPath(QPointF centre, double outer, double inner, int points)
{
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const double radius = i % 2 ? inner : outer;
        const double angle = -kPi / 2 + i * kPi / points;
        const QPointF at = centre + QPointF(std::cos(angle) * radius, std::sin(angle) * radius);
        if (i == 0)
            path.moveTo(at);
        else
            path.lineTo(at);
    }
    path.closeSubpath();
    return path;
}

QPainterPath heartPath(QRectF box)
{
    const double w = box.width(), h = box.height();
    const QPointF o = box.topLeft();
    QPainterPath path;
    path.moveTo(o + QPointF(w / 2, h * 0.3));
    path.cubicTo(o + QPointF(w / 2, h * 0.05), o + QPointF(0, h * 0.05), o + QPointF(0, h * 0.35));
    path.cubicTo(o + QPointF(0, h * 0.6), o + QPointF(w * 0.3, h * 0.75), o + QPointF(w / 2, h));
    path.cubicTo(o + QPointF(w * 0.7, h * 0.75), o + QPointF(w, h * 0.6), o + QPointF(w, h * 0.35));
    path.cubicTo(o + QPointF(w, h * 0.05), o + QPointF(w / 2, h * 0.05), o + QPointF(w / 2, h * 0.3));
    return path;
}

QImage flower(int size, QColor petals)
{
    QImage image = blank(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(size / 2.0, size / 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(petals);
    for (int i = 0; i < 5; ++i) {
        const double angle = -kPi / 2 + i * 2 * kPi / 5;
        p.drawEllipse(c + QPointF(std::cos(angle), std::sin(angle)) * size * 0.27, size * 0.22, size * 0.22);
    }
    p.setBrush(QColor(0xff, 0xe0, 0x40));
    p.drawEllipse(c, size * 0.16, size * 0.16);
    return image;
}

QImage heart(int size, QColor colour)
{
    QImage image = blank(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour.darker(140), 1));
    p.setBrush(colour);
    p.drawPath(heartPath(QRectF(1, 1, size - 2, size - 2)));
    return image;
}

QImage donut(int size, QColor colour)
{
    QImage image = blank(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(size / 2.0, size / 2.0);
    p.setPen(QPen(colour, size * 0.28));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, size * 0.32, size * 0.32);
    p.setPen(QPen(QColor(0xff, 0xff, 0xff, 200), 1.2));
    p.drawArc(QRectF(c.x() - size * 0.32, c.y() - size * 0.32, size * 0.64, size * 0.64), 60 * 16, 60 * 16);
    return image;
}

QImage waterDot(int size, QColor colour)
{
    QImage image = blank(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(size / 2.0, size / 2.0);
    QRadialGradient shade(c - QPointF(size * 0.15, size * 0.15), size * 0.5);
    shade.setColorAt(0, colour.lighter(170));
    shade.setColorAt(1, colour);
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawEllipse(c, size * 0.45, size * 0.45);
    return image;
}

QImage star(int width, int height, QColor colour)
{
    QImage image = blank(width, height);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double outer = std::min(width, height) / 2.0;
    const QPointF c(width / 2.0, height / 2.0 + outer * 0.08);
    p.setPen(outer > 8 ? QPen(colour.darker(150), 1) : Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(starPath(c, outer * 0.98, outer * 0.42, 5));
    return image;
}

QImage sunflower(int width, int height)
{
    QImage image = blank(width, height);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(width / 2.0, height / 2.0);
    const double rx = width / 2.0, ry = height / 2.0;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xc8, 0x00));
    for (int i = 0; i < 12; ++i) {
        const double angle = i * 2 * kPi / 12;
        p.drawEllipse(c + QPointF(std::cos(angle) * rx * 0.62, std::sin(angle) * ry * 0.62), rx * 0.3, ry * 0.3);
    }
    p.setBrush(QColor(0x7a, 0x4a, 0x10));
    p.drawEllipse(c, rx * 0.42, ry * 0.42);
    return image;
}

QImage leaf(QColor colour, double turn)
{
    QImage image = blank(24, 24);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(12, 12);
    p.rotate(turn);
    p.setPen(QPen(colour.darker(150), 1));
    p.setBrush(colour);
    // A maple-like leaf: a star of five lobes on a short stem.
    p.drawPath(starPath(QPointF(0, -1), 10, 5, 5));
    p.drawLine(QPointF(0, 3), QPointF(0, 11));
    return image;
}

QImage rainDrop()
{
    QImage image = blank(6, 18);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x80, 0xa8, 0xe0), 2, Qt::SolidLine, Qt::RoundCap));
    // Slanting as the rain falls: down and to the left.
    p.drawLine(QPointF(4.5, 1.5), QPointF(1.5, 16.5));
    return image;
}

QImage balloon(QColor colour)
{
    QImage image = blank(30, 50);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
    p.drawLine(QPointF(15, 36), QPointF(13, 49));
    QRadialGradient shade(QPointF(11, 11), 18);
    shade.setColorAt(0, colour.lighter(160));
    shade.setColorAt(1, colour);
    p.setPen(QPen(colour.darker(140), 1));
    p.setBrush(shade);
    p.drawEllipse(QRectF(2, 1, 26, 32));
    QPainterPath knot;
    knot.moveTo(15, 32);
    knot.lineTo(12.5, 37);
    knot.lineTo(17.5, 37);
    knot.closeSubpath();
    p.setBrush(colour.darker(120));
    p.drawPath(knot);
    return image;
}

QColor hue(int degrees, int saturation = 200, int value = 240)
{
    return QColor::fromHsv(degrees % 360, saturation, value);
}

} // namespace

QList<EffectPicture> drawEffectPictures()
{
    QList<EffectPicture> pictures;
    const auto add = [&](const QString& name, const QImage& image) { pictures.append({name, image}); };
    add(QStringLiteral("transparent.gif"), blank(1, 1));
    // The click bursts: ten pictures of a kind, numbered 1 to 10.
    for (int i = 1; i <= 10; ++i) {
        add(QStringLiteral("mouse_f%1.gif").arg(i), flower(20, hue(i * 36)));
        add(QStringLiteral("mouse_H%1.gif").arg(i), heart(18, hue(330 + i * 4, 170 + i * 8, 235)));
        add(QStringLiteral("mouse_dou%1.gif").arg(i), donut(18, hue(i * 36 + 15, 150, 230)));
        add(QStringLiteral("mouse_water%1.gif").arg(i), waterDot(8 + i, hue(190 + i * 5, 190, 230)));
        add(QStringLiteral("mouse_star%1.gif").arg(i), star(20, 20, hue(40 + i * 30, 180, 250)));
    }
    // The pointer trails, at the sizes the trail array gives them.
    const int sizes[6][2] = {{38, 35}, {30, 31}, {28, 26}, {22, 21}, {16, 16}, {10, 10}};
    for (int i = 0; i < 6; ++i) {
        add(QStringLiteral("mouse_sun_trail%1.gif").arg(i + 1), sunflower(sizes[i][0], sizes[i][1]));
        add(QStringLiteral("mouse_star_trail%1.gif").arg(i + 1),
            star(sizes[i][0], sizes[i][1], QColor(0x40 + i * 20, 0x70 + i * 20, 0xf0)));
    }
    add(QStringLiteral("fallen1.gif"), leaf(QColor(0xd8, 0x30, 0x20), 0));
    add(QStringLiteral("fallen2.gif"), leaf(QColor(0xf0, 0x80, 0x10), 20));
    add(QStringLiteral("fallen3.gif"), leaf(QColor(0xe8, 0xc0, 0x20), -15));
    add(QStringLiteral("fallen4.gif"), leaf(QColor(0x9a, 0x5a, 0x28), 35));
    add(QStringLiteral("rain.gif"), rainDrop());
    add(QStringLiteral("balloon1.gif"), balloon(QColor(0xe0, 0x30, 0x30)));
    add(QStringLiteral("balloon2.gif"), balloon(QColor(0xf0, 0xc8, 0x20)));
    add(QStringLiteral("balloon3.gif"), balloon(QColor(0x30, 0x70, 0xe0)));
    return pictures;
}
