#include "publish/FtpBackgroundWork.h"

#include "platform/ModalRunner.h"
#include "publish/VornaDialogProgress.h"
#include "util/MessageBox.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QThread>

#include <thread>

std::atomic<int> FtpBackgroundWork::s_running{0};

FtpBackgroundWork::FtpBackgroundWork(VornaDialogProgress* progress, const std::atomic<bool>* alsoCancel)
    : m_progress(progress), m_cancelFlag(progress ? &progress->cancelFlag() : nullptr), m_alsoCancel(alsoCancel)
{
}

FtpBackgroundWork::~FtpBackgroundWork() = default;

void FtpBackgroundWork::run(const std::function<void(FtpTransferHost& host)>& work)
{
    m_finished = false;
    ++s_running;
    std::thread worker([this, &work] {
        work(*this);
        QMetaObject::invokeMethod(
            this, [this] { finish(); }, Qt::QueuedConnection);
    });
    if (m_progress)
        platform::runModal(*m_progress, VornaDialogProgress::DialogId);
    // The modal run may end first (a test's responder, or no dialog at all):
    // wait on for the work, still serving its messages.
    while (!m_finished) {
        QEventLoop loop;
        m_loop = &loop;
        if (!m_finished)
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        m_loop = nullptr;
    }
    worker.join();
    --s_running;
}

void FtpBackgroundWork::finish()
{
    m_finished = true;
    if (m_progress && m_progress->isVisible())
        m_progress->done(platform::IDOK);
    if (m_loop)
        m_loop->quit();
}

void FtpBackgroundWork::showMessage(const QString& text)
{
    auto show = [text] { ShowMessageBox(text); };
    if (QThread::currentThread() == thread())
        show();
    else
        QMetaObject::invokeMethod(this, show, Qt::BlockingQueuedConnection);
}

void FtpBackgroundWork::setProgress(int percent, const QString& label)
{
    QMetaObject::invokeMethod(
        this,
        [this, percent, label] {
            if (m_progress)
                m_progress->SetProgress(percent, label);
        },
        Qt::QueuedConnection);
}

bool FtpBackgroundWork::cancelRequested() const
{
    return (m_cancelFlag && m_cancelFlag->load()) || (m_alsoCancel && m_alsoCancel->load());
}
