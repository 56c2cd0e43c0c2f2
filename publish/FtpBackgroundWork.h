#pragma once

#include "publish/FtpTransferHost.h"

#include <QObject>
#include <QPointer>

#include <atomic>
#include <functional>

class QEventLoop;
class VornaDialogProgress;

// Runs FTP work on a worker thread while the user-interface thread waits:
// in the modal run of the progress window when there is one (its Cancel stays
// responsive), otherwise in an event loop that repaints windows but takes no
// user input. Messages the work shows appear on the user-interface thread and
// the work waits for them.
class FtpBackgroundWork : public QObject, public FtpTransferHost
{
    Q_OBJECT
public:
    // The work counts as cancelled when the progress window's Cancel was
    // confirmed or the other flag, when given, is raised.
    explicit FtpBackgroundWork(VornaDialogProgress* progress = nullptr, const std::atomic<bool>* alsoCancel = nullptr);
    ~FtpBackgroundWork() override;

    // User-interface thread; returns when the work has ended.
    void run(const std::function<void(FtpTransferHost& host)>& work);

    // True while any background work of the program runs.
    static bool isRunning() { return s_running.load() > 0; }

    void showMessage(const QString& text) override;
    void setProgress(int percent, const QString& label) override;
    bool cancelRequested() const override;

private:
    void finish();

    QPointer<VornaDialogProgress> m_progress;
    const std::atomic<bool>* m_cancelFlag = nullptr; // the progress window's, read by the worker
    const std::atomic<bool>* m_alsoCancel = nullptr;
    QEventLoop* m_loop = nullptr;
    std::atomic<bool> m_finished{false};
    static std::atomic<int> s_running;
};
