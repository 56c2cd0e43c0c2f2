#include "editor/imagemap/ImageMapAreas.h"

#include <QStringList>

#include <algorithm>
#include <limits>

namespace imagemapareas_detail {

// Area numbers come from pages and may be as large as an int holds; sums of
// them are taken in 64 bits and brought back into the int range.
int clampInt(qint64 value)
{
    return int(std::clamp<qint64>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int sign(qint64 value)
{
    return value < 0 ? -1 : 1;
}

bool isBlank(QChar c)
{
    // The blanks the C library's number reading skips.
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

// One piece of a coords text, read as atoi reads it, clamped to int.
int readNumber(const QChar* it, const QChar* end)
{
    while (it != end && isBlank(*it))
        ++it;
    bool negative = false;
    if (it != end && (*it == u'+' || *it == u'-')) {
        negative = *it == u'-';
        ++it;
    }
    constexpr qint64 kLimit = qint64(std::numeric_limits<int>::max()) + 1;
    qint64 value = 0;
    for (; it != end && *it >= u'0' && *it <= u'9'; ++it)
        value = std::min(kLimit, value * 10 + (it->unicode() - u'0'));
    return clampInt(negative ? -value : value);
}

QPoint pointAt(const std::vector<int>& coords, size_t i)
{
    return QPoint(coords[i], coords[i + 1]);
}

} // namespace imagemapareas_detail

using imagemapareas_detail::clampInt;

AreaShape AreaShapeOf(const QString& shape)
{
    if (shape.compare(QLatin1String("rect"), Qt::CaseInsensitive) == 0)
        return AreaShape::Rect;
    if (shape.compare(QLatin1String("circle"), Qt::CaseInsensitive) == 0)
        return AreaShape::Circle;
    if (shape.compare(QLatin1String("poly"), Qt::CaseInsensitive) == 0 ||
        shape.compare(QLatin1String("polygon"), Qt::CaseInsensitive) == 0)
        return AreaShape::Poly;
    return AreaShape::Other;
}

QString AreaShapeText(AreaShape shape)
{
    switch (shape) {
    case AreaShape::Rect:
        return QStringLiteral("rect");
    case AreaShape::Circle:
        return QStringLiteral("circle");
    case AreaShape::Poly:
        return QStringLiteral("poly");
    case AreaShape::Other:
        break;
    }
    return {};
}

int AreaNumbersToRead(AreaShape shape)
{
    switch (shape) {
    case AreaShape::Rect:
        return 4;
    case AreaShape::Circle:
        return 3;
    case AreaShape::Poly:
        return 1;
    case AreaShape::Other:
        break;
    }
    return 0;
}

int AreaNumbersToEdit(AreaShape shape)
{
    return shape == AreaShape::Poly ? 2 : AreaNumbersToRead(shape);
}

void ParseCoordinatePair(const QString& text, std::vector<int>& list)
{
    // One pass over the text: every comma ends a piece, the rest of the text
    // after the last comma is the last piece.
    list.clear();
    list.reserve(size_t(text.count(QLatin1Char(',')) + 1));
    const QChar* begin = text.constData();
    const QChar* end = begin + text.size();
    const QChar* piece = begin;
    for (const QChar* it = begin; it != end; ++it) {
        if (*it == u',') {
            list.push_back(imagemapareas_detail::readNumber(piece, it));
            piece = it + 1;
        }
    }
    list.push_back(imagemapareas_detail::readNumber(piece, end));
}

QString AreaCoordsText(AreaShape shape, const std::vector<int>& coords)
{
    const int n = int(coords.size());
    switch (shape) {
    case AreaShape::Circle:
        if (n < 3)
            return {};
        return QStringLiteral("%1, %2, %3").arg(coords[0]).arg(coords[1]).arg(coords[2]);
    case AreaShape::Rect:
        if (n < 4)
            return {};
        return QStringLiteral("%1, %2, %3, %4").arg(coords[0]).arg(coords[1]).arg(coords[2]).arg(coords[3]);
    case AreaShape::Poly: {
        QStringList numbers;
        numbers.reserve(n);
        for (int value : coords)
            numbers.append(QString::number(value));
        return numbers.join(QLatin1Char(','));
    }
    case AreaShape::Other:
        break;
    }
    return {};
}

std::vector<QPoint> AreaHandles(AreaShape shape, const std::vector<int>& coords)
{
    const size_t n = coords.size();
    if (shape == AreaShape::Other || int(n) < AreaNumbersToEdit(shape))
        return {};
    if (shape == AreaShape::Poly) {
        std::vector<QPoint> vertices;
        vertices.reserve(n / 2);
        for (size_t i = 0; i + 1 < n; i += 2)
            vertices.push_back(imagemapareas_detail::pointAt(coords, i));
        return vertices;
    }
    int left = 0, top = 0, right = 0, bottom = 0;
    if (shape == AreaShape::Rect) {
        left = coords[0];
        top = coords[1];
        right = coords[2];
        bottom = coords[3];
    } else {
        const qint64 cx = coords[0], cy = coords[1], r = coords[2];
        left = clampInt(cx - r);
        top = clampInt(cy - r);
        right = clampInt(cx + r);
        bottom = clampInt(cy + r);
    }
    return {QPoint(left, top), QPoint(right, top), QPoint(left, bottom), QPoint(right, bottom)};
}

QRect AreaHandleRect(QPoint handle)
{
    return QRect(handle.x() - 3, handle.y() - 3, 6, 6);
}

int HitAreaHandle(const std::vector<QPoint>& handles, QPoint point)
{
    for (size_t i = 0; i < handles.size(); ++i) {
        const qint64 dx = qint64(point.x()) - handles[i].x();
        const qint64 dy = qint64(point.y()) - handles[i].y();
        if (dx >= -3 && dx < 3 && dy >= -3 && dy < 3)
            return int(i);
    }
    return -1;
}

std::vector<int> CircleFromDrag(QPoint press, QPoint mouse, platform::Rect* rubber)
{
    // 1. The dragged rectangle, its longer side cut to the shorter one on
    // the mouse's side.
    const qint64 dx = qint64(mouse.x()) - press.x();
    const qint64 dy = qint64(mouse.y()) - press.y();
    const qint64 side = std::min(std::abs(dx), std::abs(dy));
    const qint64 x2 = press.x() + imagemapareas_detail::sign(dx) * side;
    const qint64 y2 = press.y() + imagemapareas_detail::sign(dy) * side;
    // Differs from a literal reading, which keeps the press as the top-left
    // corner: a drag up or left puts the square on that side of the press.
    const qint64 left = std::min<qint64>(press.x(), x2), right = std::max<qint64>(press.x(), x2);
    const qint64 top = std::min<qint64>(press.y(), y2), bottom = std::max<qint64>(press.y(), y2);
    if (rubber)
        *rubber = platform::Rect(clampInt(left), clampInt(top), clampInt(right), clampInt(bottom));
    // 2. The circle in the square: its centre and half its width.
    return {clampInt((left + right) / 2), clampInt((top + bottom) / 2), clampInt((right - left) / 2)};
}

std::vector<int> CircleFromHandle(QPoint fixedCorner, QPoint mouse)
{
    const qint64 dx = qint64(mouse.x()) - fixedCorner.x();
    const qint64 dy = qint64(mouse.y()) - fixedCorner.y();
    const qint64 half = std::min(std::abs(dx), std::abs(dy)) / 2;
    return {clampInt(fixedCorner.x() + imagemapareas_detail::sign(dx) * half),
            clampInt(fixedCorner.y() + imagemapareas_detail::sign(dy) * half), clampInt(half)};
}

bool DragAreaHandlePoint(AreaShape shape, std::vector<int>& coords, int handle, QPoint point)
{
    if (shape == AreaShape::Other || int(coords.size()) < AreaNumbersToEdit(shape) || handle < 0)
        return false;
    switch (shape) {
    case AreaShape::Circle: {
        if (handle > 3)
            return false;
        // The corner of the bounding square opposite the handle stays.
        const std::vector<QPoint> corners = AreaHandles(shape, coords);
        const std::vector<int> circle = CircleFromHandle(corners[size_t(3 - handle)], point);
        std::copy(circle.begin(), circle.end(), coords.begin());
        return true;
    }
    case AreaShape::Rect:
        switch (handle) {
        case 0:
            coords[0] = point.x();
            coords[1] = point.y();
            return true;
        case 1:
            coords[1] = point.y();
            coords[2] = point.x();
            return true;
        case 2:
            coords[0] = point.x();
            coords[3] = point.y();
            return true;
        case 3:
            coords[2] = point.x();
            coords[3] = point.y();
            return true;
        default:
            return false;
        }
    case AreaShape::Poly: {
        const size_t i = size_t(handle) * 2;
        if (i + 1 >= coords.size())
            return false;
        coords[i] = point.x();
        coords[i + 1] = point.y();
        return true;
    }
    case AreaShape::Other:
        break;
    }
    return false;
}

bool MoveAreaBy(AreaShape shape, std::vector<int>& coords, QPoint delta)
{
    if (shape == AreaShape::Other)
        return true;
    if (int(coords.size()) < AreaNumbersToRead(shape))
        return false;
    const auto moveX = [&](size_t i) { coords[i] = clampInt(qint64(coords[i]) + delta.x()); };
    const auto moveY = [&](size_t i) { coords[i] = clampInt(qint64(coords[i]) + delta.y()); };
    const size_t pairs = shape == AreaShape::Rect ? 2 : shape == AreaShape::Circle ? 1 : coords.size() / 2;
    for (size_t p = 0; p < pairs; ++p) {
        moveX(2 * p);
        moveY(2 * p + 1);
    }
    return true;
}

bool AreaTouchesImageRect(AreaShape shape, const std::vector<int>& coords, QPoint origin, const platform::Rect& image)
{
    for (const QPoint& key : AreaHandles(shape, coords)) {
        const qint64 x = qint64(key.x()) + origin.x();
        const qint64 y = qint64(key.y()) + origin.y();
        if (x >= image.left && x < image.right && y >= image.top && y < image.bottom)
            return true;
    }
    return false;
}

QString QuotedAttributeValue(const QString& value)
{
    QString escaped = value;
    escaped.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    escaped.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString NewAreaAttributeText(AreaShape shape, const QString& url, const QString& coordsText, const QString& id,
                             const QString& target)
{
    // The circle's text has no blank after "href=", the others have one.
    const QString href = shape == AreaShape::Circle ? QStringLiteral("href=") : QStringLiteral("href= ");
    QString text = href + QuotedAttributeValue(url) + QStringLiteral(" shape=") +
                   QuotedAttributeValue(AreaShapeText(shape)) + QStringLiteral(" coords=") +
                   QuotedAttributeValue(coordsText) + QStringLiteral(" id=") + QuotedAttributeValue(id) +
                   QLatin1Char(' ');
    if (!target.isEmpty()) {
        // Differs from writing the target bare: a frame name with a blank or
        // a quote would break the tag.
        text += (shape == AreaShape::Poly ? QStringLiteral("target=") : QStringLiteral(" target=")) +
                QuotedAttributeValue(target) + QLatin1Char(' ');
    }
    return text;
}
