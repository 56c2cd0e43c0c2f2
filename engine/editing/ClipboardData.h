#pragma once

#include <QString>
#include <memory>

class QMimeData;

namespace engine {

// The page's clipboard formats: "text/html" with the fragment between the
// exact markers <!--StartFragment--> and <!--EndFragment-->, the same HTML
// with the "HTML Format" header (byte offsets StartHTML, EndHTML,
// StartFragment, EndFragment) under application/x-paginor-html-format, and
// "text/plain".
namespace clipboard {

inline constexpr const char* kHtmlFormatMime = "application/x-paginor-html-format";

// The full HTML text around a fragment, with the markers.
QString wrapFragment(const QString& fragment);
// The header form of that HTML (UTF-8 bytes with the offsets filled in).
QByteArray htmlFormat(const QString& fragment);
std::unique_ptr<QMimeData> makeMimeData(const QString& fragment, const QString& text);
// The HTML to paste: the marked fragment, or the whole HTML when it has no
// markers; empty when the data holds no HTML (see `text`).
QString fragmentOf(const QMimeData* data);
// Plain text of the data, when it holds no HTML.
QString textOf(const QMimeData* data);
bool hasPastableData(const QMimeData* data);

} // namespace clipboard
} // namespace engine
