#pragma once

#include <QString>

// Operations on every page of the open web at once, through the pages as
// they are open in the editor.

// Writes the BODY attributes (background, bgColor, text, link, aLink, vLink;
// an empty text leaves that attribute as it is) into every page of the open
// web. Until the site list walks the web's pages, only the active page is
// written.
void ApplyBodyAttributesToSitePages(const QString& background, const QString& bgColor, const QString& text,
                                    const QString& link, const QString& aLink, const QString& vLink);
