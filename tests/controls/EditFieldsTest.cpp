// Text fields, number boxes and combo boxes of the dialogs.

#include "controls/CVornaComboBox.h"
#include "controls/CVornaEdit.h"
#include "controls/NumberEdit.h"
#include "controls/NumberField.h"
#include "controls/VornaComboEx.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <climits>

namespace {

void compose(QWidget& target, const QString& preedit)
{
    QInputMethodEvent event(preedit, {});
    QCoreApplication::sendEvent(&target, &event);
}

void leave(QWidget& target)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(&target, &out);
}

} // namespace

struct LeavingCase
{
    int lo, hi;
    bool mayStayEmpty;
    const char* typed;
    const char* shown;
};

class NumberFieldLeavingTest : public ::testing::TestWithParam<LeavingCase>
{
};

TEST_P(NumberFieldLeavingTest, ClampsWhenLeft)
{
    const LeavingCase c = GetParam();
    NumberField field(c.lo, c.hi, c.mayStayEmpty);
    EXPECT_EQ(field.textOnLeaving(QString::fromLatin1(c.typed)), QString::fromLatin1(c.shown));
}

INSTANTIATE_TEST_SUITE_P(Cases, NumberFieldLeavingTest,
                         ::testing::Values(LeavingCase{0, 100, true, "150", "100"}, LeavingCase{0, 100, true, "", ""},
                                           LeavingCase{1, 25, false, "", "1"}, LeavingCase{1, 25, false, "0", "1"},
                                           LeavingCase{1, 9999, false, "007", "7"},
                                           LeavingCase{0, 9999, true, "99999999999999", "9999"},
                                           LeavingCase{100, 0, true, "250", "100"},
                                           LeavingCase{0, 360, true, "360", "360"}));

TEST(NumberFieldTest, ReadsDigitsOnlyAndStepsWithinTheRange)
{
    EXPECT_TRUE(NumberField::isDigits(""));
    EXPECT_TRUE(NumberField::isDigits("0123"));
    EXPECT_FALSE(NumberField::isDigits("-1"));
    EXPECT_FALSE(NumberField::isDigits(QString::fromUtf8("１２")));
    EXPECT_EQ(NumberField::valueOf("12abc"), 12);
    EXPECT_EQ(NumberField::valueOf("abc"), 0);
    EXPECT_EQ(NumberField::valueOf("99999999999"), INT_MAX);

    NumberField field(1, 25, false);
    EXPECT_EQ(field.stepped("24", 1), "25");
    EXPECT_EQ(field.stepped("25", 1), "25");
    EXPECT_EQ(field.stepped("40", -1), "24");
    EXPECT_EQ(field.stepped("", 1), "1");
    EXPECT_FALSE(field.canStepUp("25"));
    EXPECT_TRUE(field.canStepDown("25"));
    EXPECT_FALSE(field.canStepDown("1"));
}

TEST(NumberEditTest, TakesDigitsOnlyStepsAndClampsWhenLeft)
{
    NumberEdit edit;
    edit.setRange(0, 100);
    edit.show();
    QSignalSpy finished(&edit, &QAbstractSpinBox::editingFinished);
    QString seenWhenFinished;
    QObject::connect(&edit, &QAbstractSpinBox::editingFinished, [&] { seenWhenFinished = edit.text(); });

    edit.setFocus();
    QTest::keyClicks(&edit, "1a5-0");
    EXPECT_EQ(edit.text(), "150");
    leave(edit);
    EXPECT_EQ(edit.text(), "100");
    EXPECT_EQ(seenWhenFinished, "100");
    EXPECT_GE(finished.count(), 1);

    edit.stepBy(-3);
    EXPECT_EQ(edit.value(), 97);
    edit.stepBy(10);
    EXPECT_EQ(edit.value(), 100);

    edit.setText("");
    leave(edit);
    EXPECT_TRUE(edit.isEmpty());
    edit.setMayStayEmpty(false);
    leave(edit);
    EXPECT_EQ(edit.text(), "0");
    EXPECT_FALSE(edit.testAttribute(Qt::WA_InputMethodEnabled));
}

TEST(CVornaEditTest, OpenCompositionBecomesTypedTextWhenLeft)
{
    CVornaEdit edit;
    edit.show();
    edit.setText("abc");
    edit.setCursorPosition(3);
    QString seenWhenFinished;
    QObject::connect(&edit, &QLineEdit::editingFinished, [&] { seenWhenFinished = edit.text(); });
    compose(edit, QString::fromUtf8("にほん"));
    EXPECT_EQ(edit.text(), "abc");
    leave(edit);
    EXPECT_EQ(edit.text(), QString::fromUtf8("abcにほん"));
    EXPECT_EQ(seenWhenFinished, edit.text());
    // Leaving again adds nothing.
    leave(edit);
    EXPECT_EQ(edit.text(), QString::fromUtf8("abcにほん"));
}

TEST(CVornaEditTest, CompositionReplacesTheSelection)
{
    CVornaEdit edit;
    edit.show();
    edit.setText("abcdef");
    edit.setSelection(1, 2);
    compose(edit, QString::fromUtf8("漢"));
    leave(edit);
    EXPECT_EQ(edit.text(), QString::fromUtf8("a漢def"));
}

TEST(CVornaComboBoxTest, EditableComboKeepsTheComposition)
{
    CVornaComboBox combo;
    combo.setEditable(true);
    combo.show();
    combo.setEditText("http://");
    compose(combo, QString::fromUtf8("れい"));
    leave(combo);
    EXPECT_EQ(combo.currentText(), QString::fromUtf8("http://れい"));
}

namespace {

void fillSizes(VornaComboEx& combo)
{
    for (const char* t : {"1(8pt)", "2(10pt)", "3(12pt)", "4(14pt)", "5(18pt)", "6(24pt)", "7(36pt)"})
        combo.addFixedItem(QString::fromLatin1(t));
}

QStringList texts(const QComboBox& combo)
{
    QStringList out;
    for (int i = 0; i < combo.count(); ++i)
        out << combo.itemText(i);
    return out;
}

} // namespace

TEST(VornaComboExTest, ChosenEntriesGoOnTopOnceAndOnlySixStay)
{
    VornaComboEx combo;
    fillSizes(combo);
    emit combo.activated(2);
    ASSERT_EQ(combo.count(), 8);
    EXPECT_EQ(combo.itemText(0), "3(12pt)");
    EXPECT_TRUE(combo.isRecent(0));
    EXPECT_FALSE(combo.isRecent(1));
    emit combo.activated(0); // the recent copy
    emit combo.activated(3); // the fixed one
    EXPECT_EQ(combo.count(), 8);

    VornaComboEx seven;
    fillSizes(seven);
    for (int i = 0; i < 7; ++i)
        seven.AddRecentItem(seven.itemText(seven.count() - 7 + i));
    EXPECT_EQ(texts(seven).mid(0, 7),
              QStringList({"7(36pt)", "6(24pt)", "5(18pt)", "4(14pt)", "3(12pt)", "2(10pt)", "1(8pt)"}));
    EXPECT_FALSE(seven.isRecent(6));
    EXPECT_EQ(seven.count(), 13);
}

TEST(VornaComboExTest, ReadsTheNumberBeforeTheBracket)
{
    EXPECT_EQ(VornaComboEx::ParseItemNumber("3(12pt)"), 3);
    EXPECT_EQ(VornaComboEx::ParseItemNumber(" -2(x)"), -2);
    EXPECT_EQ(VornaComboEx::ParseItemNumber("12pt"), 0);
    EXPECT_EQ(VornaComboEx::ParseItemNumber("size(3)"), 0);
    VornaComboEx combo;
    fillSizes(combo);
    EXPECT_EQ(combo.GetItemNumber(6), 7);
}

TEST(VornaComboExTest, EnterOnTheOpenListClosesItWithoutChoosing)
{
    VornaComboEx combo;
    fillSizes(combo);
    combo.show();
    combo.setCurrentIndex(0);
    QSignalSpy activated(&combo, &QComboBox::activated);
    combo.showPopup();
    combo.view()->setCurrentIndex(combo.model()->index(4, 0));
    QTest::keyClick(combo.view(), Qt::Key_Return);
    EXPECT_FALSE(combo.view()->isVisible());
    EXPECT_EQ(activated.count(), 0);
    EXPECT_EQ(combo.currentIndex(), 0);
}

TEST(VornaComboExTest, LastRecentEntryHasTheDividerAndTheCreamBackground)
{
    VornaComboEx combo;
    fillSizes(combo);
    combo.AddRecentItem("2(10pt)");
    combo.AddRecentItem("5(18pt)");
    QImage image(120, 20, QImage::Format_RGB32);
    auto paintRow = [&](int row) {
        image.fill(Qt::white);
        QPainter painter(&image);
        QStyleOptionViewItem option;
        option.rect = QRect(0, 0, 120, 20);
        option.state = QStyle::State_Enabled;
        option.palette = combo.palette();
        combo.itemDelegate()->paint(&painter, option, combo.model()->index(row, 0));
    };
    paintRow(0);
    EXPECT_EQ(image.pixelColor(5, 19), VornaComboExDelegate::recentBackground());
    paintRow(1);
    EXPECT_EQ(image.pixelColor(5, 10), VornaComboExDelegate::recentBackground());
    EXPECT_EQ(image.pixelColor(5, 19), combo.palette().color(QPalette::Text));
    paintRow(2);
    EXPECT_EQ(image.pixelColor(5, 19), combo.palette().color(QPalette::Base));
}
