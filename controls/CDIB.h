#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <cstdint>
#include <vector>

class QPainter;
class QImage;

// The 40-byte header of a device-independent bitmap.
struct DibHeader
{
    quint32 biSize = 40;
    qint32 biWidth = 0;
    qint32 biHeight = 0;
    quint16 biPlanes = 1;
    quint16 biBitCount = 0;
    quint32 biCompression = 0;
    quint32 biSizeImage = 0;
    qint32 biXPelsPerMeter = 0;
    qint32 biYPelsPerMeter = 0;
    quint32 biClrUsed = 0;
    quint32 biClrImportant = 0;
};
static_assert(sizeof(DibHeader) == 40);

// One colour-table entry, blue first.
struct DibQuad
{
    quint8 blue = 0;
    quint8 green = 0;
    quint8 red = 0;
    quint8 reserved = 0;
};
static_assert(sizeof(DibQuad) == 4);

// A device-independent bitmap in one block of memory: header, colour table and
// pixel rows. Rows are stored bottom-up, and GetRow(0) is the top row.
class CDIB
{
public:
    CDIB() = default;
    virtual ~CDIB() = default;

    CDIB(const CDIB&) = delete;
    CDIB& operator=(const CDIB&) = delete;

    void Free();
    // A bitmap of the size and bit count; false when the size is not drawable or
    // memory runs out.
    bool Create(int width, int height, int bitCount);
    bool CreateFromHeader(const DibHeader& header);
    // Reads a packed bitmap (header, colour table, rows). Compressed bitmaps and
    // bit counts of 15 and more other than 24 are refused, as are truncated ones.
    bool CreateFromPacked(const QByteArray& packed);

    quint8* GetRow(int y) { return m_ppRows[size_t(y)]; }
    const quint8* GetRow(int y) const { return m_ppRows[size_t(y)]; }
    int GetHeight() const { return m_nHeight; }
    int GetWidth() const { return m_nWidth; }
    int GetBytesPerRow() const { return m_nBytesPerRow; }
    int GetBitCount() const { return m_nBitCount; }
    int GetPaletteSize() const { return PaletteSizeFor(m_nBitCount); }
    const DibHeader* GetInfo() const { return m_pInfo; }
    const DibQuad* GetPalette() const { return m_pPalette; }
    const quint8* GetBits() const { return m_pBits; }
    size_t GetBlockSize() const { return m_pBlock.size(); }
    const quint8* GetBlock() const { return m_pBlock.data(); }

    // Colour-table-size colours as red, green, blue bytes (through the gamma table when on).
    void SetPaletteRGB(const quint8* rgb);
    void SetPalette(const DibQuad* entries);
    void SetGamma(float gamma, bool use);

    // Copies (sourceX, sourceY, width, height), counted from the top, to (x, y).
    void Draw(QPainter& dc, int x, int y, int width, int height, int sourceX, int sourceY) const;
    // The rectangle (sourceX, sourceY, width, height) as an image, clipped to the bitmap.
    QImage ToImage(int sourceX, int sourceY, int width, int height) const;

    static int PaletteSizeFor(int bitCount);
    static int BytesPerRowFor(int width, int bitCount);

private:
    quint8* m_pBits = nullptr;
    DibHeader* m_pInfo = nullptr;
    DibQuad* m_pPalette = nullptr;
    std::vector<quint8> m_pBlock;
    std::vector<quint8*> m_ppRows;
    int m_nHeight = 0;
    int m_nBytesPerRow = 0;
    int m_nWidth = 0;
    int m_nBitCount = 0;
    bool m_bUseGamma = false;
    float m_fGamma = 1.0f;
    float m_fPrevGamma = 1.0f;
    quint8 m_GammaTable[256] = {};
};
