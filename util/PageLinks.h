#pragma once

#include "platform/Hresult.h"

#include <QString>

class CZQView;

// Page-wide operations on the live page of a view (the active page view when
// none is given) that the document, the frame code and the site manager repeat
// over many pages: the BODY's colours and background, renaming a linked file
// in every reference, and bringing the files of the page's scripts into the
// open web.

// Writes each non-empty value into the page's BODY (background, bgColor, text,
// link, aLink, vLink; an empty value leaves that attribute as it is) as one
// undo step and sets the page's change mark. 0 when the BODY was found, -1
// otherwise.
HRESULT WriteBodyAttributes(CZQView* view, const QString& background, const QString& bgColor, const QString& text,
                            const QString& link, const QString& aLink, const QString& vLink);

// Renames a linked file in the page: the href of A, the src of IMG, the
// background of TABLE and of BODY and the src of EMBED, in that order, as one
// undo step. See ReplaceAttributeSuffix.
void CollectPageLinks(CZQView* view, const QString& oldEnding, const QString& newEnding, int mode);

// Renames a linked file in the page, by the file: only the references that
// lead to `oldPath` (read from the page's folder, or the open web's folder for
// a page not saved yet; paths compared exactly) get `newName` as their last
// part, their "#" or "?" part kept. The same references as CollectPageLinks,
// as one undo step; only mode 0 changes anything.
void CollectPageLinksToFile(CZQView* view, const QString& oldPath, const QString& newName, int mode);

// For every element of the tag whose attribute ends with the old ending (the
// whole value, or after a "/"; "\" read as "/"; compared exactly), puts the
// new ending in its place, written with "/", and sets the page's change mark.
// Nothing happens when a text is empty, the endings are equal or the mode is
// not 0 (the other modes change nothing).
void ReplaceAttributeSuffix(CZQView* view, const QString& tag, const QString& attribute, const QString& oldEnding,
                            const QString& newEnding, int mode);

// For a page of the open web that has no file yet: copies the local script
// files its SCRIPT elements load, and the image files its effect scripts
// name, into the web and points the page at the copies (the document's link
// workers with the in-web flag `mode` and the moving flag !mode). Files that
// could not be copied keep their references and are reported to the user.
void CollectScriptFiles(bool mode, CZQView* view);
