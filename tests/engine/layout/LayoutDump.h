#pragma once

// A text dump of a layout tree for expectations a reviewer can read: one
// line per box, indented by its depth, with its tag, id, border box (x,y
// width x height in whole page pixels), content box where it differs, what
// kind of box it is, its line boxes, and then its words line by line.
//
//   HTML 0,0 800x611
//     BODY 10,15 780x581
//       P#p1 10,69 780x19
//         words 69+19 base 84: "Plain"10+36 "paragraph"50+69 ...
//         B 194,69 29x19 inline
//           line 194,69 29x19
//           words 69+19 base 84: "bold"194+29

#include "engine/layout/LayoutTree.h"

#include <QString>
#include <QStringList>

#include <algorithm>

namespace layout_test {

inline QString dumpRect(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// A box's own words from pieces[first] up to pieces[stop], one dump line per
// line of text; white space between the words is left out, their places show it.
inline void dumpWords(const engine::LayoutTree& tree, int box, size_t first, size_t stop, const QString& indent,
                      QStringList& out)
{
    QString line;
    int top = 0;
    int height = 0;
    int baseline = 0;
    auto flush = [&] {
        if (!line.isEmpty())
            out << indent + QStringLiteral("words %1+%2 base %3:").arg(top).arg(height).arg(baseline) + line;
        line.clear();
    };
    for (size_t i = first; i < stop; ++i) {
        const engine::TextPiece& piece = tree.pieces[i];
        if (piece.owner != box || piece.space)
            continue;
        if (piece.box.top() != top || piece.box.height() != height || piece.baseline != baseline)
            flush();
        top = piece.box.top();
        height = piece.box.height();
        baseline = piece.baseline;
        QString text = piece.text;
        text.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
        text.replace(QLatin1Char('\n'), QLatin1String("\\n")).replace(QLatin1Char('\t'), QLatin1String("\\t"));
        line += QStringLiteral(" \"%1\"%2+%3").arg(text).arg(piece.box.x()).arg(piece.box.width());
    }
    flush();
}

// Whether a word comes before a box that holds no words, in reading order:
// on a line above it, or on its line and left of it.
inline bool readsBefore(const engine::TextPiece& piece, const QRect& box)
{
    if (piece.box.bottom() < box.top())
        return true;
    return piece.box.top() <= box.bottom() && piece.box.x() < box.x();
}

inline void dumpBox(const engine::LayoutTree& tree, int index, int depth, QStringList& out)
{
    const engine::LayoutBox& b = tree.boxes[static_cast<size_t>(index)];
    const QString indent(depth * 2, QLatin1Char(' '));
    QString line = indent + (b.tag.isEmpty() ? QStringLiteral("(anonymous)") : b.tag);
    if (!b.htmlId.isEmpty())
        line += QLatin1Char('#') + b.htmlId;
    line += QLatin1Char(' ') + dumpRect(b.borderBox);
    if (b.contentBox != b.borderBox)
        line += QStringLiteral(" content ") + dumpRect(b.contentBox);
    if (b.inlineLevel)
        line += QStringLiteral(" inline");
    if (b.absolute)
        line += QStringLiteral(" absolute");
    else if (b.positioned)
        line += QStringLiteral(" positioned");
    if (b.zIndex != 0)
        line += QStringLiteral(" z %1").arg(b.zIndex);
    if (b.clipsContent)
        line += QStringLiteral(" clips");
    if (b.hidden)
        line += QStringLiteral(" hidden");
    out << line;
    const QString inner(depth * 2 + 2, QLatin1Char(' '));
    for (const QRect& r : b.lineBoxes)
        out << inner + QStringLiteral("line ") + dumpRect(r);
    // The box's own words and the boxes in it, in document order; a box
    // without words goes after the words that read before it.
    auto [next, stop] = tree.piecesWithin(index, tree.subtreeEnd(index));
    for (int child : b.children) {
        const auto [first, after] = tree.piecesWithin(child, tree.subtreeEnd(child));
        size_t upTo = first;
        if (first == after) {
            upTo = next;
            while (upTo < stop && tree.pieces[upTo].owner == index &&
                   readsBefore(tree.pieces[upTo], tree.boxes[static_cast<size_t>(child)].borderBox))
                ++upTo;
        }
        dumpWords(tree, index, next, upTo, inner, out);
        next = std::max(next, first == after ? upTo : after);
        dumpBox(tree, child, depth + 1, out);
    }
    dumpWords(tree, index, next, stop, inner, out);
}

// The whole tree, the canvas first; ends with a line break.
inline QString dumpLayout(const engine::LayoutTree& tree)
{
    QStringList out;
    out << QStringLiteral("canvas %1x%2").arg(tree.canvas.width()).arg(tree.canvas.height());
    // The root, and any box the layout left outside its tree.
    for (size_t i = 0; i < tree.boxes.size(); ++i)
        if (i == 0 || tree.boxes[i].parent < 0)
            dumpBox(tree, static_cast<int>(i), 0, out);
    dumpWords(tree, -1, 0, tree.pieces.size(), QString(), out);
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace layout_test
