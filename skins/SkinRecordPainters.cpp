#include "skins/SkinRecordPainters.h"

#include "controls/ThreePartLayout.h"
#include "controls/TransparentBlt.h"
#include "skins/VornaSkinData.h"

#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace skinrecordpainters_detail {

// A stretch range kept inside a part `length` long.
void clampRange(int length, int& start, int& end)
{
    start = std::clamp(start, 0, std::max(0, length));
    end = std::clamp(end, start, std::max(start, length));
}

// The picture a painter writes into when it would copy opaque 32-bit pixels
// there unchanged, moved by whole pixels only: a raster picture at its own
// scale, no clip of the painter's own, plain opaque drawing. Null otherwise.
QImage* directTarget(QPainter& dc, QPoint& offset)
{
    QPaintEngine* engine = dc.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster || dc.hasClipping() || dc.opacity() < 1.0)
        return nullptr;
    const QPainter::CompositionMode mode = dc.compositionMode();
    if (mode != QPainter::CompositionMode_SourceOver && mode != QPainter::CompositionMode_Source)
        return nullptr;
    QPaintDevice* device = engine->paintDevice();
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied)
        return nullptr;
    if (image->devicePixelRatio() != 1.0)
        return nullptr;
    const QTransform& transform = dc.deviceTransform();
    if (transform.type() > QTransform::TxTranslate || transform.dx() != std::trunc(transform.dx()) ||
        transform.dy() != std::trunc(transform.dy()))
        return nullptr;
    offset = QPoint(int(transform.dx()), int(transform.dy()));
    return image;
}

// Whether the painter may write all of both rectangles (device coordinates).
bool fullyPainted(QPainter& dc, const QImage& target, const QRect& first, const QRect& second)
{
    if (!target.rect().contains(first) || !target.rect().contains(second))
        return false;
    const QRegion system = dc.paintEngine()->systemClip();
    return system.isEmpty() || (QRegion(first).united(second) - system).isEmpty();
}

} // namespace skinrecordpainters_detail

using namespace skinrecordpainters_detail;

void DrawFramePart(const SkinFramePart& part, QPainter& dc, QPoint position, int length, bool horizontal, bool active)
{
    const ASMBitmap& image = part.image;
    const int t = part.thickness;
    if (image.isNull() || t <= 0 || length <= 0)
        return;
    // The inactive look lies after the active one when the picture has room for it.
    const int across = horizontal ? image.m_nHeight : image.m_nWidth;
    const int offset = (across > t && !active && across >= 2 * t) ? t : 0;
    const int along = horizontal ? image.m_nWidth : image.m_nHeight;
    int start = part.stretchStart;
    int end = part.stretchEnd;
    clampRange(along, start, end);
    if (horizontal) {
        image.DrawThreePart(position.x(), position.y(), length, t, 0, start, end, 0, offset, along, std::min(t, across),
                            dc);
    } else {
        const int flags = kThreePartVertical | (part.stretchStyle == 1 ? kThreePartTileMiddle : 0);
        image.DrawThreePart(position.x(), position.y(), t, length, flags, start, end, offset, 0, std::min(t, across),
                            along, dc);
    }
}

platform::Rect CaptionButtonRect(const SkinCaptionButton& button, int frameWidth)
{
    const int left = frameWidth - button.xOffset - button.width;
    return platform::Rect(left, button.y, left + button.width, button.y + button.image.m_nHeight);
}

void DrawSkinCaptionButton(const SkinCaptionButton& button, QPainter& dc, int frameWidth, bool active, int state)
{
    if (button.image.isNull() || button.width <= 0)
        return;
    const int cell = state & ~kCaptionAlternateGlyph;
    int sourceX = button.width * ((state & kCaptionAlternateGlyph) ? cell + 4 : cell);
    if (!active && cell == 0)
        sourceX += 3 * button.width;
    if (sourceX < 0 || sourceX + button.width > button.image.m_nWidth)
        return;
    const platform::Rect at = CaptionButtonRect(button, frameWidth);
    button.image.Draw(at.left, at.top, button.width, -1, sourceX, 0, dc, ASMBitmap::kCopy, button.transparent);
}

int SkinButtonCell(int state)
{
    static const int kCellOfState[] = {0, 1, 2, 4, 3};
    return state >= 0 && state < 5 ? kCellOfState[state] : -1;
}

void DrawSkinButtonImage(const SkinButtonRecord& record, QPainter& dc, int x, int y, int width, int height, int state)
{
    const int cell = SkinButtonCell(state);
    const ASMBitmap& image = record.image;
    const int cw = record.cellWidth;
    if (cell < 0 || image.isNull() || cw <= 0 || width <= 0 || height <= 0 || (cell + 1) * cw > image.m_nWidth)
        return;
    const int ih = image.m_nHeight;
    int hStart = record.stretchHorStart;
    int hEnd = record.stretchHorEnd;
    clampRange(cw, hStart, hEnd);
    int vStart = record.stretchVerStart;
    int vEnd = record.stretchVerEnd;
    clampRange(ih, vStart, vEnd);

    // First across, then down, then onto the target without the transparent colour.
    QImage wide(width, ih, QImage::Format_RGB32);
    {
        QPainter p(&wide);
        image.DrawThreePart(0, 0, width, ih, 0, hStart, hEnd, cell * cw, 0, cw, ih, p,
                            QPainter::CompositionMode_Source);
    }
    ASMBitmap across;
    across.Attach(wide);
    QImage full(width, height, QImage::Format_RGB32);
    {
        QPainter p(&full);
        across.DrawThreePart(0, 0, width, height, kThreePartVertical, vStart, vEnd, 0, 0, width, ih, p,
                             QPainter::CompositionMode_Source);
    }
    DrawTransparentBlt(dc, x, y, width, height, record.transparent, full, 0, 0);
}

int SkinMarkCell(int state, bool checked)
{
    switch (state) {
    case 0:
        return checked ? 0 : 1;
    case 1:
        return checked ? 6 : 7;
    case 2:
    case 4:
        return checked ? 4 : 5;
    case 3:
        return checked ? 2 : 3;
    case kMarkIndeterminate:
        return 8;
    default:
        return -1;
    }
}

void DrawSkinCheckImage(const SkinMarkRecord& record, QPainter& dc, int state, bool checked, const platform::Rect& box)
{
    const int cell = SkinMarkCell(state, checked);
    const int cw = record.cellWidth;
    if (cell < 0 || record.image.isNull() || cw <= 0 || (cell + 1) * cw > record.image.m_nWidth)
        return;
    const int y = box.top + (box.height() - record.image.m_nHeight) / 2;
    record.image.Draw(box.left, y, cw, -1, cell * cw, 0, dc, ASMBitmap::kCopy, record.transparent);
}

QRegion BitmapToRegion(const QImage& bitmap, quint32 colorRef, bool keepOther)
{
    if (bitmap.isNull())
        return {};
    const QImage image = bitmap.convertToFormat(QImage::Format_RGB32);
    const QRgb key = qRgb(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF) & 0xFFFFFF;
    // Runs are gathered per row and made into a region 2,000 at a time.
    constexpr int kBatch = 2000;
    std::vector<QRect> runs;
    runs.reserve(kBatch);
    QRegion result;
    auto flush = [&] {
        if (runs.empty())
            return;
        QRegion batch;
        batch.setRects(runs.data(), int(runs.size()));
        result = result.united(batch);
        runs.clear();
    };
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int x = 0;
        while (x < image.width()) {
            auto wanted = [&](int at) { return ((row[at] & 0xFFFFFF) == key) != keepOther; };
            if (!wanted(x)) {
                ++x;
                continue;
            }
            const int x0 = x;
            while (x < image.width() && wanted(x))
                ++x;
            runs.emplace_back(x0, y, x - x0, 1);
            if (int(runs.size()) == kBatch)
                flush();
        }
    }
    flush();
    return result;
}

QRegion StretchRegion(const QRegion& region, QSize from, QSize to, QSize least)
{
    const int w = std::max(to.width(), least.width());
    const int h = std::max(to.height(), least.height());
    if (region.isEmpty())
        return region;
    const int mx = least.width() / 2;
    const int my = least.height() / 2;
    const int dx = w - from.width();
    const int dy = h - from.height();
    std::vector<QRect> moved;
    for (const QRect& r : region) {
        int left = r.left();
        int right = r.left() + r.width();
        int top = r.top();
        int bottom = r.top() + r.height();
        if (left <= mx && mx < right) {
            right += dx;
        } else if (left > mx) {
            left += dx;
            right += dx;
        }
        if (top <= my && my < bottom) {
            bottom += dy;
        } else if (top > my) {
            top += dy;
            bottom += dy;
        }
        if (right > left && bottom > top)
            moved.emplace_back(left, top, right - left, bottom - top);
    }
    QRegion result;
    for (const QRect& r : moved)
        result += r;
    return result;
}

void DrawFrameSides(QPainter& dc, int top, int leftX, const QImage& left, int rightX, const QImage& right)
{
    QPoint offset;
    QImage* target = nullptr;
    if (!left.isNull() && !right.isNull() && left.height() == right.height() && left.format() == QImage::Format_RGB32 &&
        right.format() == QImage::Format_RGB32)
        target = directTarget(dc, offset);
    const QRect leftRect(QPoint(leftX, top) + offset, left.size());
    const QRect rightRect(QPoint(rightX, top) + offset, right.size());
    if (!target || !fullyPainted(dc, *target, leftRect, rightRect)) {
        dc.drawImage(leftX, top, left);
        dc.drawImage(rightX, top, right);
        return;
    }
    // Each row of the target takes its two pieces at once, where the painter
    // would go down one side and then the other: the rows lie far apart in
    // memory, and visiting each once is several times quicker for a tall
    // window. The pixels are written where the painter writes them: the
    // picture is not detached from them.
    uchar* const bits = const_cast<uchar*>(target->constBits());
    const qsizetype stride = target->bytesPerLine();
    const uchar* fromLeft = left.constBits();
    const uchar* fromRight = right.constBits();
    const qsizetype leftStride = left.bytesPerLine();
    const qsizetype rightStride = right.bytesPerLine();
    const int leftWidth = left.width();
    const int rightWidth = right.width();
    uchar* into = bits + leftRect.top() * stride;
    for (int rows = left.height(); rows > 0; --rows) {
        auto* row = reinterpret_cast<quint32*>(into);
        const auto* l = reinterpret_cast<const quint32*>(fromLeft);
        const auto* r = reinterpret_cast<const quint32*>(fromRight);
        for (int x = 0; x < leftWidth; ++x)
            row[leftRect.left() + x] = l[x];
        for (int x = 0; x < rightWidth; ++x)
            row[rightRect.left() + x] = r[x];
        into += stride;
        fromLeft += leftStride;
        fromRight += rightStride;
    }
}
