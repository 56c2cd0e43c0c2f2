#pragma once

#include "platform/ModalRunner.h"

#include <QList>
#include <QString>

#include <deque>
#include <functional>
#include <map>

class QDialog;

namespace platform {

// Answers the modal runs of a test in place of the user. Expectations are
// taken in order per dialog id; message boxes run under kMessageBoxDialogId.
// An action gets the dialog, shown, and may set its controls and press a
// button (by control id); if it leaves the dialog open, the run counts as
// unanswered and ends with IDCANCEL. A run without a matching expectation is
// reported as a failure and returns IDCANCEL.
//
//   platform::ModalResponder responder;
//   responder.answerMessageBox(platform::IDNO, "保存しますか");
//   responder.on(539, [](QDialog& d) { platform::ModalResponder::press(d, 1); });
class ModalResponder : public ModalAnswerer
{
public:
    using Action = std::function<void(QDialog&)>;

    struct Run
    {
        int dialogId;
        QString text;
        int result;
    };

    ModalResponder();
    ~ModalResponder() override;
    ModalResponder(const ModalResponder&) = delete;
    ModalResponder& operator=(const ModalResponder&) = delete;

    // The next run of this dialog id gets the action.
    ModalResponder& on(int dialogId, Action action);
    // The next run of this dialog id ends with the result.
    ModalResponder& answer(int dialogId, int result);
    // Every run of this dialog id without a queued expectation gets the action.
    ModalResponder& always(int dialogId, Action action);
    // The next message box is answered with the button. With a text given,
    // the box's text must contain it (else a failure is reported).
    ModalResponder& answerMessageBox(int button, const QString& textContains = {});
    ModalResponder& onMessageBox(Action action, const QString& textContains = {});

    const QList<Run>& runs() const { return m_runs; }
    int runCount(int dialogId) const;
    // The texts of the message boxes shown so far.
    QStringList messageTexts() const;
    // Expectations not used yet.
    int pending() const;

    // Helpers for actions: the control of a dialog by its id (objectName "id_<n>").
    static bool press(QDialog& dialog, int controlId);
    static bool setChecked(QDialog& dialog, int controlId, bool checked);
    // Line and text edits, number boxes and editable lists.
    static bool setText(QDialog& dialog, int controlId, const QString& text);
    // The control loses the focus as when the user tabs away, so its rules for
    // leaving run (a number box clamps its text).
    static bool leave(QDialog& dialog, int controlId);

    bool respond(QDialog& dialog, int dialogId, const QString& text, int* result) override;

private:
    struct Expectation
    {
        Action action;
        QString textContains;
    };
    std::map<int, std::deque<Expectation>> m_expected;
    std::map<int, Action> m_always;
    QList<Run> m_runs;
};

} // namespace platform
