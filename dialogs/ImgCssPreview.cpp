#include "dialogs/ImgCssPreview.h"

#include "images/ImageCodec.h"

#include "engine/layout/ImageFilters.h"

#include <QPainter>

ImgCssPreview::ImgCssPreview(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    m_worker = std::thread([this] { Run(); });
}

ImgCssPreview::~ImgCssPreview()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_worker.join();
}

void ImgCssPreview::SetPicture(const QString& path, const QRect& imageRect)
{
    m_imageRect = imageRect;
    std::lock_guard lock(m_mutex);
    m_path = path;
    m_size = imageRect.size();
}

quint64 ImgCssPreview::Render(const QString& filter)
{
    {
        std::lock_guard lock(m_mutex);
        m_filter = filter;
        m_generation = ++m_requested;
        m_pending = true;
    }
    m_wake.notify_all();
    return m_requested;
}

void ImgCssPreview::Run()
{
    QString decodedPath;
    QSize decodedSize;
    QImage decoded;
    for (;;) {
        QString path, filter;
        QSize size;
        quint64 generation = 0;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stop || m_pending; });
            if (m_stop)
                return;
            m_pending = false;
            path = m_path;
            size = m_size;
            filter = m_filter;
            generation = m_generation;
        }
        if (path != decodedPath || size != decodedSize) {
            decoded = QImage();
            if (!path.isEmpty() && !size.isEmpty()) {
                // Decoded at the size shown: a large photograph is read reduced.
                const DecodedImage image = DecodeImageFileReduced(path, [size](QSize) { return size; });
                if (!image.isNull())
                    decoded = image.image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                  .convertToFormat(QImage::Format_ARGB32);
            }
            decodedPath = path;
            decodedSize = size;
        }
        {
            std::lock_guard lock(m_mutex);
            // A newer request is waiting: this one would only be dropped.
            if (m_pending || m_stop)
                continue;
        }
        const QImage picture = engine::applyImageFilters(decoded, filter);
        QMetaObject::invokeMethod(
            this, [this, generation, picture] { Show(generation, picture); }, Qt::QueuedConnection);
    }
}

void ImgCssPreview::Show(quint64 generation, const QImage& picture)
{
    if (generation != m_requested)
        return;
    m_shown = generation;
    m_picture = picture;
    update();
    emit rendered(generation);
}

void ImgCssPreview::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_picture.isNull() || m_imageRect.isEmpty())
        return;
    QPainter p(this);
    p.drawImage(m_imageRect, m_picture);
}
