#include "web/VornaDirectoryWatchThread.h"

#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"
#include "web/SiteFileTexts.h"

#include "platform/WindowMessage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>

#include <cerrno>
#include <chrono>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>
#include <unordered_map>

struct VornaDirectoryWatchThread::Shared
{
    Shared() : wake(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}
    ~Shared()
    {
        if (wake >= 0)
            ::close(wake);
    }
    Shared(const Shared&) = delete;
    Shared& operator=(const Shared&) = delete;

    void signal() const
    {
        if (wake >= 0) {
            const quint64 one = 1;
            [[maybe_unused]] const ssize_t written = ::write(wake, &one, sizeof one);
        }
    }

    // Wakes the thread for a stop and for a handled message.
    int wake;
    // A message is queued or being handled.
    std::atomic<bool> pending{false};
};

namespace watchthread_detail {

constexpr int kWaitMs = 5000;
constexpr uint32_t kEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_ONLYDIR;

// Watches the folder and every folder below it (links are not followed).
void watchTree(int fd, const QString& folder, std::unordered_map<int, QString>& folders)
{
    const int wd = ::inotify_add_watch(fd, QFile::encodeName(folder).constData(), kEvents | IN_DONT_FOLLOW);
    if (wd < 0)
        return;
    folders[wd] = folder;
    const QFileInfoList children =
        QDir(folder).entryInfoList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QFileInfo& child : children)
        watchTree(fd, child.filePath(), folders);
}

} // namespace watchthread_detail

VornaDirectoryWatchThread::VornaDirectoryWatchThread() : m_shared(std::make_shared<Shared>()) {}

VornaDirectoryWatchThread::~VornaDirectoryWatchThread()
{
    Stop();
}

void VornaDirectoryWatchThread::Start()
{
    if (m_thread.joinable() || m_bStop)
        return;
    m_bRunning = true;
    m_thread = std::thread([this] {
        Run();
        m_bWatching = false;
        m_bRunning = false;
    });
}

void VornaDirectoryWatchThread::RequestStop()
{
    m_bStop = true;
    m_shared->signal();
}

void VornaDirectoryWatchThread::Stop()
{
    RequestStop();
    if (m_thread.joinable())
        m_thread.join();
}

void VornaDirectoryWatchThread::Run()
{
    using namespace watchthread_detail;
    // 1. The folder tree; without one there is nothing to watch.
    if (m_strFolder.isEmpty() || !QFileInfo(m_strFolder).isDir() || m_shared->wake < 0) {
        m_bStop = true;
        return;
    }
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0) {
        m_bStop = true;
        return;
    }
    std::unordered_map<int, QString> folders;
    watchTree(fd, m_strFolder, folders);
    if (folders.empty())
        m_bStop = true;
    else
        m_bWatching = true;

    const std::shared_ptr<Shared> shared = m_shared;
    QObject* window = m_pWindow;
    const quint64 generation = m_generation;
    bool changed = false;
    bool failed = false;
    alignas(inotify_event) char buffer[16 * 1024];
    // 2.
    while (!m_bStop) {
        pollfd waits[2] = {{fd, POLLIN, 0}, {shared->wake, POLLIN, 0}};
        const int ready = ::poll(waits, 2, kWaitMs);
        if (ready < 0 && errno != EINTR) {
            failed = true;
            break;
        }
        if (m_bStop)
            break;
        if (waits[1].revents & POLLIN) {
            quint64 count = 0;
            [[maybe_unused]] const ssize_t got = ::read(shared->wake, &count, sizeof count);
        }
        if (waits[0].revents & POLLIN) {
            for (;;) {
                const ssize_t length = ::read(fd, buffer, sizeof buffer);
                if (length < 0) {
                    if (errno != EAGAIN && errno != EINTR)
                        failed = true;
                    break;
                }
                for (ssize_t at = 0; at < length;) {
                    const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                    at += ssize_t(sizeof(inotify_event) + event->len);
                    if (event->mask & IN_Q_OVERFLOW) {
                        changed = true;
                        continue;
                    }
                    if (event->mask & IN_IGNORED) {
                        folders.erase(event->wd);
                        continue;
                    }
                    const QString name = event->len ? QFile::decodeName(event->name) : QString();
                    if (event->mask & IN_ISDIR) {
                        // A new folder is watched with what it brings; its files count.
                        if ((event->mask & (IN_CREATE | IN_MOVED_TO)) && folders.count(event->wd)) {
                            const QString path = folders[event->wd] + QLatin1Char('/') + name;
                            watchTree(fd, path, folders);
                            if (!QDir(path).isEmpty(QDir::Files | QDir::Hidden))
                                changed = true;
                        }
                        continue;
                    }
                    if (!name.isEmpty() && !IsHiddenSiteEntry(name))
                        changed = true;
                }
            }
            if (failed)
                break;
        }
        // One message on its way at a time; changes meanwhile make one more.
        if (changed && window && !shared->pending.exchange(true)) {
            changed = false;
            QMetaObject::invokeMethod(
                window,
                [window, shared, generation] {
                    platform::sendMessage(window, WM_WEB_FOLDER_CHANGED, 0, 0, QVariant::fromValue(generation));
                    shared->pending = false;
                    shared->signal();
                },
                Qt::QueuedConnection);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    // 3.
    ::close(fd);
    // A watch that broke down is told on the window's thread, and ends.
    if (failed && !m_bStop) {
        m_bStop = true;
        if (window)
            QMetaObject::invokeMethod(
                window, [] { ShowMessageBox(LoadResString(IDS_SITE_WATCH_FAILED)); }, Qt::QueuedConnection);
    }
}
