#pragma once

// The state of the keyboard's lock keys, as the keyboard's indicators show it.
namespace platform {

struct LockKeyState
{
    bool capsLock = false;
    bool numLock = false;
    // Whether the windowing system told the state (X11 only; elsewhere both
    // keys read as off).
    bool known = false;
};

// Reads the lock keys of the running display. Under X11 the keyboard
// extension's named indicators "Caps Lock" and "Num Lock" are read; on other
// platforms (offscreen, Wayland) the state is unknown and reads as off.
LockKeyState lockKeyState();

// Switches Caps Lock and Num Lock on or off (X11 only; false elsewhere).
// Used by checks that run under a real display.
bool setLockKeyState(bool capsLock, bool numLock);

} // namespace platform
