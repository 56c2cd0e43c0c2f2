// Draws the toolbar pictures of res/icons: one 16 x 16 picture per command
// (res/icons/16/<id>.png) on
// one grid: a rounded tile lit from the top left in the colour of the
// command's family, with its glyph. The glyph is a symbol where one reads
// well, else the first character of the command's short name.
//
//   g++ -std=c++20 -fPIC make_icons.cpp $(pkg-config --cflags --libs Qt6Gui) -o make_icons
//   QT_QPA_PLATFORM=offscreen ./make_icons <repository root>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRegularExpression>
#include <QTextStream>

namespace {

struct Family
{
    QColor tile;
    QList<int> ids;
};

QHash<int, QString> readShortNames(const QString& root)
{
    QHash<int, QString> names;
    const QDir folder(root + QStringLiteral("/res/strings"));
    for (const QString& name : folder.entryList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name)) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QTextStream in(&file);
        while (!in.atEnd()) {
            const QString line = in.readLine();
            const int tab = line.indexOf(QLatin1Char('\t'));
            if (tab <= 0)
                continue;
            const QString text = line.mid(tab + 1);
            const QString shortName = text.section(QStringLiteral("\\n"), 1).trimmed();
            names.insert(line.left(tab).toInt(), shortName.isEmpty() ? text : shortName);
        }
    }
    return names;
}

// Menu texts as the names of commands the string table does not name.
void addMenuNames(const QString& root, QHash<int, QString>& names)
{
    const QDir menus(root + QStringLiteral("/res/menus"));
    static const QRegularExpression entry(QStringLiteral("^\\s*(\\d+) (.+)$"));
    for (const QString& name : menus.entryList({QStringLiteral("*.menu")})) {
        QFile file(menus.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            const QRegularExpressionMatch match = entry.match(line);
            if (match.hasMatch() && names.value(match.captured(1).toInt()).trimmed().isEmpty())
                names.insert(match.captured(1).toInt(), match.captured(2));
        }
    }
}

QList<int> barIds(const QString& root, int bar)
{
    QFile file(root + QStringLiteral("/res/toolbars/%1.bar").arg(bar));
    QList<int> ids;
    if (!file.open(QIODevice::ReadOnly))
        return ids;
    for (const QString& word :
         QString::fromUtf8(file.readAll()).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        if (word.toInt() > 0)
            ids.append(word.toInt());
    }
    return ids;
}

// Symbols for the commands whose name does not start with a telling character.
const QHash<int, QString>& glyphs()
{
    static const QHash<int, QString> table = {
        {32930, QStringLiteral("B")},      {32931, QStringLiteral("I")},      {32932, QStringLiteral("U")},
        {32933, QStringLiteral("A")},      {32934, QStringLiteral("A")},      {32935, QStringLiteral("A+")},
        {32936, QStringLiteral("A-")},     {32937, QStringLiteral("A")},      {33184, QStringLiteral("\u2190")},
        {33185, QStringLiteral("\u2192")}, {33186, QStringLiteral("\u00d7")}, {33187, QStringLiteral("\u21bb")},
        {33462, QStringLiteral("\u21b6")}, {33463, QStringLiteral("\u21b7")}, {33464, QStringLiteral("\u2702")},
        {33465, QStringLiteral("\u2398")}, {33466, QStringLiteral("\u2399")}, {57607, QStringLiteral("\u2399")},
        {33106, QStringLiteral("\u25a4")}, {33353, QStringLiteral("\u03a9")}, {33154, QStringLiteral("F")},
        {33409, QStringLiteral("R")},      {33406, QStringLiteral("F")},      {33407, QStringLiteral("S")},
        {33460, QStringLiteral("\u25b6")}, {33229, QStringLiteral("\u25a6")}, {32920, QStringLiteral("\u2015")},
        {33135, QStringLiteral("\u260d")}, {33128, QStringLiteral("T")},      {33400, QStringLiteral("e")},
        {33346, QStringLiteral("\u2196")}, {33347, QStringLiteral("\u25ad")}, {33348, QStringLiteral("\u25cb")},
        {33349, QStringLiteral("\u2b20")},
    };
    return table;
}

// Alignment pictures: lines of text set left, centred, right or justified.
bool drawAlignment(QPainter& p, int id, int size)
{
    static const QHash<int, int> kinds = {{32938, 0}, {32939, 1}, {32940, 2}, {32941, 3}, {32942, 1}, {32943, 3}};
    if (!kinds.contains(id))
        return false;
    const int kind = kinds.value(id);
    const qreal u = size / 16.0;
    p.setPen(QPen(QColor(30, 30, 30), u));
    for (int row = 0; row < 4; ++row) {
        const qreal y = (4 + row * 2.5) * u;
        const qreal full = 10 * u;
        const qreal len = (row % 2 == 1 && kind != 3) ? 6 * u : full;
        qreal x = 3 * u;
        if (kind == 1)
            x = 3 * u + (full - len) / 2;
        else if (kind == 2)
            x = 3 * u + full - len;
        p.drawLine(QPointF(x, y), QPointF(x + len, y));
    }
    return true;
}

QImage draw(int id, const QColor& tile, const QString& glyph, int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const qreal u = size / 16.0;
    const QRectF body(0.5 * u + 0.5, 0.5 * u + 0.5, size - u - 1, size - u - 1);
    QLinearGradient light(body.topLeft(), body.bottomRight());
    light.setColorAt(0, tile.lighter(150));
    light.setColorAt(1, tile);
    p.setPen(QPen(tile.darker(160), 1));
    p.setBrush(light);
    p.drawRoundedRect(body, 3 * u, 3 * u);
    if (!drawAlignment(p, id, size)) {
        QFont font(QStringLiteral("IPAGothic"));
        font.setPixelSize(glyph.size() > 1 ? int(9 * u) : int(12 * u));
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(0, 0, 0, 90));
        p.drawText(body.translated(0.6 * u, 0.6 * u), Qt::AlignCenter, glyph);
        p.setPen(Qt::white);
        p.drawText(body, Qt::AlignCenter, glyph);
    }
    // The colour buttons leave room for the bar of their colour under the glyph.
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QString root = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QHash<int, QString> names = readShortNames(root);
    addMenuNames(root, names);
    QList<Family> families = {
        {QColor(46, 98, 178), barIds(root, 601)},
        {QColor(52, 140, 72), barIds(root, 602)},
        {QColor(96, 96, 110), barIds(root, 603)},
        {QColor(120, 112, 96), barIds(root, 604)},
        {QColor(120, 112, 96), barIds(root, 605)},
        {QColor(128, 70, 160), barIds(root, 606)},
        {QColor(28, 128, 128), barIds(root, 607)},
        {QColor(200, 110, 30), barIds(root, 608)},
        {QColor(140, 90, 60), barIds(root, 609)},
        {QColor(46, 98, 178), barIds(root, 610)},
        {QColor(90, 110, 140), barIds(root, 611)},
        {QColor(128, 70, 160), {33312, 33313, 33314, 33315, 33316, 1410, 1411}},
    };
    QHash<int, bool> done;
    for (const Family& family : families) {
        for (int id : family.ids) {
            if (id == 32928 || id == 32929 || done.contains(id))
                continue;
            done.insert(id, true);
            QString glyph = glyphs().value(id);
            if (glyph.isEmpty()) {
                QString name = names.value(id);
                name.remove(QRegularExpression(QStringLiteral("\\(&?.\\)|&|\\.\\.\\.$|[ 　]|\\t.*$")));
                glyph = name.left(1).toUpper();
            }
            for (int size : {16}) {
                QDir().mkpath(root + QStringLiteral("/res/icons/%1").arg(size));
                draw(id, family.tile, glyph, size)
                    .save(root + QStringLiteral("/res/icons/%1/%2.png").arg(size).arg(id));
            }
        }
    }
    return 0;
}
