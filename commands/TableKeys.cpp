#include "commands/TableKeys.h"

#include "res/resource.h"

int TableKeyCommand(Qt::KeyboardModifiers modifiers, int key, const platform::KeyLevels& levels)
{
    if (!(modifiers & Qt::ControlModifier) || (modifiers & (Qt::AltModifier | Qt::MetaModifier)))
        return 0;
    const bool shift = modifiers & Qt::ShiftModifier;
    bool plus = false;
    bool minus = false;
    if (levels.known()) {
        plus = levels.plain == QLatin1Char('+') || levels.shifted == QLatin1Char('+');
        minus = levels.plain == QLatin1Char('-') || levels.shifted == QLatin1Char('-');
    } else {
        plus = key == Qt::Key_Plus || key == Qt::Key_Equal;
        minus = key == Qt::Key_Minus || key == Qt::Key_Underscore;
    }
    if (plus)
        return shift ? ID_TABLE_INSERT_COLUMN : ID_TABLE_INSERT_ROW;
    if (minus)
        return shift ? ID_TABLE_DELETE_COLUMN : ID_TABLE_DELETE_ROW;
    return 0;
}
