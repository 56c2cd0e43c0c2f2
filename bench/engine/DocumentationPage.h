#pragma once

// A one-page manual of the kind documentation tools write, of about a given
// size: a table of contents of nested lists, chapters with anchored
// headings, paragraphs with inline code and links, program listings in PRE
// with tabs and blank lines, option lists as definition lists, parameter
// tables with a head row, notes in nested tables, indented markup with tabs
// and blank lines between blocks, English and Japanese text.

#include <QString>

namespace bench_pages {

inline QString documentationSection(int chapter, int section)
{
    const QString id = QStringLiteral("s%1-%2").arg(chapter).arg(section);
    QString html;
    html += QStringLiteral("\n<div class=\"section\">\n\t<h3><a name=\"%1\"></a>%2.%3. Configuring the %1 "
                           "module</h3>\n\n")
                .arg(id)
                .arg(chapter)
                .arg(section);
    html += QStringLiteral(
                "\t<p>\n\t\tThe <code class=\"literal\">%1</code> module reads its settings when the server starts. "
                "Each setting is one line of the form <code>name = value</code>; lines that begin with "
                "<code>#</code> are comments. See <a href=\"#s%2-1\">the overview</a> for the order in which "
                "files are read, and <em>always</em> restart the server after a change.\n\t</p>\n\n")
                .arg(id)
                .arg(chapter);
    html += QStringLiteral("\t<p>設定ファイルは起動時に一度だけ読み込まれます。変更したときは、サーバーを"
                           "再起動してください。文字コードは UTF-8 で保存します。</p>\n\n");
    html += QStringLiteral("<pre class=\"programlisting\">\n# %1.conf\n[server]\n\tport = 80%2\n\tname = "
                           "&quot;example&quot;\n\n[log]\n\tlevel = info\t# debug, info, warn\n\tpath = "
                           "/var/log/%1.log\n</pre>\n\n")
                .arg(id)
                .arg(section % 10);
    html += QStringLiteral(
        "\t<dl>\n\t\t<dt><code>--verbose</code>, <code>-v</code></dt>\n\t\t<dd>\n\t\t\tWrite every step to "
        "the log.\n\t\t</dd>\n\t\t<dt><code>--config=<var>file</var></code></dt>\n\t\t<dd>Read the settings "
        "from <var>file</var> instead of the default.\n\t\t<dt><code>--dry-run</code>\n\t\t<dd>Check the "
        "settings and stop.\n\t</dl>\n\n");
    html += QStringLiteral("<table border=\"1\" cellpadding=\"4\" cellspacing=\"0\" summary=\"Parameters\">\n"
                           "<thead>\n<tr>\n\t<th>Name</th>\n\t<th>Type</th>\n\t<th>Default</th>\n\t<th>"
                           "Meaning</th>\n</tr>\n</thead>\n<tbody>\n");
    for (int r = 0; r < 4; ++r)
        html += QStringLiteral("<tr>\n\t<td><code>%1_%2</code></td>\n\t<td>integer</td>\n\t<td "
                               "align=\"right\">%3</td>\n\t<td>\n\t\tHow many %4 the module keeps &amp; "
                               "reuses.\n\t</td>\n</tr>\n")
                    .arg(id)
                    .arg(r)
                    .arg(r * 16 + section)
                    .arg(r % 2 ? QStringLiteral("connections") : QStringLiteral("buffers"));
    html += QStringLiteral("</tbody>\n</table>\n\n");
    if (section % 3 == 0)
        html += QStringLiteral(
                    "<table class=\"note\" width=\"90%\" border=\"0\" summary=\"Note\">\n<tr>\n\t<td rowspan=\"2\" "
                    "valign=\"top\" width=\"25\"><img src=\"images/note.png\" alt=\"Note\"></td>\n\t<th "
                    "align=\"left\">Note</th>\n</tr>\n<tr>\n\t<td align=\"left\" valign=\"top\">\n\t\t<table "
                    "border=\"0\"><tr><td>Older versions read <tt>%1.ini</tt>.</td></tr></table>\n\t</td>\n</tr>\n"
                    "</table>\n\n")
                    .arg(id);
    html += QStringLiteral("</div>\n");
    return html;
}

// About `bytes` of UTF-8.
inline QString documentationPage(int bytes)
{
    // One section with its line in the contents is about 2.2 KB.
    const int sections = std::max(1, bytes / 2200);
    const int perChapter = 12;
    const int chapters = (sections + perChapter - 1) / perChapter;
    QString html = QStringLiteral(
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<html>\n<head>\n<meta "
        "http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\n<title>Server Manual</title>\n"
        "<link rel=\"stylesheet\" href=\"manual.css\" type=\"text/css\">\n</head>\n<body bgcolor=\"white\" "
        "text=\"black\" link=\"#0000FF\" vlink=\"#840084\">\n<div class=\"book\">\n<h1 class=\"title\">Server "
        "Manual</h1>\n\n<div class=\"toc\">\n<p><b>Table of Contents</b></p>\n<ul>\n");
    for (int c = 1; c <= chapters; ++c) {
        html += QStringLiteral("\t<li><a href=\"#c%1\">%1. Chapter %1</a>\n\t\t<ul>\n").arg(c);
        for (int s = 1; s <= perChapter; ++s)
            html += QStringLiteral("\t\t\t<li><a href=\"#s%1-%2\">%1.%2. Configuring the s%1-%2 module</a></li>\n")
                        .arg(c)
                        .arg(s);
        html += QStringLiteral("\t\t</ul>\n\t</li>\n");
    }
    html += QStringLiteral("</ul>\n</div>\n");
    int written = 0;
    for (int c = 1; c <= chapters && written < sections; ++c) {
        html += QStringLiteral("\n<div class=\"chapter\">\n<h2><a name=\"c%1\"></a>Chapter %1</h2>\n").arg(c);
        for (int s = 1; s <= perChapter && written < sections; ++s, ++written)
            html += documentationSection(c, s);
        html += QStringLiteral("</div>\n");
    }
    html += QStringLiteral("\n<hr>\n<address>Generated by the manual builder.</address>\n</div>\n</body>\n</html>\n");
    return html;
}

} // namespace bench_pages
