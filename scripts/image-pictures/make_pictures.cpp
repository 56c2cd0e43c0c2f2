// Draws the pictures of the image windows: the button strips (and those of
// the publishing window) and the
// thumbnail placeholder of res/bitmaps, and the image library installed with
// the program (share/Image with its wallpapers and banners, share/Bin/Study,
// share/Bin/default.bmp). The button pictures are the icon theme's symbolic
// icons in four states; everything else is drawn here.
//
//   g++ -std=c++20 -fPIC make_pictures.cpp $(pkg-config --cflags --libs Qt6Gui Magick++) -o make_pictures
//   QT_QPA_PLATFORM=offscreen ./make_pictures <repository root>
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

#include "picture_output.h"

namespace {

void save(const QImage& picture, const QString& relative, const char* format = nullptr, int quality = -1)
{
    picture.save(out(relative), format, quality);
}

// ---- the button strips: normal, hover, pressed, disabled.

QImage tinted(const QImage& icon, QColor colour)
{
    QImage result = icon.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            line[x] = qRgba(colour.red(), colour.green(), colour.blue(), qAlpha(line[x]) * colour.alpha() / 255);
    }
    return result;
}

void buttonStrip(const char* icon, int id)
{
    const QImage source(QStringLiteral("/usr/share/icons/Adwaita/16x16/%1.symbolic.png").arg(QLatin1String(icon)));
    if (source.isNull()) {
        std::fprintf(stderr, "missing icon %s\n", icon);
        return;
    }
    const int w = source.width();
    QImage strip(w * 4, source.height(), QImage::Format_ARGB32);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    painter.drawImage(0, 0, tinted(source, QColor(0x2e, 0x34, 0x36)));
    painter.drawImage(w, 0, tinted(source, QColor(0x20, 0x4a, 0x87)));
    painter.drawImage(2 * w + 1, 1, tinted(source, QColor(0x20, 0x4a, 0x87)));
    painter.drawImage(3 * w, 0, tinted(source, QColor(0x2e, 0x34, 0x36, 90)));
    painter.end();
    save(strip, QStringLiteral("res/bitmaps/%1.png").arg(id));
}

// ---- the placeholder of a thumbnail still loading: a picture frame.

void placeholder()
{
    QImage image(50, 50, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(190, 190, 190), 2));
    p.setBrush(QColor(244, 244, 244));
    p.drawRoundedRect(QRectF(6, 10, 38, 30), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(205, 205, 205));
    QPainterPath hills;
    hills.moveTo(9, 37);
    hills.lineTo(20, 24);
    hills.lineTo(27, 31);
    hills.lineTo(32, 26);
    hills.lineTo(41, 37);
    hills.closeSubpath();
    p.drawPath(hills);
    p.drawEllipse(QPointF(35, 18), 3, 3);
    p.end();
    save(image, QStringLiteral("res/bitmaps/639.png"));
}

// ---- clip art.

QImage canvas(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QPainterPath star(QPointF centre, double outer, double inner, int points)
{
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const double r = i % 2 ? inner : outer;
        const double a = -M_PI / 2 + i * M_PI / points;
        const QPointF p(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        i == 0 ? path.moveTo(p) : path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

void clipArt()
{
    {
        QImage image = canvas(64, 64);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(200, 140, 0), 2));
        p.setBrush(QColor(255, 210, 40));
        p.drawPath(star(QPointF(32, 34), 29, 12, 5));
        p.end();
        saveGif(image, QStringLiteral("share/Image/star.gif"));
    }
    {
        QImage image = canvas(64, 58);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath heart;
        heart.moveTo(32, 54);
        heart.cubicTo(4, 34, 2, 14, 16, 8);
        heart.cubicTo(25, 4, 31, 10, 32, 16);
        heart.cubicTo(33, 10, 39, 4, 48, 8);
        heart.cubicTo(62, 14, 60, 34, 32, 54);
        p.setPen(QPen(QColor(160, 20, 50), 2));
        p.setBrush(QColor(230, 50, 80));
        p.drawPath(heart);
        p.end();
        saveGif(image, QStringLiteral("share/Image/heart.gif"));
    }
    {
        QImage image = canvas(80, 80);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 6; ++i) {
            p.save();
            p.translate(40, 34);
            p.rotate(i * 60);
            p.setBrush(QColor(240, 120, 180));
            p.drawEllipse(QRectF(-8, -26, 16, 22));
            p.restore();
        }
        p.setBrush(QColor(250, 220, 60));
        p.drawEllipse(QPointF(40, 34), 8, 8);
        p.setPen(QPen(QColor(60, 150, 60), 4));
        p.drawLine(QPointF(40, 48), QPointF(40, 78));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(80, 170, 70));
        p.drawEllipse(QRectF(42, 58, 16, 8));
        p.end();
        save(image, QStringLiteral("share/Image/flower.png"));
    }
    {
        QImage image = canvas(80, 80);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(250, 160, 20), 4, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 12; ++i) {
            const double a = i * M_PI / 6;
            p.drawLine(QPointF(40 + 26 * std::cos(a), 40 + 26 * std::sin(a)),
                       QPointF(40 + 36 * std::cos(a), 40 + 36 * std::sin(a)));
        }
        QRadialGradient glow(QPointF(34, 34), 24);
        glow.setColorAt(0, QColor(255, 250, 150));
        glow.setColorAt(1, QColor(255, 180, 30));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(QPointF(40, 40), 20, 20);
        p.end();
        save(image, QStringLiteral("share/Image/sun.png"));
    }
    {
        QImage image = canvas(80, 72);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(90, 60, 40), 2));
        p.setBrush(QColor(250, 240, 215));
        p.drawRect(QRectF(14, 32, 52, 36));
        QPainterPath roof;
        roof.moveTo(6, 34);
        roof.lineTo(40, 6);
        roof.lineTo(74, 34);
        roof.closeSubpath();
        p.setBrush(QColor(200, 60, 40));
        p.drawPath(roof);
        p.setBrush(QColor(120, 80, 50));
        p.drawRect(QRectF(34, 46, 12, 22));
        p.setBrush(QColor(150, 200, 240));
        p.drawRect(QRectF(20, 40, 10, 10));
        p.drawRect(QRectF(50, 40, 10, 10));
        p.end();
        save(image, QStringLiteral("share/Image/house.png"));
    }
    {
        QImage image = canvas(48, 64);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 60, 140));
        p.drawEllipse(QRectF(4, 44, 18, 13));
        p.drawEllipse(QRectF(26, 38, 18, 13));
        p.drawRect(QRectF(18, 8, 4, 42));
        p.drawRect(QRectF(40, 2, 4, 42));
        QPainterPath beam;
        beam.moveTo(18, 8);
        beam.lineTo(44, 2);
        beam.lineTo(44, 10);
        beam.lineTo(18, 16);
        beam.closeSubpath();
        p.drawPath(beam);
        p.end();
        saveGif(image, QStringLiteral("share/Image/note.gif"));
    }
    {
        QImage image = canvas(72, 36);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(200, 0, 0), 2));
        p.setBrush(QColor(255, 240, 0));
        p.drawPath(star(QPointF(36, 18), 34, 26, 14));
        p.setPen(QColor(200, 0, 0));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(15);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRectF(0, 0, 72, 36), Qt::AlignCenter, QStringLiteral("NEW!"));
        p.end();
        saveGif(image, QStringLiteral("share/Image/new.gif"));
    }
    {
        QImage image = canvas(56, 40);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath arrow;
        arrow.moveTo(4, 14);
        arrow.lineTo(30, 14);
        arrow.lineTo(30, 4);
        arrow.lineTo(52, 20);
        arrow.lineTo(30, 36);
        arrow.lineTo(30, 26);
        arrow.lineTo(4, 26);
        arrow.closeSubpath();
        p.setPen(QPen(QColor(20, 100, 40), 2));
        p.setBrush(QColor(60, 180, 90));
        p.drawPath(arrow);
        p.end();
        saveGif(image, QStringLiteral("share/Image/arrow.gif"));
    }
}

// ---- wallpapers: tiles that repeat without seams.

void wallpapers()
{
    {
        QImage image(64, 64, QImage::Format_RGB32);
        image.fill(QColor(236, 244, 255));
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(190, 215, 250));
        for (const QPointF c : {QPointF(16, 16), QPointF(48, 48)})
            p.drawEllipse(c, 6, 6);
        p.end();
        saveGif(image, QStringLiteral("share/Image/壁紙/dots.gif"));
    }
    {
        QImage image(48, 48, QImage::Format_RGB32);
        QPainter p(&image);
        for (int i = 0; i < 4; ++i)
            p.fillRect(0, i * 12, 48, 12, i % 2 ? QColor(255, 248, 230) : QColor(255, 236, 200));
        p.end();
        save(image, QStringLiteral("share/Image/壁紙/stripe.png"));
    }
    {
        QImage image(40, 40, QImage::Format_RGB32);
        QPainter p(&image);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x)
                p.fillRect(x * 20, y * 20, 20, 20, (x + y) % 2 ? QColor(230, 245, 230) : QColor(250, 255, 250));
        p.end();
        saveGif(image, QStringLiteral("share/Image/壁紙/check.gif"));
    }
    {
        // Paper: a soft, seamless grain.
        QImage image(96, 96, QImage::Format_RGB32);
        quint32 seed = 12345;
        for (int y = 0; y < 96; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < 96; ++x) {
                seed = seed * 1103515245u + 12345u;
                const int grain = int((seed >> 16) % 14);
                line[x] = qRgb(238 + grain / 2, 232 + grain / 2, 218 + grain / 2);
            }
        }
        save(image, QStringLiteral("share/Image/壁紙/paper.jpg"), "JPEG", 85);
    }
}

// ---- banners.

void banner(const QString& name, const QString& text, QColor from, QColor to, bool gif)
{
    QImage image(234, 60, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, 60);
    fill.setColorAt(0, from);
    fill.setColorAt(1, to);
    p.fillRect(image.rect(), fill);
    p.setPen(QPen(to.darker(140), 2));
    p.drawRect(QRectF(1, 1, 232, 58));
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(26);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0, 0, 0, 80));
    p.drawText(QRectF(2, 2, 234, 60), Qt::AlignCenter, text);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 234, 60), Qt::AlignCenter, text);
    p.end();
    if (gif)
        saveGif(image, QStringLiteral("share/Image/バナー/") + name);
    else
        save(image, QStringLiteral("share/Image/バナー/") + name);
}

// ---- study material: pictures to practise placing, framing and linking.

void study()
{
    {
        QImage image(320, 240, QImage::Format_RGB32);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient sky(0, 0, 0, 170);
        sky.setColorAt(0, QColor(110, 170, 235));
        sky.setColorAt(1, QColor(200, 230, 250));
        p.fillRect(0, 0, 320, 170, sky);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 240, 180));
        p.drawEllipse(QPointF(250, 50), 22, 22);
        p.setBrush(QColor(90, 120, 150));
        QPainterPath far;
        far.moveTo(0, 160);
        far.lineTo(70, 80);
        far.lineTo(130, 140);
        far.lineTo(190, 70);
        far.lineTo(320, 170);
        far.lineTo(320, 240);
        far.lineTo(0, 240);
        far.closeSubpath();
        p.drawPath(far);
        p.setBrush(QColor(80, 150, 70));
        p.drawRect(0, 170, 320, 70);
        p.setBrush(QColor(60, 120, 200));
        p.drawEllipse(QRectF(40, 190, 120, 30));
        p.end();
        save(image, QStringLiteral("share/Bin/Study/landscape.jpg"), "JPEG", 85);
    }
    {
        QImage image = canvas(120, 36);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient face(0, 0, 0, 36);
        face.setColorAt(0, QColor(120, 170, 240));
        face.setColorAt(1, QColor(40, 90, 180));
        p.setPen(QPen(QColor(30, 60, 130), 1));
        p.setBrush(face);
        p.drawRoundedRect(QRectF(1, 1, 118, 34), 10, 10);
        QFont font(QStringLiteral("IPAGothic"));
        font.setPixelSize(15);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(0, 0, 120, 36), Qt::AlignCenter, QStringLiteral("ホーム"));
        p.end();
        save(image, QStringLiteral("share/Bin/Study/button_home.png"));
    }
    {
        QImage image = canvas(64, 48);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(120, 90, 20), 2));
        p.setBrush(QColor(255, 250, 235));
        p.drawRect(QRectF(4, 8, 56, 36));
        p.drawLine(QPointF(4, 8), QPointF(32, 30));
        p.drawLine(QPointF(60, 8), QPointF(32, 30));
        p.end();
        saveGif(image, QStringLiteral("share/Bin/Study/mail.gif"));
    }
    {
        QImage image(400, 8, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        for (int x = 4; x < 400; x += 16) {
            p.setBrush(QColor::fromHsv((x * 3) % 360, 160, 230));
            p.drawEllipse(QPointF(x, 4), 3, 3);
        }
        p.end();
        saveGif(image, QStringLiteral("share/Bin/Study/line_dots.gif"));
    }
}

// ---- the placeholder of the lists that load their pictures when painted.

void defaultPicture()
{
    QImage image(48, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(200, 200, 200), 1, Qt::DashLine));
    p.setBrush(QColor(248, 248, 248));
    p.drawRect(QRectF(4.5, 4.5, 39, 39));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(215, 215, 215));
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(14 + i * 10, 24), 3, 3);
    p.end();
    image.save(out(QStringLiteral("share/Bin/default.bmp")), "BMP");
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_pictures <repository root>\n");
        return 1;
    }
    root = QString::fromLocal8Bit(argv[1]);
    Magick::InitializeMagick(*argv);
    buttonStrip("places/folder-pictures-symbolic", 592);
    buttonStrip("places/user-bookmarks-symbolic", 596);
    buttonStrip("actions/view-more-horizontal-symbolic", 597);
    buttonStrip("actions/view-grid-symbolic", 618);
    buttonStrip("actions/go-up-symbolic", 631);
    buttonStrip("actions/view-list-symbolic", 653);
    buttonStrip("actions/go-previous-symbolic", 654);
    // The publishing window's buttons: connect, select modified, select all,
    // disconnect, select none, select inserted files.
    buttonStrip("status/network-transmit-receive-symbolic", 615);
    buttonStrip("actions/document-edit-symbolic", 617);
    buttonStrip("actions/edit-select-all-symbolic", 619);
    buttonStrip("status/network-offline-symbolic", 620);
    buttonStrip("actions/edit-clear-all-symbolic", 621);
    buttonStrip("actions/insert-link-symbolic", 622);
    placeholder();
    clipArt();
    wallpapers();
    banner(QStringLiteral("welcome.gif"), QStringLiteral("ようこそ"), QColor(255, 170, 60), QColor(230, 90, 30), true);
    banner(QStringLiteral("news.gif"), QStringLiteral("NEWS"), QColor(90, 180, 240), QColor(30, 100, 190), true);
    banner(QStringLiteral("links.png"), QStringLiteral("リンク集"), QColor(120, 200, 110), QColor(40, 130, 60), false);
    study();
    defaultPicture();
    return 0;
}
