#include "images/BannerModel.h"

#include "images/BannerLayoutGeometry.h"
#include "images/CImage.h"
#include "images/ImageColors.h"
#include "images/ImageFiles.h"
#include "images/RasterBitmap.h"
#include "util/FileHelpers.h"

#include <QFileInfo>

#include <algorithm>

namespace bannermodel_detail {

// The picture at the size, its transparent colour kept crisp.
QImage resampled(const QImage& picture, QSize size, platform::ColorRef transparent)
{
    if (picture.size() == size)
        return picture;
    if (transparent != kNoTransparentColor)
        return ScaleKeyed(picture, size.width(), size.height(), ColorRefToRgb(transparent));
    return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QPainter& surface(CMemDC& dc, const platform::Rect& canvas)
{
    dc.Resize(nullptr, canvas.width(), canvas.height());
    return *dc.painter();
}

void fill(QPainter& dc, const platform::Rect& canvas, platform::ColorRef color)
{
    dc.save();
    dc.setCompositionMode(QPainter::CompositionMode_Source);
    dc.fillRect(QRect(0, 0, canvas.width(), canvas.height()), platform::toQColor(color));
    dc.restore();
}

} // namespace bannermodel_detail

BannerModel::BannerModel()
{
    m_text.font.setPixelSize(24);
    SetDefaultCanvas(QSize(m_sizeViewClient.width() + 16, 190));
}

void BannerModel::SetDefaultCanvas(QSize area)
{
    m_rcCanvas = platform::Rect(0, 0, area.width() - 50, area.height() / 2);
    m_rcPicture = m_rcCanvas;
    m_rcText = platform::Rect(5, 5, m_rcCanvas.width() - 5, m_rcCanvas.height() - 5);
}

platform::Rect BannerModel::DefaultCanvas() const
{
    return platform::Rect(0, 0, m_sizeViewClient.width() - 50, m_sizeViewClient.height() / 2);
}

platform::ColorRef BannerModel::KeyFill() const
{
    return m_crKey == kNoTransparentColor ? m_crWindow : m_crKey;
}

void BannerModel::LoadPicture()
{
    // GIFs through the GIF reader with their transparent colour; every other
    // picture through the general loader.
    const QString path = m_strPicturePath;
    const QString extension = path.mid(path.lastIndexOf(QLatin1Char('.')) + 1).toUpper();
    QImage bitmap;
    platform::ColorRef transparent = kNoTransparentColor;
    if (path.contains(QLatin1Char('.')) && extension == QLatin1String("GIF")) {
        const CImage gif(path, 1);
        if (gif.IsValid()) {
            transparent = gif.GetTransparentColor();
            bitmap = gif.MakeBitmap();
        }
    } else {
        QSize size;
        bitmap = LoadRasterImageBitmap(path, transparent, &size);
    }
    if (bitmap.isNull()) {
        // A picture the decoders refuse: no picture; the canvas stays.
        m_bmpPicture.Attach(QImage());
        return;
    }
    m_bmpPicture.Attach(bitmap.convertToFormat(QImage::Format_RGB32));
    m_crTransparent = transparent;
    m_crKey = transparent;
    m_rcPicture = platform::Rect(0, 0, bitmap.width(), bitmap.height());
    m_rcCanvas = m_rcPicture;
}

BannerModel::ComposeResult BannerModel::Compose()
{
    namespace detail = bannermodel_detail;
    ComposeResult result;
    // 1. A new picture, or the banner afresh.
    if (m_strPicturePath != m_strPrevPicturePath || m_rcCanvas.isEmpty()) {
        result.reloaded = true;
        m_strPrevPicturePath = m_strPicturePath;
        m_crTransparent = kNoTransparentColor;
        const QFileInfo file(m_strPicturePath);
        if (!m_strPicturePath.isEmpty() && file.isFile()) {
            LoadPicture();
        } else if (m_strPicturePath.isEmpty()) {
            m_rcCanvas = DefaultCanvas();
            m_rcPicture = m_rcCanvas;
            m_bmpPicture.Attach(QImage());
            // Differs from keeping the last picture's key: a banner without
            // picture is keyed with the default colour again.
            m_crKey = kDefaultKey;
        } else {
            m_bmpPicture.Attach(QImage());
        }
        if (m_rcCanvas.isEmpty())
            m_rcCanvas = DefaultCanvas();
    }
    // 2. The surfaces at the canvas size.
    QPainter& composite = detail::surface(m_dcComposite, m_rcCanvas);
    QPainter& output = detail::surface(m_dcOutput, m_rcCanvas);
    detail::fill(composite, m_rcCanvas, m_crWindow);
    detail::fill(output, m_rcCanvas, KeyFill());
    // 3. The picture, resampled to the canvas.
    if (HasPicture()) {
        const bool scale = !m_rcPicture.isEmpty() && !m_rcCanvas.isEmpty();
        const QImage shown = scale ? detail::resampled(m_bmpPicture.image(),
                                                       QSize(m_rcCanvas.width(), m_rcCanvas.height()), m_crTransparent)
                                   : m_bmpPicture.image();
        DrawPicture(composite, m_crTransparent, shown);
        DrawPicture(output, m_crKey, shown);
    }
    // 4. The text, its box kept 10 pixels inside the canvas.
    bannerlayout::KeepTextBoxInside(m_rcText, m_rcCanvas, 10);
    if (m_bShowText)
        DrawText(composite, TextEdges::Smooth);
    return result;
}

void BannerModel::DrawPicture(QPainter& dc, platform::ColorRef leftOut, const QImage& scaled) const
{
    ASMBitmap picture;
    picture.Attach(scaled);
    picture.Draw(0, 0, -1, -1, 0, 0, dc, ASMBitmap::kCopy, leftOut);
}

const QImage& BannerModel::ScaledPicture()
{
    const QSize size(m_rcCanvas.width(), m_rcCanvas.height());
    const qint64 picture = m_bmpPicture.image().cacheKey();
    ScaleCache& cache = m_scaleCache;
    if (cache.scaled.isNull() || cache.picture != picture || cache.size != size ||
        cache.transparent != m_crTransparent) {
        cache.scaled = bannermodel_detail::resampled(m_bmpPicture.image(), size, m_crTransparent);
        cache.picture = picture;
        cache.size = size;
        cache.transparent = m_crTransparent;
    }
    return cache.scaled;
}

const BannerTextLayer& BannerModel::TextLayer()
{
    // Clipped to the canvas, but never below 2048 x 2048, so that the
    // layer outlives a drag of the canvas's corner.
    constexpr int kLeastClip = 2048;
    const QRect clip(0, 0, std::max(m_rcCanvas.width(), kLeastClip), std::max(m_rcCanvas.height(), kLeastClip));
    TextCache& cache = m_textCache;
    if (!cache.valid || cache.box != m_rcText || cache.clip != clip || !(cache.params == m_text)) {
        cache.layer = Draw3dTextLayer(clip, m_rcText, m_text);
        cache.box = m_rcText;
        cache.clip = clip;
        cache.params = m_text;
        cache.valid = true;
    }
    return cache.layer;
}

void BannerModel::DrawText(QPainter& dc, TextEdges edges)
{
    if (m_rcCanvas.isEmpty())
        return;
    const BannerTextLayer& layer = TextLayer();
    LayTextLayer(dc, layer.image, edges, layer.origin);
}

void BannerModel::QuickCompose()
{
    namespace detail = bannermodel_detail;
    QPainter& composite = detail::surface(m_dcComposite, m_rcCanvas);
    if (!HasPicture() || m_crTransparent != kNoTransparentColor)
        detail::fill(composite, m_rcCanvas, m_crWindow);
    if (HasPicture())
        m_bmpPicture.DrawStretched(0, 0, m_rcCanvas.width(), m_rcCanvas.height(), 0, 0, -1, -1, composite,
                                   ASMBitmap::kCopy, m_crTransparent);
    if (m_bShowText)
        DrawText(composite, TextEdges::Smooth);
}

QImage BannerModel::RenderScaled(const platform::Rect& target) const
{
    const QImage* composite = Composite();
    if (!composite || target.isEmpty())
        return QImage();
    // The surfaces are made at the canvas size: no copy is needed.
    Q_ASSERT(composite->size() == QSize(m_rcCanvas.width(), m_rcCanvas.height()));
    return composite->scaled(target.width(), target.height(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage BannerModel::BannerBitmap(platform::ColorRef* keyOut)
{
    namespace detail = bannermodel_detail;
    Compose();
    // The text over the output, every pixel of it opaque, 2 pixels of
    // margin.
    QPainter& output = *m_dcOutput.painter();
    if (!HasPicture())
        detail::fill(output, m_rcCanvas, KeyFill());
    bannerlayout::KeepTextBoxInside(m_rcText, m_rcCanvas, 2);
    if (m_bShowText)
        DrawText(output, TextEdges::Hard);
    platform::ColorRef key = m_crKey;
    if (HasPicture() && m_crTransparent == kNoTransparentColor)
        key = kNoTransparentColor;
    if (keyOut)
        *keyOut = key;
    Q_ASSERT(Output()->size() == QSize(m_rcCanvas.width(), m_rcCanvas.height()));
    return Output()->convertToFormat(QImage::Format_RGB32);
}

bool BannerModel::WriteBanner(const QString& folder, QString& file)
{
    platform::ColorRef key = kNoTransparentColor;
    const QImage bitmap = BannerBitmap(&key);
    file = MakeTempImageFileName(QStringLiteral("GIF"), CreateFolderPath(folder), QString());
    return SaveBitmapAsGif(bitmap, file, key);
}

void BannerModel::TakeSnapshot()
{
    namespace detail = bannermodel_detail;
    QPainter& snapshot = detail::surface(m_dcSnapshot, m_rcCanvas);
    detail::fill(snapshot, m_rcCanvas, KeyFill());
    if (const QImage* output = Output())
        snapshot.drawImage(0, 0, *output);
}

void BannerModel::ApplyCrop(const platform::Rect& selection)
{
    // 1. The selection in canvas pixels.
    const platform::Rect fit =
        bannerlayout::CanvasFit(QSize(m_rcCanvas.width(), m_rcCanvas.height()), m_sizeViewClient);
    const platform::Rect cropped = bannerlayout::CanvasOfCrop(selection, fit, m_rcCanvas.width());
    const QImage* snapshot = m_dcSnapshot.image();
    m_nMouseMode = 0;
    m_bCanvasDrag = false;
    if (cropped.isEmpty() || !snapshot)
        return;
    // 2. Differs from comparing the new canvas with the fit (view
    // coordinates): the key-coloured ground of a banner without picture
    // stays transparent whether it was cropped or extended.
    if (!HasPicture())
        m_crTransparent = m_crKey;
    // 3. The snapshot cut (or extended) into the new picture. Extended parts
    // take the transparent colour while there is one, so that they are
    // transparent in the banner as they look empty on the screen.
    QImage picture(cropped.width(), cropped.height(), QImage::Format_RGB32);
    picture.fill(platform::toQColor(m_crTransparent != kNoTransparentColor ? m_crTransparent : m_crWindow));
    {
        QPainter painter(&picture);
        painter.drawImage(QPoint(-cropped.left, -cropped.top), *snapshot,
                          QRect(0, 0, m_rcCanvas.width(), m_rcCanvas.height()));
    }
    m_bmpPicture.Attach(picture);
    m_rcCanvas = platform::Rect(0, 0, cropped.width(), cropped.height());
    m_rcPicture = m_rcCanvas;
}

void BannerModel::DeletePicture()
{
    m_strPicturePath.clear();
    Compose();
    m_rcCanvas = DefaultCanvas();
}
