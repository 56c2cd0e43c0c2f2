#pragma once

#include <QString>

class QInputMethodEvent;
class QLineEdit;

// Follows the input-method composition of one text field, so that a field that
// loses the focus can keep the unfinished text as typed text instead of losing
// it or leaving it floating.
class ImeComposition
{
public:
    // Call with every input-method event the field receives, before handling it.
    void observe(const QInputMethodEvent& event);
    bool isOpen() const { return !m_preedit.isEmpty(); }
    const QString& text() const { return m_preedit; }

    // Makes the open composition ordinary text of the edit where the caret
    // stands, replacing the selection, and tells the input method that the
    // composition is over. Nothing happens without an open composition.
    void complete(QLineEdit& edit);

private:
    QString m_preedit;
};
