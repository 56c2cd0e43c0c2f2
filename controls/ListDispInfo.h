#pragma once

#include <QString>
#include <QVariant>

// What an in-place cell editor tells its list when editing begins or ends, as
// the list's own label editing would: the cell, the text (none when the edit was
// cancelled) and, for a choice, the chosen entry's data.
struct ListDispInfo
{
    int idFrom = 0;       // the editor's control id
    int item = -1;        // row
    int subItem = -1;     // column
    bool hasText = false; // false: no text (a cancelled edit)
    QString text;
    int textMax = 0; // the text's length, also when hasText is false
    bool hasParam = false;
    QVariant param; // the chosen entry's data (choices only)
};
