#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// The fragment of "HTML Format" clipboard data (the form the engine writes:
// a "Version:" header with the byte offsets StartHTML, EndHTML,
// StartFragment and EndFragment, then the HTML with its fragment markers):
// the HTML between the markers. Nothing when the header is missing or
// broken, or its offsets do not stand at the markers.
std::optional<QString> HtmlFormatFragment(const QByteArray& data);

// Makes the images of a copied fragment work when pasted into another page:
// an image's relative address becomes the file URL of that file below the
// page's folder (a full local path becomes its file URL; addresses with a
// scheme stay), and the MAP an image uses (`mapHtml` gives its outer HTML by
// the map's name, empty when the page has none) goes in front of the image.
// Without a page folder relative addresses stay. The fragment comes back as
// it was when nothing changed or when it cannot be read back whole.
QString RewriteCopiedImages(const QString& fragment, const QString& pageFolder,
                            const std::function<QString(const QString& mapName)>& mapHtml);
