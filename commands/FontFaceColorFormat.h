#pragma once

#include <QString>

class CZQView;

namespace engine {
class Element;
}

// Typeface, text colour and background colour of what is selected on the
// active page. Face and text colour go around an element's whole content as
// a FONT (face, color); the background goes onto table cells (bgColor) and
// MARQUEE elements (bgcolor). On selected text the page engine's own font
// commands do the work. Codes: 13 face, 14 text colour, 15 background, 16
// font size (cells only). Colour modes: 1 apply the colour text, -3 go back
// to the default (remove the colour). The face "Default" (any case) removes
// the face instead of setting one.

// The typeface of the selection.
void SetFontFaceInSelection(int code, const QString& face);
// Removes every face inside the element and, unless the face is "Default",
// puts its whole content in a FONT of the face.
void ApplyFontFaceToElement(int code, const QString& face, engine::Element* element);

// The text colour (HTML colour text) of the selection, or the default.
void SetFontColorInSelection(int code, const QString& color, int mode);
void ApplyFontColorToElement(int code, const QString& color, int mode, engine::Element* element);

// Replaces a FONT with no color, size or face left by its own content; true
// when it did.
bool RemoveBareFont(engine::Element* font);

// The background colour of the TD or MARQUEE the selection designates.
void SetBgColorInSelection(int code, const QString& color, int mode);
void ApplyBgColorToElement(int code, const QString& color, int mode, engine::Element* element);

// Face (13), text colour (14), background colour (15) or font size (16, the
// size code in `mode`) on every cell of the view's selected cell range: onto
// the TD itself.
void SetFontOfSelectedCells(int code, const QString& value, int mode, CZQView* view);

// "<FONT name=value></FONT>" with the value written as the page writes
// attribute values (quoted where it needs quotes).
QString EmptyFontHtml(const QString& name, const QString& value);

// Whether the face is the default one ("Default" in any case, or none).
bool IsDefaultFace(const QString& face);
