#include "platform/DataRoot.h"

#include "platform/FileOps.h"
#include "platform/SafeFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtDebug>

#include <memory>

namespace platform {

namespace dataroot_detail {

// Which shipped version each file copied into the data root had, so that a
// file the user never touched can follow a newer shipped version.
constexpr char kManifestName[] = ".paginor-shipped.json";
// The settings' defaults are not part of the install folder.
constexpr char kSettingsDefaultsFolder[] = "Registry";

QByteArray fileHash(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (!hash.addData(&file))
        return {};
    return hash.result().toHex();
}

QJsonObject readManifest(const QString& root)
{
    QFile file(root + QLatin1Char('/') + QLatin1String(kManifestName));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

bool writeManifest(const QString& root, const QJsonObject& manifest)
{
    return writeFileWhole(root + QLatin1Char('/') + QLatin1String(kManifestName),
                          QJsonDocument(manifest).toJson(QJsonDocument::Indented)) == FileFault::None;
}

struct TempFolderState
{
    QMutex mutex;
    std::unique_ptr<QTemporaryDir> dir;
    bool cleanupRegistered = false;
};

TempFolderState& tempFolderState()
{
    static TempFolderState state;
    return state;
}

void removeTempFolderAtExit()
{
    removePrivateTempFolder();
}

} // namespace dataroot_detail

QString shareDir()
{
    const QString fromEnv = qEnvironmentVariable("PAGINOR_SHARE_DIR");
    if (!fromEnv.isEmpty())
        return QDir::cleanPath(fromEnv);
    if (QCoreApplication::instance()) {
        const QString appDir = QCoreApplication::applicationDirPath();
        for (const QString& candidate :
             {appDir + QLatin1String("/share"), appDir + QLatin1String("/../share/paginor")}) {
            if (QFileInfo(candidate + QLatin1String("/Bin")).isDir())
                return QDir::cleanPath(candidate);
        }
    }
#ifdef PAGINOR_SOURCE_SHARE_DIR
    return QStringLiteral(PAGINOR_SOURCE_SHARE_DIR);
#else
    return QString();
#endif
}

QString dataRoot()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QLatin1String("/.local/share");
    return base + QLatin1String("/Vornasoft/Vorna-Paginor 2002(TEV)");
}

DataRootFill fillDataRoot(const QString& share, const QString& root)
{
    using namespace dataroot_detail;
    DataRootFill fill;
    if (share.isEmpty() || !QFileInfo(share).isDir())
        return fill;
    QDir().mkpath(root);
    const QJsonObject oldManifest = readManifest(root);
    QJsonObject manifest = oldManifest;

    QDirIterator it(share, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isSymLink() || !info.isFile())
            continue;
        const QString relative = QDir(share).relativeFilePath(source);
        if (relative.startsWith(QLatin1String(dataroot_detail::kSettingsDefaultsFolder) + QLatin1Char('/')))
            continue; // read from the shipped tree by the settings store
        const QString target = root + QLatin1Char('/') + relative;
        const QByteArray shippedHash = fileHash(source);

        if (!pathExists(target)) {
            QDir().mkpath(QFileInfo(target).path());
            if (copyPath(source, target) == FileError::Success) {
                manifest.insert(relative, QString::fromLatin1(shippedHash));
                ++fill.copied;
            } else {
                fill.failed << relative;
            }
            continue;
        }
        const QString recorded = oldManifest.value(relative).toString();
        const QFileInfo targetInfo(target);
        if (!recorded.isEmpty() && recorded.toLatin1() != shippedHash && !targetInfo.isSymLink() &&
            targetInfo.isFile() && fileHash(target) == recorded.toLatin1()) {
            if (copyPath(source, target, OnConflict::Overwrite) == FileError::Success) {
                manifest.insert(relative, QString::fromLatin1(shippedHash));
                ++fill.updated;
            } else {
                fill.failed << relative;
            }
            continue;
        }
        ++fill.kept;
    }
    if (manifest != oldManifest && !writeManifest(root, manifest))
        fill.failed << QLatin1String(kManifestName);
    return fill;
}

DataRootFill initDataRoot()
{
    const QString share = shareDir();
    if (share.isEmpty() || !QFileInfo(share).isDir())
        qWarning("The program's shipped files were not found (set PAGINOR_SHARE_DIR)");
    DataRootFill fill = fillDataRoot(share, dataRoot());
    for (const QString& failed : fill.failed)
        qWarning("Could not copy %s into %s", qUtf8Printable(failed), qUtf8Printable(dataRoot()));
    return fill;
}

QString resolveCaseBlind(const QString& root, const QString& relative)
{
    QString current = root;
    while (current.size() > 1 && current.endsWith(QLatin1Char('/')))
        current.chop(1);
    bool resolving = true;
    QString normalized = relative;
    normalized.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = normalized.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (part == QLatin1String("."))
            continue;
        const QString exact = current + QLatin1Char('/') + part;
        if (!resolving || part == QLatin1String("..") || pathExists(exact)) {
            current = exact;
            continue;
        }
        QString match;
        const QFileInfo folder(current);
        if (folder.isDir()) {
            const QStringList entries = QDir(current).entryList(
                QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
            for (const QString& entry : entries) {
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    match = entry;
                    break;
                }
            }
        }
        if (match.isEmpty()) {
            resolving = false; // nothing below a missing component can exist
            current = exact;
        } else {
            current += QLatin1Char('/') + match;
        }
    }
    return current;
}

QString installPath(const QString& relative)
{
    return resolveCaseBlind(dataRoot(), relative);
}

QString webRoot()
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath() + QLatin1String("/Documents");
    return documents + QLatin1String("/My Web");
}

QString privateTempFolder()
{
    using namespace dataroot_detail;
    TempFolderState& state = tempFolderState();
    QMutexLocker lock(&state.mutex);
    if (!state.dir || !QFileInfo(state.dir->path()).isDir()) {
        // mkdtemp makes the folder with mode 0700.
        state.dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QLatin1String("/paginor-XXXXXX"));
        if (!state.dir->isValid()) {
            qWarning("Could not make a temporary folder in %s", qUtf8Printable(QDir::tempPath()));
            state.dir.reset();
            return QString();
        }
        if (!state.cleanupRegistered && QCoreApplication::instance()) {
            qAddPostRoutine(removeTempFolderAtExit);
            state.cleanupRegistered = true;
        }
    }
    return state.dir->path();
}

void removePrivateTempFolder()
{
    using namespace dataroot_detail;
    TempFolderState& state = tempFolderState();
    QMutexLocker lock(&state.mutex);
    if (!state.dir)
        return;
    const QString path = state.dir->path();
    state.dir->setAutoRemove(false);
    state.dir.reset();
    removePath(path); // never follows links placed inside it
}

} // namespace platform
