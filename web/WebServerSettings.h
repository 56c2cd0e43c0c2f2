#pragma once

#include <QString>
#include <QStringList>

// The rules of the web server entries that the server list and the server
// entry dialog apply before an entry goes to the FTP engine.

// The server folder as it is stored: "/" for none; otherwise with a "/" in
// front and at the end ("public" gives "/public/", "/a/b" gives "/a/b/").
QString NormalizeServerFolder(const QString& folder);

// The web address as it is stored: "http://" is put in front of an address
// that names no scheme of its own ("example.jp" gives "http://example.jp",
// "https://example.jp" stays).
QString NormalizeServerAddress(const QString& address);

// The time-out in seconds of a typed text: the number it starts with (0 when
// none) held between 0 and 100.
int ServerTimeoutOfText(const QString& text);

// The address of the hosting service's entry: the stored address up to its
// last "/", a "/" and the user id.
QString HostingServiceAddress(const QString& storedAddress, const QString& userId);

// The names of the server entries (the sub-keys of the settings key, which is
// made when it cannot be read).
QStringList ServerEntryNames();

// Why a server entry's name is refused, as the string id of the message that
// says so, or 0: empty (57773); holding a "\", which cannot name one entry
// (61452); another entry's name, without regard to case (57774). An edited
// entry may keep its own name in any case.
int ServerNameRefusal(const QString& name, bool editing, const QString& nameAtOpening);
