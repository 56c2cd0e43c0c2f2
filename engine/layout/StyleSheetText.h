#pragma once

#include <string>

namespace engine {

// Rewrites the negations of a list of selectors in a style sheet's text as
// one negation each, which litehtml 0.6 reads (it took the commas of
// `:not(h1, h2) > code` for the ends of selectors, so that the rule applied
// nowhere): `:not(h1, h2)` becomes `:not(h1):not(h2)`. A list of which a
// selector has combinators is left as it is.
void splitNegationLists(std::string& css);

// Rewrites the media features of a style sheet's rules for media (`@media`)
// that litehtml 0.6 does not know as conditions it reads to the same
// effect: a browser on a screen with the usual settings (a light scheme,
// no call for less motion, a mouse) finds `(prefers-color-scheme: dark)`
// false, where litehtml left out what it did not know and applied the rule
// everywhere. A range of the width or height (`width >= 600px`) becomes a
// minimum or maximum.
void readMediaFeatures(std::string& css);
// The same for one list of media queries (a `media` attribute).
void readMediaQuery(std::string& query);

} // namespace engine
