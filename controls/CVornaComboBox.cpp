#include "controls/CVornaComboBox.h"

#include <QInputMethodEvent>
#include <QLineEdit>

CVornaComboBox::CVornaComboBox(QWidget* parent) : QComboBox(parent) {}

void CVornaComboBox::inputMethodEvent(QInputMethodEvent* event)
{
    m_ime.observe(*event);
    QComboBox::inputMethodEvent(event);
}

void CVornaComboBox::focusOutEvent(QFocusEvent* event)
{
    if (QLineEdit* edit = lineEdit())
        m_ime.complete(*edit);
    QComboBox::focusOutEvent(event);
}
