#include "commands/TableInsertMarkup.h"

#include "util/ColorText.h"
#include "util/TextHelpers.h"

#include "engine/html/HtmlSerializer.h"

#include <algorithm>

namespace tableinsertmarkup_detail {

QString attribute(const QString& name, const QString& value)
{
    return QLatin1Char(' ') + engine::HtmlSerializer::attributeText(name, value, true);
}

// A count of rows or columns: 0 (also from no number) is 1, and no more
// than the dialog's spin allows.
int count(const QString& text)
{
    return std::clamp(LeadingInteger(text), 1, 25);
}

// The width or height attribute and the extent it gives: none with the
// minimum; a percent of the base (100 % at most); pixels as written. The
// extent is never below the minimum.
QString sizeAttribute(const QString& name, const QString& text, bool percent, int base, int minimum, int& extent)
{
    extent = minimum;
    if (text.isEmpty())
        return QString();
    int value = LeadingInteger(text);
    QString written = text;
    if (percent) {
        if (value > 100) {
            value = 100;
            written = QStringLiteral("100");
        }
        extent = std::max(minimum, int(value / 100.0 * base));
        return attribute(name, written + QLatin1Char('%'));
    }
    extent = std::max(minimum, value);
    return attribute(name, written);
}

} // namespace tableinsertmarkup_detail

InsertTableMarkup BuildInsertTableMarkup(const TableValues& values, QSize window)
{
    namespace detail = tableinsertmarkup_detail;
    InsertTableMarkup out;
    const int rows = detail::count(values.rows);
    const int columns = detail::count(values.columns);
    // 1. The border.
    QString html;
    if (!values.border.isEmpty())
        html += detail::attribute(QStringLiteral("border"), values.border);
    // 2.-3. The height, no less than the rows need: 20 pixels each, the
    // spacing around them and the border (an empty border or spacing counts 1).
    const int border = values.border.isEmpty() ? 1 : LeadingInteger(values.border);
    const int spacing = values.cellSpacing.isEmpty() ? 1 : LeadingInteger(values.cellSpacing);
    int height = 0;
    html += detail::sizeAttribute(QStringLiteral("height"), values.height, values.heightPercent, window.height() - 30,
                                  rows * 20 + spacing * (rows + 1) + border * 2, height);
    // 4.-5. The width, no less than 8 pixels a column and the rest.
    int width = 0;
    html += detail::sizeAttribute(QStringLiteral("width"), values.width, values.widthPercent, window.width() - 37,
                                  columns * 8 + spacing * (columns + 1) + border * 2, width);
    out.size = QSize(width, height);
    // 6.-10. Spacing, padding, colours, background image.
    if (!values.cellSpacing.isEmpty())
        html += detail::attribute(QStringLiteral("cellspacing"), values.cellSpacing);
    if (!values.cellPadding.isEmpty())
        html += detail::attribute(QStringLiteral("cellpadding"), values.cellPadding);
    if (!IsColorMarker(values.backColor))
        html += detail::attribute(QStringLiteral("bgcolor"), ColorRefToHtml(values.backColor));
    if (!IsColorMarker(values.borderColor))
        html += detail::attribute(QStringLiteral("bordercolor"), ColorRefToHtml(values.borderColor));
    if (!values.background.isEmpty())
        html += detail::attribute(QStringLiteral("background"), values.background);
    // 11. The caption and the rows of empty cells sharing the width.
    html += QStringLiteral(">\n");
    if (!values.caption.isEmpty()) {
        html += values.captionBottom ? QStringLiteral("<CAPTION valign=bottom>") : QStringLiteral("<CAPTION>");
        html += engine::HtmlSerializer::escapeText(values.caption) + QStringLiteral("</CAPTION>\n");
    }
    const QString cell = QStringLiteral("\t\t<TD width=%1% ></TD>\n").arg(100 / columns);
    for (int r = 0; r < rows; ++r)
        html += QStringLiteral("\t<TR>\n") + cell.repeated(columns) + QStringLiteral("\t</TR>\n");
    out.html = html + QStringLiteral("</TABLE>");
    return out;
}
