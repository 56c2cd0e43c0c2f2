#include "images/VornaTwain.h"

#include "app/CMainFrame.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "images/ImageCodec.h"
#include "images/ImageTextIds.h"
#include "images/ScanDialogs.h"
#include "util/FileFaultText.h"
#include "util/FileHelpers.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QDir>
#include <QEventLoop>
#include <QMetaObject>
#include <QPointer>

#include <atomic>
#include <thread>

namespace {

// Carries what the acquiring thread reports to the user-interface thread:
// each call is posted there and waited for, tagged with the run it belongs to.
class ScanRun : public QObject, public SaneScanner::PageSink
{
public:
    ScanRun(VornaTwain& twain, ScanProgressDialog& progress, int generation, const int& current)
        : m_twain(twain), m_progress(&progress), m_generation(generation), m_current(current)
    {
    }

    void progress(int page, qint64 done, qint64 expected) override
    {
        QMetaObject::invokeMethod(
            this,
            [this, page, done, expected] {
                if (m_generation == m_current && m_progress)
                    m_progress->SetProgress(page, done, expected);
            },
            Qt::QueuedConnection);
    }

    bool pageDone(int page, const QImage& image) override
    {
        bool goOn = false;
        QMetaObject::invokeMethod(
            this,
            [&] {
                if (m_generation != m_current)
                    return;
                if (m_twain.ScanCallBack(page, image.height()) != 1)
                    return;
                // A page that could not be saved ends the scan: the next would fail alike.
                const qsizetype saved = m_twain.SavedFiles().size();
                goOn = m_twain.PageCallBack(image) == 1 && m_twain.SavedFiles().size() > saved;
            },
            Qt::BlockingQueuedConnection);
        return goOn;
    }

    void pageLost(int page, const QString& reason) override
    {
        QMetaObject::invokeMethod(
            this,
            [&] {
                if (m_generation == m_current)
                    ShowMessageBox(LoadResString(ImageTextIds::ScanPageLost).arg(page).arg(reason));
            },
            Qt::BlockingQueuedConnection);
    }

private:
    VornaTwain& m_twain;
    QPointer<ScanProgressDialog> m_progress;
    const int m_generation;
    const int& m_current;
};

} // namespace

VornaTwain::VornaTwain() = default;

VornaTwain::~VornaTwain() = default;

QString VornaTwain::TargetFolderFor(bool pageInWeb, const QString& webFolder)
{
    if (pageInWeb && !webFolder.isEmpty())
        return QDir(webFolder).filePath(QStringLiteral("image"));
    return UserImageFolder();
}

QString VornaTwain::TargetFolder()
{
    const CMainFrame* frame = CMainFrame::instance();
    const CZQView* view = frame ? frame->GetActiveView() : nullptr;
    const CZQDoc* document = view ? view->GetDocument() : nullptr;
    const bool inWeb = document && frame->IsPageInWeb(document->GetDisplayName());
    return TargetFolderFor(inWeb, frame ? frame->m_strWebFolder : QString());
}

int VornaTwain::EnumSources()
{
    bool started = false;
    RunWhileWindowsPaint([&] { started = listDevices(m_devices); });
    return started && !m_devices.isEmpty() ? 1 : 0;
}

int VornaTwain::Select()
{
    if (m_devices.isEmpty())
        return 0;
    ScanSourceDialog chooser(*this, m_devices, m_window);
    if (platform::runModal(chooser, SelectDialogId) != platform::IDOK)
        return 0;
    return isOpen() ? 1 : 0;
}

int VornaTwain::Acquire(int flags)
{
    Q_UNUSED(flags);
    m_savedFiles.clear();
    m_savedFolder.clear();
    if (!isOpen())
        return 0;
    ScanProgressDialog progress([this] { cancel(); }, m_window);
    const int generation = ++m_generation;
    ScanRun run(*this, progress, generation, m_generation);
    std::atomic<bool> finished{false};
    QEventLoop wait;
    std::thread worker([&] {
        acquire(run);
        QMetaObject::invokeMethod(
            &run,
            [&] {
                finished = true;
                if (progress.isVisible())
                    progress.done(platform::IDOK);
                wait.quit();
            },
            Qt::QueuedConnection);
    });
    platform::runModal(progress, ProgressDialogId);
    // The window may close first (a test's answer): the scan is waited for,
    // its pages still saved as they come.
    while (!finished)
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    ++m_generation;
    return m_savedFiles.isEmpty() ? 0 : 1;
}

int VornaTwain::ScanCallBack(int page, int lines)
{
    Q_UNUSED(page);
    return lines > 0 ? 1 : -1;
}

int VornaTwain::PageCallBack(const QImage& page)
{
    // 1. A page must have a picture.
    if (page.isNull())
        return 0;
    // 2. The folder (made when missing), 3. the first free name.
    const QString folder = TargetFolder();
    const QString path = MakeTempImageFileName(QStringLiteral("png"), folder, QStringLiteral("UserImage"));
    // 4. A 24-bit PNG. A page that cannot be saved is reported, not lost in silence.
    if (WritePng24File(page, path)) {
        m_savedFiles.append(path);
        m_savedFolder = folder;
    } else {
        ShowMessageBox(LoadResString(ImageTextIds::ScanSaveFailed)
                           .arg(QDir::toNativeSeparators(path), FileFaultText(LastImageWriteFault())));
    }
    return 1;
}
