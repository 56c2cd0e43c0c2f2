#include "dialogs/SizeUnits.h"

#include <cmath>
#include <limits>

int TruncatedSize(double size)
{
    if (std::isnan(size))
        return 0;
    if (size <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (size >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return int(size);
}

double SizeInUnit(double size, int unit, int reference)
{
    if (reference < 1)
        return size;
    return unit == 0 ? size * 100.0 / reference : size / 100.0 * reference;
}
