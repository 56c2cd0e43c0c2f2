#pragma once

#include "images/ThumbMessage.h"
#include "images/ThumbnailTile.h"

#include <QObject>
#include <QSize>
#include <QString>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

// A worker that makes the tiles of the pictures handed to it, in the order
// they come, and posts each to its owner (WM_THUMB_ADDBITMAP with the
// generation it was made with; a null tile for a picture that could not be
// read). It waits while there is nothing to do; its owner stops and joins it
// before it dies.
class ThumbnailQueueThread
{
public:
    ThumbnailQueueThread(QObject* owner, QSize tile, ThumbnailRule rule, int generation);
    ~ThumbnailQueueThread();
    ThumbnailQueueThread(const ThumbnailQueueThread&) = delete;
    ThumbnailQueueThread& operator=(const ThumbnailQueueThread&) = delete;

    void Enqueue(int item, const QString& path);
    // Pictures handed over and not yet posted.
    int Waiting() const;

private:
    struct Job
    {
        int item;
        QString path;
    };
    void Run();

    QObject* m_owner;
    const QSize m_tile;
    const ThumbnailRule m_rule;
    const int m_nGeneration;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Job> m_jobs;
    bool m_bStop = false;
    int m_nBusy = 0;
    std::thread m_thread;
};
