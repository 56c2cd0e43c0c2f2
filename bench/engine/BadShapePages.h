#pragma once

// Pages of unusual shape, generated: one very long paragraph, one long PRE
// line without breaks (each also inside a text box, as the program shows a
// page it opens), a row of very many cells (alone, or below a row of
// headings wider than its cells), tables nested very deep,
// DIVs nested very deep, B elements nested very deep in a paragraph, a
// numbered list of very many items. Each has one place where a user would
// start typing: the middle of the text of the element with id "here" (the
// paragraph, the line, the middle cell, the innermost cell, DIV or B, the
// middle item).

#include <QString>

#include <iterator>

namespace bench_pages {

enum class Shape {
    LongParagraph,
    LongPreLine,
    LongParagraphInTextBox,
    LongPreLineInTextBox,
    WideRow,
    HeadedWideRow,
    DeepTables,
    DeepDivs,
    DeepInlines,
    LongNumberedList
};

// Words of `bytes` characters about, separated by spaces.
inline QString wordsOf(qsizetype bytes)
{
    static const char* const kWords[] = {"the",  "a",         "of",    "to",      "and",       "in",     "is",
                                         "for",  "with",      "page",  "text",    "layout",    "editor", "block",
                                         "line", "paragraph", "words", "browser", "reference", "value",  "returns"};
    QString text;
    text.reserve(bytes + 16);
    unsigned seed = 11;
    while (text.size() < bytes) {
        seed = seed * 1103515245u + 12345u;
        if (!text.isEmpty())
            text += u' ';
        text += QLatin1String(kWords[(seed >> 16) % std::size(kWords)]);
    }
    return text;
}

// `size`: the paragraph's and the line's length in characters, the row's
// cells, the tables', the DIVs' or the B elements' depth.
inline QString badShapePage(Shape shape, int size)
{
    QString html = QStringLiteral("<html><head><title>shape</title></head><body>"
                                  "<h1>A page of an unusual shape</h1><p>Before it.</p>");
    // The innermost element inside size - 1 others around it.
    const auto nest = [&html, size](const QString& open, const QString& innermost, const QString& close) {
        for (int i = 1; i < size; ++i)
            html += open;
        html += innermost;
        for (int i = 1; i < size; ++i)
            html += close;
    };
    switch (shape) {
    case Shape::LongParagraph:
        html += QStringLiteral("<p id=here>") + wordsOf(size) + QStringLiteral("</p>");
        break;
    case Shape::LongPreLine:
        html += QStringLiteral("<pre id=here>") + wordsOf(size) + QStringLiteral("</pre>");
        break;
    case Shape::LongParagraphInTextBox:
    case Shape::LongPreLineInTextBox: {
        const bool pre = shape == Shape::LongPreLineInTextBox;
        html +=
            QStringLiteral("<table style=\"LEFT: 10px; POSITION: absolute; TOP: 80px; z-index:1\"><tbody><tr><td>") +
            (pre ? QStringLiteral("<pre id=here>") : QStringLiteral("<p id=here>")) + wordsOf(size) +
            (pre ? QStringLiteral("</pre>") : QStringLiteral("</p>")) +
            QStringLiteral("<p>Below it in the box.</p></td></tr></tbody></table>");
        break;
    }
    case Shape::LongNumberedList:
        html += QStringLiteral("<ol>");
        for (int i = 0; i < size; ++i)
            html += i == size / 2 ? QStringLiteral("<li id=here>the middle step</li>")
                                  : QStringLiteral("<li>step %1 of the procedure</li>").arg(i);
        html += QStringLiteral("</ol>");
        break;
    case Shape::WideRow:
        html += QStringLiteral("<table border=1><tr>");
        for (int i = 0; i < size; ++i)
            html += i == size / 2 ? QStringLiteral("<td id=here>cell text</td>") : QStringLiteral("<td>%1</td>").arg(i);
        html += QStringLiteral("</tr></table>");
        break;
    case Shape::HeadedWideRow:
        html += QStringLiteral("<table border=1><tr>");
        for (int i = 0; i < size; ++i)
            html += QStringLiteral("<th nowrap>column heading %1</th>").arg(i);
        html += QStringLiteral("</tr><tr>");
        for (int i = 0; i < size; ++i)
            html += i == size / 2 ? QStringLiteral("<td id=here>cell text</td>") : QStringLiteral("<td>%1</td>").arg(i);
        html += QStringLiteral("</tr></table>");
        break;
    case Shape::DeepTables:
        nest(QStringLiteral("<table border=1><tr><td>"),
             QStringLiteral("<table border=1><tr><td id=here>innermost cell</td></tr></table>"),
             QStringLiteral("</td></tr></table>"));
        break;
    case Shape::DeepDivs:
        nest(QStringLiteral("<div>"), QStringLiteral("<div id=here>innermost division</div>"),
             QStringLiteral("</div>"));
        break;
    case Shape::DeepInlines:
        html += QStringLiteral("<p>Bold text ");
        nest(QStringLiteral("<b>"), QStringLiteral("<b id=here>innermost bold</b>"), QStringLiteral("</b>"));
        html += QStringLiteral(" and the rest.</p>");
        break;
    }
    html += QStringLiteral("<p>After it.</p></body></html>");
    return html;
}

} // namespace bench_pages
