#include "controls/CheckTreeState.h"

namespace checktree {

int NewCheckValue(int current, int mode)
{
    switch (mode) {
    case kCheck:
        return current == kChecked ? -1 : kChecked;
    case kClear:
        return current == kCleared || current == kPartly ? -1 : kCleared;
    case kToggle:
        if (current == kCleared || current == kPartly)
            return kChecked;
        if (current == kChecked)
            return kCleared;
        return current;
    default:
        return -1;
    }
}

bool SpreadsDown(int value)
{
    return value == kCleared || value == kChecked;
}

bool SpreadsUp(int value)
{
    return value == kCleared || value == kChecked;
}

int ParentCheckValue(const std::vector<int>& children, int otherwise)
{
    bool anyChecked = false;
    bool anyCleared = false;
    for (const int value : children) {
        switch (value) {
        case kChecked:
        case kFixedChecked:
            anyChecked = true;
            break;
        case kCleared:
            anyCleared = true;
            break;
        case kPartly:
            return kPartly;
        default:
            break;
        }
    }
    if (anyChecked && anyCleared)
        return kPartly;
    if (anyChecked)
        return kChecked;
    if (anyCleared)
        return kCleared;
    return otherwise;
}

} // namespace checktree
