#include "images/ThumbnailTile.h"

#include "images/ImageCodec.h"
#include "images/ImageFiles.h"

#include <QPainter>

platform::Rect FitRect(int w, int h, int boxW, int boxH)
{
    // 1. Nothing to place.
    if (w == 0 || h == 0)
        return platform::Rect();
    int width = 0;
    int height = 0;
    if (h <= w) {
        // 2. Wider than tall: the width decides.
        width = w < boxW ? w : boxW;
        height = h * width / w;
    } else {
        // 3. Taller than wide: the height decides.
        height = h < boxH ? h : boxH;
        width = w * height / h;
    }
    // 4. Centred.
    const int left = (boxW - width) / 2;
    const int top = (boxH - height) / 2;
    return platform::Rect(left, top, left + width, top + height);
}

namespace {

platform::Rect loaderDestination(int w, int h, int W, int H)
{
    // The target size; percentages are integers.
    int targetW = w;
    int targetH = h;
    if (w > W && h > H) {
        if (w > h) {
            const int p = W * 100 / w;
            targetW = W;
            targetH = h * p / 100;
        } else {
            const int p = H * 100 / h;
            targetW = w * p / 100;
            targetH = H;
        }
    } else if (w < W && h > H) {
        // Too tall only: squeezed rather than a thin line below 21 %.
        const int p = H * 100 / h;
        targetW = p > 20 ? w * p / 100 : w;
        targetH = H;
    } else if (w > W && h < H) {
        const int p = W * 100 / w;
        targetW = W;
        targetH = p > 20 ? h * p / 100 : h;
    }
    return FitRect(targetW, targetH, W, H);
}

platform::Rect synchronousDestination(int w, int h, int W, int H)
{
    int drawW = w;
    int drawH = h;
    if (w < W && h < H) {
        // Unscaled.
    } else if (w < W && h > H) {
        const int p = H * 100 / h;
        drawW = p < 21 ? w : w * p / 100;
        drawH = H;
    } else if (w > W && h < H) {
        const int p = W * 100 / w;
        drawW = W;
        drawH = p < 21 ? h : h * p / 100;
    } else if (h < w) {
        const int p = W * 100 / w;
        drawW = W;
        drawH = h * p / 100;
    } else {
        const int p = H * 100 / h;
        drawW = w * p / 100;
        drawH = H;
    }
    const platform::Rect fit = FitRect(drawW, drawH, W, H);
    return platform::Rect(fit.left, fit.top, fit.left + drawW, fit.top + drawH);
}

} // namespace

platform::Rect ThumbnailDestination(int w, int h, int W, int H, ThumbnailRule rule)
{
    if (w <= 0 || h <= 0 || W <= 0 || H <= 0)
        return platform::Rect();
    return rule == ThumbnailRule::Loader ? loaderDestination(w, h, W, H) : synchronousDestination(w, h, W, H);
}

QImage MakeThumbnailTile(const QImage& picture, QSize tile, ThumbnailRule rule, bool transparentBackground,
                         QSize ownSize)
{
    QImage result(tile, QImage::Format_ARGB32_Premultiplied);
    result.fill(transparentBackground ? Qt::transparent : Qt::white);
    if (picture.isNull() || tile.isEmpty())
        return result;
    const QSize own = ownSize.isValid() && !ownSize.isEmpty() ? ownSize : picture.size();
    const platform::Rect destination =
        ThumbnailDestination(own.width(), own.height(), tile.width(), tile.height(), rule);
    if (destination.isEmpty())
        return result;
    // One smooth resampling straight to the destination.
    const QImage scaled = picture.size() == QSize(destination.width(), destination.height())
                              ? picture
                              : picture.scaled(destination.width(), destination.height(), Qt::IgnoreAspectRatio,
                                               Qt::SmoothTransformation);
    QPainter painter(&result);
    painter.drawImage(QPoint(destination.left, destination.top), scaled);
    painter.end();
    return result;
}

QImage LoadThumbnailTile(const QString& path, QSize tile, ThumbnailRule rule, bool* decoded)
{
    const auto wanted = [&](QSize own) {
        const platform::Rect d = ThumbnailDestination(own.width(), own.height(), tile.width(), tile.height(), rule);
        return QSize(d.width(), d.height());
    };
    const DecodedImage picture = DecodeImageFileReduced(path, wanted);
    if (decoded)
        *decoded = !picture.isNull();
    // The loader's GIF tiles are transparent where the GIF is.
    const bool transparent = rule == ThumbnailRule::Loader && IsGifPath(path);
    return MakeThumbnailTile(picture.image, tile, rule, transparent, picture.fullSize);
}
