#include "platform/DataRoot.h"
#include "platform/RegistryStore.h"
#include "util/InstallInfo.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);

    InitInstallFolder();
    platform::RegistryStore& settings = platform::RegistryStore::instance();
    for (const QString& file : settings.loadProblems())
        qWarning("Settings in %s could not be read; the defaults are used", qUtf8Printable(file));

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Vorna-Paginor 2002"));
    window.resize(1024, 768);
    window.show();
    const int result = app.exec();

    settings.save(platform::Hive::CurrentUser);
    platform::removePrivateTempFolder();
    return result;
}
