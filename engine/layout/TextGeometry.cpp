#include "engine/layout/TextGeometry.h"

#include "engine/dom/Element.h"
#include "engine/dom/Text.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/HitTester.h"
#include "engine/layout/LayoutEngine.h"
#include "engine/layout/PageContainer.h"
#include "engine/markup/TextUnits.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace engine {

Text* TextPosition::text() const
{
    return node ? node->asText() : nullptr;
}

void TextGeometry::update()
{
    // The lines of the current layout, shared with whoever asked for them
    // first (found on the layout's own thread for a long page). Let go of
    // while the layout is brought up to date: an edit laid out in place
    // updates the lines where they are when nobody else holds them.
    m_index.reset();
    m_layout.tree();
    m_index = m_layout.engine().textLines();
    if (m_index->version == m_version)
        return;
    m_version = m_index->version;
    m_prefix.clear();
}

int TextGeometry::emptyLineAt(Node* node, int offset)
{
    update();
    if (!node || m_index->lineOfBreak.empty())
        return -1;
    if (Text* text = node->asText()) {
        // Text that takes no room (empty, or white space the line drops)
        // next to the break of an empty line stands on that line.
        if (pieceAt(text, offset) >= 0 || !node->parentNode())
            return -1;
        const int after = emptyLineAt(node->parentNode(), node->indexInParent() + 1);
        return after >= 0 ? after : emptyLineAt(node->parentNode(), node->indexInParent());
    }
    auto lineOf = [this](Node* n) {
        const auto it =
            n && n->isElement() ? m_index->lineOfBreak.find(m_layout.nodeId(n)) : m_index->lineOfBreak.end();
        return it == m_index->lineOfBreak.end() ? -1 : it->second;
    };
    // Before the break, or after it where nothing follows in the text.
    const int before = lineOf(node->child(offset));
    if (before >= 0)
        return before;
    Node* after = node->child(offset);
    while (after && after->isText() && after->asText()->data().trimmed().isEmpty())
        after = after->nextSibling();
    return after ? -1 : lineOf(offset > 0 ? node->child(offset - 1) : nullptr);
}

LineInfo TextGeometry::infoOf(const Line& line)
{
    LineInfo info;
    info.x = line.rect.left();
    info.top = line.rect.top();
    info.baseline = line.baseline;
    info.descent = line.rect.top() + line.rect.height() - line.baseline;
    info.height = line.rect.height();
    return info;
}

std::optional<LineInfo> TextGeometry::lineInfoAt(Node* node, int offset)
{
    const int l = emptyLineAt(node, offset);
    if (l < 0 && node && node->isText())
        return lineInfo(node->asText(), offset);
    if (l < 0)
        return std::nullopt;
    return infoOf(m_index->lines[static_cast<size_t>(l)]);
}

int TextGeometry::pieceAt(const Text* text, int offset)
{
    update();
    const int id = m_layout.nodeId(text);
    if (id < 0)
        return -1;
    const auto [from, to] = m_index->entriesOfNode(id);
    if (from == to)
        return -1;
    const LayoutTree& tree = m_layout.tree();
    const auto entryAt = [this](int k) { return m_index->entriesByNode[static_cast<size_t>(k)]; };
    const auto pieceOf = [&](int k) -> const TextPiece& {
        return tree.pieces[static_cast<size_t>(m_index->entries[static_cast<size_t>(entryAt(k))])];
    };
    // The node's pieces follow its text: the one the offset is in, else the
    // last before it (at whose end it stands), else the first. (Found by
    // halves: a long paragraph's text has very many.)
    const auto at =
        std::partition_point(m_index->entriesByNode.begin() + from, m_index->entriesByNode.begin() + to, [&](int e) {
            return tree.pieces[static_cast<size_t>(m_index->entries[static_cast<size_t>(e)])].offset <= offset;
        });
    const int after = static_cast<int>(at - m_index->entriesByNode.begin());
    if (after == from)
        return entryAt(from);
    // (Of pieces that begin alike, the first the offset is in.)
    int k = after - 1;
    while (k > from && pieceOf(k - 1).offset == pieceOf(after - 1).offset)
        --k;
    for (; k < after; ++k) {
        const TextPiece& p = pieceOf(k);
        if (offset < p.offset + static_cast<int>(p.text.size()))
            return entryAt(k);
    }
    return entryAt(after - 1);
}

int TextGeometry::xInPiece(int entry, int charIndex)
{
    const TextPiece& p = m_layout.tree().pieces[static_cast<size_t>(m_index->entries[static_cast<size_t>(entry)])];
    if (charIndex <= 0)
        return p.box.left();
    if (charIndex >= p.text.size())
        return p.box.left() + p.box.width();
    std::vector<int>& prefix = m_prefix[entry];
    if (prefix.empty())
        prefix = m_layout.engine().container().fonts().prefixWidths(p.font, p.text);
    return p.box.left() + prefix[static_cast<size_t>(charIndex - 1)];
}

int TextGeometry::offsetInPiece(int entry, int x)
{
    const TextPiece& p = m_layout.tree().pieces[static_cast<size_t>(m_index->entries[static_cast<size_t>(entry)])];
    const int n = static_cast<int>(p.text.size());
    int prevX = p.box.left();
    for (int i = 1; i <= n; ++i) {
        const int cx = xInPiece(entry, i);
        if (x < (prevX + cx) / 2 + ((prevX + cx) % 2))
            return i - 1;
        prevX = cx;
    }
    return n;
}

int TextGeometry::lineOfPiece(int entry) const
{
    return entry >= 0 && m_index && entry < static_cast<int>(m_index->lineOf.size())
               ? m_index->lineOf[static_cast<size_t>(entry)]
               : -1;
}

int TextGeometry::pieceOfCaret(const Text* text, int offset, bool* atEnd)
{
    if (atEnd)
        *atEnd = false;
    const int e = pieceAt(text, offset);
    if (e <= 0)
        return e;
    const LayoutTree& tree = m_layout.tree();
    const TextPiece& p = tree.pieces[static_cast<size_t>(m_index->entries[static_cast<size_t>(e)])];
    // Before the first piece of its text, across a line feed: where white
    // space is kept, the line feed ended the line before (the place stands
    // at its end); elsewhere it was a space.
    if (offset >= p.offset || p.offset > text->length() || p.owner < 0 ||
        !QStringView(text->data()).mid(offset, p.offset - offset).contains(u'\n'))
        return e;
    const int l = lineOfPiece(e);
    const int before = lineOfPiece(e - 1);
    if (l < 0 || before != l - 1 ||
        m_index->lines[static_cast<size_t>(before)].block != m_index->lines[static_cast<size_t>(l)].block)
        return e;
    if (!m_layout.engine().keepsLineFeeds(tree.boxes[static_cast<size_t>(p.owner)].nodeId))
        return e;
    if (atEnd)
        *atEnd = true;
    return e - 1;
}

QRect TextGeometry::caretRect(const Text* text, int offset)
{
    bool atEnd = false;
    const int e = pieceOfCaret(text, offset, &atEnd);
    if (e < 0)
        return QRect();
    const TextPiece& p = m_layout.tree().pieces[static_cast<size_t>(m_index->entries[static_cast<size_t>(e)])];
    const int size = static_cast<int>(p.text.size());
    const int x = xInPiece(e, atEnd ? size : std::clamp(offset - p.offset, 0, size));
    return QRect(x, p.box.top(), 1, p.box.height());
}

std::optional<LineInfo> TextGeometry::lineInfo(const Text* text, int offset)
{
    const int l = lineOfPiece(pieceOfCaret(text, offset));
    if (l < 0)
        return std::nullopt;
    return infoOf(m_index->lines[static_cast<size_t>(l)]);
}

TextPosition TextGeometry::positionOnLine(const Line& line, int x)
{
    const LayoutTree& tree = m_layout.tree();
    if (line.lineBreak >= 0) {
        // An empty line: before its break.
        TextPosition pos;
        Node* br = m_layout.node(tree.boxes[static_cast<size_t>(line.lineBreak)].nodeId);
        if (br && br->parentNode()) {
            pos.node = br->parentNode();
            pos.offset = br->indexInParent();
        }
        return pos;
    }
    int entry = line.first;
    for (int e = line.first; e <= line.last; ++e) {
        const TextPiece& p = tree.pieces[static_cast<size_t>(m_index->entries[static_cast<size_t>(e)])];
        entry = e;
        if (x < p.box.left() + p.box.width())
            break;
    }
    const TextPiece& p = tree.pieces[static_cast<size_t>(m_index->entries[static_cast<size_t>(entry)])];
    TextPosition pos;
    Node* n = m_layout.node(p.textNodeId);
    pos.node = n ? n->asText() : nullptr;
    pos.offset = p.offset + offsetInPiece(entry, x);
    return pos;
}

int TextGeometry::scopeAt(QPoint page)
{
    // The cell, caption, marquee or layer under the point holds the caret.
    const LayoutTree& tree = m_layout.tree();
    for (int b = HitTester(m_layout).boxIndexAtPagePoint(page); b >= 0; b = tree.boxes[static_cast<size_t>(b)].parent) {
        const LayoutBox& box = tree.boxes[static_cast<size_t>(b)];
        if (box.positioned || box.tag == QLatin1String("TD") || box.tag == QLatin1String("TH") ||
            box.tag == QLatin1String("CAPTION") || box.tag == QLatin1String("MARQUEE"))
            return b;
    }
    return -1;
}

bool TextGeometry::lineInScope(const Line& line, int scope) const
{
    const LayoutTree& tree = m_layout.engine().tree();
    for (int b = line.block; b >= 0; b = tree.boxes[static_cast<size_t>(b)].parent) {
        if (b == scope)
            return true;
    }
    return false;
}

TextPosition TextGeometry::positionAtPoint(QPoint page)
{
    update();
    const int scope = scopeAt(page);
    const Line* best = nullptr;
    long long bestScore = 0;
    // In the scope under the point first; where it holds no text, the page.
    for (int pass = scope >= 0 ? 0 : 1; pass < 2 && !best; ++pass) {
        for (const Line& line : m_index->lines) {
            if (pass == 0 && !lineInScope(line, scope))
                continue;
            const int dy = page.y() < line.rect.top()      ? line.rect.top() - page.y()
                           : page.y() > line.rect.bottom() ? page.y() - line.rect.bottom()
                                                           : 0;
            const int dx = page.x() < line.rect.left()    ? line.rect.left() - page.x()
                           : page.x() > line.rect.right() ? page.x() - line.rect.right()
                                                          : 0;
            // Lines under the point come first, then the vertically nearest.
            const long long score = static_cast<long long>(dy) * 100000 + dx;
            if (!best || score < bestScore) {
                best = &line;
                bestScore = score;
            }
        }
    }
    return best ? positionOnLine(*best, page.x()) : TextPosition();
}

int TextGeometry::lineBeyond(const QRect& current, int direction, int x, int from)
{
    // The line below (above) is the nearest one that lies wholly below
    // (above) the current one in a block under x: from a table cell to the
    // cell below it, not to the next cell of the row. Blocks beside x count,
    // but each pixel they lie aside weighs as four pixels of distance. Ties
    // go to the line nearest in the page's order.
    const LayoutTree& tree = m_layout.tree();
    const int count = static_cast<int>(m_index->lines.size());
    const int start = from >= 0 ? from : (direction < 0 ? count : -1);
    int best = -1;
    long long bestScore = 0;
    for (int i = 1; i <= count; ++i) {
        const int k = direction < 0 ? ((start - i) % count + count) % count : (start + i) % count;
        if (k == from)
            continue;
        const Line& line = m_index->lines[static_cast<size_t>(k)];
        const int middle = line.rect.top() + line.rect.height() / 2;
        if (direction < 0 ? middle >= current.top() : middle < current.top() + current.height())
            continue;
        const int dy = direction < 0 ? current.top() - (line.rect.top() + line.rect.height())
                                     : line.rect.top() - (current.top() + current.height());
        const QRect block = line.block >= 0 ? tree.boxes[static_cast<size_t>(line.block)].borderBox : line.rect;
        const int aside = x < block.left()                    ? block.left() - x
                          : x >= block.left() + block.width() ? x - (block.left() + block.width() - 1)
                                                              : 0;
        const long long score = std::max(0, dy) + 4LL * aside;
        if (best < 0 || score < bestScore) {
            best = k;
            bestScore = score;
        }
    }
    return best;
}

TextPosition TextGeometry::moveLine(const Text* text, int offset, int direction, int x)
{
    const int l = lineOfPiece(pieceOfCaret(text, offset));
    if (l < 0)
        return TextPosition();
    const int best = lineBeyond(m_index->lines[static_cast<size_t>(l)].rect, direction, x, l);
    return best < 0 ? TextPosition() : positionOnLine(m_index->lines[static_cast<size_t>(best)], x);
}

TextPosition TextGeometry::moveLineAt(Node* node, int offset, int direction, int x)
{
    const int l = emptyLineAt(node, offset);
    if (l < 0 && node && node->isText())
        return moveLine(node->asText(), offset, direction, x);
    if (l < 0)
        return moveLineFrom(caretRectAt(node, offset), direction, x);
    const int best = lineBeyond(m_index->lines[static_cast<size_t>(l)].rect, direction, x, l);
    return best < 0 ? TextPosition() : positionOnLine(m_index->lines[static_cast<size_t>(best)], x);
}

TextPosition TextGeometry::moveLineFrom(const QRect& caret, int direction, int x)
{
    update();
    if (caret.isNull() || m_index->lines.empty())
        return TextPosition();
    const int best = lineBeyond(caret, direction, x, -1);
    return best < 0 ? TextPosition() : positionOnLine(m_index->lines[static_cast<size_t>(best)], x);
}

QRect TextGeometry::caretRectAt(Node* node, int offset)
{
    if (!node)
        return QRect();
    if (const int l = emptyLineAt(node, offset); l >= 0) {
        const Line& line = m_index->lines[static_cast<size_t>(l)];
        return QRect(line.rect.left(), line.rect.top(), 1, line.rect.height());
    }
    if (node->isText())
        return caretRect(node->asText(), offset);
    Node* after = node->child(offset);
    Node* before = offset > 0 ? node->child(offset - 1) : nullptr;
    QRect caret;
    if (after && after->isText())
        caret = caretRect(after->asText(), 0);
    if (caret.isNull() && before && before->isText())
        caret = caretRect(before->asText(), before->asText()->length());
    // Beside an element with a box (an image): at its right edge when it
    // comes before the place, else at the left edge of the one after.
    auto besideBox = [this](Node* n, bool rightEdge) {
        const LayoutBox* b = n && n->isElement() ? m_layout.box(n->asElement()) : nullptr;
        if (!b || b->borderBox.isEmpty())
            return QRect();
        const QRect box = b->borderBox;
        return QRect(rightEdge ? box.left() + box.width() : box.left(), box.top(), 1, box.height());
    };
    if (caret.isNull())
        caret = besideBox(before, true);
    if (caret.isNull())
        caret = besideBox(after, false);
    if (caret.isNull() && node->isElement()) {
        // An empty cell or block: the caret stands at its content's start.
        if (const LayoutBox* box = m_layout.box(node->asElement())) {
            if (!box->contentBox.isEmpty() || box->tag != QLatin1String("BODY"))
                caret = QRect(box->contentBox.topLeft(), QSize(1, kEmptyLineHeight));
        }
    }
    return caret;
}

std::vector<QRect> TextGeometry::rangeRects(const Text* startText, int startOffset, const Text* endText, int endOffset)
{
    std::vector<QRect> rects;
    const int a = pieceAt(startText, startOffset);
    const int b = pieceAt(endText, endOffset);
    if (a < 0 || b < 0 || b < a)
        return rects;
    const LayoutTree& tree = m_layout.tree();
    int currentLine = -1;
    for (int e = a; e <= b; ++e) {
        const TextPiece& p = tree.pieces[static_cast<size_t>(m_index->entries[static_cast<size_t>(e)])];
        const int n = static_cast<int>(p.text.size());
        const int from = e == a ? std::clamp(startOffset - p.offset, 0, n) : 0;
        const int to = e == b ? std::clamp(endOffset - p.offset, 0, n) : n;
        if (to <= from && !(e == a && e == b))
            continue;
        const QRect r(QPoint(xInPiece(e, from), p.box.top()), QPoint(xInPiece(e, to) - 1, p.box.bottom()));
        if (lineOfPiece(e) != currentLine) {
            rects.push_back(r);
            currentLine = lineOfPiece(e);
        } else {
            rects.back() = rects.back().united(r);
        }
    }
    return rects;
}

QRect TextGeometry::emptyLineHighlight(const Node* lineBreak)
{
    update();
    if (!lineBreak || !lineBreak->isElement() || m_index->lineOfBreak.empty())
        return {};
    const int id = m_layout.nodeId(lineBreak);
    const auto it = m_index->lineOfBreak.find(id);
    if (it == m_index->lineOfBreak.end())
        return {};
    const QRect& line = m_index->lines[static_cast<size_t>(it->second)].rect;
    int width = 0;
    if (const int font = m_layout.engine().fontOf(id); font > 0)
        width = m_layout.engine().container().fonts().textWidth(font, QStringLiteral(" "));
    return QRect(line.left(), line.top(), width > 0 ? width : std::max(1, line.height() / 4), line.height());
}

std::pair<int, int> TextGeometry::wordAt(const Text* text, int offset)
{
    // Japanese has no spaces: a word is a run of one script (kanji,
    // hiragana, katakana), and full-width punctuation stands alone.
    const QString& data = text ? text->data() : QString();
    const int at = offset < data.size() ? offset : offset - 1;
    if (at >= 0 && at < data.size()) {
        using textunits::CharClass;
        const QChar c = data.at(at);
        const CharClass kind = textunits::classOf(c);
        const bool japanese = kind == CharClass::Kanji || kind == CharClass::Hiragana || kind == CharClass::Katakana;
        if (japanese || (kind == CharClass::Punct && c.unicode() >= 0x3000)) {
            if (!japanese)
                return {at, at + 1};
            int from = at, to = at + 1;
            while (from > 0 && textunits::classOf(data.at(from - 1)) == kind)
                --from;
            while (to < data.size() && textunits::classOf(data.at(to)) == kind)
                ++to;
            return {from, to};
        }
    }
    const int e = pieceAt(text, offset);
    if (e < 0)
        return {offset, offset};
    // Elsewhere the word is taken from the piece by the Unicode word
    // boundaries: "go." gives "go" (the full stop is a piece of its own),
    // "don't" stays one word, a blank or a punctuation mark stands alone.
    const TextPiece& p = m_layout.tree().pieces[static_cast<size_t>(m_index->entries[static_cast<size_t>(e)])];
    const int n = static_cast<int>(p.text.size());
    if (n == 0)
        return {p.offset, p.offset};
    QTextBoundaryFinder words(QTextBoundaryFinder::Word, p.text);
    // The piece between the boundaries around the character at i.
    const auto pieceOf = [&](int i) {
        words.setPosition(i);
        const qsizetype from = words.isAtBoundary() ? i : words.toPreviousBoundary();
        words.setPosition(i + 1);
        const qsizetype to = words.isAtBoundary() ? i + 1 : words.toNextBoundary();
        return std::pair<int, int>(static_cast<int>(std::max<qsizetype>(from, 0)), static_cast<int>(to < 0 ? n : to));
    };
    const auto isWord = [&](std::pair<int, int> piece) {
        for (int i = piece.first; i < piece.second; ++i) {
            if (p.text.at(i).isLetterOrNumber())
                return true;
        }
        return false;
    };
    // A place between a word and the mark after it ("go|.") is the word's.
    const int local = std::clamp(offset - p.offset, 0, n);
    std::pair<int, int> word = pieceOf(std::min(local, n - 1));
    if (local > 0 && (local == n || (word.first == local && !isWord(word)))) {
        const std::pair<int, int> before = pieceOf(local - 1);
        if (local == n || isWord(before))
            word = before;
    }
    return {p.offset + word.first, p.offset + word.second};
}

} // namespace engine
