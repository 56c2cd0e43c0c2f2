#pragma once

#include "controls/ImeComposition.h"

#include <QComboBox>

// The combo box of the dialogs. An editable one keeps an input-method
// composition that is open when it loses the focus as typed text.
class CVornaComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit CVornaComboBox(QWidget* parent = nullptr);

protected:
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    ImeComposition m_ime;
};
