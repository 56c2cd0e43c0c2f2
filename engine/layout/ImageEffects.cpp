#include "engine/layout/ImageEffects.h"

#include "engine/css/FilterCalls.h"
#include "engine/layout/ImageFilters.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace engine {

namespace imageeffects_detail {

struct NamedColor
{
    const char* name;
    QRgb value;
};

constexpr NamedColor kNamedColors[] = {
    {"black", 0xff000000},  {"silver", 0xffc0c0c0}, {"gray", 0xff808080},   {"white", 0xffffffff},
    {"maroon", 0xff800000}, {"red", 0xffff0000},    {"purple", 0xff800080}, {"fuchsia", 0xffff00ff},
    {"green", 0xff008000},  {"lime", 0xff00ff00},   {"olive", 0xff808000},  {"yellow", 0xffffff00},
    {"navy", 0xff000080},   {"blue", 0xff0000ff},   {"teal", 0xff008080},   {"aqua", 0xff00ffff},
};

// Streaks (a motion blur, a shadow) longer than this are computed on a copy made smaller to bring them to this length.
constexpr int kLongestStreak = 24;

// The number of an argument clamped to the range the effects dialog offers for it.
int arg(const FilterCall& call, const char* name, int fallback, int low, int high)
{
    return call.number(QLatin1String(name), fallback, low, high);
}

QRgb colorArg(const FilterCall& call, const char* name, QRgb fallback)
{
    return call.hasArgument(QLatin1String(name)) ? effectColor(call.argument(QLatin1String(name))) : fallback;
}

bool isTrue(const FilterCall& call, const char* name, bool fallback)
{
    if (!call.hasArgument(QLatin1String(name)))
        return fallback;
    const QString v = call.argument(QLatin1String(name)).trimmed();
    return v.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || v == QLatin1String("1");
}

QImage transparentLike(const QImage& img)
{
    QImage out(img.size(), QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    return out;
}

// The picture drawn smaller into `room` of a transparent canvas of its own size.
QImage pictureIn(const QImage& img, const QRect& room)
{
    QImage out = transparentLike(img);
    if (room.isEmpty())
        return out;
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(room, img);
    return out;
}

// Every pixel of the picture in one colour, its alpha times the picture's.
QImage silhouette(const QImage& img, QRgb color)
{
    QImage out(img.size(), QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            dst[x] = qRgba(qRed(color), qGreen(color), qBlue(color), qAlpha(src[x]) * qAlpha(color) / 255);
    }
    return out;
}

// Lays `top` over `bottom`, both of one size, and gives the result.
QImage over(QImage bottom, const QImage& top, qreal opacity = 1.0)
{
    QPainter p(&bottom);
    p.setOpacity(opacity);
    p.drawImage(0, 0, top);
    p.end();
    return bottom.convertToFormat(QImage::Format_ARGB32);
}

void alpha(QImage& img, const FilterCall& call)
{
    const int start = arg(call, "opacity", 100, 0, 100);
    const int finish = arg(call, "finishopacity", 0, 0, 100);
    const int style = arg(call, "style", 0, 0, 3);
    const int w = img.width(), h = img.height();
    const double sx = arg(call, "startx", 0, 0, 100) * w / 100.0, sy = arg(call, "starty", 0, 0, 100) * h / 100.0;
    const double fx = arg(call, "finishx", 100, 0, 100) * w / 100.0, fy = arg(call, "finishy", 100, 0, 100) * h / 100.0;
    const double vx = fx - sx, vy = fy - sy, length2 = vx * vx + vy * vy;
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            // How far the pixel lies from where the opacity starts (0) to where it finishes (1).
            double t = 0.0;
            const double dx = (x + 0.5 - w / 2.0) / (w / 2.0), dy = (y + 0.5 - h / 2.0) / (h / 2.0);
            if (style == 1)
                t = length2 > 0 ? ((x + 0.5 - sx) * vx + (y + 0.5 - sy) * vy) / length2 : 0.0;
            else if (style == 2)
                t = std::sqrt(dx * dx + dy * dy);
            else if (style == 3)
                t = std::max(std::abs(dx), std::abs(dy));
            t = std::clamp(t, 0.0, 1.0);
            const double opacity = (start + (finish - start) * t) / 100.0;
            line[x] = qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), int(qAlpha(line[x]) * opacity + 0.5));
        }
    }
}

void dropShadow(QImage& img, const FilterCall& call)
{
    const int w = img.width(), h = img.height();
    const int offX = std::clamp(arg(call, "offx", 5, -100, 100), -(w - 1), w - 1);
    const int offY = std::clamp(arg(call, "offy", 5, -100, 100), -(h - 1), h - 1);
    const QImage picture =
        pictureIn(img, QRect(std::max(0, -offX), std::max(0, -offY), w - std::abs(offX), h - std::abs(offY)));
    QImage shadow = transparentLike(img);
    QPainter p(&shadow);
    p.drawImage(offX, offY, silhouette(picture, colorArg(call, "color", 0xff000000)));
    p.end();
    img = over(shadow, picture);
}

void glow(QImage& img, const FilterCall& call)
{
    const int strength = std::min({arg(call, "strength", 5, 0, 30), (img.width() - 1) / 2, (img.height() - 1) / 2});
    if (strength <= 0)
        return;
    const QImage picture = pictureIn(img, img.rect().adjusted(strength, strength, -strength, -strength));
    // A halo that fades over `strength` pixels around the picture's edges.
    QImage halo = silhouette(picture, colorArg(call, "color", 0xffff0000));
    blurImage(halo, strength);
    for (int y = 0; y < halo.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(halo.scanLine(y));
        for (int x = 0; x < halo.width(); ++x)
            line[x] = qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), std::min(255, qAlpha(line[x]) * 2));
    }
    img = over(halo, picture);
}

void gradient(QImage& img, const FilterCall& call)
{
    const bool horizontal = arg(call, "gradienttype", 0, 0, 1) == 1;
    QLinearGradient ramp(0, 0, horizontal ? img.width() : 0, horizontal ? 0 : img.height());
    ramp.setColorAt(0, QColor::fromRgba(colorArg(call, "startcolorstr", 0xff0000ff)));
    ramp.setColorAt(1, QColor::fromRgba(colorArg(call, "endcolorstr", 0xff000000)));
    QPainter p(&img);
    p.fillRect(img.rect(), ramp);
}

// The picture streaked along a direction (0 up, 90 right, clockwise): each pixel the mean of the pixels behind it on
// that line, edges repeated, in premultiplied colours so that transparent pixels lend no colour. A long streak is
// computed on a smaller copy, so its cost stays that of a short one.
void motionBlur(QImage& img, const FilterCall& call)
{
    const int strength = arg(call, "strength", 5, 0, 300);
    if (strength <= 0)
        return;
    const double angle = arg(call, "direction", 270, 0, 360) * std::numbers::pi / 180.0;
    const double scale = strength > kLongestStreak ? double(kLongestStreak) / strength : 1.0;
    const QImage work =
        (scale < 1.0 ? img.scaled(std::max(1, int(img.width() * scale)), std::max(1, int(img.height() * scale)),
                                  Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                     : img)
            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = work.width(), h = work.height();
    const double length = std::max(1.0, strength * scale);
    // One tap a pixel along the streak.
    const int taps = std::min(kLongestStreak, int(std::lround(length))) + 1;
    std::vector<quint32> sums(size_t(w) * size_t(h) * 4, 0);
    for (int k = 0; k < taps; ++k) {
        const double along = length * k / (taps - 1);
        const int ox = int(std::lround(std::sin(angle) * along)), oy = int(std::lround(-std::cos(angle) * along));
        for (int y = 0; y < h; ++y) {
            const auto* src = reinterpret_cast<const QRgb*>(work.constScanLine(std::clamp(y - oy, 0, h - 1)));
            quint32* sum = &sums[size_t(y) * size_t(w) * 4];
            for (int x = 0; x < w; ++x, sum += 4) {
                const QRgb px = src[std::clamp(x - ox, 0, w - 1)];
                sum[0] += qAlpha(px), sum[1] += qRed(px), sum[2] += qGreen(px), sum[3] += qBlue(px);
            }
        }
    }
    QImage streaked(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y) {
        auto* dst = reinterpret_cast<QRgb*>(streaked.scanLine(y));
        const quint32* sum = &sums[size_t(y) * size_t(w) * 4];
        for (int x = 0; x < w; ++x, sum += 4)
            dst[x] = qRgba(int(sum[1] / taps), int(sum[2] / taps), int(sum[3] / taps), int(sum[0] / taps));
    }
    streaked = streaked.convertToFormat(QImage::Format_ARGB32);
    if (scale < 1.0)
        streaked = streaked.scaled(img.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_ARGB32);
    // With Add the picture itself shows through its streaks.
    img = isTrue(call, "add", true) ? over(streaked, img, 0.5) : streaked;
}

void shadow(QImage& img, const FilterCall& call)
{
    const int w = img.width(), h = img.height();
    const double angle = arg(call, "direction", 225, 0, 360) * std::numbers::pi / 180.0;
    const int strength = arg(call, "strength", 5, 0, 300);
    // The shadow's reach, at most half the picture in each direction.
    const int reachX = std::clamp(int(std::lround(std::sin(angle) * strength)), -w / 2, w / 2);
    const int reachY = std::clamp(int(std::lround(-std::cos(angle) * strength)), -h / 2, h / 2);
    if (reachX == 0 && reachY == 0)
        return;
    const QImage picture =
        pictureIn(img, QRect(std::max(0, -reachX), std::max(0, -reachY), w - std::abs(reachX), h - std::abs(reachY)));
    // A long shadow is laid on a smaller copy, so its cost stays that of a short one.
    const int reach = std::max(std::abs(reachX), std::abs(reachY));
    const double scale = reach > kLongestStreak ? double(kLongestStreak) / reach : 1.0;
    const QSize small(std::max(1, int(w * scale)), std::max(1, int(h * scale)));
    const QImage shape =
        silhouette(scale < 1.0 ? picture.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation) : picture,
                   colorArg(call, "color", 0xff000000));
    QImage shade = transparentLike(shape);
    QPainter p(&shade);
    // Layers from the far end in, each a little darker.
    const int steps = std::max(1, std::min(kLongestStreak, int(std::lround(reach * scale))));
    for (int i = steps; i >= 1; --i) {
        p.setOpacity(1.0 - double(i - 1) / steps);
        p.drawImage(QPointF(reachX * scale * i / steps, reachY * scale * i / steps), shape);
    }
    p.end();
    if (scale < 1.0)
        shade = shade.scaled(img.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .convertToFormat(QImage::Format_ARGB32);
    img = over(shade, picture);
}

// Rows shifted along a sine of `freq` waves over the height (nothing moves at strength 0), lit in stripes by the
// same sine.
void wave(QImage& img, const FilterCall& call)
{
    const int w = img.width(), h = img.height();
    const int freq = arg(call, "freq", 3, 0, 30);
    const double light = arg(call, "lightstrength", 100, 0, 100) / 100.0;
    const double phase = arg(call, "phase", 0, 0, 100) / 100.0;
    const int strength = std::min(arg(call, "strength", 1, 0, 300), w / 2);
    const QImage source = img;
    for (int y = 0; y < h; ++y) {
        const double s = std::sin(2.0 * std::numbers::pi * (double(freq) * y / h + phase));
        const int shift = int(std::lround(s * strength));
        const double lit = 1.0 + light * s * 0.5;
        const auto* src = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int from = x - shift;
            if (from < 0 || from >= w) {
                dst[x] = 0;
                continue;
            }
            const QRgb px = src[from];
            const auto channel = [&](int v) { return std::clamp(int(v * lit + 0.5), 0, 255); };
            dst[x] = qRgba(channel(qRed(px)), channel(qGreen(px)), channel(qBlue(px)), qAlpha(px));
        }
    }
    if (isTrue(call, "add", false))
        img = over(img, source, 0.5);
}

} // namespace imageeffects_detail

QRgb effectColor(const QString& text)
{
    const QString t = text.trimmed();
    if (t.startsWith(QLatin1Char('#'))) {
        bool ok = false;
        const uint v = t.mid(1).toUInt(&ok, 16);
        if (ok && t.size() == 7)
            return 0xff000000u | v;
        if (ok && t.size() == 9)
            return v;
        return 0xff000000u;
    }
    for (const auto& named : imageeffects_detail::kNamedColors) {
        if (t.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0)
            return named.value;
    }
    return 0xff000000u;
}

bool applyTransformEffect(QImage& picture, const FilterCall& call)
{
    using namespace imageeffects_detail;
    using Effect = void (*)(QImage&, const FilterCall&);
    static const std::pair<const char*, Effect> effects[] = {
        {"alpha", alpha},           {"dropshadow", dropShadow}, {"glow", glow}, {"gradient", gradient},
        {"motionblur", motionBlur}, {"shadow", shadow},         {"wave", wave},
    };
    if (picture.isNull())
        return false;
    for (const auto& [name, effect] : effects) {
        if (call.name == QLatin1String(name)) {
            effect(picture, call);
            return true;
        }
    }
    return false;
}

} // namespace engine
