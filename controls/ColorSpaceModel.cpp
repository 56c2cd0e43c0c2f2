#include "controls/ColorSpaceModel.h"

#include <algorithm>
#include <cmath>

using platform::ColorRef;
using platform::Rect;

namespace colorspace_detail {

constexpr double kPi = 3.14159265358;

bool isHexDigit(QChar c)
{
    return HexDigitValue(QString(c)) != 0xFFFFFFFFu;
}

} // namespace colorspace_detail

ColorSpaceModel::ColorSpaceModel(ColorRef previous) : m_previous(previous)
{
    m_hsv = RgbToHsv(m_rgb);
    m_slots.fill(kMissingCustomColor);
}

void ColorSpaceModel::SetGeometry(const Rect& wheelArea, const Rect& bar, const Rect& previousSwatch,
                                  const Rect& newSwatch, const Rect& customArea)
{
    m_wheelArea = wheelArea;
    m_bar = bar;
    m_previousSwatch = previousSwatch;
    m_newSwatch = newSwatch;
    m_customArea = customArea;
    m_centre = QPoint(wheelArea.left + kWheelRadius, wheelArea.top + kWheelRadius);
}

int ColorSpaceModel::Distance(QPoint a, QPoint b)
{
    const double dx = a.x() - b.x();
    const double dy = a.y() - b.y();
    return int(std::sqrt(dx * dx + dy * dy));
}

double ColorSpaceModel::AngleOf(QPoint point, QPoint centre)
{
    if (point == centre)
        return 0;
    return std::atan2(double(centre.y() - point.y()), double(point.x() - centre.x()));
}

QPoint ColorSpaceModel::PointOf(int hue, int saturation, QPoint centre)
{
    const double a = hue * colorspace_detail::kPi / 180.0;
    const double r = saturation * 100.0 / 255.0;
    return centre + QPoint(int(std::cos(a) * r), -int(std::sin(a) * r));
}

HsvTriple ColorSpaceModel::WheelHsvAt(QPoint point, QPoint centre)
{
    HsvTriple hsv;
    hsv.value = 255;
    hsv.hue = int(AngleOf(point, centre) * 180.0 / colorspace_detail::kPi);
    if (hsv.hue < 0)
        hsv.hue += 360;
    hsv.saturation = std::min(255, int(Distance(point, centre) * 255.0 / 100.0));
    return hsv;
}

const QImage& ColorSpaceModel::WheelImage()
{
    static const QImage wheel = [] {
        QImage image(kWheelWidth, kWheelHeight, QImage::Format_RGB32);
        const QPoint centre(kWheelRadius, kWheelRadius);
        for (int y = 0; y < kWheelHeight; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < kWheelWidth; ++x) {
                const QPoint p(x, y);
                if (Distance(p, centre) > kWheelRadius) {
                    line[x] = qRgb(0, 0, 0);
                    continue;
                }
                const RgbTriple c = HsvToRgb(WheelHsvAt(p, centre));
                line[x] = qRgb(c.red, c.green, c.blue);
            }
        }
        return image;
    }();
    return wheel;
}

Rect ColorSpaceModel::WheelMarker() const
{
    const QPoint p = PointOf(m_hsv.hue, m_hsv.saturation, m_centre);
    return Rect(p.x() - 5, p.y() - 5, p.x() + 5, p.y() + 5);
}

Rect ColorSpaceModel::BarMarker() const
{
    const int y = m_bar.bottom - int(m_bar.height() * m_hsv.value / 255.0);
    return Rect(m_bar.left - 2, y - 4, m_bar.right + 2, y + 4);
}

std::vector<ColorRef> ColorSpaceModel::BarPalette() const
{
    const int entries = std::clamp(m_bar.height(), 0, kMaxBarEntries);
    std::vector<ColorRef> palette;
    palette.reserve(size_t(entries));
    for (int k = 0; k < entries; ++k) {
        const int value = int((entries - 1 - k) * (255.0 / entries));
        palette.push_back(RgbTripleToColorRef(HsvToRgb({m_hsv.hue, m_hsv.saturation, value})));
    }
    return palette;
}

int ColorSpaceModel::BarEntryOfRow(int row) const
{
    const int height = m_bar.height();
    if (height <= 0)
        return 0;
    const int entries = std::min(height, kMaxBarEntries);
    return std::clamp(row, 0, height - 1) * entries / height;
}

bool ColorSpaceModel::ButtonDown(QPoint point)
{
    if (InWheel(point)) {
        m_drag = Drag::Wheel;
        TrackPoint(point);
        return true;
    }
    if (m_bar.contains(point)) {
        m_drag = Drag::Bar;
        TrackPoint(point);
        return true;
    }
    m_drag = Drag::None;
    if (m_previousSwatch.contains(point)) {
        SetRgb({platform::redOf(m_previous), platform::greenOf(m_previous), platform::blueOf(m_previous)});
        return true;
    }
    if (m_customArea.contains(point)) {
        const int slot = SlotAtPoint(point);
        if (slot == 0 || slot == m_selectedSlot)
            return false;
        m_selectedSlot = slot;
        const ColorRef c = m_slots[size_t(slot - 1)];
        SetRgb({platform::redOf(c), platform::greenOf(c), platform::blueOf(c)});
        return true;
    }
    return false;
}

void ColorSpaceModel::TrackPoint(QPoint point)
{
    if (m_drag == Drag::Wheel) {
        m_hsv = WheelHsvAt(point, m_centre);
    } else if (m_drag == Drag::Bar) {
        if (m_bar.height() <= 0)
            return;
        const double v = (m_bar.bottom - point.y()) * 255.0 / m_bar.height();
        m_hsv.value = int(std::clamp(v, 0.0, 255.0));
    } else {
        return;
    }
    m_rgb = HsvToRgb(m_hsv);
}

bool ColorSpaceModel::SetField(Field field, int value)
{
    if (value == FieldValue(field))
        return false;
    const int limited = std::clamp(value, FieldMinimum(field), FieldMaximum(field));
    switch (field) {
    case Field::Red:
        SetRgb({limited, m_rgb.green, m_rgb.blue});
        break;
    case Field::Green:
        SetRgb({m_rgb.red, limited, m_rgb.blue});
        break;
    case Field::Blue:
        SetRgb({m_rgb.red, m_rgb.green, limited});
        break;
    case Field::Hue:
        SetHsv({limited, m_hsv.saturation, m_hsv.value});
        break;
    case Field::Saturation:
        SetHsv({m_hsv.hue, limited, m_hsv.value});
        break;
    case Field::Brightness:
        SetHsv({m_hsv.hue, m_hsv.saturation, limited});
        break;
    }
    return true;
}

int ColorSpaceModel::FieldValue(Field field) const
{
    switch (field) {
    case Field::Red:
        return m_rgb.red;
    case Field::Green:
        return m_rgb.green;
    case Field::Blue:
        return m_rgb.blue;
    case Field::Hue:
        return m_hsv.hue;
    case Field::Saturation:
        return m_hsv.saturation;
    case Field::Brightness:
        return m_hsv.value;
    }
    return 0;
}

ColorSpaceModel::HexEdit ColorSpaceModel::EditHex(const QString& typed, int selectionStart, int selectionEnd,
                                                  const QString& remembered)
{
    HexEdit edit{typed, selectionStart, selectionEnd, false};
    // Whatever is not a hexadecimal digit goes, the caret stepping back over it
    // (one character when typed; a pasted text loses all of them).
    int removed = 0;
    for (qsizetype i = edit.text.size() - 1; i >= 0; --i) {
        if (!colorspace_detail::isHexDigit(edit.text[i])) {
            edit.text.remove(i, 1);
            ++removed;
        }
    }
    if (removed > 0)
        edit.selectionStart = edit.selectionEnd = std::max(0, selectionEnd - removed);
    if (edit.text.size() < 6)
        return edit;
    edit.text.truncate(6);
    if (edit.text != remembered) {
        const auto pair = [&](int at) { return int(HexDigitValue(edit.text.mid(at, 2))); };
        SetRgb({pair(0), pair(2), pair(4)});
        edit.text = HexText();
        edit.colorChanged = true;
    }
    if (removed == 0) {
        edit.selectionStart = selectionStart;
        edit.selectionEnd = selectionEnd;
    }
    return edit;
}

QString ColorSpaceModel::HexText() const
{
    return QStringLiteral("%1%2%3")
        .arg(m_rgb.red, 2, 16, QLatin1Char('0'))
        .arg(m_rgb.green, 2, 16, QLatin1Char('0'))
        .arg(m_rgb.blue, 2, 16, QLatin1Char('0'))
        .toUpper();
}

Rect ColorSpaceModel::SlotRect(int slot) const
{
    if (slot < 1 || slot > 16)
        return Rect();
    const int w = m_customArea.width() / 8;
    const int h = m_customArea.height() / 2;
    const int i = slot - 1;
    const int left = m_customArea.left + w * (i % 8);
    const int top = m_customArea.top + h * (i / 8);
    return Rect(left, top, left + w, top + h);
}

int ColorSpaceModel::SlotAtPoint(QPoint point) const
{
    const int w = m_customArea.width() / 8;
    const int h = m_customArea.height() / 2;
    if (w <= 0 || h <= 0)
        return 0;
    const int dx = point.x() - m_customArea.left;
    const int dy = point.y() - m_customArea.top;
    if (dx < 0 || dy < 0 || dx >= 8 * w || dy >= 2 * h)
        return 0;
    return dx / w + 1 + (dy / h) * 8;
}

void ColorSpaceModel::AddCustomColor()
{
    if (m_selectedSlot >= 1 && m_selectedSlot <= 16)
        m_slots[size_t(m_selectedSlot - 1)] = NewColor();
}

ColorRef ColorSpaceModel::NewColor() const
{
    return RgbTripleToColorRef(m_rgb);
}

void ColorSpaceModel::SetRgb(const RgbTriple& rgb)
{
    m_rgb = rgb;
    m_hsv = RgbToHsv(m_rgb);
}

void ColorSpaceModel::SetHsv(const HsvTriple& hsv)
{
    m_hsv = hsv;
    m_rgb = HsvToRgb(m_hsv);
}
