#include "images/ScanPageBuilder.h"

#include <algorithm>
#include <cstring>

ScanPageBuilder::ScanPageBuilder(long long maxPixels) : m_maxPixels(maxPixels) {}

bool ScanPageBuilder::fail(ScanPageError error)
{
    // The page is lost with its frame.
    m_error = error;
    m_inFrame = false;
    m_havePage = false;
    m_pageComplete = false;
    m_pageLines = 0;
    m_rgb.clear();
    return false;
}

bool ScanPageBuilder::beginFrame(const ScanFrameFormat& format)
{
    m_error = ScanPageError::None;
    const int samples = format.kind == ScanFrameKind::Rgb ? 3 : 1;
    const bool kindKnown = format.kind >= ScanFrameKind::Gray && format.kind <= ScanFrameKind::Blue;
    const bool depthKnown = format.depth == 1 || format.depth == 8 || format.depth == 16;
    if (!kindKnown || !depthKnown || format.pixelsPerLine <= 0 || format.lines < -1 || format.lines == 0 ||
        qint64(format.bytesPerLine) * 8 < qint64(format.pixelsPerLine) * samples * format.depth)
        return fail(ScanPageError::UnsupportedFrame);
    if (format.pixelsPerLine > m_maxPixels ||
        (format.lines > 0 && qint64(format.pixelsPerLine) * format.lines > m_maxPixels))
        return fail(ScanPageError::TooLarge);
    if (m_havePage) {
        // The frames of one page share their size and depth.
        const bool sameHeight = format.lines < 0 || m_pageLines == 0 || format.lines == m_pageLines;
        if (format.pixelsPerLine != m_width || format.depth != m_depth || !sameHeight ||
            format.kind == ScanFrameKind::Gray || format.kind == ScanFrameKind::Rgb)
            return fail(ScanPageError::FrameMismatch);
    } else {
        m_width = format.pixelsPerLine;
        m_depth = format.depth;
        m_pageLines = 0;
        m_rgb.clear();
        m_havePage = true;
    }
    m_format = format;
    m_inFrame = true;
    m_pageComplete = false;
    m_frameLines = 0;
    m_frameBytes = 0;
    m_pending.clear();
    if (format.lines > 0 && !ensureLines(format.lines))
        return false;
    return true;
}

qint64 ScanPageBuilder::frameBytesExpected() const
{
    return m_format.lines > 0 ? qint64(m_format.bytesPerLine) * m_format.lines : -1;
}

bool ScanPageBuilder::ensureLines(int lines)
{
    if (lines <= m_pageLines)
        return true;
    if (qint64(m_width) * lines > m_maxPixels)
        return fail(ScanPageError::TooLarge);
    // New lines are white until a frame writes them.
    m_rgb.resize(size_t(m_width) * 3 * size_t(lines), 0xFF);
    m_pageLines = lines;
    return true;
}

void ScanPageBuilder::append(const char* data, qsizetype size)
{
    if (!m_inFrame || size <= 0)
        return;
    m_frameBytes += size;
    const auto* bytes = reinterpret_cast<const quint8*>(data);
    const size_t lineBytes = size_t(m_format.bytesPerLine);
    while (size > 0 && m_inFrame) {
        // Data beyond the announced height is not part of the page.
        if (m_format.lines > 0 && m_frameLines >= m_format.lines)
            return;
        const size_t take = std::min(size_t(size), lineBytes - m_pending.size());
        if (m_pending.empty() && take == lineBytes) {
            convertLine(bytes);
        } else {
            m_pending.insert(m_pending.end(), bytes, bytes + take);
            if (m_pending.size() == lineBytes) {
                convertLine(m_pending.data());
                m_pending.clear();
            }
        }
        bytes += take;
        size -= qsizetype(take);
    }
}

void ScanPageBuilder::convertLine(const quint8* line)
{
    if (m_format.lines < 0 && !ensureLines(m_frameLines + 1))
        return;
    quint8* out = m_rgb.data() + size_t(m_frameLines) * size_t(m_width) * 3;
    const int samples = m_format.kind == ScanFrameKind::Rgb ? 3 : 1;
    auto sample = [&](int index) -> quint8 {
        switch (m_depth) {
        case 1: {
            const bool set = (line[index / 8] >> (7 - index % 8)) & 1;
            // Gray: a set bit is black; a colour channel: a set bit is full.
            if (m_format.kind == ScanFrameKind::Gray)
                return set ? 0 : 255;
            return set ? 255 : 0;
        }
        case 16: {
            quint16 value;
            std::memcpy(&value, line + size_t(index) * 2, 2);
            return quint8(value >> 8);
        }
        default:
            return line[index];
        }
    };
    for (int x = 0; x < m_width; ++x) {
        quint8* pixel = out + size_t(x) * 3;
        switch (m_format.kind) {
        case ScanFrameKind::Gray:
            pixel[0] = pixel[1] = pixel[2] = sample(x);
            break;
        case ScanFrameKind::Rgb:
            for (int c = 0; c < 3; ++c)
                pixel[c] = sample(x * samples + c);
            break;
        case ScanFrameKind::Red:
            pixel[0] = sample(x);
            break;
        case ScanFrameKind::Green:
            pixel[1] = sample(x);
            break;
        case ScanFrameKind::Blue:
            pixel[2] = sample(x);
            break;
        }
    }
    ++m_frameLines;
}

bool ScanPageBuilder::endFrame()
{
    if (!m_inFrame)
        return false;
    m_inFrame = false;
    m_pending.clear();
    if (m_frameLines == 0)
        return fail(ScanPageError::NoLines);
    // A frame of unknown height gives the page its height; missing lines of
    // a frame that came short stay white.
    m_pageComplete = m_format.lastFrame;
    return true;
}

QImage ScanPageBuilder::takePage()
{
    QImage page;
    if (m_havePage && m_pageLines > 0) {
        page = QImage(m_width, m_pageLines, QImage::Format_RGB32);
        for (int y = 0; y < m_pageLines && !page.isNull(); ++y) {
            const quint8* from = m_rgb.data() + size_t(y) * size_t(m_width) * 3;
            QRgb* to = reinterpret_cast<QRgb*>(page.scanLine(y));
            for (int x = 0; x < m_width; ++x)
                to[x] = qRgb(from[x * 3], from[x * 3 + 1], from[x * 3 + 2]);
        }
    }
    m_havePage = false;
    m_pageComplete = false;
    m_pageLines = 0;
    m_rgb.clear();
    m_rgb.shrink_to_fit();
    return page;
}
