#pragma once

#include <vector>

class QMenu;
class QPoint;
class QWidget;

// The window menu of a window that draws its own caption (opened from the
// caption's icon): the entries the desktop's own menu offers such a window,
// each enabled where it applies.
namespace framemenu {

enum class Command { Restore, Move, Size, Minimise, Maximise, Close };

struct Entry
{
    Command command;
    bool enabled;
};

// What the menu depends on of a window.
struct WindowTraits
{
    bool minimised = false;
    bool maximised = false;
    // The user may change its size (not fixed).
    bool resizable = false;
    bool hasMinimise = false;
    bool hasMaximise = false;
    bool hasClose = true;
};

WindowTraits TraitsOf(const QWidget* window);
// The entries in menu order: restore, move, size, minimise, maximise, close.
// A window without minimise and maximise buttons offers neither nor restore;
// a fixed one offers no size.
std::vector<Entry> Entries(const WindowTraits& traits);

// Runs a command on the window; move and size follow the mouse and the
// arrow keys until a click or Enter (Esc puts the window back).
void Run(QWidget* window, Command command);

// The menu of the window's entries, each running its command.
QMenu* BuildMenu(QWidget* window, QWidget* parent);
// Shows the menu at the point (global coordinates) and runs the entry chosen.
void Show(QWidget* window, const QPoint& at);

} // namespace framemenu
