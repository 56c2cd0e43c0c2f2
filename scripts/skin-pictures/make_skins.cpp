// Draws the skins installed with the program (share/Bin/skins): for metal and
// spring the bitmaps and skin.skn of each folder, and for every skin, classic
// included, the 80 x 50 preview the skin chooser shows (share/Bin/skins/N.gif).
//
//   g++ -std=c++20 -fPIC make_skins.cpp $(pkg-config --cflags --libs Qt6Gui Magick++) -o make_skins
//   QT_QPA_PLATFORM=offscreen ./make_skins <repository root>
#include <Magick++.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <cstdio>
#include <functional>

namespace {

const QColor kKey(255, 0, 255); // left out of buttons, marks and the outline
QString folder;

struct Look
{
    QString name;
    QColor face, highlight, light, darkShadow, shadow;
    QColor captionTop, captionBottom, captionInactiveTop, captionInactiveBottom;
    QColor border, borderInactive;
    QColor buttonTop, buttonBottom, buttonHot, glyph;
    QColor patternA, patternB, mdi;
    int corner; // radius of the outline's corners
    bool roundBottom;
    int controlStyle;
    bool mdiPicture;
};

QString rgbText(const QColor& c)
{
    return QStringLiteral("%1,%2,%3").arg(c.red()).arg(c.green()).arg(c.blue());
}

void save(const QImage& image, const QString& name)
{
    const QString path = folder + QLatin1Char('/') + name;
    if (!image.convertToFormat(QImage::Format_RGB888).save(path, "BMP"))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// The picture with the key colour see-through.
QImage keyed(const QImage& image)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            if (out.pixelColor(x, y) == kKey)
                out.setPixelColor(x, y, Qt::transparent);
        }
    }
    return out;
}

QImage filled(int w, int h, const QColor& c = kKey)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

// A caption strip of height h: the active look above the inactive one.
QImage caption(const Look& l, int w, int h)
{
    QImage image = filled(w, 2 * h);
    QPainter p(&image);
    for (int look = 0; look < 2; ++look) {
        QLinearGradient g(0, look * h, 0, look * h + h);
        g.setColorAt(0, look ? l.captionInactiveTop : l.captionTop);
        g.setColorAt(1, look ? l.captionInactiveBottom : l.captionBottom);
        p.fillRect(0, look * h, w, h, g);
        p.setPen(look ? l.borderInactive.lighter(130) : l.highlight);
        p.drawLine(0, look * h + 1, w - 1, look * h + 1);
        p.setPen(look ? l.borderInactive : l.border);
        p.drawLine(0, look * h, w - 1, look * h);
        p.drawLine(0, look * h, 0, look * h + h - 1);
        p.drawLine(w - 1, look * h, w - 1, look * h + h - 1);
    }
    return image;
}

// A border part t thick and n long, active look first.
QImage border(const Look& l, int t, int n, bool vertical)
{
    QImage image = vertical ? filled(2 * t, n) : filled(n, 2 * t);
    QPainter p(&image);
    for (int look = 0; look < 2; ++look) {
        const QColor base = look ? l.borderInactive : l.border;
        for (int i = 0; i < t; ++i) {
            const QColor c = i == 0 || i == t - 1 ? base.darker(120) : base.lighter(100 + 12 * i);
            p.setPen(c);
            if (vertical)
                p.drawLine(look * t + i, 0, look * t + i, n - 1);
            else
                p.drawLine(0, look * t + i, n - 1, look * t + i);
        }
    }
    return image;
}

// Eight cells of a caption button: normal, hot, pressed, inactive, then the same with the second glyph.
QImage captionButton(const Look& l, int size, const std::function<void(QPainter&, QRectF, int group)>& glyph)
{
    QImage image = filled(8 * size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int cell = 0; cell < 8; ++cell) {
        const int state = cell % 4;
        const QRectF box(cell * size + 1.5, 1.5, size - 3, size - 3);
        QLinearGradient g(box.topLeft(), box.bottomLeft());
        const QColor top = state == 3 ? l.captionInactiveTop : state == 1 ? l.buttonHot : l.buttonTop;
        const QColor bottom = state == 3 ? l.captionInactiveBottom : l.buttonBottom;
        g.setColorAt(0, state == 2 ? bottom : top);
        g.setColorAt(1, state == 2 ? top : bottom);
        p.setBrush(g);
        p.setPen(QPen(state == 3 ? l.borderInactive : l.border.darker(140), 1));
        // Edges against the key colour stay hard: a blended pixel would show.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.drawRoundedRect(box.toRect().adjusted(0, 0, -1, -1), 3, 3);
        // The small buttons keep a glyph of a few sharp pixels.
        const bool small = size <= 14;
        p.setRenderHint(QPainter::Antialiasing, !small);
        p.setPen(QPen(state == 3 ? l.borderInactive.darker(120) : l.glyph, small ? 1 : 1.6));
        p.setBrush(Qt::NoBrush);
        const qreal inset = small ? 2.5 : 4.5;
        glyph(p, box.adjusted(inset, inset, -inset, -inset).translated(state == 2 ? 1 : 0, state == 2 ? 1 : 0),
              cell / 4);
    }
    return image;
}

// A strip of button cells w x h, in the order normal, hot, pressed, focused, disabled.
QImage buttonStrip(const Look& l, int w, int h, bool flat)
{
    QImage image = filled(5 * w, h);
    QPainter p(&image);
    for (int cell = 0; cell < 5; ++cell) {
        const QRectF box(cell * w + 0.5, 0.5, w - 1, h - 1);
        QLinearGradient g(box.topLeft(), box.bottomLeft());
        QColor top = cell == 1 ? l.buttonHot : cell == 4 ? l.face : l.buttonTop;
        QColor bottom = cell == 4 ? l.face.darker(105) : l.buttonBottom;
        if (cell == 2)
            std::swap(top, bottom);
        if (flat && cell == 0) {
            top = l.face;
            bottom = l.face;
        }
        g.setColorAt(0, top);
        g.setColorAt(1, bottom);
        p.setBrush(g);
        p.setPen(QPen(cell == 4 ? l.shadow : cell == 3 ? l.glyph : l.border.darker(130), cell == 3 ? 1.5 : 1));
        p.drawRoundedRect(box.toRect().adjusted(0, 0, -1, -1), 4, 4);
    }
    return image;
}

// Nine 13 x 13 mark cells: checked/unchecked normal, disabled, pressed, hot, then the third state.
QImage marks(const Look& l, bool radio)
{
    const int s = 13;
    QImage image = filled(9 * s, s);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int cell = 0; cell < 9; ++cell) {
        const bool checked = cell == 8 || cell % 2 == 0;
        const int state = cell == 8 ? 0 : cell / 2; // 0 normal, 1 disabled, 2 pressed, 3 hot
        const QRectF box(cell * s + 0.5, 0.5, s - 1, s - 1);
        p.setPen(QPen(state == 1 ? l.shadow : l.border.darker(140), 1));
        p.setBrush(state == 1 ? l.face : state == 2 ? l.buttonBottom : state == 3 ? l.buttonHot : QColor(Qt::white));
        p.setRenderHint(QPainter::Antialiasing, false);
        if (radio)
            p.drawEllipse(box.toRect().adjusted(0, 0, -1, -1));
        else
            p.drawRoundedRect(box.toRect().adjusted(0, 0, -1, -1), 2, 2);
        p.setRenderHint(QPainter::Antialiasing, true);
        if (!checked)
            continue;
        const QColor mark = state == 1 ? l.shadow : l.glyph;
        if (cell == 8) {
            p.fillRect(QRectF(cell * s + 3.5, 3.5, 6, 6), mark);
        } else if (radio) {
            p.setBrush(mark);
            p.setPen(Qt::NoPen);
            p.drawEllipse(QRectF(cell * s + 4, 4, 5, 5));
        } else {
            p.setPen(QPen(mark, 2));
            p.drawPolyline(QPolygonF{{cell * s + 3.0, 6.5}, {cell * s + 5.5, 9.0}, {cell * s + 10.0, 3.5}});
        }
    }
    return image;
}

// The outline: the whole window with the corners cut round.
QImage region(const Look& l, int w, int h)
{
    QImage image = filled(w, h, Qt::black);
    QPainter p(&image);
    p.fillRect(image.rect(), kKey);
    QPainterPath path;
    const int r = l.corner;
    path.addRoundedRect(QRectF(0, 0, w, h + (l.roundBottom ? 0 : r)), r, r);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillPath(path, Qt::black);
    return image;
}

QImage pattern(const Look& l, int size, bool dots)
{
    QImage image = filled(size, size, l.patternA);
    QPainter p(&image);
    if (dots) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(l.patternB);
        p.drawEllipse(QPointF(size / 4.0, size / 4.0), 2.0, 2.0);
        p.drawEllipse(QPointF(3 * size / 4.0, 3 * size / 4.0), 1.5, 1.5);
    } else {
        for (int y = 0; y < size; y += 2) {
            p.setPen(y % 4 ? l.patternB : l.patternA.lighter(104));
            p.drawLine(0, y, size - 1, y);
        }
    }
    return image;
}

void closeGlyph(QPainter& p, QRectF r, int)
{
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
}

void maximiseGlyph(QPainter& p, QRectF r, int group)
{
    if (group == 1) {
        p.drawRect(r);
        return;
    }
    // The restore glyph: two windows.
    p.drawRect(r.adjusted(0, 3, -3, 0));
    p.drawLine(r.left() + 3, r.top(), r.right(), r.top());
    p.drawLine(r.right(), r.top(), r.right(), r.bottom() - 3);
}

void minimiseGlyph(QPainter& p, QRectF r, int)
{
    p.drawLine(QPointF(r.left(), r.bottom()), r.bottomRight());
}

// The roll-up button of floating bars: minimise while unrolled, maximise while rolled up.
void rollUpGlyph(QPainter& p, QRectF r, int group)
{
    if (group == 1)
        p.drawRect(r);
    else
        minimiseGlyph(p, r, group);
}

void writeFrame(QTextStream& skn, const QString& section, const QString& prefix, int captionHeight, int buttons,
                const QString& text)
{
    skn << "[" << section << "]\n";
    skn << "CAPTION_IMAGE=" << prefix << "caption.bmp\nCAPTION_THICKNESS=" << captionHeight
        << "\nCAPTION_STRETCHSTYLE=0\nCAPTION_STRETCH=40,120\n";
    for (const char* part : {"LEFT", "RIGHT", "BOTTOM"}) {
        const QString lower = QString::fromLatin1(part).toLower();
        skn << part << "_IMAGE=" << (QString::fromLatin1(part) == QLatin1String("BOTTOM") ? "bottom" : lower)
            << ".bmp\n"
            << part << "_THICKNESS=4\n"
            << part << "_STRETCHSTYLE=1\n"
            << part << "_STRETCH=10,50\n";
    }
    const int size = captionHeight - 8;
    skn << "BTN_COUNT=" << buttons << "\n";
    const char* files[] = {"close", "maximise", "minimise"};
    for (int n = 0; n < buttons; ++n) {
        skn << "BTN" << n + 1 << "_IMAGE=" << prefix << files[n] << ".bmp\n";
        skn << "BTN" << n + 1 << "_WIDTH=" << size << "\n";
        skn << "BTN" << n + 1 << "_POS=" << 6 + n * (size + 2) << "," << (captionHeight - size) / 2 << "\n";
    }
    skn << "TRANSPARENT_COLOR=255,0,255\nREGION_IMAGE=region.bmp\n" << text << "\n";
}

void makeSkin(const Look& l, const QString& root)
{
    folder = root + QStringLiteral("/share/Bin/skins/") + l.name;
    QDir().mkpath(folder);
    const bool spring = l.name == QLatin1String("spring");
    save(caption(l, 160, 26), QStringLiteral("caption.bmp"));
    save(caption(l, 160, 20), QStringLiteral("small_caption.bmp"));
    save(border(l, 4, 60, true), QStringLiteral("left.bmp"));
    save(border(l, 4, 60, true), QStringLiteral("right.bmp"));
    save(border(l, 4, 160, false), QStringLiteral("bottom.bmp"));
    for (int size : {18, 12}) {
        const QString prefix = size == 18 ? QString() : QStringLiteral("small_");
        save(captionButton(l, size, closeGlyph), prefix + QStringLiteral("close.bmp"));
        save(captionButton(l, size, maximiseGlyph), prefix + QStringLiteral("maximise.bmp"));
        save(captionButton(l, size, minimiseGlyph), prefix + QStringLiteral("minimise.bmp"));
    }
    save(region(l, 60, 60), QStringLiteral("region.bmp"));
    save(pattern(l, 32, spring), QStringLiteral("pattern.bmp"));
    if (l.mdiPicture)
        save(pattern(l, 64, false).transformed(QTransform().rotate(90)), QStringLiteral("mdi.bmp"));
    save(buttonStrip(l, 24, 22, false), QStringLiteral("button.bmp"));
    save(buttonStrip(l, 24, 24, true), QStringLiteral("image_button.bmp"));
    save(marks(l, false), QStringLiteral("check.bmp"));
    save(marks(l, true), QStringLiteral("radio.bmp"));
    save(captionButton(l, 12, rollUpGlyph), QStringLiteral("rollup.bmp"));

    QFile file(folder + QStringLiteral("/skin.skn"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    QTextStream skn(&file);
    skn << "; The " << l.name << " skin of Paginor, drawn by scripts/skin-pictures/make_skins.cpp.\n";
    skn << "[SKIN]\nVER=2.0\n\n[COMMON]\n";
    skn << "COLOR_3DFACE=" << rgbText(l.face) << "\nCOLOR_3DHIGHLIGHT=" << rgbText(l.highlight)
        << "\nCOLOR_3DLIGHT=" << rgbText(l.light) << "\nCOLOR_3DDKSHADOW=" << rgbText(l.darkShadow)
        << "\nCOLOR_3DSHADOW=" << rgbText(l.shadow) << "\nCONTROL_STYLE_EX=" << l.controlStyle
        << "\nBKGND_PATTERN_ON=1\nBKGND_PATTERN_IMAGE=pattern.bmp\n\n";
    const QString text = QStringLiteral("CAPTION_TEXT_COLOR_ACTIVE=%1\nCAPTION_TEXT_COLOR_INACTIVE=%2\n"
                                        "CAPTION_TEXT_FONT=default\nCAPTION_TEXT_APPICON_VISIBLE=1\n")
                             .arg(rgbText(l.glyph == Qt::white ? Qt::white : QColor(255, 255, 255)),
                                  rgbText(l.borderInactive.darker(160)));
    writeFrame(skn, QStringLiteral("MAINFRAME"), QString(), 26, 3, text);
    writeFrame(skn, QStringLiteral("CHILDFRAME"), QStringLiteral("small_"), 20, 3, QString());
    writeFrame(skn, QStringLiteral("DIALOG"), QString(), 26, 2, QString());
    // Spring gives no floating-bar frame of its own: those take the main frame's.
    if (!spring)
        writeFrame(skn, QStringLiteral("MINIFRAME"), QStringLiteral("small_"), 20, 1, QString());
    skn << "[MDICLIENT]\n";
    if (l.mdiPicture)
        skn << "BKGND_PATTERN_IMAGE=mdi.bmp\n\n";
    else
        skn << "BKGND_COLOR=" << rgbText(l.mdi) << "\n\n";
    skn << "[BUTTON]\nBUTTON_IMAGE=button.bmp\nBUTTON_WIDTH=24\nBUTTON_IMAGE_STRETCH_HOR=6,18\n"
           "BUTTON_IMAGE_STRETCH_VER=6,16\nBUTTON_IMAGE_TRANSPARENTCOLOR=255,0,255\n"
        << "BUTTON_TEXT_COLOR_ENABLED=" << rgbText(l.darkShadow)
        << "\nBUTTON_TEXT_COLOR_HOVER=" << rgbText(l.border.darker(150))
        << "\nBUTTON_TEXT_COLOR_DISABLED=" << rgbText(l.shadow) << "\n\n";
    skn << "[IMAGE_BUTTON]\nBUTTON_IMAGE=image_button.bmp\nBUTTON_WIDTH=24\nBUTTON_IMAGE_STRETCH_HOR=6,18\n"
           "BUTTON_IMAGE_STRETCH_VER=6,18\nBUTTON_IMAGE_TRANSPARENTCOLOR=255,0,255\n\n";
    for (auto [section, image] : {std::pair{"CHECKBOX", "check.bmp"}, std::pair{"RADIOBUTTON", "radio.bmp"}})
        skn << "[" << section << "]\nBUTTON_IMAGE=" << image
            << "\nBUTTON_WIDTH=13\nBUTTON_IMAGE_TRANSPARENTCOLOR=255,0,255\n\n";
    skn << "[ETC]\nSHRINK_MINI_IMAGE=rollup.bmp\nSHRINK_MINI_WIDTH=12\nSHRINK_MINI_POS=22,4\n"
           "TRANSPARENT_COLOR=255,0,255\n";
}

// The chooser's 80 x 50 picture of a skin: a small window in its colours.
void makePreview(const Look& l, const QString& root, bool plain)
{
    QImage image(80, 50, QImage::Format_RGB32);
    image.fill(plain ? QColor(212, 208, 200) : l.patternA);
    QPainter p(&image);
    if (plain) {
        p.fillRect(2, 2, 76, 12, QColor(10, 36, 106));
        p.setPen(Qt::white);
        p.drawRect(0, 0, 79, 49);
        p.setPen(QColor(128, 128, 128));
        p.drawLine(79, 0, 79, 49);
        p.drawLine(0, 49, 79, 49);
        p.fillRect(66, 4, 9, 8, QColor(212, 208, 200));
    } else {
        p.drawImage(QRect(0, 0, 80, 50), pattern(l, 32, l.name == QLatin1String("spring")), QRect(0, 0, 32, 32));
        QImage top = caption(l, 160, 26).copy(0, 0, 160, 26).scaled(80, 13);
        p.drawImage(0, 0, top);
        p.fillRect(0, 13, 2, 37, l.border);
        p.fillRect(78, 13, 2, 37, l.border);
        p.fillRect(0, 48, 80, 2, l.border);
        p.drawImage(67, 2, keyed(captionButton(l, 18, closeGlyph).copy(0, 0, 18, 18)).scaled(9, 9));
        p.fillRect(8, 20, 64, 22, l.face);
        p.setPen(l.shadow);
        p.drawRect(8, 20, 63, 21);
    }
    p.end();
    Magick::Image gif(image.width(), image.height(), "BGRA", Magick::CharPixel, image.constBits());
    gif.magick("GIF");
    gif.write((root + QStringLiteral("/share/Bin/skins/") + l.name + QStringLiteral(".gif")).toStdString());
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    Magick::InitializeMagick(*argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_skins <repository root>\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const Look metal{QStringLiteral("metal"),
                     QColor(200, 204, 210),
                     QColor(250, 251, 253),
                     QColor(224, 228, 233),
                     QColor(52, 58, 68),
                     QColor(132, 140, 152),
                     QColor(120, 134, 156),
                     QColor(62, 74, 96),
                     QColor(176, 182, 190),
                     QColor(142, 148, 158),
                     QColor(86, 98, 120),
                     QColor(150, 156, 164),
                     QColor(226, 230, 236),
                     QColor(164, 172, 184),
                     QColor(240, 244, 250),
                     QColor(40, 44, 52),
                     QColor(196, 200, 206),
                     QColor(188, 192, 198),
                     QColor(110, 118, 130),
                     6,
                     false,
                     1,
                     true};
    const Look spring{QStringLiteral("spring"),
                      QColor(238, 244, 226),
                      QColor(255, 255, 250),
                      QColor(246, 250, 238),
                      QColor(70, 96, 52),
                      QColor(160, 186, 132),
                      QColor(150, 206, 120),
                      QColor(84, 150, 70),
                      QColor(226, 210, 222),
                      QColor(204, 184, 198),
                      QColor(96, 156, 80),
                      QColor(200, 186, 196),
                      QColor(255, 236, 244),
                      QColor(240, 190, 212),
                      QColor(255, 250, 252),
                      QColor(92, 60, 84),
                      QColor(240, 246, 228),
                      QColor(250, 206, 222),
                      QColor(196, 222, 176),
                      9,
                      true,
                      0,
                      false};
    makeSkin(metal, root);
    makeSkin(spring, root);
    makePreview(metal, root, false);
    makePreview(spring, root, false);
    Look classic = metal;
    classic.name = QStringLiteral("classic");
    QDir().mkpath(root + QStringLiteral("/share/Bin/skins/classic"));
    // Classic is no skin: its folder only lists it, and its file is never read.
    QFile classicFile(root + QStringLiteral("/share/Bin/skins/classic/skin.skn"));
    if (classicFile.open(QIODevice::WriteOnly | QIODevice::Truncate))
        classicFile.write("; The plain look: no skin is read for classic.\n[SKIN]\nVER=0\n");
    makePreview(classic, root, true);
    return 0;
}
