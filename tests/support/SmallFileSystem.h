#pragma once

#include <QString>

#include <gtest/gtest.h>

// A tmpfs of a few KB of its own, for tests of a full disk: mounted on a new
// temporary folder (or over the folder named, which is made when missing),
// unmounted and the temporary folder removed when the object goes (also when
// the test fails). Mounting needs root, as CI runs; elsewhere isMounted() is
// false and whyNot() says why.
class SmallFileSystem
{
public:
    explicit SmallFileSystem(qint64 bytes = 64 * 1024, const QString& mountOn = QString());
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool isMounted() const { return m_mounted; }
    QString whyNot() const { return m_whyNot; }
    QString path() const { return m_path; }
    QString filePath(const QString& name) const { return m_path + QLatin1Char('/') + name; }

    // Takes all the room that is left (a hidden file of its own), so that
    // no new block can be written; true when the file system is full.
    bool fill();
    // Gives the room back.
    void unfill();
    // Makes the file system read-only (true) or writable again.
    bool remount(bool readOnly);
    // The names in the folder, the filler left out.
    QStringList entries() const;

private:
    QString m_path;
    QString m_whyNot;
    qint64 m_bytes;
    bool m_mounted = false;
    bool m_ownFolder = false;
};

// Skips the test, saying why, when the file system could not be mounted.
#define PAGINOR_SKIP_WITHOUT(fs)                                                                                       \
    if (!(fs).isMounted())                                                                                             \
    GTEST_SKIP() << "a small file system is needed: " << (fs).whyNot().toStdString()
