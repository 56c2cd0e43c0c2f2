#pragma once

#include "controls/ColorValue.h"

#include <QString>

class CZQView;

namespace engine {
class ControlRange;
class Element;
class TextRange;
} // namespace engine

// The seven values of the font dialog as read from the selection and
// applied back: a value the selection does not agree on (or that could not
// be read) is "mixed": an empty face, size -100, colour kColorNone.
struct FontPropertyValues
{
    // Empty: mixed; "Default": no face; else a face name.
    QString face;
    // -100: mixed; 0: the default size; 1 to 7: an HTML font size.
    int size = -100;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    // kColorNone: mixed; kColorDefault: no colour; else a colour.
    platform::ColorRef text = kColorNone;
    platform::ColorRef back = kColorNone;
};

// Which values the user changed; only those are applied.
struct FontPropertyChanges
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool face = false;
    bool size = false;
    bool text = false;
    bool back = false;
};

constexpr int kMixedFontSize = -100;

// Several selected objects: everything mixed.
FontPropertyValues MixedFontProperties();
// One selected object (a text box, table or marquee): a FONT, STRONG, EM or U
// counts when it holds all the text of its cell (or marquee); faces, sizes
// and colours that differ are mixed; the background of the last cell.
FontPropertyValues ReadFontPropertiesOfElement(engine::Element* element);
// The cells of the view's selected cell range, each read as one object;
// values the cells differ in are mixed.
FontPropertyValues ReadFontPropertiesOfCells(CZQView* view);
// Selected text or a caret: the engine's values, the face, size and colour
// of a FONT above it where the engine reports the default, and the
// background of its TD or MARQUEE.
FontPropertyValues ReadFontPropertiesOfRange(const engine::TextRange& range);

// Applies the changed values through the selection's format operations (a
// control selection, or a caret in a text box).
void ApplyFontPropertiesToSelection(const FontPropertyValues& values, const FontPropertyChanges& changes);
// Applies them to every cell of the view's selected cell range.
void ApplyFontPropertiesToCells(CZQView* view, const FontPropertyValues& values, const FontPropertyChanges& changes);
// Applies them to a text range with its own commands; `before` holds the
// styles read from it (a style asked for as it was is run twice, so that a
// range only partly in that style ends wholly as asked).
void ApplyFontPropertiesToRange(engine::TextRange& range, const FontPropertyValues& values,
                                const FontPropertyValues& before, const FontPropertyChanges& changes);

// The page's text and background colours (BODY text and bgColor; black and
// white where it has none), which the colour choosers show as the default.
platform::ColorRef PageTextColor(CZQView* view);
platform::ColorRef PageBackColor(CZQView* view);

// A colour as pages write it; kColorNone when it is no colour.
platform::ColorRef ReadPageColor(const QString& text);
