// Draws the pictures of the start-up guide and the web wizard: the guide's
// button strips and side picture in res/bitmaps, and the sample webs' preview
// pictures and images in share/Template/Home.
//
//   g++ -std=c++20 -fPIC make_web_pictures.cpp $(pkg-config --cflags --libs Qt6Gui Magick++) -o make_web_pictures
//   QT_QPA_PLATFORM=offscreen ./make_web_pictures <repository root>
#include <Magick++.h>

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <cstdio>
#include <functional>

#include "../image-pictures/picture_output.h"

namespace {

QFont gothic(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QImage canvas(int w, int h, QColor fill = Qt::transparent)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

// ---- small drawings shared by the pictures ------------------------------------------

void globe(QPainter& p, QPointF c, qreal r)
{
    QRadialGradient sea(c - QPointF(r / 3, r / 3), r * 1.4);
    sea.setColorAt(0, QColor(140, 210, 255));
    sea.setColorAt(1, QColor(30, 110, 200));
    p.setPen(QPen(QColor(20, 70, 140), 1.2));
    p.setBrush(sea);
    p.drawEllipse(c, r, r);
    // Two green lands.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 190, 90));
    QPainterPath land;
    land.moveTo(c + QPointF(-r * 0.6, -r * 0.5));
    land.cubicTo(c + QPointF(-r * 0.1, -r * 0.8), c + QPointF(r * 0.1, -r * 0.2), c + QPointF(-r * 0.2, r * 0.1));
    land.cubicTo(c + QPointF(-r * 0.5, r * 0.3), c + QPointF(-r * 0.9, 0), c + QPointF(-r * 0.6, -r * 0.5));
    p.drawPath(land);
    p.drawEllipse(c + QPointF(r * 0.45, r * 0.35), r * 0.28, r * 0.2);
    // The lines of latitude and longitude.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 120), 0.8));
    p.drawEllipse(c, r * 0.45, r);
    p.drawLine(c - QPointF(r, 0), c + QPointF(r, 0));
}

void page(QPainter& p, QRectF r, QColor band)
{
    const qreal fold = r.width() * 0.28;
    QPainterPath sheet;
    sheet.moveTo(r.topLeft());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.bottomRight());
    sheet.lineTo(r.bottomLeft());
    sheet.closeSubpath();
    p.setPen(QPen(QColor(90, 100, 120), 1.2));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.setBrush(QColor(215, 222, 235));
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    corner.closeSubpath();
    p.drawPath(corner);
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    p.drawRect(QRectF(r.left() + 4, r.top() + fold + 2, r.width() - 8, 5));
    p.setBrush(QColor(180, 188, 200));
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(r.left() + 4, r.top() + fold + 11 + i * 5, r.width() - 8 - (i == 2 ? 8 : 0), 2));
}

void star(QPainter& p, QPointF c, qreal r, QColor colour)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 ? r * 0.45 : r;
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF point = c + QPointF(std::cos(angle) * radius, std::sin(angle) * radius);
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    p.setPen(QPen(colour.darker(140), 1));
    p.setBrush(colour);
    p.drawPath(path);
}

void arrow(QPainter& p, QPointF base, qreal length, bool up, QColor colour)
{
    const qreal s = up ? -1 : 1;
    QPainterPath path;
    path.moveTo(base + QPointF(-3, 0));
    path.lineTo(base + QPointF(-3, s * (length - 7)));
    path.lineTo(base + QPointF(-7, s * (length - 7)));
    path.lineTo(base + QPointF(0, s * length));
    path.lineTo(base + QPointF(7, s * (length - 7)));
    path.lineTo(base + QPointF(3, s * (length - 7)));
    path.lineTo(base + QPointF(3, 0));
    path.closeSubpath();
    p.setPen(QPen(colour.darker(150), 1));
    p.setBrush(colour);
    p.drawPath(path);
}

// The mascot: a round, cat-eared face.
void mascot(QPainter& p, QPointF c, qreal r, bool cap)
{
    const QColor fur(250, 170, 70);
    p.setPen(QPen(fur.darker(160), r / 14));
    p.setBrush(fur);
    QPolygonF left(
        {c + QPointF(-r * 0.9, -r * 0.2), c + QPointF(-r * 0.75, -r * 1.15), c + QPointF(-r * 0.2, -r * 0.8)});
    QPolygonF right({c + QPointF(r * 0.9, -r * 0.2), c + QPointF(r * 0.75, -r * 1.15), c + QPointF(r * 0.2, -r * 0.8)});
    p.drawPolygon(left);
    p.drawPolygon(right);
    p.drawEllipse(c, r, r * 0.9);
    // Eyes, cheeks and a smile.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 40, 30));
    p.drawEllipse(c + QPointF(-r * 0.35, -r * 0.12), r * 0.11, r * 0.16);
    p.drawEllipse(c + QPointF(r * 0.35, -r * 0.12), r * 0.11, r * 0.16);
    p.setBrush(QColor(255, 120, 120, 150));
    p.drawEllipse(c + QPointF(-r * 0.58, r * 0.22), r * 0.16, r * 0.1);
    p.drawEllipse(c + QPointF(r * 0.58, r * 0.22), r * 0.16, r * 0.1);
    p.setPen(QPen(QColor(60, 40, 30), r / 12, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - r * 0.25, c.y() + r * 0.02, r * 0.5, r * 0.35), 200 * 16, 140 * 16);
    if (!cap)
        return;
    // A student's cap.
    p.setPen(QPen(QColor(20, 20, 40), r / 16));
    p.setBrush(QColor(40, 45, 80));
    p.drawRect(QRectF(c.x() - r * 0.4, c.y() - r * 1.05, r * 0.8, r * 0.3));
    QPolygonF board({c + QPointF(-r * 0.95, -r * 1.05), c + QPointF(0, -r * 1.35), c + QPointF(r * 0.95, -r * 1.05),
                     c + QPointF(0, -r * 0.8)});
    p.drawPolygon(board);
    p.setPen(QPen(QColor(240, 200, 40), r / 14));
    p.drawLine(c + QPointF(0, -r * 1.07), c + QPointF(r * 0.75, -r * 0.95));
    p.drawLine(c + QPointF(r * 0.75, -r * 0.95), c + QPointF(r * 0.75, -r * 0.6));
}

// ---- the guide's buttons: four 48-pixel pictures side by side --------------------------

QImage brighter(const QImage& picture)
{
    QImage result = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const QRgb c = line[x];
            auto lift = [](int v) { return v + (255 - v) / 4; };
            line[x] = qRgba(lift(qRed(c)), lift(qGreen(c)), lift(qBlue(c)), qAlpha(c));
        }
    }
    return result;
}

QImage greyed(const QImage& picture)
{
    QImage result = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const int g = qGray(line[x]) / 2 + 110;
            line[x] = qRgba(g, g, g, qAlpha(line[x]) * 2 / 3);
        }
    }
    return result;
}

// Magenta stands for transparent in the strips, as the buttons read them.
void guideStrip(int id, const std::function<void(QPainter&)>& draw)
{
    const int s = 48;
    QImage picture = canvas(s, s);
    {
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p);
    }
    QImage strip = canvas(s * 4, s, Qt::transparent);
    {
        QPainter p(&strip);
        p.drawImage(0, 0, picture);
        p.drawImage(s, 0, brighter(picture));
        p.drawImage(2 * s + 1, 1, picture);
        p.drawImage(3 * s, 0, greyed(picture));
    }
    QImage flat = strip.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < flat.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(flat.scanLine(y));
        for (int x = 0; x < flat.width(); ++x) {
            const QRgb c = line[x];
            const int a = qAlpha(c);
            // Blended over the dialog's light face; clear pixels are the key colour.
            line[x] = a < 40 ? qRgb(255, 0, 255)
                             : qRgb((qRed(c) * a + 239 * (255 - a)) / 255, (qGreen(c) * a + 239 * (255 - a)) / 255,
                                    (qBlue(c) * a + 239 * (255 - a)) / 255);
        }
    }
    flat.convertToFormat(QImage::Format_RGB32).save(out(QStringLiteral("res/bitmaps/%1.png").arg(id)));
}

void guidePictures()
{
    // New web: a fresh page, the web's globe and a star.
    guideStrip(593, [](QPainter& p) {
        page(p, QRectF(10, 4, 28, 36), QColor(80, 160, 230));
        globe(p, QPointF(14, 34), 10);
        star(p, QPointF(38, 10), 8, QColor(255, 210, 40));
    });
    // Web wizard: a finished page touched by a wand.
    guideStrip(595, [](QPainter& p) {
        page(p, QRectF(6, 6, 28, 36), QColor(230, 110, 80));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 200, 120));
        p.drawRect(QRectF(10, 34, 10, 5));
        p.setPen(QPen(QColor(60, 40, 90), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(24, 42), QPointF(40, 20));
        p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(38, 23), QPointF(40, 20));
        star(p, QPointF(41, 12), 7, QColor(255, 220, 60));
        star(p, QPointF(31, 9), 3.5, QColor(255, 240, 150));
        star(p, QPointF(45, 27), 3, QColor(255, 240, 150));
    });
    // Open web: an open folder with the web's globe.
    guideStrip(594, [](QPainter& p) {
        p.setPen(QPen(QColor(170, 120, 20), 1.2));
        p.setBrush(QColor(240, 190, 70));
        p.drawRoundedRect(QRectF(3, 10, 36, 30), 3, 3);
        p.drawRect(QRectF(3, 7, 14, 6));
        globe(p, QPointF(28, 22), 11);
        QPainterPath flap;
        flap.moveTo(3, 40);
        flap.lineTo(10, 22);
        flap.lineTo(45, 22);
        flap.lineTo(39, 40);
        flap.closeSubpath();
        p.setPen(QPen(QColor(170, 120, 20), 1.2));
        p.setBrush(QColor(255, 215, 110));
        p.drawPath(flap);
    });
    // FTP: the computer and the server, files going up and coming down.
    guideStrip(623, [](QPainter& p) {
        p.setPen(QPen(QColor(60, 70, 90), 1.2));
        p.setBrush(QColor(200, 208, 220));
        p.drawRoundedRect(QRectF(4, 26, 22, 15), 2, 2);
        p.setBrush(QColor(70, 140, 220));
        p.drawRect(QRectF(7, 29, 16, 9));
        p.setBrush(QColor(200, 208, 220));
        p.drawRect(QRectF(11, 41, 8, 3));
        globe(p, QPointF(36, 14), 10);
        arrow(p, QPointF(27, 30), 18, true, QColor(90, 200, 90));
        arrow(p, QPointF(40, 28), 16, false, QColor(80, 150, 240));
    });
    // Tutorial: the mascot in a student's cap.
    guideStrip(690, [](QPainter& p) {
        p.setPen(QPen(QColor(70, 90, 160), 1));
        p.setBrush(QColor(120, 160, 230));
        p.drawRect(QRectF(6, 38, 36, 7));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(8, 36, 32, 3));
        mascot(p, QPointF(24, 24), 13, true);
    });

    // The guide's side picture: the mascot welcoming the user.
    QImage side = canvas(150, 330, Qt::white);
    {
        QPainter p(&side);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient sky(0, 0, 0, 330);
        sky.setColorAt(0, QColor(120, 190, 250));
        sky.setColorAt(0.7, QColor(200, 235, 255));
        sky.setColorAt(1, QColor(170, 220, 140));
        p.fillRect(side.rect(), sky);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 210));
        for (QPointF c : {QPointF(30, 40), QPointF(110, 70), QPointF(70, 110)}) {
            p.drawEllipse(c, 22, 10);
            p.drawEllipse(c + QPointF(12, -6), 14, 9);
        }
        p.setBrush(QColor(120, 190, 90));
        p.drawEllipse(QRectF(-40, 280, 230, 110));
        mascot(p, QPointF(75, 225), 42, true);
        star(p, QPointF(125, 160), 9, QColor(255, 220, 60));
        star(p, QPointF(25, 175), 6, QColor(255, 240, 150));
        p.setFont(gothic(20, true));
        p.setPen(QColor(30, 70, 150));
        p.drawText(QRectF(0, 125, 150, 30), Qt::AlignCenter, QStringLiteral("ようこそ！"));
    }
    side.convertToFormat(QImage::Format_RGB32).save(out(QStringLiteral("res/bitmaps/1458.png")));
}

// ---- the sample webs ---------------------------------------------------------------------

const QString kHome = QStringLiteral("share/Template/Home");

void banner(const QString& relative, int w, int h, QColor from, QColor to, const QString& text, QColor ink)
{
    QImage image = canvas(w, h, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0, from);
    g.setColorAt(1, to);
    p.fillRect(image.rect(), g);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 60));
    for (int i = 0; i < 6; ++i)
        p.drawEllipse(QPointF(w - 30 - i * 45, h / 2 + (i % 2 ? 14 : -12)), 16 + i % 3 * 5, 16 + i % 3 * 5);
    p.setFont(gothic(h * 2 / 5, true));
    p.setPen(QColor(0, 0, 0, 60));
    p.drawText(QRectF(22, 2, w, h), Qt::AlignVCenter | Qt::AlignLeft, text);
    p.setPen(ink);
    p.drawText(QRectF(20, 0, w, h), Qt::AlignVCenter | Qt::AlignLeft, text);
    p.end();
    saveGif(image, kHome + QLatin1Char('/') + relative);
}

void picture(const QString& relative, int w, int h, const std::function<void(QPainter&, int, int)>& draw)
{
    QImage image = canvas(w, h, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p, w, h);
    p.end();
    saveGif(image, kHome + QLatin1Char('/') + relative);
}

void cup(QPainter& p, int w, int h)
{
    p.fillRect(QRect(0, 0, w, h), QColor(250, 240, 225));
    p.setPen(QPen(QColor(150, 150, 150, 140), 3, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i) {
        QPainterPath steam;
        steam.moveTo(w * 0.35 + i * 14, h * 0.38);
        steam.cubicTo(w * 0.3 + i * 14, h * 0.25, w * 0.42 + i * 14, h * 0.2, w * 0.36 + i * 14, h * 0.08);
        p.drawPath(steam);
    }
    p.setPen(QPen(QColor(120, 70, 40), 2));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(w * 0.12, h * 0.78, w * 0.76, h * 0.14));
    p.drawRoundedRect(QRectF(w * 0.22, h * 0.42, w * 0.46, h * 0.42), 10, 10);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(w * 0.62, h * 0.5, w * 0.18, h * 0.2));
    p.setBrush(QColor(110, 60, 30));
    p.drawEllipse(QRectF(w * 0.24, h * 0.4, w * 0.42, h * 0.08));
}

void mountains(QPainter& p, int w, int h, bool sunset)
{
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, sunset ? QColor(250, 140, 80) : QColor(110, 180, 250));
    sky.setColorAt(1, sunset ? QColor(255, 220, 150) : QColor(220, 240, 255));
    p.fillRect(QRect(0, 0, w, h), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(sunset ? QColor(255, 240, 120) : QColor(255, 255, 255, 220));
    p.drawEllipse(QPointF(w * 0.75, h * 0.3), h * 0.12, h * 0.12);
    if (sunset) {
        p.setBrush(QColor(40, 90, 160));
        p.drawRect(QRectF(0, h * 0.62, w, h * 0.38));
        p.setBrush(QColor(255, 230, 140, 160));
        for (int i = 0; i < 4; ++i)
            p.drawRect(QRectF(w * 0.62 + i * 3, h * (0.66 + i * 0.07), w * 0.26 - i * 6, 2));
        return;
    }
    p.setBrush(QColor(90, 120, 160));
    p.drawPolygon(QPolygonF({QPointF(0, h), QPointF(w * 0.35, h * 0.28), QPointF(w * 0.7, h)}));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(w * 0.29, h * 0.38), QPointF(w * 0.35, h * 0.28), QPointF(w * 0.41, h * 0.38)}));
    p.setBrush(QColor(80, 160, 90));
    p.drawPolygon(QPolygonF({QPointF(w * 0.3, h), QPointF(w * 0.7, h * 0.45), QPointF(w * 1.1, h)}));
}

void cat(QPainter& p, int w, int h)
{
    p.fillRect(QRect(0, 0, w, h), QColor(255, 245, 235));
    const QPointF c(w / 2.0, h * 0.56);
    const qreal r = w * 0.34;
    p.setPen(QPen(QColor(90, 90, 100), 2));
    p.setBrush(QColor(170, 170, 180));
    p.drawPolygon(
        QPolygonF({c + QPointF(-r, -r * 0.3), c + QPointF(-r * 0.8, -r * 1.3), c + QPointF(-r * 0.2, -r * 0.85)}));
    p.drawPolygon(
        QPolygonF({c + QPointF(r, -r * 0.3), c + QPointF(r * 0.8, -r * 1.3), c + QPointF(r * 0.2, -r * 0.85)}));
    p.drawEllipse(c, r, r * 0.85);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(80, 170, 90));
    p.drawEllipse(c + QPointF(-r * 0.38, -r * 0.15), r * 0.14, r * 0.18);
    p.drawEllipse(c + QPointF(r * 0.38, -r * 0.15), r * 0.14, r * 0.18);
    p.setBrush(QColor(240, 140, 150));
    p.drawEllipse(c + QPointF(0, r * 0.15), r * 0.09, r * 0.07);
    p.setPen(QPen(QColor(90, 90, 100), 1.2));
    for (int s : {-1, 1}) {
        p.drawLine(c + QPointF(s * r * 0.2, r * 0.25), c + QPointF(s * r * 0.95, r * 0.12));
        p.drawLine(c + QPointF(s * r * 0.2, r * 0.32), c + QPointF(s * r * 0.95, r * 0.38));
    }
}

void paw(QPainter& p, int w, int h)
{
    p.fillRect(QRect(0, 0, w, h), Qt::transparent);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 110, 140));
    p.drawEllipse(QPointF(w / 2.0, h * 0.64), w * 0.24, h * 0.2);
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QPointF(w * (0.2 + i * 0.2), h * (i == 0 || i == 3 ? 0.38 : 0.22)), w * 0.1, h * 0.12);
}

void goods(QPainter& p, int w, int h, bool bag)
{
    p.fillRect(QRect(0, 0, w, h), QColor(245, 240, 250));
    p.setPen(QPen(QColor(110, 80, 60), 2));
    if (bag) {
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(w * 0.3, h * 0.12, w * 0.4, h * 0.4), 0, 180 * 16);
        p.setBrush(QColor(200, 120, 160));
        p.drawRoundedRect(QRectF(w * 0.18, h * 0.32, w * 0.64, h * 0.55), 8, 8);
        p.setPen(QPen(QColor(255, 255, 255, 160), 2, Qt::DotLine));
        for (int i = 1; i < 4; ++i)
            p.drawLine(QPointF(w * 0.2, h * (0.32 + i * 0.13)), QPointF(w * 0.8, h * (0.32 + i * 0.13)));
        return;
    }
    // A mug with a painted flower.
    p.setBrush(QColor(120, 170, 220));
    p.drawRoundedRect(QRectF(w * 0.2, h * 0.25, w * 0.48, h * 0.6), 6, 6);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(w * 0.62, h * 0.38, w * 0.2, h * 0.28));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int i = 0; i < 5; ++i) {
        const qreal a = i * 2 * M_PI / 5;
        p.drawEllipse(QPointF(w * 0.44 + std::cos(a) * 7, h * 0.55 + std::sin(a) * 7), 5, 5);
    }
    p.setBrush(QColor(250, 210, 60));
    p.drawEllipse(QPointF(w * 0.44, h * 0.55), 4, 4);
}

// A miniature of a home page: its banner colours, text lines and a picture.
void preview(const QString& relative, QColor band, QColor background, const QString& title,
             const std::function<void(QPainter&, int, int)>& photo)
{
    QImage image = canvas(102, 76, background);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 102, 0);
    g.setColorAt(0, band);
    g.setColorAt(1, band.lighter(130));
    p.fillRect(QRect(0, 0, 102, 20), g);
    p.setFont(gothic(11, true));
    p.setPen(Qt::white);
    p.drawText(QRect(5, 0, 97, 20), Qt::AlignVCenter | Qt::AlignLeft, title);
    {
        QImage small(36, 30, QImage::Format_ARGB32_Premultiplied);
        small.fill(Qt::white);
        QPainter q(&small);
        q.setRenderHint(QPainter::Antialiasing);
        photo(q, 36, 30);
        q.end();
        p.drawImage(6, 27, small);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 150, 160));
    for (int i = 0; i < 5; ++i)
        p.drawRect(QRectF(48, 28 + i * 6, i == 4 ? 30 : 46, 2));
    p.setBrush(band);
    p.drawRect(QRectF(6, 64, 24, 5));
    p.drawRect(QRectF(34, 64, 24, 5));
    p.setPen(QColor(120, 120, 130));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 101, 75));
    p.end();
    saveGif(image, kHome + QLatin1Char('/') + relative);
}

void sampleWebs()
{
    const QString cafe = QStringLiteral("ビジネス/カフェ");
    const QString shop = QStringLiteral("ビジネス/雑貨店");
    const QString travel = QStringLiteral("パーソナル/旅日記");
    const QString pets = QStringLiteral("パーソナル/ペット");
    const QColor brown(120, 70, 40);
    const QColor plum(150, 80, 130);
    const QColor blue(40, 110, 190);
    const QColor green(70, 150, 80);

    banner(cafe + QStringLiteral("/image/logo.gif"), 400, 70, brown, QColor(200, 140, 80),
           QStringLiteral("カフェ こもれび"), QColor(255, 245, 225));
    picture(cafe + QStringLiteral("/image/cup.gif"), 120, 100, cup);
    preview(cafe + QStringLiteral(".gif"), brown, QColor(250, 240, 225), QStringLiteral("カフェ"), cup);

    banner(shop + QStringLiteral("/image/banner.gif"), 400, 70, plum, QColor(230, 160, 200),
           QStringLiteral("手づくり雑貨 いろは"), Qt::white);
    picture(shop + QStringLiteral("/image/mug.gif"), 100, 100,
            [](QPainter& p, int w, int h) { goods(p, w, h, false); });
    picture(shop + QStringLiteral("/image/bag.gif"), 100, 100, [](QPainter& p, int w, int h) { goods(p, w, h, true); });
    preview(shop + QStringLiteral(".gif"), plum, QColor(245, 240, 250), QStringLiteral("雑貨店"),
            [](QPainter& p, int w, int h) { goods(p, w, h, true); });

    banner(travel + QStringLiteral("/image/title.gif"), 400, 70, blue, QColor(120, 200, 240), QStringLiteral("旅日記"),
           Qt::white);
    picture(travel + QStringLiteral("/image/mountain.gif"), 160, 110,
            [](QPainter& p, int w, int h) { mountains(p, w, h, false); });
    picture(travel + QStringLiteral("/image/sea.gif"), 160, 110,
            [](QPainter& p, int w, int h) { mountains(p, w, h, true); });
    preview(travel + QStringLiteral(".gif"), blue, QColor(240, 248, 255), QStringLiteral("旅日記"),
            [](QPainter& p, int w, int h) { mountains(p, w, h, false); });

    banner(pets + QStringLiteral("/image/title.gif"), 400, 70, green, QColor(170, 220, 120),
           QStringLiteral("うちのペット"), Qt::white);
    picture(pets + QStringLiteral("/image/cat.gif"), 120, 120, cat);
    picture(pets + QStringLiteral("/image/paw.gif"), 32, 32, paw);
    preview(pets + QStringLiteral(".gif"), green, QColor(255, 250, 240), QStringLiteral("ペット"), cat);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_web_pictures <repository root>\n");
        return 1;
    }
    root = QString::fromLocal8Bit(argv[1]);
    Magick::InitializeMagick(*argv);
    guidePictures();
    sampleWebs();
    return 0;
}
