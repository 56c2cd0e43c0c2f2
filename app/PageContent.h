#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class CZQView;

namespace engine {
class Document;
class Node;
} // namespace engine

// Keeping a page in the editor's shape when its content comes from outside
// the editing view: everything on a page is a positioned object, and the
// flowing content of BODY lives in one positioned text box (a TABLE with the
// id "text" holding one cell).

// Whether the editor treats elements of the tag as objects, never put into
// the text box: TABLE, IMG, EMBED, DIV, A, SCRIPT, MAP, HR, MARQUEE, APPLET
// and comments ("!"), compared without regard to case.
bool IsObjectTagName(const QString& tagName);

// Whether BODY holds flowing text outside the objects. White space between
// tags is not text to wrap. False without a document or BODY.
bool HasLooseBodyText(engine::Document* document);

// Gathers the flowing content of BODY into a new text box, the box's
// z-index one above the view's highest, and lines the objects the editor
// places up before it in their page order (see IsPlacedObject).
// Everything else, links, pictures, tables and rules of the flow included,
// goes into the box in its order. A box left without text is taken out
// again and the view's highest z-index is as it was. 0 after the work, 1
// when the view, the document or BODY is missing (nothing changed).
// `holdsPlacedObjects`: whether BODY holds such objects, when a walk over
// the page as it is found it (on a long page, looking again takes a while).
int WrapLooseContent(engine::Document* document, CZQView* view, std::optional<bool> holdsPlacedObjects = std::nullopt);

// An object the editor places on the page, which stands before the text box
// rather than in it: an absolutely positioned element, or a link around
// nothing but such objects (the editor's linked picture).
bool IsPlacedObject(const engine::Node* node);

// Appends the name/value pairs of the attributes of a start tag of that name
// to the list, in the order of the tag text: names that are HTML attribute
// names, each followed by its value without quotes. A value may be quoted
// with double or single quotes (the other kind inside stays); a name without
// a value and words that are not attribute names are dropped.
void SplitTagAttributes(const QString& tagName, const QString& tagText, QStringList& attributes);

// Puts a new HTML text into the view's live page as one undo step: the page
// becomes what the parser makes of the text (a broken "/TITLE>" mended
// first), takes the text's META charset, its BODY keeps the attributes of
// the text's BODY tag, its flowing text goes into a text box, and its image
// maps are in the editor's form. Nothing changes without a page.
void ReplacePageTitle(const QString& html, CZQView* view);
