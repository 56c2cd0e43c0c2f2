#pragma once

#include <QImage>

#include <vector>

// The kinds of frame a scanner sends (the values are SANE's frame formats).
enum class ScanFrameKind { Gray = 0, Rgb = 1, Red = 2, Green = 3, Blue = 4 };

// What a scanner says of the frame it is about to send.
struct ScanFrameFormat
{
    ScanFrameKind kind = ScanFrameKind::Gray;
    bool lastFrame = true;
    int bytesPerLine = 0;
    int pixelsPerLine = 0;
    int lines = -1; // -1: not known before the frame ends (a hand scanner)
    int depth = 8;  // bits per sample: 1, 8 or 16 (16-bit samples in this machine's byte order)
};

enum class ScanPageError {
    None,
    UnsupportedFrame, // a depth, kind or line length the program cannot read
    FrameMismatch,    // a later frame of the page differs in size or depth from the first
    TooLarge,         // beyond the pixels a page may have
    NoLines,          // the frame ended before a whole line arrived
};

// Builds one page from the frames of a scan: a gray or colour frame, or the
// red, green and blue frames of a three-pass scanner, in any order. Samples
// arrive as raw bytes in any portions; the page comes out as an opaque
// 24-bit picture. 1-bit gray is black where the bit is set.
class ScanPageBuilder
{
public:
    explicit ScanPageBuilder(long long maxPixels);

    // Starts a frame of the page; false when the frame cannot be read or does
    // not fit the page's earlier frames (see error()).
    bool beginFrame(const ScanFrameFormat& format);
    void append(const char* data, qsizetype size);
    // Ends the frame. A frame of unknown height ends at its last whole line; a
    // frame that came short leaves its missing lines white. False when the
    // frame brought no line or the page grew too large.
    bool endFrame();
    // Whether the frame just ended was the page's last.
    bool pageComplete() const { return m_pageComplete; }

    // The finished page (RGB32), and a fresh start for the next one.
    QImage takePage();

    ScanPageError error() const { return m_error; }
    // Bytes of the current frame received so far, and expected (-1 when the
    // height is not known).
    qint64 frameBytesReceived() const { return m_frameBytes; }
    qint64 frameBytesExpected() const;

private:
    void convertLine(const quint8* line);
    bool ensureLines(int lines);
    bool fail(ScanPageError error);

    long long m_maxPixels;
    ScanFrameFormat m_format;
    bool m_inFrame = false;
    bool m_havePage = false;
    bool m_pageComplete = false;
    int m_width = 0;
    int m_depth = 0;
    int m_pageLines = 0;  // lines the page holds so far
    int m_frameLines = 0; // whole lines of the current frame converted
    qint64 m_frameBytes = 0;
    std::vector<quint8> m_pending; // the part of a line not yet complete
    std::vector<quint8> m_rgb;     // 3 bytes a pixel, line after line
    ScanPageError m_error = ScanPageError::None;
};
