#pragma once

#include "images/ThumbnailTile.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

// Thumbnail tiles kept on disk between runs, so that a folder shown again
// fills at once. A tile is found by its picture's path, size and change time,
// the tile's size and the kind of list that made it, so a changed picture
// never shows an old tile. Entries are PNG files in a private folder; the
// folder is kept below a size bound by dropping the entries used longest
// ago. A damaged, missing or unwritable cache is a miss, never an error.
//
// Several threads may use caches on one folder at once: an entry is written
// whole under a temporary name and then renamed.
class ThumbnailCache
{
public:
    static constexpr qint64 kDefaultMaxBytes = qint64(64) << 20;

    struct Key
    {
        QString path;
        qint64 bytes = 0;
        qint64 changedMs = 0;
        QSize tile;
        int kind = 0;
    };

    // The key of a picture file as it is now; none when it is not a file.
    static std::optional<Key> keyOf(const QString& path, QSize tile, int kind);

    // The user's cache folder for thumbnails (made, mode 0700, when used).
    static QString defaultFolder();

    explicit ThumbnailCache(const QString& folder = defaultFolder(), qint64 maxBytes = kDefaultMaxBytes);

    // The tile kept for the key, or a null image. A hit counts as a use.
    QImage find(const Key& key) const;
    // Keeps the tile; false when it could not be written.
    bool store(const Key& key, const QImage& tile);
    // Drops the entries used longest ago until the folder is within its bound.
    void trim();
    // The bytes the entries take.
    qint64 size() const;

    const QString& folder() const { return m_folder; }
    // The file an entry is kept in.
    QString fileOf(const Key& key) const;

private:
    bool ensureFolder() const;

    QString m_folder;
    qint64 m_maxBytes;
};

// The tile of a picture file: the cache's when it holds one, else made by
// LoadThumbnailTile and kept there (not when the file could not be decoded:
// it may be still being written). Sets `stored` when it wrote an entry and
// `decoded` to whether the picture could be read. A null cache makes every tile.
QImage LoadCachedThumbnailTile(ThumbnailCache* cache, const QString& path, QSize tile, ThumbnailRule rule,
                               bool* stored = nullptr, bool* decoded = nullptr);
