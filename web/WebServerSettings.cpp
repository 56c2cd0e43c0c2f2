#include "web/WebServerSettings.h"

#include "publish/CVornaFtp.h"
#include "res/resource.h"
#include "util/CRegistryEx.h"
#include "util/TextHelpers.h"

#include <QRegularExpression>

QString NormalizeServerFolder(const QString& folder)
{
    if (folder.isEmpty())
        return QStringLiteral("/");
    QString stored = folder;
    if (!stored.startsWith(QLatin1Char('/')))
        stored.prepend(QLatin1Char('/'));
    if (!stored.endsWith(QLatin1Char('/')))
        stored.append(QLatin1Char('/'));
    return stored;
}

QString NormalizeServerAddress(const QString& address)
{
    // Differs from the old rule, which looked for "http://" alone and so
    // turned "https://x" into "http://https://x": any scheme is kept.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    if (scheme.match(address).hasMatch())
        return address;
    return QStringLiteral("http://") + address;
}

int ServerTimeoutOfText(const QString& text)
{
    return qBound(0, LeadingInteger(text), 100);
}

QString HostingServiceAddress(const QString& storedAddress, const QString& userId)
{
    const qsizetype slash = storedAddress.lastIndexOf(QLatin1Char('/'));
    return (slash < 0 ? storedAddress : storedAddress.left(slash)) + QLatin1Char('/') + userId;
}

QStringList ServerEntryNames()
{
    QStringList names;
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.EnumKeys(CVornaFtp::SettingsKey(), names)) {
        CRegistryEx create(HKEY_CURRENT_USER);
        create.Create(HKEY_CURRENT_USER, CVornaFtp::SettingsKey());
        names.clear();
    }
    return names;
}

int ServerNameRefusal(const QString& name, bool editing, const QString& nameAtOpening)
{
    if (name.isEmpty())
        return IDS_SERVER_NAME_EMPTY;
    if (name.contains(QLatin1Char('\\')))
        return IDS_SERVER_NAME_BACKSLASH;
    if (editing && name.compare(nameAtOpening, Qt::CaseInsensitive) == 0)
        return 0;
    for (const QString& entry : ServerEntryNames()) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return IDS_SERVER_NAME_TAKEN;
    }
    return 0;
}
