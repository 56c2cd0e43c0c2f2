#pragma once

#include "engine/layout/DocumentMode.h"

namespace engine {

// The browser's own style sheet for HTML 4 elements (litehtml has none built
// in), with the rules of quirks mode for a page laid out in it.
const char* defaultStyleSheet(DocumentMode mode = DocumentMode::Quirks);

} // namespace engine
