#pragma once

#include <QPointer>
#include <QString>

#include <atomic>

// The watcher of the open web's folder: tells the site manager window of
// every change in the folder tree so that its list stays current, until it is
// asked to stop. This form only holds its receiver, its folder and its stop
// flag; the watching comes with the site manager's code.
class VornaDirectoryWatchThread
{
public:
    VornaDirectoryWatchThread();
    ~VornaDirectoryWatchThread();
    VornaDirectoryWatchThread(const VornaDirectoryWatchThread&) = delete;
    VornaDirectoryWatchThread& operator=(const VornaDirectoryWatchThread&) = delete;

    // Both are set before the watch begins.
    void SetReceiver(QObject* receiver) { m_pReceiver = receiver; }
    void SetFolder(const QString& folder) { m_strFolder = folder; }
    // Begins to watch.
    void Start();
    // Asks the watch to end.
    void RequestStop() { m_bStop = true; }
    bool IsStopRequested() const { return m_bStop; }

    QObject* receiver() const { return m_pReceiver; }
    QString folder() const { return m_strFolder; }

private:
    QPointer<QObject> m_pReceiver;
    QString m_strFolder;
    std::atomic<bool> m_bStop{false};
};
