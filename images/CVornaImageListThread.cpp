#include "images/CVornaImageListThread.h"

#include "images/ThumbnailTile.h"

#include <QFile>

#include <chrono>

CVornaImageListThread::CVornaImageListThread(QObject* owner, Snapshot snapshot)
    : m_owner(owner), m_snapshot(std::move(snapshot))
{
    Q_ASSERT(m_snapshot.states.size() == size_t(m_snapshot.names.size()));
}

CVornaImageListThread::~CVornaImageListThread()
{
    Abort();
    Join();
}

void CVornaImageListThread::Start()
{
    Q_ASSERT(!m_thread.joinable());
    m_thread = std::thread([this] {
        Run();
        m_finished = true;
    });
}

void CVornaImageListThread::Abort()
{
    m_abort = true;
}

void CVornaImageListThread::SetNextItem(int item)
{
    m_nextItem = item;
}

void CVornaImageListThread::Join()
{
    if (m_thread.joinable())
        m_thread.join();
}

std::vector<std::pair<int, qint64>> CVornaImageListThread::PreMarks(int count, const std::vector<unsigned>& marks)
{
    std::vector<std::pair<int, qint64>> states;
    if (count < 1 || marks.empty())
        return states;
    if (marks.front() == 0) {
        // Items 0 to (number of marks - 1) need no thumbnail.
        for (size_t i = 0; i < marks.size() && int(i) < count; ++i)
            states.emplace_back(int(i), 1);
        return states;
    }
    size_t i = 0;
    // Leading marks below 100: the states of the first items, in order.
    for (; i < marks.size() && marks[i] < 100; ++i) {
        if (int(i) < count)
            states.emplace_back(int(i), qint64(marks[i]));
    }
    // The rest: item numbers plus 100.
    for (; i < marks.size(); ++i) {
        if (marks[i] < 100)
            continue;
        const unsigned item = marks[i] - 100;
        if (item < unsigned(count))
            states.emplace_back(int(item), 1);
    }
    return states;
}

void CVornaImageListThread::Post(uint message, int item, ThumbMessage record)
{
    record.pending = m_pending;
    ++*m_pending;
    platform::postMessage(m_owner, message, quintptr(item), m_snapshot.generation, QVariant::fromValue(record));
}

bool CVornaImageListThread::WaitForList()
{
    // The list handles its messages between the user's events; a loader
    // that ran ahead would have it handle thousands at once.
    while (m_pending->load() >= kMaxPending) {
        if (m_abort)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return !m_abort;
}

void CVornaImageListThread::Run()
{
    Snapshot& s = m_snapshot;
    const int count = int(s.names.size());
    if (m_abort)
        return;

    // 1. Pre-marking.
    for (const auto& [item, state] : PreMarks(count, s.marks)) {
        s.states[size_t(item)] = state;
        ThumbMessage record;
        record.value = state;
        Post(WM_THUMB_SETSTATE, item, record);
    }

    ThumbnailCache cache;
    bool stored = false;
    // 2. Passes until one finds every item done. The owner may move the next
    // item while a pass runs, so a pass may skip items or see some twice.
    int counted = -1;
    while (counted != count) {
        counted = 0;
        for (int current = 0; current < count; ++current) {
            const int next = m_nextItem.exchange(-1);
            if (next >= 0 && next < count)
                current = next;
            if (!WaitForList())
                return;
            if (s.states[size_t(current)] != 0) {
                ++counted;
                continue;
            }
            const QString& name = s.names[current];
            // An empty name ends the run; the items after it keep their placeholder.
            if (name.isEmpty())
                return;
            // A name without an extension gets no thumbnail: it counts as done.
            if (!name.contains(QLatin1Char('.'))) {
                s.states[size_t(current)] = 1;
                ++counted;
                continue;
            }
            const QString path = s.folder + name;
            ThumbMessage record;
            record.tile = LoadCachedThumbnailTile(&cache, path, s.tile, ThumbnailRule::Loader, &stored);
            record.value = 2;
            if (m_abort)
                return;
            Post(WM_THUMB_ADDBITMAP, current, record);
            s.states[size_t(current)] = 2;
            ++counted;
        }
    }
    // 3. Keep the cache within its bound.
    if (stored)
        cache.trim();
}
