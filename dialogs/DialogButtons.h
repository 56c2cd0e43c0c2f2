#pragma once

#include <QString>

class QBoxLayout;
class QDialog;
class QLabel;
class QWidget;

// The object name of a dialog's control: "id_" and its control id.
QString DialogControlName(int id);

// The label of a control: its "&" key moves the focus to the control.
QLabel* BuddyLabel(const QString& text, QWidget* buddy);

// Adds the OK (id_1, the default) and Cancel (id_2) buttons of a dialog at
// the end of its layout, wired to accept() and reject().
void AddOkCancelButtons(QDialog& dialog, QBoxLayout* layout);

// The OK and Cancel buttons at the bottom right of a dialog that has no
// layout yet, ending it with IDOK or IDCANCEL; OK is the default button.
void AddOkCancelButtons(QDialog& dialog);
