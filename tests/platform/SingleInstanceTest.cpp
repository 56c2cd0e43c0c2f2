#include <gtest/gtest.h>

#include "platform/RuntimeFolder.h"
#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

using platform::SingleInstance;

namespace {

const char* const kFolderVar = "PAGINOR_TEST_INSTANCE_FOLDER";
const char* const kTextVar = "PAGINOR_TEST_INSTANCE_TEXT";
const char* const kDieVar = "PAGINOR_TEST_INSTANCE_DIE";

// Runs this test program again as another process, in the given role.
int runSecondProcess(const QString& folder, const QString& text, bool die)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kFolderVar, folder);
    env.insert(kTextVar, text);
    if (die)
        env.insert(kDieVar, QStringLiteral("1"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QCoreApplication::applicationFilePath(),
                  {QStringLiteral("--gtest_filter=SingleInstanceSecondProcess.HandsOverItsCommandLine")});
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

int modeOf(const QString& path)
{
    struct stat info
    {
    };
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return -1;
    return int(info.st_mode & 0777);
}

} // namespace

// Runs only as the second process started by the test below: a second start
// of the program that hands its command line over.
TEST(SingleInstanceSecondProcess, HandsOverItsCommandLine)
{
    if (!qEnvironmentVariableIsSet(kFolderVar))
        GTEST_SKIP() << "started by SingleInstance.SecondProcessHandsOverAndEnds";
    SingleInstance instance(QStringLiteral("ULO"), qEnvironmentVariable(kFolderVar));
    if (qEnvironmentVariableIsSet(kDieVar)) {
        // A first instance that dies without cleaning up.
        ASSERT_EQ(instance.start(), SingleInstance::Role::Primary);
        ::_exit(0);
    }
    ASSERT_EQ(instance.start(), SingleInstance::Role::Secondary);
    EXPECT_TRUE(instance.sendToPrimary(qEnvironmentVariable(kTextVar)));
}

TEST(SingleInstance, SecondProcessHandsOverAndEnds)
{
    const QString folder = platform::runtimeFolder();
    ASSERT_FALSE(folder.isEmpty());
    SingleInstance primary(QStringLiteral("ULO"), folder);
    ASSERT_EQ(primary.start(), SingleInstance::Role::Primary);

    const QString commandLine = QStringLiteral("\"/home/user/My Web/ページ 1.html\"");
    QStringList received;
    QEventLoop loop;
    QProcess second;
    bool finished = false;
    QObject::connect(&primary, &SingleInstance::messageReceived, [&](const QString& text) { received << text; });
    QObject::connect(&second, &QProcess::finished, [&] {
        finished = true;
        loop.quit();
    });
    QObject::connect(&second, &QProcess::errorOccurred, [&](QProcess::ProcessError) { loop.quit(); });
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kFolderVar, folder);
    env.insert(kTextVar, commandLine);
    second.setProcessEnvironment(env);
    second.setProcessChannelMode(QProcess::ForwardedChannels);
    second.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--gtest_filter=SingleInstanceSecondProcess.HandsOverItsCommandLine")});
    QTimer::singleShot(60000, &loop, &QEventLoop::quit); // a guard, never reached when it works
    loop.exec();

    ASSERT_TRUE(finished);
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    // The confirmation is written before the signal: the text is here.
    EXPECT_EQ(received, QStringList{commandLine});
}

TEST(SingleInstance, LockIsReleasedWithThePrimary)
{
    const QString folder = platform::runtimeFolder();
    {
        SingleInstance first(QStringLiteral("ULO"), folder);
        ASSERT_EQ(first.start(), SingleInstance::Role::Primary);
        SingleInstance second(QStringLiteral("ULO"), folder);
        EXPECT_EQ(second.start(), SingleInstance::Role::Secondary);
        EXPECT_EQ(modeOf(first.serverPath()) & 0077, 0) << "only the user may connect";
    }
    SingleInstance again(QStringLiteral("ULO"), folder);
    EXPECT_EQ(again.start(), SingleInstance::Role::Primary) << "the socket left behind is replaced";
    SingleInstance nobodyListening(QStringLiteral("other"), folder);
    EXPECT_FALSE(nobodyListening.sendToPrimary(QStringLiteral("x"), 50)) << "no running instance: fails in time";
}

TEST(SingleInstance, LockOfAnInstanceThatDiedIsTakenOver)
{
    const QString folder = platform::runtimeFolder();
    ASSERT_EQ(runSecondProcess(folder, QString(), true), 0);
    ASSERT_TRUE(QFile::exists(folder + QStringLiteral("/ULO.lock"))) << "the dead instance left its lock";
    SingleInstance next(QStringLiteral("ULO"), folder);
    EXPECT_EQ(next.start(), SingleInstance::Role::Primary);
}

TEST(RuntimeFolder, PrivateFolderWhenXdgRuntimeDirIsUnset)
{
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_RUNTIME_DIR");
    const QString folder = platform::runtimeFolder();
    qputenv("XDG_RUNTIME_DIR", saved);
    ASSERT_FALSE(folder.isEmpty());
    EXPECT_TRUE(folder.startsWith(QDir::tempPath()));
    EXPECT_EQ(modeOf(folder), 0700);

    // Loosened by someone: made private again. A link is refused.
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                  QFile::WriteGroup | QFile::ExeGroup));
    EXPECT_TRUE(platform::ensurePrivateFolder(folder));
    EXPECT_EQ(modeOf(folder), 0700);
    QTemporaryDir other;
    const QString link = other.path() + QStringLiteral("/link");
    ASSERT_TRUE(QFile::link(folder, link));
    EXPECT_FALSE(platform::ensurePrivateFolder(link));
    EXPECT_FALSE(platform::ensurePrivateFolder(QString()));
}
