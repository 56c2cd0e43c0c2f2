// Draws the styles of the service's web objects that ship in share/Other:
// four bulletin boards (Board/<style>.gif) and four guest books
// (VisitorsBook/<style>.gif), each a 300 x 100 picture of the page the style
// gives, and four access counters (Counter/<style>.cnt with the 70 x 45
// picture <style>.gif). A style's name is its file name; the .cnt files only
// name their style.
//
//   g++ -std=c++20 -fPIC make_styles.cpp $(pkg-config --cflags --libs Qt6Gui Magick++) -o make_styles
//   QT_QPA_PLATFORM=offscreen ./make_styles <repository root>
#include <Magick++.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

struct Theme
{
    const char* name;
    QColor dark;
    QColor light;
    QColor paper;
};

QFont font(int pixels, bool bold = false)
{
    QFont f(QStringLiteral("IPAPGothic"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

bool writeGif(const QImage& image, const QString& path)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    try {
        Magick::Blob blob(png.constData(), size_t(png.size()));
        Magick::Image picture(blob);
        picture.quantizeDither(false);
        picture.quantizeColors(64);
        picture.quantize();
        picture.magick("GIF");
        picture.write(path.toStdString());
    } catch (const Magick::Exception& e) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), e.what());
        return false;
    }
    return true;
}

// A line of text as grey bars, as a page seen from afar shows it.
void textBars(QPainter& p, int x, int y, int width, const QColor& color)
{
    static const int lengths[] = {34, 22, 46, 18, 30, 40, 26};
    int at = x;
    for (int i = 0; at < x + width; ++i) {
        const int length = std::min(lengths[i % 7], x + width - at);
        p.fillRect(at, y, length, 3, color);
        at += length + 5;
    }
}

QImage board(const Theme& t)
{
    QImage image(300, 100, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(image.rect(), t.paper);
    // The title band.
    QLinearGradient band(0, 0, 0, 22);
    band.setColorAt(0, t.light);
    band.setColorAt(1, t.dark);
    p.fillRect(0, 0, 300, 22, band);
    p.setPen(Qt::white);
    p.setFont(font(13, true));
    p.drawText(QRect(10, 0, 200, 22), Qt::AlignVCenter, QStringLiteral("掲示板"));
    p.setFont(font(9));
    p.drawText(QRect(190, 0, 102, 22), Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("新規投稿 | 検索"));
    // The form to write in.
    p.setPen(t.dark);
    p.setFont(font(10));
    p.drawText(QRect(10, 26, 50, 14), Qt::AlignVCenter, QStringLiteral("お名前"));
    p.fillRect(48, 28, 120, 11, Qt::white);
    p.setPen(t.dark.lighter(160));
    p.drawRect(48, 28, 120, 11);
    p.fillRect(176, 27, 52, 13, t.dark);
    p.setPen(Qt::white);
    p.setFont(font(9));
    p.drawText(QRect(176, 27, 52, 13), Qt::AlignCenter, QStringLiteral("書き込む"));
    // Two messages.
    const char* subjects[] = {"[2] はじめまして", "[1] ようこそ"};
    for (int i = 0; i < 2; ++i) {
        const int y = 46 + i * 27;
        p.fillRect(8, y, 284, 24, Qt::white);
        p.setPen(t.light);
        p.drawRect(8, y, 284, 24);
        p.fillRect(8, y, 4, 25, t.dark);
        p.setPen(t.dark);
        p.setFont(font(10, true));
        p.drawText(QRect(16, y + 1, 200, 12), Qt::AlignVCenter, QString::fromUtf8(subjects[i]));
        textBars(p, 16, y + 16, 260, t.light.lighter(115));
    }
    return image;
}

QImage guestBook(const Theme& t)
{
    QImage image(300, 100, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(image.rect(), t.light.lighter(150));
    // An open book: two pages and their spine.
    QRectF left(10, 6, 138, 88), right(152, 6, 138, 88);
    for (const QRectF& page : {left, right}) {
        p.setPen(QPen(t.dark, 1.5));
        p.setBrush(t.paper);
        p.drawRoundedRect(page, 4, 4);
    }
    p.setPen(QPen(t.dark, 2));
    p.drawLine(QPointF(150, 8), QPointF(150, 92));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(t.dark);
    p.setFont(font(13, true));
    p.drawText(QRect(14, 8, 130, 20), Qt::AlignCenter, QStringLiteral("ゲストブック"));
    p.setFont(font(9));
    p.drawText(QRect(14, 28, 130, 12), Qt::AlignCenter, QStringLiteral("ご来訪ありがとう"));
    // A heart or a leaf by the style's colour, drawn as a flower of dots.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(t.light);
    for (int i = 0; i < 5; ++i) {
        const double a = i * 2 * M_PI / 5;
        p.drawEllipse(QPointF(79 + 9 * std::cos(a), 66 + 9 * std::sin(a)), 6, 6);
    }
    p.setBrush(t.dark);
    p.drawEllipse(QPointF(79, 66), 4, 4);
    p.setRenderHint(QPainter::Antialiasing, false);
    // Ruled lines with the visitors' words.
    for (int line = 0; line < 5; ++line) {
        const int y = 22 + line * 14;
        p.setPen(t.light);
        p.drawLine(160, y + 8, 282, y + 8);
        if (line % 2 == 0) {
            p.setPen(t.dark);
            p.setFont(font(9, true));
            p.drawText(QRect(160, y - 6, 120, 13), Qt::AlignVCenter,
                       line == 0   ? QStringLiteral("さくら")
                       : line == 2 ? QStringLiteral("たろう")
                                   : QStringLiteral("みどり"));
        } else {
            textBars(p, 164, y + 3, 114, t.dark.lighter(170));
        }
    }
    return image;
}

// One digit of seven segments in a cell.
void sevenSegment(QPainter& p, QRectF cell, int digit, const QColor& on, const QColor& off)
{
    static const int masks[] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    const double w = cell.width() - 3, h = cell.height() - 3, x = cell.left() + 1.5, y = cell.top() + 1.5;
    const double s = std::max(1.5, w / 5);
    const QRectF segments[] = {
        {x + s / 2, y, w - s, s},                 // a
        {x + w - s, y + s / 2, s, h / 2 - s / 2}, // b
        {x + w - s, y + h / 2, s, h / 2 - s / 2}, // c
        {x + s / 2, y + h - s, w - s, s},         // d
        {x, y + h / 2, s, h / 2 - s / 2},         // e
        {x, y + s / 2, s, h / 2 - s / 2},         // f
        {x + s / 2, y + h / 2 - s / 2, w - s, s}, // g
    };
    for (int i = 0; i < 7; ++i)
        p.fillRect(segments[i], (masks[digit] >> i) & 1 ? on : off);
}

QImage counter(const char* style)
{
    QImage image(70, 45, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    const int digits[] = {0, 0, 1, 2, 3, 4};
    const QString name = QString::fromLatin1(style);
    const QRectF strip(2, 16, 66, 24);
    if (name == QLatin1String("red") || name == QLatin1String("green")) {
        const bool red = name == QLatin1String("red");
        p.fillRect(strip, QColor(16, 16, 16));
        for (int i = 0; i < 6; ++i)
            sevenSegment(p, QRectF(strip.left() + 2 + i * 10.5, strip.top() + 2, 10, 20), digits[i],
                         red ? QColor(255, 40, 30) : QColor(60, 255, 90),
                         red ? QColor(70, 10, 10) : QColor(10, 60, 20));
    } else {
        const bool wood = name == QLatin1String("wood");
        p.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < 6; ++i) {
            const QRectF tile(strip.left() + i * 11, strip.top(), 10, 24);
            QLinearGradient fill(tile.topLeft(), tile.bottomLeft());
            fill.setColorAt(0, wood ? QColor(214, 160, 96) : QColor(120, 170, 255));
            fill.setColorAt(1, wood ? QColor(140, 88, 40) : QColor(20, 70, 180));
            p.setPen(wood ? QColor(90, 50, 20) : QColor(10, 40, 120));
            p.setBrush(fill);
            p.drawRoundedRect(tile.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
            p.setPen(wood ? QColor(60, 30, 8) : Qt::white);
            QFont f = font(15, true);
            f.setStyleStrategy(QFont::PreferAntialias);
            p.setFont(f);
            p.drawText(tile, Qt::AlignCenter, QString::number(digits[i]));
        }
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(80, 80, 80));
    p.setFont(font(9));
    p.drawText(QRect(0, 2, 70, 12), Qt::AlignCenter, QStringLiteral("ACCESS"));
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_styles <repository root>\n");
        return 2;
    }
    Magick::InitializeMagick(argv[0]);
    const QDir root(QString::fromLocal8Bit(argv[1]) + QStringLiteral("/share/Other"));
    for (const char* folder : {"Board", "VisitorsBook", "Counter"})
        root.mkpath(QString::fromLatin1(folder));
    bool ok = true;
    const Theme boards[] = {{"blue", QColor(30, 70, 160), QColor(110, 160, 230), QColor(236, 243, 255)},
                            {"green", QColor(30, 110, 50), QColor(120, 190, 110), QColor(238, 250, 234)},
                            {"orange", QColor(190, 90, 10), QColor(250, 170, 70), QColor(255, 246, 230)},
                            {"simple", QColor(70, 70, 70), QColor(170, 170, 170), QColor(250, 250, 250)}};
    for (const Theme& t : boards)
        ok &= writeGif(board(t), root.filePath(QStringLiteral("Board/%1.gif").arg(QLatin1String(t.name))));
    const Theme books[] = {{"rose", QColor(170, 40, 90), QColor(240, 140, 170), QColor(255, 248, 250)},
                           {"sky", QColor(30, 90, 170), QColor(130, 190, 240), QColor(248, 252, 255)},
                           {"leaf", QColor(40, 110, 40), QColor(140, 200, 110), QColor(250, 255, 244)},
                           {"note", QColor(110, 80, 40), QColor(210, 180, 120), QColor(255, 252, 236)}};
    for (const Theme& t : books)
        ok &= writeGif(guestBook(t), root.filePath(QStringLiteral("VisitorsBook/%1.gif").arg(QLatin1String(t.name))));
    for (const char* style : {"red", "green", "wood", "blue"}) {
        const QString base = root.filePath(QStringLiteral("Counter/%1").arg(QLatin1String(style)));
        ok &= writeGif(counter(style), base + QStringLiteral(".gif"));
        QFile cnt(base + QStringLiteral(".cnt"));
        ok &=
            cnt.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
            cnt.write(QStringLiteral("[Counter]\r\nStyle=%1\r\nDigits=6\r\n").arg(QLatin1String(style)).toLatin1()) > 0;
    }
    return ok ? 0 : 1;
}
