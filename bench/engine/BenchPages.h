#pragma once

// The pages the engine benchmarks share, and painting what a view has
// pending as a paint event would.

#include "engine/view/PageView.h"

#include <QImage>
#include <QPainter>
#include <QString>

namespace bench_pages {

// A page of about `blocks` paragraphs and tables, with `positioned`
// absolutely positioned TABLE and IMG objects.
inline QString generatedPage(int blocks, int positioned)
{
    QString html = QStringLiteral("<html><head><title>bench</title></head><body bgcolor=#ffffff>");
    for (int i = 0; i < blocks; ++i) {
        if (i % 4 == 3) {
            html += QStringLiteral("<table id=t%1 border=1 cellspacing=2 cellpadding=3 width=90%>"
                                   "<tr><td colspan=2 bgcolor=#eeeeee>head %1</td><td rowspan=2>side</td></tr>"
                                   "<tr><td>a <b>b</b></td><td><table border=1><tr><td>in</td><td>ner</td></tr>"
                                   "</table></td></tr></table>")
                        .arg(i);
        } else {
            html += QStringLiteral("<p id=p%1>Paragraph %1 with <font color=red>some</font> text, "
                                   "日本語の文章も少し入れます。<a href='x%1.html'>a link</a></p>")
                        .arg(i);
        }
    }
    for (int i = 0; i < positioned; ++i) {
        const int x = 20 + (i * 37) % 700, y = 40 + (i * 53) % 3000;
        if (i % 2)
            html += QStringLiteral("<table id=o%1 style='position:absolute;left:%2px;top:%3px;z-index:%4' border=1>"
                                   "<tr><td>obj %1</td></tr></table>")
                        .arg(i)
                        .arg(x)
                        .arg(y)
                        .arg(i % 7);
        else
            html += QStringLiteral("<img id=o%1 src='none.gif' width=32 height=24 "
                                   "style='position:absolute;left:%2px;top:%3px;z-index:%4'>")
                        .arg(i)
                        .arg(x)
                        .arg(y)
                        .arg(i % 7);
    }
    html += QStringLiteral("</body></html>");
    return html;
}

// A page whose text stands in a text box, as the program wraps a page's
// loose content: `paragraphs` paragraphs of a few lines each, of words drawn
// from a fixed sequence of numbers (their lines are as unlike in width as
// those of real text). Without `inTextBox`, the paragraphs stand in BODY.
inline QString textBoxPage(int paragraphs, bool inTextBox = true)
{
    static const char* const kWords[] = {"the",  "a",         "of",    "to",      "and",       "in",     "is",
                                         "for",  "with",      "page",  "text",    "layout",    "editor", "block",
                                         "line", "paragraph", "words", "browser", "reference", "value",  "returns"};
    QString html = QStringLiteral("<html><body>");
    if (inTextBox)
        html += QStringLiteral("<table id=text style=\"LEFT: 20px; POSITION: absolute; TOP: 20px; "
                               "z-index:1\"><tbody><tr><td>");
    html.reserve(paragraphs * 260);
    unsigned seed = 7;
    const auto next = [&seed](unsigned n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    for (int i = 0; i < paragraphs; ++i) {
        if (i % 50 == 0)
            html += QStringLiteral("<h2>Section %1</h2>").arg(i / 50);
        html += QStringLiteral("<p id=p%1>%1 <b>bold</b>").arg(i);
        for (unsigned w = 12 + next(40); w > 0; --w) {
            html += u' ';
            html += QLatin1String(kWords[next(std::size(kWords))]);
        }
        html += QStringLiteral(" <a href='x.html'>link</a>.</p>");
    }
    if (inTextBox)
        html += QStringLiteral("</td></tr></tbody></table>");
    html += QStringLiteral("</body></html>");
    return html;
}

inline QString largePage()
{
    return generatedPage(300, 500);
}

inline QString typicalPage()
{
    return generatedPage(40, 20);
}

// Paints what the view has pending, as a paint event would.
inline void paintPending(engine::PageView& view, QImage& image)
{
    QPainter p(&image);
    view.paintViewRegion(p, view.pendingRepaint());
    view.clearPendingRepaint();
}

} // namespace bench_pages
