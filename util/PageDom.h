#pragma once

#include "engine/dom/Ref.h"
#include "platform/Hresult.h"

#include <QString>

#include <functional>
#include <optional>

class CZQView;

namespace engine {
class ControlRange;
class Document;
class Element;
class Node;
class Selection;
class TextRange;
} // namespace engine

// The one way the program reaches the page a view edits: its engine
// document, its selection and the kind of it, tag names, and walks up and
// down the element tree to an element of a tag. Tags compare without regard
// to case. Results: 0 success, -1 nothing found or no document; nothing is
// shown to the user except the question of ApplyHyperlinkToFile.
//
// Text is edited inside tables (a text box is an absolutely positioned TABLE
// whose id is "text"), MARQUEE elements and the page's flowing text (see
// IsTextRangeInFlow): a text selection anywhere else counts as no usable
// text range.

// The engine document of the view, or of the active page view when none is
// given; -1 with a null document when there is no view or it has no engine
// document yet.
HRESULT GetHTMLDocument(engine::Ref<engine::Document>& document, CZQView* view = nullptr);

// The page selection as the caller asks for it (each out-parameter may be
// null). A control selection gives its range and its first element (-1 when
// the caller wants neither, or wants the element of an empty range). A text
// selection gives its range only when it lies in a TABLE, a MARQUEE or the
// page's flowing text (still 0 without it) and leaves the element and
// control range alone. No selection
// (a caret) gives the collapsed range when one is asked for, else -1.
HRESULT GetPageSelection(engine::Ref<engine::Element>* element, std::optional<engine::ControlRange>* controlRange,
                         std::optional<engine::TextRange>* textRange, CZQView* view = nullptr);

// The active page's selection type ("Control", "Text" or "None" as the
// engine writes it); empty when there is no page. Hands the selection back
// when asked.
QString GetSelectionType(engine::Selection** selection = nullptr);

// True when the active page has a usable text range (see GetPageSelection).
bool HasTextRangeSelection(std::optional<engine::TextRange>& range);

// The element's tag name (upper case); empty for none.
QString GetTagName(const engine::Element* element);

// The element itself or its nearest ancestor with the tag: 0 with it in
// `element`. The walk stops at BODY: -1 with BODY in `element` (so a search
// for BODY itself fails); -1 with null when the chain ends elsewhere.
HRESULT FindParentByTag(engine::Ref<engine::Element>& element, const QString& tag);

// The element itself when it has the tag; else walks down one level per
// step, always to the element child at position `index`, until one has the
// tag (0 with it in `element`) or there is none (-1 with null). Not a search
// of all descendants.
HRESULT FindChildByTag(engine::Ref<engine::Element>& element, const QString& tag, int index);

// The TD that holds the active page's selection: a control-selected element's
// first-child chain down to a TD (a selected table or text box gives its first
// cell), or the TD around a text range.
HRESULT GetSelectedCell(engine::Ref<engine::Element>& cell);

// Whether the range's parent element is or lies inside a TABLE; `isTextBox`
// (when given) receives whether that TABLE is a text box.
bool IsTextRangeInTable(const engine::TextRange& range, bool* isTextBox = nullptr);
bool IsTextRangeInMarquee(const engine::TextRange& range);
bool IsTextRangeInCaption(const engine::TextRange& range);
// Whether the range's parent element is a block of the page's flow or lies in
// one (a paragraph, a heading, a division that is no object): inside the
// BODY, not the BODY itself, and not inside an absolutely positioned element.
bool IsTextRangeInFlow(const engine::TextRange& range);
// The bit of the page view's selection-kind mask for a caret or text range in
// the text of the page's flow (outside tables and marquees).
constexpr quint32 kSelFlowText = 0x80000000u;
// Whether the view's page (the active page when none is given) has text
// selected in its flowing text, not just a caret: what the link commands
// take as a text box's selected text.
bool HasFlowTextRange(CZQView* view = nullptr);
// The block of the page's flow that takes an align around a node: its
// nearest paragraph, heading or division; null inside a cell, a table or a
// marquee, and in the BODY itself.
engine::Element* FindFlowAlignBlock(engine::Node* node);

// The element's id is "text" (without regard to case): the TABLE of a text box.
bool HasTextId(const engine::Element* element);

// Puts the element's content in its place (one undo step) and returns that HTML.
QString UnwrapElement(engine::Element* element);

// Links the element or text range (the selection when both are null) of the
// view's page (the active page when none is given) to a page file. A path
// that is no HTML file name (a page not saved yet) is offered for saving
// first (string 41460, Yes/No): on Yes its open page is saved and the link
// takes the saved file's name; a page that stays unsaved gets no link. On No
// the path is linked as given.
void ApplyHyperlinkToFile(const QString& pagePath, engine::Element* element = nullptr,
                          engine::TextRange* range = nullptr, CZQView* view = nullptr);

// Service links of an A element with a non-empty href: kind 2 when it holds
// "/BODR" (a bulletin board), else 3 for ".GBODR" (a guest book), else 1.
// False, with `kind` unchanged, for any other element or an A without href.
bool GetBoardLinkKind(const engine::Element* element, int& kind);

// The link of a control-selected element: the first A down the first-child
// chain of a TABLE, TD or MARQUEE, or the A around an IMG, judged as above.
bool FindBoardLinkInSelection(engine::Element* selected, int& kind);

// The link of a text selection: the A around the range, else the first A
// tag written in the range's HTML.
bool IsBoardLinkElement(const engine::TextRange& range, int& kind);

// Visits the elements of the page in tree order from `from` (one of its
// nodes), until its end (null returned) or, with a budget (-1: none), until
// that many milliseconds have gone (the node to go on from returned): a walk
// over a long page in steps, each of which leaves the window free.
engine::Node* VisitPageElements(engine::Document* document, engine::Node* from, int budgetMs,
                                const std::function<void(engine::Element*)>& visit);
