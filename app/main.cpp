#include "app/CZQApp.h"
#include "engine/view/BrowseView.h"
#include "util/InstallInfo.h"

#include "platform/DataRoot.h"
#include "platform/RegistryStore.h"
#include "platform/ToolkitTexts.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    engine::BrowseView::prepareEnvironment(false);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorna-Paginor 2002"));
    QApplication::setApplicationVersion(QStringLiteral(PAGINOR_VERSION));
    // The program speaks Japanese; so do the toolkit's own dialogs (printing,
    // files, colours), whatever the system's language.
    const platform::ToolkitTexts toolkitTexts;

    InitInstallFolder();
    platform::RegistryStore& settings = platform::RegistryStore::instance();
    for (const QString& file : settings.loadProblems())
        qWarning("Settings in %s could not be read; the defaults are used", qUtf8Printable(file));

    int result = 0;
    {
        CZQApp app;
        if (!app.InitInstance(QApplication::arguments().mid(1)))
            return app.exitCode();
        result = QApplication::exec();
        app.ExitInstance();
    }
    settings.save(platform::Hive::CurrentUser);
    platform::removePrivateTempFolder();
    return result;
}
