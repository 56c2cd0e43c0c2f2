#include "util/StringResources.h"

#include "platform/StringTable.h"

QString LoadResString(unsigned int id)
{
    constexpr qsizetype kMaxChars = 255;
    return platform::StringTable::program().text(id).left(kMaxChars);
}
