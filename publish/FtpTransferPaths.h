#pragma once

#include <QString>
#include <QStringList>

// Items of a transfer list: paths relative to a web folder, "/" or "\" as
// separator, an optional leading "/", folders ending in "/".
struct FtpTransferItem
{
    QStringList parts; // the path's names, outermost first
    bool isFolder = false;
    // False when a name is "." or "..", or holds a control character: such
    // an item could reach outside the web folder and is never transferred.
    bool isSafe = true;
};

FtpTransferItem ParseTransferItem(const QString& item);

// The server path of an item below a remote base, "/" between them, no
// doubled "/" ("/www/" + "/index.html" gives "/www/index.html").
QString MakeServerPath(const QString& remoteBase, const QString& item);

// The local path of an item below a local folder, "/" as separator. Empty
// for an item that is not safe.
QString MakeLocalPath(const QString& localFolder, const QString& item);

// The two-line label of the progress dialog: the direction's text, then the
// place (remote base or local folder) joined with the item. When the whole
// label is longer than 30 characters it shows the first (27 - item length)
// characters of the place, "..." and the item.
QString BuildProgressLabel(const QString& direction, const QString& place, const QString& item);
