#pragma once

#include <QChar>

#include <QtGlobal>

namespace platform {

// The characters a key of the keyboard gives without and with Shift on the
// layout in use ("=" and "+" for the key right of "0" on a US keyboard);
// null characters where the key gives none or the windowing system does not
// tell (only X11 does).
struct KeyLevels
{
    QChar plain;
    QChar shifted;
    bool known() const { return !plain.isNull() || !shifted.isNull(); }
};

// The levels of the key with this native scan code (an X11 key code).
KeyLevels keyLevels(quint32 nativeScanCode);

} // namespace platform
