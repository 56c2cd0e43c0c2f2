#include "util/ShellFolders.h"

#include "res/resource.h"
#include "util/PathText.h"
#include "util/StringResources.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>

namespace shellfolders_detail {

// A display name as the string table holds it ("デスクトップ\"), without its separator.
QString displayName(unsigned int id)
{
    QString name = LoadResString(id);
    while (EndsWithBackslash(name))
        name.chop(1);
    return name;
}

QString withoutTrailingSeparators(QString path)
{
    while (path.size() > 1 && EndsWithBackslash(path))
        path.chop(1);
    return path;
}

// Finds a display prefix (name and either separator); the position after it, or -1.
qsizetype findPrefixEnd(const QString& path, const QString& name)
{
    for (const QChar sep : {QLatin1Char('/'), QLatin1Char('\\')}) {
        const qsizetype at = path.indexOf(name + sep);
        if (at >= 0)
            return at + name.size() + 1;
    }
    return -1;
}

QString standardFolder(QStandardPaths::StandardLocation location)
{
    return withoutTrailingSeparators(QStandardPaths::writableLocation(location));
}

bool isMountRoot(const QString& path)
{
    if (path.isEmpty() || !path.startsWith(QLatin1Char('/')))
        return false;
    const QStorageInfo storage(path);
    return storage.isValid() && storage.isReady() &&
           withoutTrailingSeparators(storage.rootPath()) == withoutTrailingSeparators(QDir::cleanPath(path));
}

} // namespace shellfolders_detail

QString DesktopDisplayPrefix()
{
    return shellfolders_detail::displayName(IDS_DISPLAY_DESKTOP) + QLatin1Char('/');
}

QString DocumentsDisplayPrefix()
{
    return shellfolders_detail::displayName(IDS_DISPLAY_MY_DOCUMENTS) + QLatin1Char('/');
}

QString ComputerDisplayPrefix()
{
    return shellfolders_detail::displayName(IDS_DISPLAY_MY_COMPUTER) + QLatin1Char('/');
}

bool GetDriveTypeOfLabel(QString& label)
{
    if (!label.contains(QLatin1Char('/')))
        return false;
    const qsizetype open = label.lastIndexOf(QLatin1Char('('));
    if (open >= 0) {
        const qsizetype slash = label.indexOf(QLatin1Char('/'));
        if (slash >= 0 && slash < open)
            return false; // a path, not a label
        const qsizetype close = label.lastIndexOf(QLatin1Char(')'));
        if (close > open)
            label = label.mid(open + 1, close - open - 1);
    }
    return shellfolders_detail::isMountRoot(label);
}

bool GetShellDisplayName(QString& path)
{
    QString clean = shellfolders_detail::withoutTrailingSeparators(path);
    clean.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (clean.isEmpty() || !QFileInfo::exists(clean))
        return false;
    if (clean == shellfolders_detail::standardFolder(QStandardPaths::DesktopLocation)) {
        path = shellfolders_detail::displayName(IDS_DISPLAY_DESKTOP);
    } else if (clean == shellfolders_detail::standardFolder(QStandardPaths::DocumentsLocation)) {
        path = shellfolders_detail::displayName(IDS_DISPLAY_MY_DOCUMENTS);
    } else if (clean == QLatin1String("/")) {
        path = shellfolders_detail::displayName(IDS_DISPLAY_MY_COMPUTER);
    } else if (shellfolders_detail::isMountRoot(clean)) {
        const QStorageInfo storage(clean);
        const QString name =
            storage.displayName() == storage.rootPath() ? QFileInfo(clean).fileName() : storage.displayName();
        path = QStringLiteral("%1 (%2)").arg(name, clean);
    } else {
        path = QFileInfo(clean).fileName();
    }
    return true;
}

HRESULT GetSpecialFolderPath(int csidl, QString& path)
{
    QString found;
    switch (csidl) {
    case CSIDL_DESKTOP:
    case CSIDL_DESKTOPDIRECTORY:
        found = shellfolders_detail::standardFolder(QStandardPaths::DesktopLocation);
        break;
    case CSIDL_PERSONAL:
        found = shellfolders_detail::standardFolder(QStandardPaths::DocumentsLocation);
        break;
    default:
        return E_FAIL;
    }
    if (found.isEmpty())
        return E_FAIL;
    path = found;
    return S_OK;
}

void ResolveShellDisplayPath(QString& path)
{
    const auto rest = [&](qsizetype end) {
        QString tail = path.mid(end);
        tail.replace(QLatin1Char('\\'), QLatin1Char('/'));
        return tail;
    };
    qsizetype end = shellfolders_detail::findPrefixEnd(path, shellfolders_detail::displayName(IDS_DISPLAY_DESKTOP));
    if (end >= 0) {
        QString desktop;
        GetSpecialFolderPath(CSIDL_DESKTOPDIRECTORY, desktop);
        path = desktop + QLatin1Char('/') + rest(end);
        return;
    }
    end = shellfolders_detail::findPrefixEnd(path, shellfolders_detail::displayName(IDS_DISPLAY_MY_COMPUTER));
    if (end >= 0) {
        QString tail = rest(end);
        while (tail.startsWith(QLatin1Char('/')))
            tail.remove(0, 1);
        path = QLatin1Char('/') + tail;
        return;
    }
    end = shellfolders_detail::findPrefixEnd(path, shellfolders_detail::displayName(IDS_DISPLAY_MY_DOCUMENTS));
    if (end >= 0) {
        QString documents;
        GetSpecialFolderPath(CSIDL_PERSONAL, documents);
        const QString tail = rest(end);
        path = tail.isEmpty() ? documents : documents + QLatin1Char('/') + tail;
    }
}

QString GetNearestExistingFolder(const QString& displayPath)
{
    QString fsPath = displayPath;
    ResolveShellDisplayPath(fsPath);
    QString display = displayPath;
    if (fsPath.isEmpty())
        return ComputerDisplayPrefix();
    bool droppedSeparator = false;
    if (fsPath.size() > 1 && EndsWithBackslash(fsPath) && EndsWithBackslash(display)) {
        fsPath.chop(1);
        display.chop(1);
        droppedSeparator = true;
    }
    if (QFileInfo(fsPath).isDir())
        return displayPath;

    // Walk up both forms together until the file-system path exists.
    const auto lastSep = [](const QString& s) {
        return qMax(s.lastIndexOf(QLatin1Char('/')), s.lastIndexOf(QLatin1Char('\\')));
    };
    while (true) {
        const qsizetype d = lastSep(display);
        const qsizetype p = lastSep(fsPath);
        if (d < 0)
            break;
        fsPath.truncate(qMax<qsizetype>(p, 0));
        display.truncate(d);
        if (fsPath.isEmpty() || QFileInfo(fsPath).isDir())
            break;
    }
    if (fsPath.isEmpty())
        return ComputerDisplayPrefix();
    if (droppedSeparator)
        display += QLatin1Char('/');
    return display;
}
