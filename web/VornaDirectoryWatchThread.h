#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <thread>

// The watcher of the open web's folder: a thread that waits for files to be
// made, deleted or renamed anywhere in the folder tree (new folders are
// watched as they come) and tells the site manager window with the message
// WM_WEB_FOLDER_CHANGED (0x5F5), its generation in the message's data. One
// message is on its way at a time: changes made while it is handled bring
// one more message after it, never one per file. Changes of a file's content
// alone, and of hidden files, are not told. A stop is noticed at once; the
// owner joins the thread (the destructor does).
class VornaDirectoryWatchThread
{
public:
    static constexpr uint WM_WEB_FOLDER_CHANGED = 0x5F5;

    VornaDirectoryWatchThread();
    ~VornaDirectoryWatchThread();
    VornaDirectoryWatchThread(const VornaDirectoryWatchThread&) = delete;
    VornaDirectoryWatchThread& operator=(const VornaDirectoryWatchThread&) = delete;

    // All three are set before the watch begins. The window must outlive the
    // thread (the owner joins it first).
    void SetNotifyWindow(QObject* window) { m_pWindow = window; }
    void SetWatchFolder(QString folder) { m_strFolder = std::move(folder); }
    void SetGeneration(quint64 generation) { m_generation = generation; }
    // Begins to watch; once only.
    void Start();
    // Asks the watch to end; the thread notices at once.
    void RequestStop();
    // Asks the watch to end and waits for the thread.
    void Stop();
    bool IsStopRequested() const { return m_bStop; }
    // The thread has begun and not ended yet.
    bool IsRunning() const { return m_bRunning; }
    // The folders are watched: a change made from now on is told.
    bool IsWatching() const { return m_bWatching; }

    QObject* notifyWindow() const { return m_pWindow; }
    QString watchFolder() const { return m_strFolder; }

    // What the thread and the messages it queued share; it outlives both.
    struct Shared;

private:
    void Run();

    QObject* m_pWindow = nullptr;
    QString m_strFolder;
    quint64 m_generation = 0;
    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bRunning{false};
    std::atomic<bool> m_bWatching{false};
    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
};
