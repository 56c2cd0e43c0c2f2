#pragma once

#include "commands/TableValues.h"

#include <QSize>
#include <QString>

// What the insertion of a table stores for the click that places it: the
// TABLE's attributes and content after "<TABLE" (the inserter writes the tag
// and its position in front), and the size of the table's first extent.
struct InsertTableMarkup
{
    QString html;
    QSize size;
};

// The markup of a table of the table dialog's values. `window` is the size
// of the page view's window: 100 % of the width stands for its width less
// 37, of the height for its height less 30. Rows and columns are read as
// numbers and kept within 1 to 25; the caption is written as text.
InsertTableMarkup BuildInsertTableMarkup(const TableValues& values, QSize window);
