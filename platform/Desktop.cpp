#include "platform/Desktop.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace platform {

bool openWithDesktop(const QString& path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

bool openAddress(const QString& address)
{
    const QString trimmed = address.trimmed();
    if (trimmed.isEmpty())
        return false;
    if (trimmed.startsWith(QLatin1Char('/')))
        return openWithDesktop(trimmed);
    const QUrl url(trimmed, QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}

bool startProgram(const QString& program, const QStringList& arguments, const QString& workingFolder)
{
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, arguments, workingFolder);
}

} // namespace platform
