#pragma once

#include <QString>

class QDialog;
class QWidget;

// A user's hands on a dialog's controls, found by their ids ("id_<n>"):
// typing goes through the keyboard, so the dialog hears it as the user's.

// The control of the id (a failure is recorded when there is none).
QWidget* DialogControl(QDialog& dialog, int id);
// The text a line edit, number box or list shows.
QString DialogText(QDialog& dialog, int id);
// Types over the whole text of a line edit or number box; an empty text
// deletes it.
void TypeInto(QDialog& dialog, int id, const QString& text);
// The control loses the focus, as when the user tabs on.
void LeaveControl(QDialog& dialog, int id);
// Picks the entry of a list.
void ChooseEntry(QDialog& dialog, int id, int index);
