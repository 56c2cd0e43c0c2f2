#pragma once

class QDialog;

// The OK and Cancel buttons at the bottom right of a dialog (ids 1 and 2),
// ending it with IDOK or IDCANCEL; OK is the default button.
void AddOkCancelButtons(QDialog& dialog);
