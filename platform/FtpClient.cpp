#include "platform/FtpClient.h"

#include "platform/FtpClientCurl.h"

#include <QStringList>

namespace platform {

std::unique_ptr<FtpClient> FtpClient::create()
{
    return std::make_unique<FtpClientCurl>();
}

QString resolveFtpPath(const QString& currentFolder, const QString& path)
{
    const QString joined = path.startsWith(u'/') ? path : currentFolder + u'/' + path;
    QStringList parts;
    for (const QString& part : joined.split(u'/', Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    return u'/' + parts.join(u'/');
}

} // namespace platform
