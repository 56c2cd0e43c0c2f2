#include "controls/CDIB.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace {

// Bitmaps beyond this many bytes of pixels are refused rather than allocated.
constexpr qint64 kMaxDibPixelBytes = qint64(256) * 1024 * 1024;

} // namespace

int CDIB::PaletteSizeFor(int bitCount)
{
    switch (bitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

int CDIB::BytesPerRowFor(int width, int bitCount)
{
    const qint64 bytes = (qint64(width) * bitCount + 7) / 8;
    return int((bytes + 3) & ~qint64(3));
}

void CDIB::Free()
{
    m_pBlock.clear();
    m_pBlock.shrink_to_fit();
    m_ppRows.clear();
    m_pBits = nullptr;
    m_pInfo = nullptr;
    m_pPalette = nullptr;
    m_nHeight = m_nWidth = m_nBytesPerRow = m_nBitCount = 0;
}

bool CDIB::Create(int width, int height, int bitCount)
{
    Free();
    DibHeader header;
    header.biWidth = width;
    header.biHeight = height;
    header.biBitCount = quint16(bitCount);
    return CreateFromHeader(header);
}

bool CDIB::CreateFromHeader(const DibHeader& header)
{
    Free();
    const int width = header.biWidth;
    const int height = header.biHeight;
    const int bits = header.biBitCount;
    if (width <= 0 || height <= 0 || bits <= 0 || bits > 32)
        return false;
    const qint64 rowBytes = (qint64(width) * bits + 7) / 8;
    const qint64 stride = (rowBytes + 3) & ~qint64(3);
    if (stride * height > kMaxDibPixelBytes)
        return false;
    const int paletteSize = PaletteSizeFor(bits);
    const size_t blockSize = sizeof(DibHeader) + sizeof(DibQuad) * size_t(paletteSize) + size_t(stride * height);
    try {
        m_pBlock.assign(blockSize, 0);
        m_ppRows.resize(size_t(height));
    } catch (const std::bad_alloc&) {
        Free();
        return false;
    }
    m_nWidth = width;
    m_nHeight = height;
    m_nBitCount = bits;
    m_nBytesPerRow = int(stride);
    std::memcpy(m_pBlock.data(), &header, sizeof(DibHeader));
    m_pInfo = reinterpret_cast<DibHeader*>(m_pBlock.data());
    m_pInfo->biSize = sizeof(DibHeader);
    m_pPalette = reinterpret_cast<DibQuad*>(m_pBlock.data() + sizeof(DibHeader));
    m_pBits = m_pBlock.data() + sizeof(DibHeader) + sizeof(DibQuad) * size_t(paletteSize);
    for (int y = 0; y < height; ++y)
        m_ppRows[size_t(y)] = m_pBits + qint64(height - y - 1) * stride;
    return true;
}

bool CDIB::CreateFromPacked(const QByteArray& packed)
{
    Free();
    if (packed.size() < qsizetype(sizeof(DibHeader)))
        return false;
    DibHeader header;
    std::memcpy(&header, packed.constData(), sizeof(DibHeader));
    if (header.biCompression != 0)
        return false;
    if (header.biBitCount >= 15 && header.biBitCount != 24)
        return false;
    if (header.biSize < sizeof(DibHeader) || header.biSize > quint32(packed.size()))
        return false;
    // A block too short for the size its header claims is refused before
    // anything is allocated for that size.
    if (header.biWidth <= 0 || header.biHeight <= 0)
        return false;
    const qint64 tableBytes = qint64(sizeof(DibQuad)) * PaletteSizeFor(header.biBitCount);
    const qint64 rowBytes = (qint64(header.biWidth) * header.biBitCount + 7) / 8;
    const qint64 pixelBytes = ((rowBytes + 3) & ~qint64(3)) * header.biHeight;
    if (qint64(header.biSize) + tableBytes + pixelBytes > packed.size())
        return false;
    DibHeader own;
    own.biWidth = header.biWidth;
    own.biHeight = header.biHeight;
    own.biBitCount = header.biBitCount;
    if (!CreateFromHeader(own))
        return false;
    const char* table = packed.constData() + header.biSize;
    std::memcpy(m_pPalette, table, size_t(tableBytes));
    std::memcpy(m_pBits, table + tableBytes, size_t(pixelBytes));
    return true;
}

void CDIB::SetPaletteRGB(const quint8* rgb)
{
    if (!m_pPalette)
        return;
    for (int i = 0; i < GetPaletteSize(); ++i) {
        quint8 r = rgb[3 * i], g = rgb[3 * i + 1], b = rgb[3 * i + 2];
        if (m_bUseGamma) {
            r = m_GammaTable[r];
            g = m_GammaTable[g];
            b = m_GammaTable[b];
        }
        m_pPalette[i] = DibQuad{b, g, r, 0};
    }
}

void CDIB::SetPalette(const DibQuad* entries)
{
    if (m_pPalette)
        std::memcpy(m_pPalette, entries, sizeof(DibQuad) * size_t(GetPaletteSize()));
}

void CDIB::SetGamma(float gamma, bool use)
{
    m_bUseGamma = use;
    m_fPrevGamma = m_fGamma;
    m_fGamma = gamma;
    for (int i = 0; i < 256; ++i)
        m_GammaTable[i] = quint8(std::clamp(int(std::pow(i / 255.0, double(gamma)) * 255.0 + 0.5), 0, 255));
}

QImage CDIB::ToImage(int sourceX, int sourceY, int width, int height) const
{
    const QRect wanted = QRect(sourceX, sourceY, width, height).intersected(QRect(0, 0, m_nWidth, m_nHeight));
    if (wanted.isEmpty() || !m_pBits)
        return QImage();
    QImage out(wanted.size(), QImage::Format_RGB32);
    auto quadRgb = [this](int index) {
        if (index >= GetPaletteSize())
            return qRgb(0, 0, 0);
        const DibQuad& q = m_pPalette[index];
        return qRgb(q.red, q.green, q.blue);
    };
    for (int row = 0; row < wanted.height(); ++row) {
        const quint8* src = GetRow(wanted.top() + row);
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(row));
        for (int col = 0; col < wanted.width(); ++col) {
            const int x = wanted.left() + col;
            QRgb pixel = 0;
            switch (m_nBitCount) {
            case 1:
                pixel = quadRgb((src[x >> 3] >> (7 - (x & 7))) & 1);
                break;
            case 4:
                pixel = quadRgb((x & 1) ? (src[x >> 1] & 0x0F) : (src[x >> 1] >> 4));
                break;
            case 8:
                pixel = quadRgb(src[x]);
                break;
            case 16: {
                const int v = src[2 * x] | (src[2 * x + 1] << 8);
                pixel = qRgb(((v >> 10) & 31) * 255 / 31, ((v >> 5) & 31) * 255 / 31, (v & 31) * 255 / 31);
                break;
            }
            case 24:
                pixel = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
                break;
            case 32:
                pixel = qRgb(src[4 * x + 2], src[4 * x + 1], src[4 * x]);
                break;
            default:
                break;
            }
            dst[col] = pixel;
        }
    }
    return out;
}

void CDIB::Draw(QPainter& dc, int x, int y, int width, int height, int sourceX, int sourceY) const
{
    const QImage image = ToImage(sourceX, sourceY, width, height);
    if (image.isNull())
        return;
    // Clipping the source moves the part that is left by as much on the target.
    dc.drawImage(QPoint(x + qMax(0, -sourceX), y + qMax(0, -sourceY)), image);
}
