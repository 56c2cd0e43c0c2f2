// The folder watcher on real folders: what it tells, how often, and how it stops.
#include "web/VornaDirectoryWatchThread.h"

#include "support/TestFiles.h"

#include "platform/WindowMessage.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// A window that counts the watcher's messages.
class Receiver : public QObject
{
public:
    bool event(QEvent* event) override
    {
        if (event->type() != platform::WindowMessage::eventType())
            return QObject::event(event);
        auto* message = static_cast<platform::WindowMessage*>(event);
        if (message->message() == VornaDirectoryWatchThread::WM_WEB_FOLDER_CHANGED) {
            ++count;
            generation = message->data().toULongLong();
            wParam = message->wParam();
            // A slow refresh: changes made meanwhile must not queue up.
            if (delayMs)
                QThread::msleep(delayMs);
        }
        return true;
    }
    int count = 0;
    quint64 generation = 0;
    quintptr wParam = 99;
    int delayMs = 0;
};

class FolderWatchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        web = dir.filePath("web");
        ASSERT_TRUE(QDir().mkpath(web + "/image/a/b"));
        ASSERT_TRUE(writeTestFile(web + "/index.html", "<HTML></HTML>"));
    }
    void start(const QString& folder)
    {
        watcher.SetNotifyWindow(&receiver);
        watcher.SetWatchFolder(folder);
        watcher.SetGeneration(7);
        watcher.Start();
        // Changes are told once the watches are in place (a while on a busy
        // machine); a folder that cannot be watched never gets there.
        QElapsedTimer timer;
        timer.start();
        while (!watcher.IsWatching() && !watcher.IsStopRequested() && timer.elapsed() < 10000)
            QThread::msleep(5);
    }
    // Runs the event loop until the count reaches `expected` or the time is up.
    bool waitFor(int expected, int ms = 2000)
    {
        QElapsedTimer timer;
        timer.start();
        while (receiver.count < expected && timer.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QThread::msleep(5);
        }
        return receiver.count >= expected;
    }
    void settle(int ms) { waitFor(1 << 30, ms); }

    QTemporaryDir dir;
    QString web;
    Receiver receiver;
    VornaDirectoryWatchThread watcher; // declared last: joined before the receiver goes
};

TEST_F(FolderWatchTest, AFileMadeThreeFoldersDeepIsToldWithTheWatchersGeneration)
{
    start(web);
    ASSERT_TRUE(writeTestFile(web + "/image/a/b/deep.gif", "GIF89a"));
    ASSERT_TRUE(waitFor(1));
    EXPECT_EQ(receiver.generation, 7u);
    EXPECT_EQ(receiver.wParam, 0u);
}

TEST_F(FolderWatchTest, DeletingRenamingAndNewFoldersAreTold)
{
    start(web);
    ASSERT_TRUE(QFile::rename(web + "/index.html", web + "/home.html"));
    ASSERT_TRUE(waitFor(1));
    settle(100);
    // A folder made after the start is watched too.
    ASSERT_TRUE(QDir().mkpath(web + "/new"));
    settle(200);
    const int before = receiver.count;
    ASSERT_TRUE(writeTestFile(web + "/new/page.html", "x"));
    ASSERT_TRUE(waitFor(before + 1));
    settle(100);
    const int afterAdd = receiver.count;
    ASSERT_TRUE(QFile::remove(web + "/new/page.html"));
    EXPECT_TRUE(waitFor(afterAdd + 1));
}

TEST_F(FolderWatchTest, ChangingAFilesContentOrAHiddenFileTellsNothing)
{
    start(web);
    QFile file(web + "/index.html");
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("<P>more</P>");
    file.close();
    ASSERT_TRUE(writeTestFile(web + "/VornaPreview~3.html", "x"));
    ASSERT_TRUE(writeTestFile(web + "/.swap", "x"));
    settle(300);
    EXPECT_EQ(receiver.count, 0);
}

TEST_F(FolderWatchTest, ManyFilesAtOnceGiveAFewMessagesEachAfterTheLast)
{
    receiver.delayMs = 50;
    start(web);
    QElapsedTimer writing;
    writing.start();
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(writeTestFile(web + QStringLiteral("/image/f%1.gif").arg(i), "x"));
    ASSERT_TRUE(waitFor(1));
    settle(500);
    // Each message waits for the one before it to be handled (50 ms here).
    EXPECT_GE(receiver.count, 1);
    EXPECT_LE(receiver.count, 2 + int(writing.elapsed()) / receiver.delayMs);
    EXPECT_LT(receiver.count, 100);
}

TEST_F(FolderWatchTest, AStopIsHonouredAtOnceAndTheThreadEnds)
{
    start(web);
    EXPECT_TRUE(watcher.IsRunning());
    QElapsedTimer timer;
    timer.start();
    watcher.Stop();
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_FALSE(watcher.IsRunning());
    ASSERT_TRUE(writeTestFile(web + "/after.html", "x"));
    settle(200);
    EXPECT_EQ(receiver.count, 0);
}

TEST_F(FolderWatchTest, AMessageQueuedBeforeTheStopIsStillSafeToDeliver)
{
    start(web);
    ASSERT_TRUE(writeTestFile(web + "/late.html", "x"));
    QThread::msleep(100);
    watcher.Stop();
    settle(100);
    EXPECT_LE(receiver.count, 1);
}

TEST_F(FolderWatchTest, AnEmptyOrMissingFolderSendsNothingAndEndsAtOnce)
{
    start(QString());
    EXPECT_TRUE(watcher.IsStopRequested());
    EXPECT_FALSE(watcher.IsRunning());
    VornaDirectoryWatchThread missing;
    missing.SetNotifyWindow(&receiver);
    missing.SetWatchFolder(web + "/none");
    missing.Start();
    missing.Stop();
    EXPECT_TRUE(missing.IsStopRequested());
    settle(100);
    EXPECT_EQ(receiver.count, 0);
}

} // namespace
