#pragma once

#include "engine/dom/Ref.h"
#include "engine/editing/TextRange.h"

#include <QString>

#include <optional>

class CZQView;

// The link family: what the hyperlink, bulletin-board and guest-book
// commands link on the page and how they write or remove the link.
//
// Links go on text selected in a text box, an ordinary table, a marquee or
// the page's flowing text (its paragraphs, headings and divisions outside
// positioned objects), on the link around the caret there, on an image, on
// the whole content of a text box's cell or of a marquee, and on the areas
// of image maps. A link's
// kind is read from its address: "/BODR" a bulletin board, ".GBODR" a guest
// book, anything else a plain hyperlink.

// What is selected, as the link family tells it apart.
enum SelectionLinkKind : int {
    kLinkNothing = 0, // a control that cannot be linked
    kLinkImage = 1,   // an IMG selected as a control
    kLinkCell = 2,    // a TABLE (its first TD) or a TD selected as a control
    kLinkText = 3,    // selected text inside a table, a marquee or the flow
    kLinkCaret = 4,   // the caret inside a table, a marquee or the flow
    kLinkAnchor = 5,  // an A selected as a control
    kLinkArea = 6,    // an AREA of an image map
    kLinkMarquee = 7, // a MARQUEE selected as a control
};

// The kinds of link, by address.
enum LinkKind : int {
    kPlainLink = 1,
    kBoardLink = 2,     // the address holds "/BODR"
    kGuestBookLink = 3, // the address holds ".GBODR"
};

// A link's kind by its address.
LinkKind LinkKindOfAddress(const QString& href);

// The selection a link command works on and the link it already carries.
struct SelectionLink
{
    // In and out: the element to link and the text range; both empty, the
    // page selection is read.
    engine::Ref<engine::Element> element;
    std::optional<engine::TextRange> range;
    // Out.
    SelectionLinkKind selectionKind = kLinkNothing;
    QString href;     // the address of a link of the kind asked for
    QString linkHtml; // the HTML of the link (or of the cell when it has none)
    QString target;
};

// Finds what the selection links (or the element and range given) and reads
// the link it carries. True when that link is of the kind asked for (for
// selected text, also when the range holds a link of another kind). With
// nothing to link, `link.element` comes back empty.
bool GetSelectionLink(SelectionLink& link, LinkKind kind, CZQView* view = nullptr);

// Writes the address `url` as the link of what GetSelectionLink found, with
// the target (none when empty) and, for text links, without underline when
// asked; an empty `url` removes the link whose address was `link.href`. The
// active page view when none is given. One undo step; the selection state
// is read again afterwards.
void ApplyLinkToSelection(const SelectionLink& link, const QString& url, const QString& target, bool noUnderline,
                          CZQView* view = nullptr);

// The whole content of a TD (or a MARQUEE) in one new link, after every link
// inside it was taken apart; an A given climbs to its TD (MARQUEE). With an
// empty `url` only the links inside are taken apart. The link's HTML is not
// read.
void LinkTableCell(engine::Element* element, bool noUnderline, const QString& linkHtml, const QString& url,
                   const QString& target);
void LinkMarquee(engine::Element* element, bool noUnderline, const QString& linkHtml, const QString& url,
                 const QString& target);

// Takes apart every element of the tag below the element (depth first),
// keeping their content.
void RemoveNestedTags(engine::Element* element, const QString& tag);

// Puts the new element around ("PARENT"), inside ("CHILD", taking the
// content) or after ("BROTHER") the reference element, as one undo step.
// 0 with the placed element in `result`; -1 for another word or when the
// engine refused.
int InsertElementRelative(engine::Element* reference, const QString& place, const engine::Ref<engine::Element>& element,
                          engine::Ref<engine::Element>* result = nullptr);

// The address a link dialog handed back, as the commands write it: "%20"
// read as a blank. (The double quotes the commands put around it are taken
// off again when the link is written, with any the user typed.)
QString LinkAddressFromDialog(const QString& address);

// Whether a link's HTML asks for no underline ("TEXT-DECORATION: none").
bool LinkHtmlHasNoUnderline(const QString& linkHtml);
