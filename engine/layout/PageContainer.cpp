#include "engine/layout/PageContainer.h"

#include "engine/layout/ImageFilters.h"
#include "engine/layout/LayoutElements.h"
#include "engine/layout/LayoutSerializer.h"
#include "engine/layout/StyleSheetText.h"

#include <QDir>
#include <QGlyphRun>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <utility>

namespace engine {

QPainter* painterOf(litehtml::uint_ptr hdc)
{
    return reinterpret_cast<QPainter*>(hdc);
}

QRect toQRect(const litehtml::position& pos)
{
    return QRect(pos.x, pos.y, pos.width, pos.height);
}

QColor toQColor(const litehtml::web_color& color)
{
    return QColor(color.red, color.green, color.blue, color.alpha);
}

namespace pagecontainer_detail {
// Set when the element made last is a STYLE (see create_element). Per
// thread: the parts of a long page are made on several at once.
thread_local bool styleSheetTextNext = false;

constexpr qint64 kMaxStyleSheetBytes = 4 * 1024 * 1024;

QString fromUcs4(const std::u32string& s)
{
    return QString::fromUcs4(s.data(), static_cast<qsizetype>(s.size()));
}

bool isSpaceChar(char32_t c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// Opening brackets keep to the character after them.
bool isCjkNoLineEnd(char32_t c)
{
    switch (c) {
    case 0x3008:
    case 0x300A:
    case 0x300C:
    case 0x300E:
    case 0x3010:
    case 0x3014:
    case 0x3016:
    case 0xFF08:
    case 0xFF3B:
    case 0xFF5B:
    case 0x2018:
    case 0x201C:
        return true;
    default:
        return false;
    }
}

QColor lighter3d(const QColor& c)
{
    return c.lightness() > 200 ? QColor(0xff, 0xff, 0xff) : c.lighter(160);
}

QColor darker3d(const QColor& c)
{
    return c.lightness() < 40 ? QColor(0x80, 0x80, 0x80) : c.darker(160);
}

} // namespace pagecontainer_detail

PageContainer::PageContainer() = default;
PageContainer::~PageContainer() = default;

void PageContainer::setBaseFolder(const QString& folder)
{
    if (folder == m_baseFolder)
        return;
    m_baseFolder = folder;
    m_images.clear();
}

QString PageContainer::resolvePath(const QString& srcIn, const QString& baseUrl) const
{
    QString src = srcIn.trimmed();
    src.replace('\\', '/');
    if (src.isEmpty())
        return QString();
    const QUrl url(src);
    if (url.isValid() && !url.scheme().isEmpty() && url.scheme().size() > 1) {
        if (url.scheme().compare(QLatin1String("file"), Qt::CaseInsensitive) != 0)
            return QString();
        return url.toLocalFile();
    }
    QString path = QUrl::fromPercentEncoding(src.toUtf8());
    // (Called for every image at every layout: no pattern to compile.)
    const auto cut = std::find_if(path.cbegin(), path.cend(), [](QChar c) { return c == u'?' || c == u'#'; });
    path.truncate(static_cast<int>(cut - path.cbegin()));
    if (QDir::isAbsolutePath(path))
        return QDir::cleanPath(path);
    QString base = baseUrl.isEmpty() ? m_baseFolder : baseUrl;
    if (base.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        base = QUrl(base).toLocalFile();
    if (base.isEmpty())
        return QString();
    return QDir::cleanPath(QDir(base).filePath(path));
}

QImage PageContainer::image(const QString& src, const QString& baseUrl)
{
    const QString path = resolvePath(src, baseUrl);
    if (path.isEmpty())
        return QImage();
    {
        const std::lock_guard guard(m_imagesLock);
        const auto found = m_images.constFind(path);
        if (found != m_images.constEnd())
            return found.value();
    }
    QImage img;
    const QFileInfo info(path);
    if (info.isFile() && info.size() < 64 * 1024 * 1024)
        img.load(path);
    const std::lock_guard guard(m_imagesLock);
    m_images.insert(path, img);
    return img;
}

void PageContainer::paintBelowContent(litehtml::uint_ptr hdc, int nodeId, const QRect& borderBox)
{
    if (m_belowContent && nodeId >= 0 && hdc)
        m_belowContent(*painterOf(hdc), nodeId, borderBox);
}

litehtml::uint_ptr PageContainer::create_font(const litehtml::tchar_t* faceName, int size, int weight,
                                              litehtml::font_style italic, unsigned int decoration,
                                              litehtml::font_metrics* fm)
{
    const QString faces = faceName ? QString::fromUtf8(faceName) : FontCatalog::defaultFamilyList();
    unsigned deco = 0;
    if (decoration & litehtml::font_decoration_underline)
        deco |= FontCatalog::Underline;
    if (decoration & litehtml::font_decoration_linethrough)
        deco |= FontCatalog::LineThrough;
    if (decoration & litehtml::font_decoration_overline)
        deco |= FontCatalog::Overline;
    const int handle = m_fonts.font(faces, size, weight, italic == litehtml::fontStyleItalic, deco);
    if (fm) {
        const FontMetricsPx& m = m_fonts.metrics(handle);
        fm->ascent = m.ascent;
        fm->descent = m.descent;
        fm->height = m.height;
        fm->x_height = m.xHeight;
        fm->draw_spaces = italic == litehtml::fontStyleItalic || decoration != 0;
    }
    return static_cast<litehtml::uint_ptr>(handle);
}

void PageContainer::delete_font(litehtml::uint_ptr)
{
    // Fonts live as long as the catalog; layout documents share them.
}

int PageContainer::text_width(const litehtml::tchar_t* text, litehtml::uint_ptr hFont)
{
    if (!text || !hFont)
        return 0;
    return m_fonts.textWidth(static_cast<int>(hFont), std::string_view(text));
}

void PageContainer::draw_text(litehtml::uint_ptr hdc, const litehtml::tchar_t* text, litehtml::uint_ptr hFont,
                              litehtml::web_color color, const litehtml::position& pos)
{
    if (!hdc || !text || !hFont)
        return;
    QPainter* p = painterOf(hdc);
    const int handle = static_cast<int>(hFont);
    const FontCatalog::ShapedText& shaped = m_fonts.shapedText(handle, p->device(), QString::fromUtf8(text));
    p->setPen(toQColor(color));
    const QPointF origin(pos.x, pos.y + m_fonts.metrics(handle).ascent - shaped.baseline);
    for (const QGlyphRun& run : shaped.runs) {
        if (!run.underline() && !run.strikeOut() && !run.overline()) {
            p->drawGlyphRun(origin, run);
            continue;
        }
        // Where the glyphs come from the glyph cache, the painter draws a
        // run's own lines moved by its translation a second time (far below
        // and beside the text on a scrolled page): the lines are drawn here.
        QGlyphRun bare = run;
        bare.setUnderline(false);
        bare.setStrikeOut(false);
        bare.setOverline(false);
        p->drawGlyphRun(origin, bare);
        drawTextLines(*p, origin, run, toQColor(color));
    }
}

void PageContainer::drawTextLines(QPainter& p, const QPointF& origin, const QGlyphRun& run, const QColor& color)
{
    const QList<QPointF> positions = run.positions();
    if (positions.isEmpty())
        return;
    const QRawFont font = run.rawFont();
    QRectF span = run.boundingRect();
    if (span.width() <= 0) {
        const QList<QPointF> advances = font.advancesForGlyphIndexes(run.glyphIndexes());
        span.setLeft(positions.first().x());
        span.setRight(positions.last().x() + (advances.isEmpty() ? 0 : advances.last().x()));
    }
    const qreal thickness = std::max<qreal>(1, std::round(font.lineThickness()));
    const qreal baseline = origin.y() + positions.first().y();
    const auto line = [&](qreal y) {
        p.fillRect(QRectF(origin.x() + span.left(), std::round(y), span.width(), thickness), color);
    };
    if (run.underline())
        line(baseline + std::max<qreal>(1, font.underlinePosition()) - thickness / 2);
    if (run.strikeOut())
        line(baseline - font.ascent() / 3);
    if (run.overline())
        line(baseline - font.ascent());
}

int PageContainer::pt_to_px(int pt) const
{
    return pt * 96 / 72;
}

int PageContainer::get_default_font_size() const
{
    return 16;
}

const litehtml::tchar_t* PageContainer::get_default_font_name() const
{
    static const QByteArray name = FontCatalog::defaultFamilyList().toUtf8();
    return name.constData();
}

void PageContainer::draw_list_marker(litehtml::uint_ptr hdc, const litehtml::list_marker& marker)
{
    if (!hdc)
        return;
    QPainter* p = painterOf(hdc);
    const QRect box = toQRect(marker.pos);
    if (!marker.image.empty()) {
        const QImage img =
            image(QString::fromStdString(marker.image), marker.baseurl ? QString::fromUtf8(marker.baseurl) : QString());
        if (!img.isNull()) {
            p->drawImage(box.topLeft(), img);
            return;
        }
    }
    const QColor color = toQColor(marker.color);
    p->save();
    p->setRenderHint(QPainter::Antialiasing, true);
    switch (marker.marker_type) {
    case litehtml::list_style_type_circle:
        p->setPen(QPen(color, 1));
        p->setBrush(Qt::NoBrush);
        p->drawEllipse(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
        break;
    case litehtml::list_style_type_square:
        p->fillRect(box, color);
        break;
    case litehtml::list_style_type_disc:
        p->setPen(Qt::NoPen);
        p->setBrush(color);
        p->drawEllipse(box);
        break;
    default:
        // Numbered markers are drawn by the layout as text.
        break;
    }
    p->restore();
}

void PageContainer::load_image(const litehtml::tchar_t* src, const litehtml::tchar_t* baseurl, bool)
{
    if (src)
        image(QString::fromUtf8(src), baseurl ? QString::fromUtf8(baseurl) : QString());
}

void PageContainer::get_image_size(const litehtml::tchar_t* src, const litehtml::tchar_t* baseurl, litehtml::size& sz)
{
    sz.width = 0;
    sz.height = 0;
    if (!src)
        return;
    const QImage img = image(QString::fromUtf8(src), baseurl ? QString::fromUtf8(baseurl) : QString());
    if (!img.isNull()) {
        sz.width = img.width();
        sz.height = img.height();
    }
}

QPixmap PageContainer::filteredPicture(const QString& key, const QImage& img, QSize size)
{
    const QString cacheKey = key + QLatin1Char('\n') + QString::number(size.width()) + QLatin1Char('x') +
                             QString::number(size.height()) + QLatin1Char('\n') + m_imageFilter;
    if (const QPixmap* cached = m_filtered.object(cacheKey))
        return *cached;
    // The effect is computed on the picture as shown, so its cost follows the box, not the file.
    const QImage scaled = size == img.size() ? img : img.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage filtered = applyImageFilters(scaled, m_imageFilter);
    auto* pm = new QPixmap(QPixmap::fromImage(
        filtered.size() == size ? filtered : filtered.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    const QPixmap result = *pm;
    m_filtered.insert(cacheKey, pm, std::max<qint64>(1, qint64(size.width()) * size.height()));
    return result;
}

void PageContainer::draw_background(litehtml::uint_ptr hdc, const litehtml::background_paint& bg)
{
    if (!hdc)
        return;
    QPainter* p = painterOf(hdc);
    const QRect clip = toQRect(bg.clip_box);
    if (bg.color.alpha > 0)
        p->fillRect(clip, toQColor(bg.color));
    if (bg.image.empty())
        return;
    QImage img = image(QString::fromStdString(bg.image), QString::fromStdString(bg.baseurl));
    if (img.isNull())
        return;
    const QSize size(bg.image_size.width > 0 ? bg.image_size.width : img.width(),
                     bg.image_size.height > 0 ? bg.image_size.height : img.height());
    if (size.isEmpty())
        return;
    QPixmap pm;
    if (!m_imageFilter.trimmed().isEmpty()) {
        pm = filteredPicture(QString::fromStdString(bg.baseurl) + QLatin1Char('\n') + QString::fromStdString(bg.image),
                             img, size);
    } else {
        if (size != img.size())
            img = img.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        pm = QPixmap::fromImage(img);
    }
    p->save();
    p->setClipRect(clip, Qt::IntersectClip);
    int x = bg.position_x;
    int y = bg.position_y;
    switch (bg.repeat) {
    case litehtml::background_repeat_no_repeat:
        p->drawPixmap(x, y, pm);
        break;
    case litehtml::background_repeat_repeat_x: {
        while (x > clip.left())
            x -= size.width();
        p->drawTiledPixmap(QRect(x, y, clip.right() + 1 - x, size.height()), pm);
        break;
    }
    case litehtml::background_repeat_repeat_y: {
        while (y > clip.top())
            y -= size.height();
        p->drawTiledPixmap(QRect(x, y, size.width(), clip.bottom() + 1 - y), pm);
        break;
    }
    case litehtml::background_repeat_repeat: {
        while (x > clip.left())
            x -= size.width();
        while (y > clip.top())
            y -= size.height();
        p->drawTiledPixmap(QRect(x, y, clip.right() + 1 - x, clip.bottom() + 1 - y), pm);
        break;
    }
    }
    p->restore();
}

void PageContainer::draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& borders,
                                 const litehtml::position& draw_pos, bool)
{
    using namespace pagecontainer_detail;
    if (!hdc)
        return;
    QPainter* p = painterOf(hdc);
    const int l = draw_pos.left(), t = draw_pos.top(), r = draw_pos.right(), b = draw_pos.bottom();
    const int lw = borders.left.style > litehtml::border_style_hidden ? borders.left.width : 0;
    const int tw = borders.top.style > litehtml::border_style_hidden ? borders.top.width : 0;
    const int rw = borders.right.style > litehtml::border_style_hidden ? borders.right.width : 0;
    const int bw = borders.bottom.style > litehtml::border_style_hidden ? borders.bottom.width : 0;
    if (!lw && !tw && !rw && !bw)
        return;

    enum Side { Left, Top, Right, Bottom };
    auto sideColor = [](const litehtml::border& bd, Side side) {
        QColor c = toQColor(bd.color);
        const bool topLeft = side == Left || side == Top;
        switch (bd.style) {
        case litehtml::border_style_inset:
        case litehtml::border_style_groove:
            return topLeft ? darker3d(c) : lighter3d(c);
        case litehtml::border_style_outset:
        case litehtml::border_style_ridge:
            return topLeft ? lighter3d(c) : darker3d(c);
        default:
            return c;
        }
    };
    auto drawSide = [&](const litehtml::border& bd, Side side, const QPolygon& poly, const QLine& mid, int width) {
        if (width <= 0)
            return;
        const QColor c = sideColor(bd, side);
        if (bd.style == litehtml::border_style_dotted || bd.style == litehtml::border_style_dashed) {
            QPen pen(c, width, bd.style == litehtml::border_style_dotted ? Qt::DotLine : Qt::DashLine, Qt::FlatCap);
            p->setPen(pen);
            p->setBrush(Qt::NoBrush);
            p->drawLine(mid);
            return;
        }
        p->setPen(Qt::NoPen);
        p->setBrush(c);
        p->drawPolygon(poly);
    };

    p->save();
    p->setRenderHint(QPainter::Antialiasing, false);
    drawSide(borders.top, Top, QPolygon({QPoint(l, t), QPoint(r, t), QPoint(r - rw, t + tw), QPoint(l + lw, t + tw)}),
             QLine(l, t + tw / 2, r - 1, t + tw / 2), tw);
    drawSide(borders.bottom, Bottom,
             QPolygon({QPoint(l, b), QPoint(r, b), QPoint(r - rw, b - bw), QPoint(l + lw, b - bw)}),
             QLine(l, b - (bw + 1) / 2, r - 1, b - (bw + 1) / 2), bw);
    drawSide(borders.left, Left, QPolygon({QPoint(l, t), QPoint(l + lw, t + tw), QPoint(l + lw, b - bw), QPoint(l, b)}),
             QLine(l + lw / 2, t, l + lw / 2, b - 1), lw);
    drawSide(borders.right, Right,
             QPolygon({QPoint(r, t), QPoint(r - rw, t + tw), QPoint(r - rw, b - bw), QPoint(r, b)}),
             QLine(r - (rw + 1) / 2, t, r - (rw + 1) / 2, b - 1), rw);
    p->restore();
}

void PageContainer::drawPlaceholder(litehtml::uint_ptr hdc, const QRect& box, const QString& label, int kind)
{
    if (!hdc || box.isEmpty())
        return;
    QPainter* p = painterOf(hdc);
    p->save();
    p->setClipRect(box, Qt::IntersectClip);
    const QColor light(0xff, 0xff, 0xff), shade(0x80, 0x80, 0x80), face(0xd4, 0xd0, 0xc8);
    auto bevel = [&](const QRect& r, bool sunken) {
        p->setPen(sunken ? shade : light);
        p->drawLine(r.topLeft(), r.topRight());
        p->drawLine(r.topLeft(), r.bottomLeft());
        p->setPen(sunken ? light : shade);
        p->drawLine(r.bottomLeft(), r.bottomRight());
        p->drawLine(r.topRight(), r.bottomRight());
    };
    QFont font(QStringList{QStringLiteral("IPAPGothic")}, -1);
    font.setPixelSize(12);
    p->setFont(font);
    switch (kind) {
    case PlaceholderField:
    case PlaceholderList:
        p->fillRect(box, light);
        p->setPen(shade);
        p->drawRect(box.adjusted(0, 0, -1, -1));
        p->setPen(Qt::black);
        p->drawText(box.adjusted(3, 0, kind == PlaceholderList ? -18 : -3, 0), Qt::AlignVCenter | Qt::AlignLeft, label);
        if (kind == PlaceholderList) {
            const QRect arrow(box.right() - 16, box.top() + 2, 15, box.height() - 4);
            p->fillRect(arrow, face);
            bevel(arrow, false);
            const QPoint c = arrow.center();
            p->setBrush(Qt::black);
            p->setPen(Qt::NoPen);
            p->drawPolygon(
                QPolygon({QPoint(c.x() - 3, c.y() - 1), QPoint(c.x() + 4, c.y() - 1), QPoint(c.x(), c.y() + 3)}));
        }
        break;
    case PlaceholderButton:
        p->fillRect(box, face);
        bevel(box, false);
        p->setPen(Qt::black);
        p->drawText(box, Qt::AlignCenter, label);
        break;
    case PlaceholderCheck:
    case PlaceholderRadio:
        p->setRenderHint(QPainter::Antialiasing, kind == PlaceholderRadio);
        p->setBrush(light);
        p->setPen(shade);
        if (kind == PlaceholderRadio)
            p->drawEllipse(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
        else
            p->drawRect(box.adjusted(0, 0, -1, -1));
        break;
    case PlaceholderBrokenImage:
        bevel(box, true);
        p->setPen(QColor(0xcc, 0, 0));
        if (box.width() >= 12 && box.height() >= 12) {
            const QRect icon(box.left() + 4, box.top() + 4, 8, 8);
            p->drawLine(icon.topLeft(), icon.bottomRight());
            p->drawLine(icon.topRight(), icon.bottomLeft());
        }
        break;
    case PlaceholderObject:
    default:
        p->fillRect(box, QColor(0xee, 0xee, 0xee));
        p->setPen(QPen(shade, 1));
        p->drawRect(box.adjusted(0, 0, -1, -1));
        p->setPen(shade);
        p->drawText(box, Qt::AlignCenter, label);
        break;
    }
    p->restore();
}

void PageContainer::set_caption(const litehtml::tchar_t*) {}

void PageContainer::set_base_url(const litehtml::tchar_t*)
{
    // The engine's base folder decides; a BASE element of the page is not followed.
}

void PageContainer::link(const std::shared_ptr<litehtml::document>&, const litehtml::element::ptr&) {}

void PageContainer::on_anchor_click(const litehtml::tchar_t*, const litehtml::element::ptr&) {}

void PageContainer::set_cursor(const litehtml::tchar_t*) {}

void PageContainer::transform_text(litehtml::tstring& text, litehtml::text_transform tt)
{
    QString s = QString::fromStdString(text);
    switch (tt) {
    case litehtml::text_transform_uppercase:
        s = s.toUpper();
        break;
    case litehtml::text_transform_lowercase:
        s = s.toLower();
        break;
    case litehtml::text_transform_capitalize:
        if (!s.isEmpty())
            s[0] = s[0].toUpper();
        break;
    default:
        return;
    }
    text = s.toStdString();
}

PageContainer::StyleSheet PageContainer::styleSheet(const QString& path)
{
    {
        const std::lock_guard guard(m_styleSheetsLock);
        const auto found = m_styleSheets.constFind(path);
        if (found != m_styleSheets.constEnd())
            return found.value();
    }
    StyleSheet sheet;
    QFile file(path);
    if (file.size() <= pagecontainer_detail::kMaxStyleSheetBytes && file.open(QIODevice::ReadOnly)) {
        const QByteArray css = file.readAll();
        sheet.allowsParts = LayoutSerializer::styleSheetAllowsParts(QString::fromUtf8(css));
        sheet.text = css.toStdString();
        layoutelements_detail::quoteAttributeValues(sheet.text);
        splitNegationLists(sheet.text);
        readMediaFeatures(sheet.text);
        sheet.folder = QFileInfo(path).absolutePath().toStdString();
    }
    // (Read on two threads at once, the first reading stands.)
    const std::lock_guard guard(m_styleSheetsLock);
    return *m_styleSheets.insert(path, m_styleSheets.value(path, sheet));
}

void PageContainer::forgetStyleSheets()
{
    const std::lock_guard guard(m_styleSheetsLock);
    m_styleSheets.clear();
}

bool PageContainer::styleSheetAllowsParts(const QString& href)
{
    const QString path = resolvePath(href);
    return path.isEmpty() || styleSheet(path).allowsParts;
}

bool PageContainer::styleSheetsAllowParts() const
{
    const std::lock_guard guard(m_styleSheetsLock);
    return std::all_of(m_styleSheets.cbegin(), m_styleSheets.cend(), [](const StyleSheet& s) { return s.allowsParts; });
}

void PageContainer::import_css(litehtml::tstring& text, const litehtml::tstring& url, litehtml::tstring& baseurl)
{
    text.clear();
    const QString path = resolvePath(QString::fromStdString(url), QString::fromStdString(baseurl));
    if (path.isEmpty())
        return;
    StyleSheet sheet = styleSheet(path);
    if (sheet.folder.empty())
        return;
    text = std::move(sheet.text);
    baseurl = std::move(sheet.folder);
}

void PageContainer::set_clip(const litehtml::position& pos, const litehtml::border_radiuses&, bool valid_x,
                             bool valid_y)
{
    if (!m_drawPainter)
        return;
    const QRect clip(valid_x ? pos.x : -1000000, valid_y ? pos.y : -1000000, valid_x ? pos.width : 2000000,
                     valid_y ? pos.height : 2000000);
    m_drawPainter->save();
    m_drawPainter->setClipRect(clip, Qt::IntersectClip);
    ++m_clipDepth;
}

void PageContainer::del_clip()
{
    if (!m_drawPainter || m_clipDepth == 0)
        return;
    --m_clipDepth;
    m_drawPainter->restore();
}

void PageContainer::beginDraw(QPainter* painter)
{
    m_drawPainter = painter;
    m_clipDepth = 0;
}

void PageContainer::endDraw()
{
    while (m_clipDepth > 0)
        del_clip();
    m_drawPainter = nullptr;
}

void PageContainer::get_client_rect(litehtml::position& client) const
{
    client = litehtml::position(0, 0, m_viewport.width(), m_viewport.height());
}

std::shared_ptr<litehtml::element> PageContainer::create_element(const litehtml::tchar_t* tag_name,
                                                                 const litehtml::string_map& attributes,
                                                                 const std::shared_ptr<litehtml::document>& doc)
{
    auto el = createLayoutElement(tag_name, attributes, doc, *this);
    // litehtml makes an element's children right after it: the text it
    // splits next is the sheet's own, if it bears the mark.
    pagecontainer_detail::styleSheetTextNext = dynamic_cast<StyleSheetElement*>(el.get()) != nullptr;
    return el;
}

void PageContainer::get_media_features(litehtml::media_features& media) const
{
    media.type = litehtml::media_type_screen;
    media.width = m_viewport.width();
    media.height = m_viewport.height();
    media.device_width = m_viewport.width();
    media.device_height = m_viewport.height();
    media.color = 8;
    media.monochrome = 0;
    media.color_index = 256;
    media.resolution = 96;
}

void PageContainer::get_language(litehtml::tstring& language, litehtml::tstring& culture) const
{
    language = "ja";
    culture = "ja-JP";
}

bool PageContainer::isCjkBreakable(char32_t c)
{
    return (c >= 0x2E80 && c <= 0x2FDF) || (c >= 0x3000 && c <= 0x303F) || (c >= 0x3040 && c <= 0x30FF) ||
           (c >= 0x31F0 && c <= 0x31FF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF) ||
           (c >= 0x20000 && c <= 0x2FFFF);
}

bool PageContainer::isCjkNoLineStart(char32_t c)
{
    switch (c) {
    case 0x3001:
    case 0x3002:
    case 0xFF0C:
    case 0xFF0E:
    case 0x30FB:
    case 0xFF1A:
    case 0xFF1B:
    case 0xFF1F:
    case 0xFF01:
    case 0x309B:
    case 0x309C:
    case 0x30FD:
    case 0x30FE:
    case 0x309D:
    case 0x309E:
    case 0x3005:
    case 0x30FC:
    case 0x3009:
    case 0x300B:
    case 0x300D:
    case 0x300F:
    case 0x3011:
    case 0x3015:
    case 0x3017:
    case 0xFF09:
    case 0xFF3D:
    case 0xFF5D:
    case 0x2019:
    case 0x201D:
    case 0x3041:
    case 0x3043:
    case 0x3045:
    case 0x3047:
    case 0x3049:
    case 0x3063:
    case 0x3083:
    case 0x3085:
    case 0x3087:
    case 0x30A1:
    case 0x30A3:
    case 0x30A5:
    case 0x30A7:
    case 0x30A9:
    case 0x30C3:
    case 0x30E3:
    case 0x30E5:
    case 0x30E7:
        return true;
    default:
        return false;
    }
}

void PageContainer::split_text(const char* text, const std::function<void(const litehtml::tchar_t*)>& on_word,
                               const std::function<void(const litehtml::tchar_t*)>& on_space)
{
    using namespace pagecontainer_detail;
    if (!text)
        return;
    if (std::exchange(styleSheetTextNext, false) && std::string_view(text).starts_with(kStyleSheetMark)) {
        on_word(text);
        return;
    }
    // Text in ASCII (most of a Latin page's) breaks at its spaces alone: it
    // is read as it stands.
    const char* end = text;
    while (*end && static_cast<unsigned char>(*end) < 0x80)
        ++end;
    if (!*end) {
        std::string word;
        for (const char* at = text; at != end; ++at) {
            if (!isSpaceChar(static_cast<char32_t>(*at))) {
                word.push_back(*at);
                continue;
            }
            if (!word.empty()) {
                on_word(word.c_str());
                word.clear();
            }
            const char sp[2] = {*at, 0};
            on_space(sp);
        }
        if (!word.empty())
            on_word(word.c_str());
        return;
    }
    const QList<uint> chars = QString::fromUtf8(text).toUcs4();
    std::u32string word;
    bool breakAfterWord = false; // the word ends in a CJK character: a break may follow
    auto flush = [&] {
        if (!word.empty()) {
            on_word(fromUcs4(word).toUtf8().constData());
            word.clear();
        }
        breakAfterWord = false;
    };
    for (uint u : chars) {
        const char32_t c = static_cast<char32_t>(u);
        if (isSpaceChar(c)) {
            flush();
            const char sp[2] = {static_cast<char>(c), 0};
            on_space(sp);
        } else if (isCjkNoLineStart(c)) {
            word.push_back(c);
            breakAfterWord = true;
        } else if (isCjkNoLineEnd(c)) {
            flush();
            word.push_back(c);
        } else if (isCjkBreakable(c)) {
            // An opening bracket waits for the character it opens.
            const bool afterOpening = word.size() == 1 && isCjkNoLineEnd(word.back());
            if (!afterOpening)
                flush();
            word.push_back(c);
            breakAfterWord = true;
        } else {
            if (breakAfterWord)
                flush();
            word.push_back(c);
        }
    }
    flush();
}

} // namespace engine
