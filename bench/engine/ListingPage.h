#pragma once

// A source listing of the kind documentation generators write for each
// file of a program: one PRE whose CODE holds every line, each line led by
// its number in an anchor placed absolutely at the left edge (the code is
// indented to make room for it), the words coloured by SPANs, some of which
// run over several lines (attributes, block comments).

#include <QString>

namespace bench_pages {

inline QString listingLine(int n)
{
    switch (n % 9) {
    case 0:
        return QStringLiteral("<span class=\"kw\">pub fn </span>step_%1(a: <span class=\"kw-2\">&amp;</span>[u32], "
                              "b: u32) -&gt; u32 {")
            .arg(n);
    case 1:
        return QStringLiteral("    <span class=\"kw\">let </span>r = a[<span class=\"number\">%1</span>] ^ b;")
            .arg(n % 97);
    case 2:
        return QStringLiteral("    <span class=\"macro\">assert_eq!</span>(r, <span class=\"string\">\"line %1\""
                              "</span>.len() <span class=\"kw\">as </span>u32);")
            .arg(n);
    case 3:
        return QStringLiteral("    r.rotate_left(<span class=\"number\">%1</span>)").arg(n % 31);
    case 4:
        return QStringLiteral("}");
    case 5:
        return QString();
    case 6:
        return QStringLiteral("<span class=\"doccomment\">/// Folds the words of line %1 into one.</span>").arg(n);
    case 7:
        // (Closed on the next line, unless a comment takes that line.)
        return (n + 1) % 40 == 0 ? QStringLiteral("<span class=\"attr\">#[inline]</span>")
                                 : QStringLiteral("<span class=\"attr\">#[inline]");
    default:
        return QStringLiteral("</span><span class=\"kw\">unsafe fn </span>fold_%1(x: u64) -&gt; u64 "
                              "{ x.wrapping_mul(<span class=\"number\">0x9e37</span>) }")
            .arg(n);
    }
}

// `lines` lines of code; every 40th line opens a comment that runs over
// the next three. `extra`: markup put at the start of the CODE (a float, a
// positioned box) for pages that try those too.
inline QString listingPage(int lines, const QString& extra = QString())
{
    QString html = QStringLiteral(
        "<!DOCTYPE html><html><head><style>"
        "body{margin:0;font:16px/1.5 sans-serif;background:#fff;color:#000}"
        ".example-wrap{position:relative;margin:8px}"
        ".example-wrap pre{margin:0;font-family:monospace;background:#f5f5f5}"
        ".example-wrap pre>code{position:relative;display:block;padding-left:64px}"
        ".example-wrap [data-nosnippet]{position:absolute;left:0;width:48px;padding:0 4px;text-align:right;"
        "color:#c67e2d;text-decoration:none}"
        ".kw{color:#8959a8}.kw-2{color:#4271ae}.number{color:#718c00}.string{color:#718c00}"
        ".macro{color:#3e999f}.comment{color:#8e908c;font-style:italic}.doccomment{color:#4d4d4c}"
        ".attr{color:#c82829;background:#fff0f0}"
        "</style></head><body><h1>listing.rs</h1><div class=\"example-wrap\"><pre class=\"rust\"><code>");
    html += extra;
    html.reserve(lines * 120);
    for (int n = 1; n <= lines; ++n) {
        const QString number = QStringLiteral("<a href=#%1 id=%1 data-nosnippet>%1</a>").arg(n);
        if (n % 40 == 0 && n + 3 <= lines) {
            html += number + QStringLiteral("<span class=\"comment\">/* The comment of block %1 runs\n").arg(n);
            for (int k = 1; k <= 3; ++k)
                html += QStringLiteral("<a href=#%1 id=%1 data-nosnippet>%1</a>   over line %2%3\n")
                            .arg(n + k)
                            .arg(k)
                            .arg(k == 3 ? QStringLiteral(" */</span>") : QString());
            n += 3;
            continue;
        }
        html += number + listingLine(n) + QLatin1Char('\n');
    }
    return html + QStringLiteral("</code></pre></div></body></html>");
}

} // namespace bench_pages
