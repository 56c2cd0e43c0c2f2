#pragma once

#include "platform/KeyLevels.h"

#include <Qt>

// The keys of the row and column commands: Ctrl with the key that carries
// "+" inserts a row, with Shift a column; Ctrl with the key that carries "-"
// deletes a row, with Shift a column. Which key carries them depends on the
// layout ("=" on a US keyboard, ";" on a Japanese one for "+"; the numeric
// keypad's everywhere), so the key is found by the characters it gives
// without and with Shift (`levels`); where the windowing system does not
// tell them, by the key Qt reports, as on a US keyboard. The command id, or
// 0 for any other key.
int TableKeyCommand(Qt::KeyboardModifiers modifiers, int key, const platform::KeyLevels& levels);
