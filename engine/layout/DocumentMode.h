#pragma once

#include <QString>

namespace engine {

// The mode a browser lays a page out in, chosen by its DOCTYPE (HTML,
// "the initial insertion mode"): pages without one, or with that of an old
// HTML version, in quirks mode; XHTML 1.0 Transitional and Frameset pages,
// and HTML 4.01 Transitional ones that name their DTD's address, in limited
// quirks mode, which keeps of the quirks only that of line heights; all
// others without quirks.
enum class DocumentMode { Quirks, LimitedQuirks, NoQuirks };

// The mode of a page whose DOCTYPE is `doctype` as written, with any XML
// declaration and comments before it ("" when the page has none).
DocumentMode documentModeOf(const QString& doctype);

} // namespace engine
