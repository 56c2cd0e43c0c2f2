#include "controls/NumberEdit.h"

#include <QLineEdit>

NumberEdit::NumberEdit(QWidget* parent) : QAbstractSpinBox(parent)
{
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setInputMethodHints(Qt::ImhDigitsOnly);
    setAccelerated(true);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    connect(lineEdit(), &QLineEdit::textChanged, this, &NumberEdit::textChanged);
}

void NumberEdit::setRange(int minimum, int maximum)
{
    m_field.setRange(minimum, maximum);
    update();
}

QString NumberEdit::text() const
{
    return lineEdit()->text();
}

void NumberEdit::setText(const QString& text)
{
    if (lineEdit()->text() != text)
        lineEdit()->setText(text);
}

int NumberEdit::value() const
{
    return NumberField::valueOf(text());
}

void NumberEdit::setValue(int value)
{
    setText(QString::number(value));
}

void NumberEdit::stepBy(int steps)
{
    setText(m_field.stepped(text(), steps));
    lineEdit()->selectAll();
}

QValidator::State NumberEdit::validate(QString& input, int& /*pos*/) const
{
    return NumberField::isDigits(input) ? QValidator::Acceptable : QValidator::Invalid;
}

QAbstractSpinBox::StepEnabled NumberEdit::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    StepEnabled enabled = StepNone;
    if (m_field.canStepUp(text()))
        enabled |= StepUpEnabled;
    if (m_field.canStepDown(text()))
        enabled |= StepDownEnabled;
    return enabled;
}

void NumberEdit::focusOutEvent(QFocusEvent* event)
{
    setText(m_field.textOnLeaving(text()));
    QAbstractSpinBox::focusOutEvent(event);
}
