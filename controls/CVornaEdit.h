#pragma once

#include "controls/ImeComposition.h"

#include <QLineEdit>

// The text field of the dialogs. When it loses the focus with an input-method
// composition still open, the composition becomes typed text before the field's
// owner hears that the field was left (editingFinished).
class CVornaEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit CVornaEdit(QWidget* parent = nullptr);

protected:
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    ImeComposition m_ime;
};
