#include "images/BannerTextRenderer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace bannertext_detail {

// The list of the style page, in order, as text-style codes.
constexpr std::array<int, 12> kCodeOfIndex = {0, 1, 8, 2, 9, 3, 10, 4, 11, 5, 6, 7};

// The farthest a shadow reaches in either direction.
constexpr int kLongestShadow = 400;

QColor colorOf(platform::ColorRef color)
{
    return platform::toQColor(color);
}

// The colour moved towards another by the share (0..1).
QColor blend(const QColor& from, const QColor& to, double share)
{
    const auto mix = [share](int a, int b) { return int(a + (b - a) * share + 0.5); };
    return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()), mix(from.blue(), to.blue()));
}

QColor lightOf(platform::ColorRef color)
{
    return blend(colorOf(color), Qt::white, 0.6);
}

QColor darkOf(platform::ColorRef color)
{
    return blend(colorOf(color), Qt::black, 0.55);
}

// The glyph outlines of the text, centred on the box by the font's advance
// and line height (so the baseline does not hop with the letters typed),
// turned about the box's centre.
QPainterPath placedGlyphs(const platform::Rect& box, const BannerTextParams& params)
{
    QPainterPath glyphs;
    const QFontMetricsF metrics(params.font);
    const double width = metrics.horizontalAdvance(params.text);
    const double height = metrics.ascent() + metrics.descent();
    glyphs.addText(-width / 2, metrics.ascent() - height / 2, params.font, params.text);
    QTransform turn;
    turn.translate(box.left + box.width() / 2.0, box.top + box.height() / 2.0);
    turn.rotate(-params.angle / 10.0);
    return turn.map(glyphs);
}

// The coverage of a shape over an area of the layer: white, alpha = coverage.
struct Mask
{
    QImage image;
    QPoint origin;
};

Mask maskOf(const QPainterPath& glyphs, const QRect& area, double strokeWidth)
{
    Mask mask{QImage(area.size(), QImage::Format_ARGB32_Premultiplied), area.topLeft()};
    mask.image.fill(Qt::transparent);
    QPainter painter(&mask.image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(-area.topLeft());
    if (strokeWidth > 0)
        painter.strokePath(glyphs, QPen(Qt::white, strokeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    else
        painter.fillPath(glyphs, Qt::white);
    return mask;
}

// The mask in one colour.
QImage tinted(const Mask& mask, const QColor& color)
{
    QImage image(mask.image.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(color);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    painter.drawImage(0, 0, mask.image);
    return image;
}

// The mask in the colour, shifted by the offset.
void paintMask(QPainter& painter, const Mask& mask, QPoint offset, const QColor& color)
{
    painter.drawImage(mask.origin + offset, tinted(mask, color));
}

bool isInsetStyle(int style)
{
    return style == kTextStyleInsetLight || style == kTextStyleInsetHeavy || style == kTextStyleInsetExtraLight ||
           style == kTextStyleInsetExtraHeavy;
}

bool isRaisedStyle(int style)
{
    return style == kTextStyleRaisedLight || style == kTextStyleRaisedHeavy || style == kTextStyleRaisedExtraLight ||
           style == kTextStyleRaisedExtraHeavy;
}

bool isHeavyStyle(int style)
{
    return style == kTextStyleInsetHeavy || style == kTextStyleRaisedHeavy || style == kTextStyleInsetExtraHeavy ||
           style == kTextStyleRaisedExtraHeavy;
}

bool isExtraStyle(int style)
{
    return style >= kTextStyleInsetExtraLight && style <= kTextStyleRaisedExtraHeavy;
}

// The steps of a sweep from the shadow's offset to the face, back first.
QList<QPoint> sweepSteps(int dx, int dy)
{
    QList<QPoint> steps;
    const int count = std::max(std::abs(dx), std::abs(dy));
    for (int k = count; k >= 1; --k)
        steps.append(QPoint(dx * k / count, dy * k / count));
    return steps;
}

} // namespace bannertext_detail

int BannerStyleCodeOfIndex(int index)
{
    namespace detail = bannertext_detail;
    if (index < 0 || index >= int(detail::kCodeOfIndex.size()))
        return kTextStyleOutlineBlock;
    return detail::kCodeOfIndex[size_t(index)];
}

BannerStyleControls BannerStyleControlsOfIndex(int index)
{
    switch (index) {
    case 3:
    case 4:
    case 7:
    case 8:
        return {true, false};
    case 9:
    case 10:
    case 11:
        return {true, true};
    default:
        return {false, false};
    }
}

BannerTextLayer Draw3dTextLayer(const QRect& clip, const platform::Rect& box, const BannerTextParams& params)
{
    namespace detail = bannertext_detail;
    BannerTextLayer result;
    if (params.text.isEmpty() || clip.isEmpty())
        return result;

    // 1. The outlines, the part of the clip the drawing reaches, and the area
    // any copy of the outlines can come from.
    const QPainterPath glyphs = detail::placedGlyphs(box, params);
    const int dx = std::clamp(params.shadowX, -detail::kLongestShadow, detail::kLongestShadow);
    const int dy = std::clamp(params.shadowY, -detail::kLongestShadow, detail::kLongestShadow);
    const int reach = std::max({std::abs(dx), std::abs(dy), 2});
    const QRect bounds = glyphs.boundingRect().toAlignedRect().adjusted(-2, -2, 2, 2);
    const QRect drawn = bounds.adjusted(-reach, -reach, reach, reach) & clip;
    const QRect area = bounds & clip.adjusted(-reach, -reach, reach, reach);
    if (drawn.isEmpty() || area.isEmpty())
        return result;
    result.origin = drawn.topLeft();
    result.image = QImage(drawn.size(), QImage::Format_ARGB32_Premultiplied);
    result.image.fill(Qt::transparent);
    const detail::Mask face = detail::maskOf(glyphs, area, 0);
    const detail::Mask border = detail::maskOf(glyphs, area, 1.0);

    QPainter painter(&result.image);
    painter.translate(-drawn.topLeft());
    const int style = params.style;
    const QColor faceColor = detail::colorOf(params.textColor);
    const QColor shadowColor = detail::colorOf(params.shadowColor);

    // 2. What lies behind the face.
    if (detail::isInsetStyle(style) || detail::isRaisedStyle(style)) {
        // A light and a dark copy, one up-left and one down-right: lit from
        // the top left when raised, from the bottom right when set in.
        const int depth = detail::isHeavyStyle(style) ? 2 : 1;
        const QColor light = detail::lightOf(params.textColor);
        const QColor dark = detail::isHeavyStyle(style) ? shadowColor : detail::darkOf(params.textColor);
        const int sign = detail::isRaisedStyle(style) ? 1 : -1;
        detail::paintMask(painter, face, QPoint(-depth, -depth) * sign, light);
        detail::paintMask(painter, face, QPoint(depth, depth) * sign, dark);
    } else if (style == kTextStyleDropShadow) {
        detail::paintMask(painter, face, QPoint(dx, dy), shadowColor);
    } else if (style == kTextStyleBlockShadow || style == kTextStyleOutlineBlock) {
        const QList<QPoint> steps = detail::sweepSteps(dx, dy);
        // The outline block's sweep is framed: every step's outline first,
        // so that the steps' faces cover all of it but the sweep's rim.
        if (style == kTextStyleOutlineBlock) {
            const detail::Mask rim = detail::maskOf(glyphs, area, 2.0);
            const QImage rimTinted = detail::tinted(rim, detail::colorOf(params.borderColor));
            for (const QPoint& step : steps)
                painter.drawImage(rim.origin + step, rimTinted);
        }
        // Darker towards the back.
        for (int i = 0; i < steps.size(); ++i) {
            const double back = steps.size() > 1 ? double(steps.size() - 1 - i) / (steps.size() - 1) : 0;
            detail::paintMask(painter, face, steps[i], detail::blend(shadowColor, Qt::black, 0.4 * back));
        }
    }

    // 3. The face; the extra styles add an inner step of light and shade
    // along the inside of its edges.
    QImage faceLayer = detail::tinted(face, faceColor);
    if (detail::isExtraStyle(style)) {
        QPainter inner(&faceLayer);
        inner.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        const int sign = detail::isRaisedStyle(style) ? 1 : -1;
        const detail::Mask edge = detail::maskOf(glyphs, area, 2.0);
        inner.drawImage(edge.origin - area.topLeft() + QPoint(1, 1) * sign,
                        detail::tinted(edge, detail::lightOf(params.textColor)));
        inner.drawImage(edge.origin - area.topLeft() - QPoint(1, 1) * sign,
                        detail::tinted(edge, detail::darkOf(params.textColor)));
    }
    painter.drawImage(face.origin, faceLayer);

    // 4. The outline in the border colour.
    detail::paintMask(painter, border, QPoint(0, 0), detail::colorOf(params.borderColor));
    return result;
}

QImage Draw3dText(const QSize& layerSize, const platform::Rect& box, const BannerTextParams& params)
{
    QImage layer(layerSize, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    const BannerTextLayer drawn = Draw3dTextLayer(QRect(QPoint(0, 0), layerSize), box, params);
    if (!drawn.image.isNull()) {
        QPainter painter(&layer);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(drawn.origin, drawn.image);
    }
    return layer;
}

void LayTextLayer(QPainter& target, const QImage& layer, TextEdges edges, QPoint origin)
{
    if (layer.isNull())
        return;
    if (edges == TextEdges::Smooth) {
        target.drawImage(origin, layer);
        return;
    }
    // Each pixel all in or all out, in its own colour.
    QImage hard = layer.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < hard.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(hard.scanLine(y));
        for (int x = 0; x < hard.width(); ++x)
            line[x] = qAlpha(line[x]) >= 128 ? (line[x] | 0xFF000000u) : 0u;
    }
    target.drawImage(origin, hard);
}
