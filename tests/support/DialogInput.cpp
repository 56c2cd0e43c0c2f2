#include "support/DialogInput.h"

#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>

QWidget* DialogControl(QDialog& dialog, int id)
{
    auto* found = dialog.findChild<QWidget*>(QStringLiteral("id_%1").arg(id));
    EXPECT_NE(found, nullptr) << "control " << id;
    return found;
}

namespace {

QLineEdit* lineOf(QWidget* widget)
{
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        return line;
    return widget ? widget->findChild<QLineEdit*>() : nullptr;
}

} // namespace

QString DialogText(QDialog& dialog, int id)
{
    QWidget* widget = DialogControl(dialog, id);
    if (auto* list = qobject_cast<QComboBox*>(widget); list && !list->isEditable())
        return list->currentText();
    QLineEdit* line = lineOf(widget);
    return line ? line->text() : QString();
}

void TypeInto(QDialog& dialog, int id, const QString& text)
{
    QWidget* widget = DialogControl(dialog, id);
    QLineEdit* line = lineOf(widget);
    ASSERT_NE(line, nullptr) << "control " << id << " takes no text";
    line->selectAll();
    if (text.isEmpty())
        QTest::keyClick(widget, Qt::Key_Delete);
    for (const QChar c : text) {
        // The test keyboard knows Latin-1 keys only; other characters come as
        // the text of a key.
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void LeaveControl(QDialog& dialog, int id)
{
    QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
    if (QWidget* widget = DialogControl(dialog, id))
        QApplication::sendEvent(widget, &event);
}

void ChooseEntry(QDialog& dialog, int id, int index)
{
    auto* list = qobject_cast<QComboBox*>(DialogControl(dialog, id));
    ASSERT_NE(list, nullptr) << "control " << id << " is no list";
    list->setCurrentIndex(index);
    emit list->activated(index);
}
