// Entry point of every test executable.
//
// Each test process gets its own temporary HOME and XDG folders, so the
// settings store and user data written by one test never reach another
// (CTest starts one process per test case). Widgets run on the offscreen
// platform unless the caller chose another (the screenshot tests use xcb).

#include <gtest/gtest.h>

#include "platform/ModalRunner.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

QString g_homePath;

// Runs after the destructors of statics made later than its registration,
// such as the settings store, which writes its files as the process ends:
// removing the folder before them left one behind for every test case run.
void removeHome()
{
    if (!g_homePath.isEmpty())
        QDir(g_homePath).removeRecursively();
}

void setPrivateHome(const QTemporaryDir& home)
{
    const QByteArray root = QFile::encodeName(home.path());
    const QByteArray runtime = root + "/runtime";
    QDir().mkpath(QString::fromLocal8Bit(runtime));
    QFile::setPermissions(QString::fromLocal8Bit(runtime), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("HOME", root);
    qputenv("XDG_CONFIG_HOME", root + "/.config");
    qputenv("XDG_DATA_HOME", root + "/.local/share");
    qputenv("XDG_CACHE_HOME", root + "/.cache");
    qputenv("XDG_RUNTIME_DIR", runtime);
    qputenv("TMPDIR", root + "/tmp");
    QDir().mkpath(QString::fromLocal8Bit(root + "/tmp"));
}

} // namespace

int main(int argc, char** argv)
{
    // Made before anything reads HOME; removed when the process ends, after
    // everything that may still write there.
    QTemporaryDir home(QDir::tempPath() + "/paginor-test-XXXXXX");
    if (!home.isValid())
        return 2;
    home.setAutoRemove(false);
    g_homePath = home.path();
    std::atexit(removeHome);
    setPrivateHome(home);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // A dialog or message box that no ModalResponder answers fails the test
    // instead of waiting for a user who is not there.
    platform::setModalFailureHandler([](const QString& what) { ADD_FAILURE() << what.toStdString(); });
    return RUN_ALL_TESTS();
}
