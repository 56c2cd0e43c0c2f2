#pragma once

#include "controls/NumberField.h"

#include <QAbstractSpinBox>

// The number box of the dialogs: digits only, up/down arrows (and the arrow
// keys and wheel) that step within the range, an empty text allowed while
// typing, and the value clamped to the range when the user leaves the box. It
// emits editingFinished after the clamp, so the owner reads the final text.
// Input methods are off: the box takes plain digits.
class NumberEdit : public QAbstractSpinBox
{
    Q_OBJECT
public:
    explicit NumberEdit(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return m_field.minimum(); }
    int maximum() const { return m_field.maximum(); }
    // Whether the box keeps an empty text when left (default) or shows the
    // clamp of 0.
    void setMayStayEmpty(bool on) { m_field.setMayStayEmpty(on); }
    const NumberField& field() const { return m_field; }

    QString text() const;
    void setText(const QString& text);
    // The integer value of the text (0 when empty).
    int value() const;
    // Shows the value as it is, without clamping (as a program writing the box does).
    void setValue(int value);
    bool isEmpty() const { return text().isEmpty(); }

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

signals:
    // The text changed, by typing, stepping or the program.
    void textChanged(const QString& text);

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    NumberField m_field;
};
