#include "engine/layout/ImageFilters.h"

#include "engine/css/FilterCalls.h"

#include <QTransform>

#include <algorithm>
#include <vector>

namespace engine {

namespace imagefilters_detail {

enum class Tone { Gray, XRay, Invert };

void changeTone(QImage& img, Tone tone)
{
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb px = line[x];
            int r = qRed(px), g = qGreen(px), b = qBlue(px);
            if (tone == Tone::Invert) {
                r = 255 - r;
                g = 255 - g;
                b = 255 - b;
            } else {
                const int l = qGray(r, g, b);
                r = g = b = tone == Tone::XRay ? 255 - l : l;
            }
            line[x] = qRgba(r, g, b, qAlpha(px));
        }
    }
}

// A grey relief lit from the upper left (emboss) or the lower right (engrave).
void relief(QImage& img, bool engrave)
{
    const int w = img.width(), h = img.height();
    std::vector<int> grey(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < w; ++x)
            grey[size_t(y) * w + x] = qGray(line[x]);
    }
    auto at = [&](int x, int y) { return grey[size_t(std::clamp(y, 0, h - 1)) * w + std::clamp(x, 0, w - 1)]; };
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            int d = at(x - 1, y - 1) + at(x - 1, y) + at(x, y - 1) - at(x + 1, y + 1) - at(x + 1, y) - at(x, y + 1);
            if (engrave)
                d = -d;
            const int v = std::clamp(128 + d, 0, 255);
            line[x] = qRgba(v, v, v, qAlpha(line[x]));
        }
    }
}

// One box pass over a row or column of premultiplied pixels: each channel becomes the mean of the 2r+1 pixels
// around it, edges repeated. Linear in the length whatever the radius.
void boxPass(QRgb* first, int count, int step, int r, std::vector<QRgb>& scratch)
{
    scratch.resize(size_t(count));
    for (int i = 0; i < count; ++i)
        scratch[size_t(i)] = first[size_t(i) * step];
    auto px = [&](int i) { return scratch[size_t(std::clamp(i, 0, count - 1))]; };
    long long sa = 0, sr = 0, sg = 0, sb = 0;
    for (int i = -r; i <= r; ++i) {
        const QRgb p = px(i);
        sa += qAlpha(p), sr += qRed(p), sg += qGreen(p), sb += qBlue(p);
    }
    const long long n = 2LL * r + 1;
    for (int i = 0; i < count; ++i) {
        first[size_t(i) * step] = qRgba(int(sr / n), int(sg / n), int(sb / n), int(sa / n));
        const QRgb in = px(i + r + 1), out = px(i - r);
        sa += qAlpha(in) - qAlpha(out);
        sr += qRed(in) - qRed(out);
        sg += qGreen(in) - qGreen(out);
        sb += qBlue(in) - qBlue(out);
    }
}

void blur(QImage& img, int radius)
{
    if (radius <= 0)
        return;
    img = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // Three box passes come close to a Gaussian of about the radius asked for.
    const int box = std::max(1, (radius + 1) / 2);
    const int w = img.width(), h = img.height();
    auto* bits = reinterpret_cast<QRgb*>(img.bits());
    const int stride = int(img.bytesPerLine() / sizeof(QRgb));
    std::vector<QRgb> scratch;
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y)
            boxPass(bits + size_t(y) * stride, w, 1, std::min(box, w), scratch);
        for (int x = 0; x < w; ++x)
            boxPass(bits + x, h, stride, std::min(box, h), scratch);
    }
    img = img.convertToFormat(QImage::Format_ARGB32);
}

void fade(QImage& img, int opacity)
{
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            line[x] = qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), qAlpha(line[x]) * opacity / 100);
    }
}

bool on(const FilterCall& call, const char* name)
{
    const QString key = QLatin1String(name);
    if (!call.hasArgument(key))
        return false;
    const QString v = call.argument(key).toLower();
    return v.isEmpty() || call.number(key, v == QLatin1String("true") ? 1 : 0, 0, 1) == 1;
}

bool enabled(const FilterCall& call)
{
    return call.argument(QStringLiteral("enabled")).toLower() != QLatin1String("false") &&
           call.argument(QStringLiteral("enabled")) != QLatin1String("0");
}

void applyBasicImage(QImage& img, const FilterCall& call)
{
    const int rotation = call.number(QStringLiteral("rotation"), 0, 0, 3);
    if (rotation != 0)
        img = img.transformed(QTransform().rotate(90.0 * rotation));
    if (on(call, "mirror"))
        img = img.mirrored(true, false);
    if (on(call, "grayscale"))
        changeTone(img, Tone::Gray);
    if (on(call, "xray"))
        changeTone(img, Tone::XRay);
    if (on(call, "invert"))
        changeTone(img, Tone::Invert);
}

} // namespace imagefilters_detail

QImage applyImageFilters(const QImage& picture, const QString& filterText)
{
    using namespace imagefilters_detail;
    if (picture.isNull() || filterText.trimmed().isEmpty())
        return picture;
    const std::vector<FilterCall> calls = parseFilterCalls(filterText);
    if (calls.empty())
        return picture;
    QImage img = picture.convertToFormat(QImage::Format_ARGB32);
    for (const FilterCall& call : calls) {
        if (!enabled(call))
            continue;
        const QString& n = call.name;
        if (n == QLatin1String("emboss") || n == QLatin1String("engrave"))
            relief(img, n == QLatin1String("engrave"));
        else if (n == QLatin1String("basicimage"))
            applyBasicImage(img, call);
        else if (n == QLatin1String("blur"))
            blur(img, call.number(QStringLiteral("pixelradius"), 2, 0, kMaxBlurRadius));
        else if (n == QLatin1String("alpha"))
            fade(img, call.number(QStringLiteral("opacity"), 100, 0, 100));
        else if (n == QLatin1String("gray"))
            changeTone(img, Tone::Gray);
        else if (n == QLatin1String("xray"))
            changeTone(img, Tone::XRay);
        else if (n == QLatin1String("invert"))
            changeTone(img, Tone::Invert);
        else if (n == QLatin1String("fliph"))
            img = img.mirrored(true, false);
        else if (n == QLatin1String("flipv"))
            img = img.mirrored(false, true);
    }
    return img;
}

} // namespace engine
