#include "commands/InsertExtent.h"

#include "images/ImageFiles.h"

#include <algorithm>

QSize DefaultInsertExtent(const InsertExtentInput& in)
{
    // The width of a rule or marquee: (view width - 37) x 0.8, truncated;
    // never below nothing in a view narrower than its margins.
    const int wideWidth = std::max(0, in.viewWidth - 37) * 4 / 5;
    switch (in.kind) {
    case 1:
    case 10:
        return QSize(100, 20);
    case 2:
        return in.imageFlag == 0 ? GetImageFileSize(in.imageSrc) : QSize(0, 0);
    case 3:
        if (in.mediaType == 3)
            return QSize(280, 100);
        if (in.mediaType == 4)
            return QSize(0, 0);
        return QSize(400, 300);
    case 4:
        return in.tableSize;
    case 6:
        return GetImageFileSize(in.imageSrc);
    case 7:
        return QSize(wideWidth, 2);
    case 9:
        return QSize(wideWidth, 0);
    default:
        return QSize(0, 0);
    }
}
