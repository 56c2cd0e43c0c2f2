#include "effects/CounterMarkup.h"

#include "res/resource.h"

CounterMarkup CounterMarkup::Check(const QString& text)
{
    CounterMarkup result;
    result.markup = text;
    if (text.size() > kMaxLength) {
        result.messageId = IDS_COUNTER_HTML_TOO_LONG;
        return result;
    }
    // 1. A closing EMBED tag goes.
    const qsizetype end = result.markup.indexOf(QLatin1String("</EMBED>"), 0, Qt::CaseInsensitive);
    if (end >= 0)
        result.markup.remove(end, 8);
    const QString& markup = result.markup;
    // 2. The kind by the tag's name.
    if (markup.contains(QLatin1String("IMG"), Qt::CaseInsensitive))
        result.kind = 0;
    else if (markup.contains(QLatin1String("EMBED"), Qt::CaseInsensitive))
        result.kind = 1;
    // 3. A tag needs its brackets; a script is not a counter's tag.
    if (result.kind < 0 || !markup.contains(QLatin1Char('<')) || !markup.contains(QLatin1Char('>')) ||
        markup.contains(QLatin1String("<SCRIPT"), Qt::CaseInsensitive)) {
        result.kind = -1;
        result.messageId = IDS_BAD_COUNTER_HTML;
    }
    return result;
}
