#pragma once

#include <string>

namespace engine {

// Rewrites the negations of a list of selectors in a style sheet's text as
// one negation each, which litehtml 0.6 reads (it took the commas of
// `:not(h1, h2) > code` for the ends of selectors, so that the rule applied
// nowhere): `:not(h1, h2)` becomes `:not(h1):not(h2)`. A list of which a
// selector has combinators is left as it is.
void splitNegationLists(std::string& css);

} // namespace engine
