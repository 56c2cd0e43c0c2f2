#pragma once

#include "images/ThumbMessage.h"
#include "images/ThumbnailCache.h"

#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

// The worker of a thumbnail list: it visits the list's items in order,
// makes a tile for each image file still waiting (state 0) and posts it to
// the list. It works on a copy of the list taken at the start, so it never
// touches the list itself; its owner may move its next item (to the first
// visible row) or ask it to stop at any time, also before it runs.
class CVornaImageListThread
{
public:
    // What the loader works on, copied from the list at the start.
    struct Snapshot
    {
        QString folder; // ends with "/"
        QStringList names;
        std::vector<qint64> states;
        // The owner's marks (see PreMarks).
        std::vector<unsigned> marks;
        int generation = 0;
        QSize tile{60, 60};
    };

    // Posts its results to `owner`, which joins it before it dies.
    CVornaImageListThread(QObject* owner, Snapshot snapshot);
    // Stops and joins.
    ~CVornaImageListThread();
    CVornaImageListThread(const CVornaImageListThread&) = delete;
    CVornaImageListThread& operator=(const CVornaImageListThread&) = delete;

    void Start();
    // Asks the loader to stop before its next item.
    void Abort();
    // The next item visited is this one.
    void SetNextItem(int item);
    bool IsFinished() const { return m_finished.load(); }
    void Join();
    int generation() const { return m_snapshot.generation; }

    // The states the marks give, as (item, state) in order, for a list of
    // `count` items: with a first mark of 0, the first (number of marks)
    // items become 1; otherwise the leading marks below 100 are the states
    // of items 0, 1, 2 ..., and every mark from the first one of 100 on
    // names item (mark - 100), which becomes 1. Items beyond the list are
    // left out.
    static std::vector<std::pair<int, qint64>> PreMarks(int count, const std::vector<unsigned>& marks);

    // Messages not yet handled at which the loader waits for its list.
    static constexpr int kMaxPending = 32;

private:
    void Run();
    void Post(uint message, int item, ThumbMessage record);
    bool WaitForList();

    QObject* m_owner;
    Snapshot m_snapshot;
    std::atomic<bool> m_abort{false};
    std::atomic<int> m_nextItem{-1};
    std::atomic<bool> m_finished{false};
    std::shared_ptr<std::atomic<int>> m_pending = std::make_shared<std::atomic<int>>(0);
    std::thread m_thread;
};
