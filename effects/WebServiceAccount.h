#pragma once

#include <QString>

#include <memory>

class CVornaFtp;

// The user's account with the hosting service whose bulletin board, guest
// book and access counter go on pages, and the addresses of the service's
// pages built from it. The account is kept per user in the settings store
// ("VORNA_ID" and "VORNA_PASSWORD" under the product's "Web Property" key);
// the service's address starts are install-wide configuration (CVornaFtp).
namespace webservice {

// The per-user key of the account.
QString AccountKey();

// The stored id and password; empty when missing. The key is opened, never
// made.
QString ReadUserId();
QString ReadPassword();
// Stores both values, making the key when it is missing: false when they
// could not be written.
bool WriteAccount(const QString& userId, const QString& password);

// Whether a stored id counts as an id: not empty and not the placeholder
// "ユーザーID".
bool IsUserId(const QString& userId);

// The address start of a style extension, compared without regard to case:
// "brd" the board's, "vst" the guest book's, anything else the counter's.
enum class WebObjectKind { Board, Visitor, Counter };
WebObjectKind KindOfExtension(const QString& extension);

// The address of the service's page for one style: the start (a stored
// configuration value) with line breaks removed and a "?" or "&" put after it
// when it lacks one, then "USERID=" and the id, the style's field ("&CNTTYPE="
// for "cnt", "&BODTYPE=" for "brd", "&GBODTYPE=" otherwise) and the style
// name; id and style are percent-encoded. "http://" goes in front of a start
// without a scheme. Empty when the start is empty (not configured).
QString BuildWebObjectAddress(const QString& start, const QString& userId, const QString& styleName,
                              const QString& extension);

// The counter's settings page of the account with a start value; empty when
// the start is empty.
QString BuildCounterSettingsAddress(const QString& start, const QString& userId, const QString& password,
                                    int startValue);

// An address typed or built, with its scheme: unchanged when it has one
// ("https://..."), a scheme with a single slash ("http:/host") gets its second
// one, and anything else gets "http://" in front.
QString WithAddressScheme(const QString& address);

// The main window's FTP engine, which reads the service's addresses; without
// a main window, one made in `local`.
CVornaFtp& ServiceFtp(std::unique_ptr<CVornaFtp>& local);

// Opens a page of the service in the desktop's browser; the user is told
// when the address is not configured (empty) or could not be opened.
bool OpenServicePage(const QString& address);

// The style an address of the service names: the text after its last "="
// (all of it without one), percent-decoded.
QString StyleOfAddress(const QString& address);

} // namespace webservice
