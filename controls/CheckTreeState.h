#pragma once

#include <vector>

// The check states of the check tree's items and how a change spreads:
//   0 no check box, 1 cleared, 2 checked, 3 partly checked (some of the
//   contents checked), 4 counts as checked and is left alone by toggling.
namespace checktree {

inline constexpr int kNoCheckBox = 0;
inline constexpr int kCleared = 1;
inline constexpr int kChecked = 2;
inline constexpr int kPartly = 3;
inline constexpr int kFixedChecked = 4;

// Modes of setting a check.
inline constexpr int kCheck = 0;
inline constexpr int kClear = 1;
inline constexpr int kToggle = 2;

// The value an item takes when set in a mode, or -1 when it stays as it is
// (checking a checked item; clearing a cleared or partly checked one).
int NewCheckValue(int current, int mode);

// Whether the new value of an item passes to its whole subtree.
bool SpreadsDown(int value);
// Whether the new value of an item makes its ancestors look at their children.
bool SpreadsUp(int value);

// A folder's value from its children's: checked when all are checked (4
// counts as checked), cleared when all are cleared, partly checked when they
// differ or one is partly checked. Items without a check box do not count;
// with none left the value is `otherwise`.
int ParentCheckValue(const std::vector<int>& children, int otherwise);

} // namespace checktree
