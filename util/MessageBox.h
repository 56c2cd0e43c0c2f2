#pragma once

#include <QString>

// The program's message box for every question and notice that is not a
// dialog of its own: caption "ペジタロ", the exclamation icon and the buttons
// of the button code (1 OK, 2 OK and Cancel, 3 Yes, No and Cancel, 4 Yes and
// No; any other code OK). Returns the button pressed: 1 OK, 2 Cancel, 6 Yes,
// 7 No.
//
// With bApplyToAll, a check box under the text applies the answer to all
// remaining documents of a batch: a ticked box with Yes, OK or No makes that
// answer the main frame's remembered answer (Cancel is never remembered). The
// box then reads "Web で開かれた全てのドキュメントに適用" instead of
// "他の全ドキュメントに適用する" when the site manager asked for the web-wide
// question, and that request is used up.
//
// While the main frame remembers an answer that is one of this box's buttons,
// that answer is returned at once and nothing is shown; any other box is shown
// as usual, so a notice or an error is never swallowed by a batch.
//
// The arguments the callers pass after the text keep their places: the second,
// third and fifth and the font name are accepted and not used. A call asking
// Yes/No/Cancel with the check box reads
//     ShowMessageBox(text, 0, 0x40, 3, 12, true);
int ShowMessageBox(const QString& text, quint8 unused1 = 0, unsigned int unused2 = 0x40, unsigned int nButtons = 1,
                   unsigned int unused3 = 12, bool bApplyToAll = false, const QString& fontName = QString());

// The same box with the text of a string-table id.
int MessageBoxById(unsigned int id, quint8 unused1 = 0, unsigned int unused2 = 0x40, unsigned int nButtons = 1,
                   unsigned int unused3 = 12, bool bApplyToAll = false, const QString& fontName = QString());

// Guards: the short form (text, button code, check-box flag) would silently
// pass the button code as an unused argument. Write the full form instead.
int ShowMessageBox(const QString& text, int nButtons, bool bApplyToAll) = delete;
int MessageBoxById(unsigned int id, int nButtons, bool bApplyToAll) = delete;
int MessageBoxById(int id, int nButtons, bool bApplyToAll) = delete;

// The control id of the apply-to-all check box.
constexpr int kApplyToAllCheckBoxId = 1007;
