#include "images/ThumbnailQueueThread.h"

#include "images/ThumbnailCache.h"

ThumbnailQueueThread::ThumbnailQueueThread(QObject* owner, QSize tile, ThumbnailRule rule, int generation)
    : m_owner(owner), m_tile(tile), m_rule(rule), m_nGeneration(generation)
{
    m_thread = std::thread([this] { Run(); });
}

ThumbnailQueueThread::~ThumbnailQueueThread()
{
    {
        std::lock_guard lock(m_mutex);
        m_bStop = true;
        m_jobs.clear();
    }
    m_wake.notify_all();
    m_thread.join();
}

void ThumbnailQueueThread::Enqueue(int item, const QString& path)
{
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back(Job{item, path});
    }
    m_wake.notify_one();
}

int ThumbnailQueueThread::Waiting() const
{
    std::lock_guard lock(m_mutex);
    return int(m_jobs.size()) + m_nBusy;
}

void ThumbnailQueueThread::Run()
{
    ThumbnailCache cache;
    bool stored = false;
    while (true) {
        Job job;
        {
            std::unique_lock lock(m_mutex);
            if (m_jobs.empty() && stored) {
                // Idle: a moment to keep the cache within its bound.
                lock.unlock();
                cache.trim();
                stored = false;
                lock.lock();
            }
            m_wake.wait(lock, [this] { return m_bStop || !m_jobs.empty(); });
            if (m_bStop)
                return;
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
            ++m_nBusy;
        }
        bool decoded = false;
        ThumbMessage record;
        record.tile = LoadCachedThumbnailTile(&cache, job.path, m_tile, m_rule, &stored, &decoded);
        if (!decoded)
            record.tile = QImage();
        platform::postMessage(m_owner, WM_THUMB_ADDBITMAP, quintptr(job.item), m_nGeneration,
                              QVariant::fromValue(record));
        std::lock_guard lock(m_mutex);
        --m_nBusy;
    }
}
