#include "images/ThumbnailCache.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryFile>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace thumbnailcache_detail {

constexpr char kKeyText[] = "Paginor-Thumbnail";

QString keyText(const ThumbnailCache::Key& key)
{
    return QStringLiteral("%1\n%2\n%3\n%4x%5\n%6")
        .arg(key.path)
        .arg(key.bytes)
        .arg(key.changedMs)
        .arg(key.tile.width())
        .arg(key.tile.height())
        .arg(key.kind);
}

} // namespace thumbnailcache_detail

std::optional<ThumbnailCache::Key> ThumbnailCache::keyOf(const QString& path, QSize tile, int kind)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
    Key key;
    key.path = info.absoluteFilePath();
    key.bytes = info.size();
    key.changedMs = info.lastModified().toMSecsSinceEpoch();
    key.tile = tile;
    key.kind = kind;
    return key;
}

QString ThumbnailCache::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/Thumbnails");
}

ThumbnailCache::ThumbnailCache(const QString& folder, qint64 maxBytes) : m_folder(folder), m_maxBytes(maxBytes) {}

bool ThumbnailCache::ensureFolder() const
{
    if (m_folder.isEmpty())
        return false;
    const QFileInfo info(m_folder);
    if (info.isDir())
        return true;
    if (!QDir().mkpath(m_folder))
        return false;
    // Only the user reads what pictures the user looked at.
    return QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString ThumbnailCache::fileOf(const Key& key) const
{
    const QByteArray hash =
        QCryptographicHash::hash(thumbnailcache_detail::keyText(key).toUtf8(), QCryptographicHash::Sha1).toHex();
    return m_folder + QLatin1Char('/') + QString::fromLatin1(hash) + QStringLiteral(".png");
}

QImage ThumbnailCache::find(const Key& key) const
{
    const QString file = fileOf(key);
    QImageReader reader(file, "png");
    if (!reader.canRead())
        return QImage();
    // The entry must be the one asked for (its full key is kept in it) and whole.
    // (PNG text keeps no line breaks: compared with blanks folded.)
    if (reader.text(QLatin1String(thumbnailcache_detail::kKeyText)).simplified() !=
        thumbnailcache_detail::keyText(key).simplified())
        return QImage();
    QImage tile = reader.read();
    if (tile.isNull() || tile.size() != key.tile) {
        QFile::remove(file);
        return QImage();
    }
    // A use: the entry is among the last to go.
    QFile entry(file);
    if (entry.open(QIODevice::ReadWrite))
        entry.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileModificationTime);
    return tile;
}

bool ThumbnailCache::store(const Key& key, const QImage& tile)
{
    if (tile.isNull() || !ensureFolder())
        return false;
    // Written whole under a name of its own, then renamed: a reader never
    // sees half an entry. A cache needs no flush to the disk.
    const QString target = fileOf(key);
    QTemporaryFile file(target + QStringLiteral(".XXXXXX"));
    if (!file.open())
        return false;
    QImageWriter writer(&file, "png");
    writer.setText(QLatin1String(thumbnailcache_detail::kKeyText), thumbnailcache_detail::keyText(key));
    // Small tiles: fast compression is enough.
    writer.setCompression(1);
    if (!writer.write(tile.convertToFormat(QImage::Format_ARGB32)))
        return false;
    file.close();
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(target).constData()) != 0)
        return false;
    file.setAutoRemove(false);
    return true;
}

qint64 ThumbnailCache::size() const
{
    qint64 total = 0;
    QDirIterator entries(m_folder, {QStringLiteral("*.png")}, QDir::Files);
    while (entries.hasNext()) {
        entries.next();
        total += entries.fileInfo().size();
    }
    return total;
}

void ThumbnailCache::trim()
{
    struct Entry
    {
        QString path;
        qint64 bytes;
        qint64 usedMs;
    };
    std::vector<Entry> entries;
    qint64 total = 0;
    QDirIterator it(m_folder, {QStringLiteral("*.png")}, QDir::Files);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        entries.push_back({info.absoluteFilePath(), info.size(), info.lastModified().toMSecsSinceEpoch()});
        total += info.size();
    }
    if (total <= m_maxBytes)
        return;
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.usedMs < b.usedMs; });
    for (const Entry& entry : entries) {
        if (total <= m_maxBytes)
            break;
        if (QFile::remove(entry.path))
            total -= entry.bytes;
    }
}

QImage LoadCachedThumbnailTile(ThumbnailCache* cache, const QString& path, QSize tile, ThumbnailRule rule, bool* stored,
                               bool* decoded)
{
    const std::optional<ThumbnailCache::Key> key = cache ? ThumbnailCache::keyOf(path, tile, int(rule)) : std::nullopt;
    if (key) {
        const QImage kept = cache->find(*key);
        if (!kept.isNull()) {
            if (decoded)
                *decoded = true;
            return kept;
        }
    }
    bool read = false;
    QImage made = LoadThumbnailTile(path, tile, rule, &read);
    if (decoded)
        *decoded = read;
    if (key && read && cache->store(*key, made) && stored)
        *stored = true;
    return made;
}
