#pragma once

#include <QFrame>
#include <QImage>
#include <QRect>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

// The preview of the image effects dialog: the image fitted in its box with a filter text applied, as the page
// paints it. Decoding and the effects run on a worker thread of the preview's own, the picture decoded once at the
// size shown; each rendering asked for carries a generation, and a result that a later request has overtaken is
// dropped. The window never waits for the worker, which is joined when the preview goes.
class ImgCssPreview : public QFrame
{
    Q_OBJECT
public:
    explicit ImgCssPreview(QWidget* parent = nullptr);
    ~ImgCssPreview() override;

    // The picture file and where it is shown inside the preview; an empty path or rectangle shows none.
    void SetPicture(const QString& path, const QRect& imageRect);
    // Asks for the picture with the filter text; gives the request's generation.
    quint64 Render(const QString& filter);

    quint64 requestedGeneration() const { return m_requested; }
    quint64 shownGeneration() const { return m_shown; }
    // The picture as last rendered (null before the first result).
    const QImage& shownPicture() const { return m_picture; }

signals:
    // A rendering came in and shows.
    void rendered(quint64 generation);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Run();
    void Show(quint64 generation, const QImage& picture);

    QRect m_imageRect;
    QImage m_picture;
    quint64 m_requested = 0;
    quint64 m_shown = 0;

    // Shared with the worker.
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    bool m_pending = false;
    QString m_path;
    QSize m_size;
    QString m_filter;
    quint64 m_generation = 0;
    std::thread m_worker;
};
