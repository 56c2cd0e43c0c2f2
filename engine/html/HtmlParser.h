#pragma once

#include "engine/dom/Node.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace engine {

class Document;
class Element;

// Parsing of pages and fragments into the DOM (gumbo). The DOCTYPE is set
// aside (kept as written) and the rest parsed in quirks mode; fragments are
// parsed the same way inside a document without a DOCTYPE. Input size and
// nesting are bounded before the parser sees them; comments are kept.
class HtmlParser
{
public:
    // Largest input parsed, in UTF-8 bytes; longer input is cut. Room for
    // the largest page file the loader opens (64 MB) in any charset, whose
    // characters take up to three bytes each in UTF-8.
    static constexpr int kMaxInputBytes = 3 * 64 * 1024 * 1024;
    // Deepest element nesting kept, as deep as browsers keep it (a hundred
    // tables one inside another stay so). A page nested deeper is read with
    // its deepest start tags left out.
    static constexpr int kMaxDepth = 512;

    // Parses a whole page into an empty document. False when the page
    // cannot be read (the tree builder loses its way on it however it is
    // scanned): the document is then left as it was.
    static bool parseDocumentInto(Document* doc, const QString& html);
    // Parses a fragment as the content of an element with the tag name
    // `context`; the nodes belong to `doc` and have no parent. (None when
    // it cannot be read, as a page above.)
    static std::vector<Ref<Node>> parseFragment(Document* doc, const QString& html, const QString& context);
    // Parses a whole page (without its DOCTYPE) and returns its HTML
    // element, without parent, belonging to `doc` (null when it cannot be
    // read, as a page above).
    static Ref<Element> parseHtmlElement(Document* doc, const QString& html);
    // A page read keeps its working memory for the next one (tens of
    // megabytes after a long page); this lets it go, for when no page is
    // being read. (Pages being read when it is called keep theirs.)
    static void releaseSpareMemory();
    // How much of that memory is kept now, in bytes.
    static size_t spareMemoryBytes();
    // Splits a leading DOCTYPE off `html`: returns its text ("" when none)
    // and the position where the rest begins.
    static QString splitDoctype(const QString& html, int* restStart);
    // The input the tree builder reads, and where flush markers stand in it.
    struct PreparedInput
    {
        QByteArray bytes;
        // The text of this input's flush marker comment (one the page does
        // not hold), and the offsets in `bytes` of the markers put in.
        QByteArray marker;
        std::vector<qsizetype> markers;
    };
    // `utf8` prepared for the tree builder: start tags nested deeper than
    // `maxDepth` left out (counting the tags that open a level of their own,
    // not those of paragraphs, list items, table rows and cells and void
    // elements), and a flush marker before every form end tag: an
    // empty-looking comment that makes the tree builder place the text
    // before it (without it, text right before a form's end tag would land
    // after the form), dropped when the tree is built. `deepest` receives
    // the deepest nesting of tags the input has.
    // The tree builder takes the SVG and MathML elements named as the HTML
    // elements it works out its mode from for those HTML ones, and may then
    // lose its way (pop all it has open). The usual scan follows the tree
    // builder to leave out the start tags that would make such elements;
    // where it does not foresee the tree builder, the input is read again
    // with the strict one, which also leaves out, from the first SVG or
    // MathML start tag on, every start tag of those names (SELECT, the
    // table parts, TEMPLATE, HTML, FRAMESET), their content kept, also
    // where it would read the content of a SCRIPT, STYLE, TITLE and the
    // like as text.
    enum class Scan { Usual, Strict };
    static PreparedInput prepareInput(const QByteArray& utf8, int maxDepth = kMaxDepth, int* deepest = nullptr,
                                      Scan scan = Scan::Usual);
    // How many pages and fragments were read again with the strict scan
    // since the program started, and how many of them the tree builder lost
    // its way on again (they were not read).
    static quint64 strictReadings();
    static quint64 unreadable();
    // The text of a flush marker comment that `utf8` does not hold, so that
    // no comment or text of the page is taken for one.
    static QByteArray flushMarkerFor(const QByteArray& utf8);
};

} // namespace engine
