#pragma once

#include <QList>
#include <QString>

// Where a FRAME tag's src value stands in a page text: every tag whose name
// begins with "FRAME" (FRAMESET tags have no src) that has a non-empty SRC
// attribute, in text order.
struct FrameSrcSpan
{
    qsizetype at = 0;     // index of the value's first character
    qsizetype length = 0; // its length, without quotes
    QString value;        // the value as written
};

QList<FrameSrcSpan> FindFrameSrcValues(const QString& text);
