#pragma once

// The HTML tag and attribute names that the source view colours. Both match
// the first n bytes of the text whole and without regard to case.
bool IsHtmlTagName(const char* text, int n);
bool IsHtmlAttributeName(const char* text, int n);
