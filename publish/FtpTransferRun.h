#pragma once

#include "platform/FtpClient.h"
#include "publish/FtpTransferHost.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

// One list transfer between a web's local folder and its folder on the
// server, and the tree operations of publishing. Runs on any one thread; the
// user is met only through the host.
//
// Files are copied to the end of the stream (a size the server reports is not
// trusted). A download goes to a temporary file that replaces the old one
// only when the whole file arrived, so a cancel or a failure leaves the old
// file as it was. An upload reads the local file before the server file is
// opened. Items whose names could leave the web folder ("..", control
// characters) are refused. A file that fails is reported and counted, and the
// list goes on; a cancel, or a failure of the connection itself, stops it.
class FtpTransferRun
{
public:
    enum class Direction { Download, Upload };
    enum class Outcome {
        Completed,    // every item transferred
        WithFailures, // the list ran to its end, failures() items failed
        Cancelled,    // the user stopped it
        Failed        // the connection failed; the error was shown
    };

    FtpTransferRun(platform::FtpClient& client, FtpTransferHost& host, Direction direction, quint64 totalBytes);

    // Every item in list order.
    Outcome run(const QStringList& items, const QString& localFolder, const QString& remoteBase);

    // One item; false stops the list.
    bool downloadItem(const QString& item, const QString& localFolder, const QString& remoteBase);
    bool uploadItem(const QString& item, const QString& localFolder, const QString& remoteBase);

    int failures() const { return m_failures; }
    quint64 doneBytes() const { return m_done; }

    // Called after each file item that was uploaded, with the item as listed.
    std::function<void(const QString& item)> onUploaded;

    // Appends the items of a local folder tree to a list, a folder before its
    // contents, and adds the file sizes to the total. Symbolic links to
    // folders are not followed; links to files count only when the file lies
    // inside the web folder.
    static void CollectLocalFiles(const QString& relativeFolder, const QString& webFolder, QStringList* items,
                                  quint64* totalBytes);

    // Deletes a server file, or a folder with everything in it (the server's
    // root is emptied but never removed). A folder that cannot be listed, or
    // lies deeper than MaxDeleteDepth below the item (a server that lists
    // linked folders as folders can make a tree without end), is reported
    // and left alone with its contents. Every failure is reported; nothing
    // stops the walk.
    static void DeleteRemoteFolder(platform::FtpClient& client, FtpTransferHost& host, const QString& item,
                                   const QString& base);
    static constexpr int MaxDeleteDepth = 100;

private:
    static void deleteRemoteTree(platform::FtpClient& client, FtpTransferHost& host, const QString& item,
                                 const QString& base, int depth);
    bool advance(qint64 bytes, const QString& label);
    void reportFailure(const QString& path, int textId);
    bool stopForError(const platform::FtpError& error);
    void ensureServerFolders(const QString& serverPath, bool includingLast);
    QString labelFor(const QString& item, const QString& localFolder, const QString& remoteBase) const;

    platform::FtpClient& m_client;
    FtpTransferHost& m_host;
    Direction m_direction;
    quint64 m_total = 0;
    quint64 m_done = 0;
    int m_percent = 0;
    int m_failures = 0;
    bool m_cancelled = false;
    bool m_failed = false;
    QSet<QString> m_knownFolders; // server folders made or found during this run
};
