#include "app/CommandEnabling.h"

#include "util/PageDom.h"

namespace CommandEnabling {

namespace {
constexpr bool any(quint32 mask, quint32 bits)
{
    return (mask & bits) != 0;
}
} // namespace

bool ImageCommand(bool editMode, quint32 mask)
{
    return editMode && any(mask, 0x8 | 0x2000);
}

bool FlagCommand(bool editMode, quint32 mask, quint32 commandMask)
{
    return editMode && any(mask, commandMask);
}

bool MergeCells(bool editMode, quint32 mask)
{
    return editMode && any(mask, 0x1000);
}

bool TableCellCommand(bool editMode, quint32 mask)
{
    return editMode && any(mask, 0x10) && any(mask, 0x1 | 0x20000) && !any(mask, 0x200000);
}

bool FormatCommand(bool hasView, bool editMode, quint32 mask, int commandId)
{
    if (!hasView || !editMode)
        return false;
    if (any(mask, 0x1 | 0x2 | 0x4 | 0x4000 | 0x10))
        return true;
    const bool verticalAlignment = commandId >= 32941 && commandId <= 32943;
    if (any(mask, 0x2000000 | 0x8000000))
        return !verticalAlignment;
    // Text of the page's flow takes the character formats and its paragraphs
    // the horizontal alignments; the vertical ones and the background colour
    // belong to a cell or a marquee.
    const bool cellFormat = verticalAlignment || commandId == 32934 || commandId == 33496;
    return any(mask, kSelFlowText) && !cellFormat;
}

bool ArrangeCommand(bool editMode, quint32 mask)
{
    if (!editMode)
        return false;
    const bool noBlock = !any(mask, 0x2 | 0x4) || any(mask, 0x1) || any(mask, 0x40000);
    const bool noBox = !any(mask, 0x2000000) || any(mask, 0x8000000) || any(mask, 0x10000000);
    const bool noImage = !any(mask, 0x8);
    const bool noTable = !any(mask, 0x10) || any(mask, 0x1) || any(mask, 0x20000);
    const bool noObject = !any(mask, 0x100 | 0x200 | 0x100000 | 0x400000 | 0x80000 | 0x400);
    return !(noBlock && noBox && noImage && noTable && noObject);
}

bool ObjectCommand(bool editMode, int flag, quint32 mask, quint32 commandMask, bool flowTextRange)
{
    if (!editMode)
        return false;
    if (flag == 0) {
        return any(mask, 0x2) || (any(mask, 0x4) && !any(mask, 0x1)) ||
               any(mask, 0x8 | 0x10 | 0x100 | 0x200 | 0x100000 | 0x400000 | 0x2000000 | 0x8000000);
    }
    // Text of the page's flow is taken as a text box's text: a caret there
    // links only as the link it stands in.
    bool present =
        (any(mask, 0x1 | 0x2) && !any(mask, 0x1000)) || any(mask, 0x8 | 0x2000000 | 0x8000000 | kSelFlowText);
    if (!present)
        return false;
    if (!any(mask, 0x20 | 0x40 | 0x80)) {
        const bool unsuitable =
            (any(mask, 0x1) && any(mask, 0x4)) || any(mask, 0x40000) || (any(mask, kSelFlowText) && !flowTextRange) ||
            (any(mask, 0x2000000) && any(mask, 0x40000000)) || (any(mask, 0x8000000) && any(mask, 0x10000000));
        return !unsuitable;
    }
    return any(mask, commandMask);
}

bool DeleteCommand(bool editMode, quint32 mask)
{
    constexpr quint32 kDeletable = 0x2 | 0x4 | 0x1 | 0x40000 | 0x2000000 | 0x8000000 | 0x10000000 | 0x8 | 0x10 |
                                   0x20000 | 0x100 | 0x200 | 0x100000 | 0x400000 | 0x400 | 0x80000 | 0x1000000 |
                                   kSelFlowText;
    return editMode && any(mask, kDeletable);
}

bool CounterCommand(bool editModeWithView, quint32 mask)
{
    return editModeWithView && !any(mask, 0x100000);
}

bool ImagePropertiesCommand(bool editModeWithView, quint32 mask)
{
    return editModeWithView && !any(mask, 0x100000 | 0x100) && ImageCommand(true, mask);
}

bool BringToFrontOrBack(bool editModeWithView, quint32 mask)
{
    return editModeWithView && !any(mask, 0x1 | 0x20000 | 0x8000000) && ObjectCommand(true, 0, mask, 0);
}

} // namespace CommandEnabling
