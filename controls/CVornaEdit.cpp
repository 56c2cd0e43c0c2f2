#include "controls/CVornaEdit.h"

#include <QInputMethodEvent>

CVornaEdit::CVornaEdit(QWidget* parent) : QLineEdit(parent) {}

void CVornaEdit::inputMethodEvent(QInputMethodEvent* event)
{
    m_ime.observe(*event);
    QLineEdit::inputMethodEvent(event);
}

void CVornaEdit::focusOutEvent(QFocusEvent* event)
{
    m_ime.complete(*this);
    QLineEdit::focusOutEvent(event);
}
