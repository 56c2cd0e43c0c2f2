#pragma once

#include <QString>

// The texts and names the publishing window builds and checks.

// The line under a tree: empty for no checked item; else the count, the
// "selected" text and the size in decimal units: "1.050000M" from a million
// bytes on, else thousands with three decimals ("0.512K").
QString FormatCheckedInfo(int count, quint64 bytes);

// The public address of a server setting as the browser preview opens it:
// the user-id placeholder replaced by the user id, "http://" put in front of
// an address without a scheme. Empty when the result is no http or https
// address (nothing else is handed to the desktop).
QString BrowserPreviewAddress(const QString& httpUrl, const QString& placeholder, const QString& userId);

// Whether a new label can name a file or folder in place of the old one: not
// ".", "..", nor holding "/", "\" or control characters, which would move the
// item into another folder or make a name no folder can hold.
bool IsAcceptableItemLabel(const QString& label);
