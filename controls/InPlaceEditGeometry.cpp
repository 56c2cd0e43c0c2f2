#include "controls/InPlaceEditGeometry.h"

#include <algorithm>

int InPlaceEditGeometry::widenedRight(int left, int width, int textWidth, int listRight)
{
    const int wanted = textWidth + kTextSlack;
    if (wanted <= width)
        return left + width;
    return std::max(left + width, std::min(left + wanted, listRight));
}
