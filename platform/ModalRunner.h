#pragma once

#include <QString>

#include <functional>

class QDialog;

namespace platform {

// Button ids of the dialogs' results, as the program tests them.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// The dialog id under which every message box runs; the responder tells
// message boxes apart by their text.
constexpr int kMessageBoxDialogId = -1;

// Answers modal runs instead of the user (installed by tests). respond()
// returns false when it has no answer for this run.
class ModalAnswerer
{
public:
    virtual ~ModalAnswerer();
    virtual bool respond(QDialog& dialog, int dialogId, const QString& text, int* result) = 0;
};

// Runs every modal dialog and message box of the program and returns the
// dialog's result; a dialog rejected the Qt way (Escape, its close button,
// reject()) returns IDCANCEL. With an answerer installed, the newest one answers; when it
// has no answer, or when a modal run happens while the failure handler is set
// and no answerer is installed (a test), the failure handler is told and the
// run returns IDCANCEL without blocking. Otherwise the dialog runs its own
// event loop (QDialog::exec).
int runModal(QDialog& dialog, int dialogId, const QString& text = {});

// The result a dialog's Qt result stands for in the program: IDCANCEL for
// Rejected (0), else the result itself.
int programDialogResult(int result);

// Installs an answerer for the lifetime of the caller's object (a stack).
void pushModalAnswerer(ModalAnswerer* answerer);
void removeModalAnswerer(ModalAnswerer* answerer);

// Set by the test main: a modal run that nobody answers calls it instead of
// blocking.
void setModalFailureHandler(std::function<void(const QString& what)> handler);
void reportModalFailure(const QString& what);

} // namespace platform
