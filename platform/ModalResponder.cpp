#include "platform/ModalResponder.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace platform {

namespace {
QString controlName(int controlId)
{
    return QStringLiteral("id_%1").arg(controlId);
}
} // namespace

ModalResponder::ModalResponder()
{
    pushModalAnswerer(this);
}

ModalResponder::~ModalResponder() = default;

ModalResponder& ModalResponder::on(int dialogId, Action action)
{
    m_expected[dialogId].push_back({std::move(action), {}});
    return *this;
}

ModalResponder& ModalResponder::answer(int dialogId, int result)
{
    return on(dialogId, [result](QDialog& dialog) { dialog.done(result); });
}

ModalResponder& ModalResponder::always(int dialogId, Action action)
{
    m_always[dialogId] = std::move(action);
    return *this;
}

ModalResponder& ModalResponder::answerMessageBox(int button, const QString& textContains)
{
    return onMessageBox([button](QDialog& dialog) { dialog.done(button); }, textContains);
}

ModalResponder& ModalResponder::onMessageBox(Action action, const QString& textContains)
{
    m_expected[kMessageBoxDialogId].push_back({std::move(action), textContains});
    return *this;
}

int ModalResponder::runCount(int dialogId) const
{
    int count = 0;
    for (const Run& run : m_runs)
        count += run.dialogId == dialogId ? 1 : 0;
    return count;
}

QStringList ModalResponder::messageTexts() const
{
    QStringList texts;
    for (const Run& run : m_runs) {
        if (run.dialogId == kMessageBoxDialogId)
            texts.append(run.text);
    }
    return texts;
}

int ModalResponder::pending() const
{
    int count = 0;
    for (const auto& entry : m_expected)
        count += int(entry.second.size());
    return count;
}

bool ModalResponder::press(QDialog& dialog, int controlId)
{
    auto* button = dialog.findChild<QAbstractButton*>(controlName(controlId));
    if (!button || !button->isEnabled())
        return false;
    button->click();
    return true;
}

bool ModalResponder::setChecked(QDialog& dialog, int controlId, bool checked)
{
    auto* button = dialog.findChild<QAbstractButton*>(controlName(controlId));
    if (!button || !button->isCheckable())
        return false;
    button->setChecked(checked);
    return true;
}

bool ModalResponder::setText(QDialog& dialog, int controlId, const QString& text)
{
    QWidget* control = dialog.findChild<QWidget*>(controlName(controlId));
    // A number box or an editable list takes the text into its own line edit.
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(control))
        control = spin->findChild<QLineEdit*>();
    else if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->isEditable())
        control = combo->lineEdit();
    if (auto* line = qobject_cast<QLineEdit*>(control)) {
        line->setText(text);
        return true;
    }
    if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) {
        plain->setPlainText(text);
        return true;
    }
    if (auto* rich = qobject_cast<QTextEdit*>(control)) {
        rich->setPlainText(text);
        return true;
    }
    return false;
}

bool ModalResponder::leave(QDialog& dialog, int controlId)
{
    QWidget* control = dialog.findChild<QWidget*>(controlName(controlId));
    if (!control)
        return false;
    QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(control, &event);
    return true;
}

bool ModalResponder::respond(QDialog& dialog, int dialogId, const QString& text, int* result)
{
    Action action;
    auto queued = m_expected.find(dialogId);
    if (queued != m_expected.end() && !queued->second.empty()) {
        Expectation expectation = std::move(queued->second.front());
        queued->second.pop_front();
        if (!expectation.textContains.isEmpty() && !text.contains(expectation.textContains))
            reportModalFailure(
                QStringLiteral("Message box text \"%1\" does not contain \"%2\"").arg(text, expectation.textContains));
        action = std::move(expectation.action);
    } else if (auto always = m_always.find(dialogId); always != m_always.end()) {
        action = always->second;
    } else {
        return false;
    }

    bool finished = false;
    int code = IDCANCEL;
    auto connection = QObject::connect(&dialog, &QDialog::finished, [&](int r) {
        finished = true;
        code = programDialogResult(r);
    });
    dialog.show();
    action(dialog);
    QObject::disconnect(connection);
    if (!finished) {
        reportModalFailure(QStringLiteral("The responder left dialog %1 open").arg(dialogId));
        dialog.done(IDCANCEL);
        code = IDCANCEL;
    }
    m_runs.append({dialogId, text, code});
    *result = code;
    return true;
}

} // namespace platform
