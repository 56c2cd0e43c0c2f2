#pragma once

#include <QString>

class CZQView;

// Operations on every page of the open web at once, through the pages as
// they are open in the editor: a page row of the site list whose page is not
// open is opened, and stays open with its changes unsaved. Frame pages are
// reached through their frameset pages. A page that has not finished loading
// gets the change when it has.

// Stores the BODY attributes (background, bgColor, text, link, aLink, vLink;
// an empty text leaves that attribute as it is) in the site manager page and
// writes them into every page of the open web. The page window active before
// is active again afterwards, maximised again when it was.
void ApplyBodyAttributesToSitePages(const QString& background, const QString& bgColor, const QString& text,
                                    const QString& link, const QString& aLink, const QString& vLink);

// Rewrites the links of every page of the open web after a file was renamed
// from `oldName` to `newName`. With `oldPath` (the file's full path before),
// only links that lead to that file change; without it, every link ending in
// the old name (the whole value, or after "/"). The page opened last stays
// the active one.
void ReplaceLinksInSitePages(const QString& oldName, const QString& newName, int mode,
                             const QString& oldPath = QString());

// Ends whatever insertion or drag the main frame has pending: the active
// page lets go of the mouse, the sink's drag flag is cleared for the kinds
// that set it (text box, media object, text object), the insertion kind and
// its strings are emptied and the arrow cursor shows.
void ResetDragMode();
