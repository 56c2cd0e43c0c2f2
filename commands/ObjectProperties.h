#pragma once

#include "engine/dom/Ref.h"

#include "platform/ColorRef.h"

#include <QString>

#include <optional>
#include <vector>

class VornaDialogHrProperty;
class VornaDialogImageProperty;
class VornaDialogMarquee;

namespace engine {
class Element;
}

// Reading a selected image, marquee or horizontal rule into its dialog and
// writing the dialog's values back to every selected element of that kind,
// for the image, marquee and rule properties commands.

// A length as a style or attribute text gives it: its leading whole number,
// in per cent when the text holds "%", else in pixels ("px" and blanks
// allowed). None for an empty text or one that starts with no number.
struct LengthText
{
    int value = 0;
    bool percent = false;
};
std::optional<LengthText> ReadLengthText(const QString& text);

// An image source in the form the dialog shows: "file://" taken off (a
// drive letter's "/" with it), the other "file:" and "FILE:" removed, "%20"
// read as a blank and "%25" as "%".
QString CleanImageSource(const QString& source);

// The colour of each side of an element's border as its style gives it (a
// side's own colour, else its place in the border-color shorthand), top,
// right, bottom, left.
std::vector<QString> BorderSideColors(const engine::Element* element);

// An image as its dialog opens with it.
struct ImageRead
{
    QString source;
    QString alt;
    int width = -1;
    int height = -1;
    int border = -1;
    // kColorNone (-2) without a border colour, kColorDefault (-1) when the
    // sides differ.
    platform::ColorRef borderColor = 0xFFFFFFFEu;
    // Off when the image shows at its file's own size; on when that size is
    // unknown (a missing file, or one that is no picture).
    bool sizeGiven = true;
};

// Reads one IMG: alt, the cleaned src, width and height from the style (else
// the attributes), the border width and colour, and
// whether its size is its file's own. A relative source is measured below
// `pageFolder`.
ImageRead ReadImageProperties(const engine::Element* image, const QString& pageFolder);
void PutImageValues(VornaDialogImageProperty& dialog, const ImageRead& read);
// Opens the image dialog on the selected images: one image with its values
// (read below the folder of `pagePath`, and kept in `read` for the writing),
// several with what they share and no size given. True when the user chose OK.
bool AskImageProperties(VornaDialogImageProperty& dialog, const std::vector<engine::Ref<engine::Element>>& images,
                        const QString& pagePath, ImageRead& read);

// Writes the dialog's values to each IMG of the selection: the border width
// when given, the alternative text (one image: when changed; several: only
// one typed), the size (given: in the style, replacing the attributes, a size
// not given taken from the attribute; not given: style and attributes removed, so the
// image shows at its file's size), the border colour the user picked, and a
// changed source of a single image, set in place. `read` is the single image
// as it was read (ignored for several).
void WriteImageProperties(const std::vector<engine::Ref<engine::Element>>& images,
                          const VornaDialogImageProperty& dialog, const ImageRead& read);

// Reads one MARQUEE into the dialog: direction, behaviour, scroll amount and
// delay, width and height with their unit, background colour and loop.
// Several marquees: the words empty and every number mixed (-2).
void ReadMarqueeProperties(const engine::Element* marquee, VornaDialogMarquee& dialog);
void PutSeveralMarquees(VornaDialogMarquee& dialog);
// Writes each value the dialog reports changed to each MARQUEE of the list.
void WriteMarqueeProperties(const std::vector<engine::Ref<engine::Element>>& marquees,
                            const VornaDialogMarquee& dialog);

// Reads one HR into the dialog: width with its unit, height, no shading and
// colour. Several rules: no shading off, colour mixed, per cent.
void ReadRuleProperties(const engine::Element* rule, VornaDialogHrProperty& dialog);
void PutSeveralRules(VornaDialogHrProperty& dialog);
// Writes each value the dialog reports changed to each HR of the list: the
// attributes, and the style's width and height where the style has them.
void WriteRuleProperties(const std::vector<engine::Ref<engine::Element>>& rules, const VornaDialogHrProperty& dialog);
