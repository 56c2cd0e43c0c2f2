#include "util/StringResources.h"

#include "platform/StringTable.h"

QString LoadResString(unsigned int id)
{
    // Whole texts: a cut at a fixed length could split a character or a
    // sentence in the middle.
    return platform::StringTable::program().text(id);
}
