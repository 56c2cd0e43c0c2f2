#pragma once

namespace engine {

// The browser's own style sheet for HTML 4 elements, as the old engine showed
// pages in quirks mode (litehtml has none built in).
const char* defaultStyleSheet();

} // namespace engine
