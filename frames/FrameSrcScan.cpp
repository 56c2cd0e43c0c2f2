#include "frames/FrameSrcScan.h"

#include "util/HtmlTextScan.h"

QList<FrameSrcSpan> FindFrameSrcValues(const QString& text)
{
    QList<FrameSrcSpan> spans;
    QString tag;
    for (int at = ExtractTagText(text, QStringLiteral("FRAME"), tag, 0); at >= 0;
         at = ExtractTagText(text, QStringLiteral("FRAME"), tag, at + 1)) {
        QString value;
        const int valueAt = GetTagAttribute(tag, QStringLiteral("SRC"), value);
        if (valueAt >= 0 && !value.isEmpty())
            spans.append({at + valueAt, value.size(), value});
    }
    return spans;
}
