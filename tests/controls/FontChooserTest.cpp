// The font chooser, the font list and the symbol grid on the offscreen
// platform: what the lists hold, the recent section, typed text, the tip,
// and what the cells draw.

#include "ReviewPicture.h"

#include "controls/CVornaTip.h"
#include "controls/FontFaces.h"
#include "controls/VornaFontCombo.h"
#include "controls/VornaFontListBox.h"
#include "controls/VornaSymbolList.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>

namespace {

const QStringList kFaces = {"Verdana", "Arial",  "Courier", "Georgia",   "Times",
                            "Tahoma",  "Impact", "Verdana", "@MS Mincho"};

QStringList items(const QComboBox& combo)
{
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i)
        texts.append(combo.itemText(i));
    return texts;
}

void choose(VornaFontCombo& combo, const QString& face)
{
    const int index = combo.findText(face);
    combo.setCurrentIndex(index);
    emit combo.activated(index);
}

TEST(FontFaces, TheMachinesFacesAreListedOnceWithoutFoundriesOrVerticalFaces)
{
    const QStringList faces = ListFontFaces();
    ASSERT_FALSE(faces.isEmpty());
    EXPECT_EQ(QSet<QString>(faces.begin(), faces.end()).size(), faces.size());
    for (const QString& face : faces) {
        EXPECT_FALSE(face.startsWith(u'@')) << face.toStdString();
        EXPECT_FALSE(face.endsWith(u']')) << face.toStdString();
    }
    EXPECT_TRUE(faces.contains(QStringLiteral("IPAGothic")));
    EXPECT_EQ(FontFamilyName(QStringLiteral("Nimbus Sans [URW]")), QStringLiteral("Nimbus Sans"));
    EXPECT_EQ(FontFamilyName(QStringLiteral("[odd]")), QStringLiteral("[odd]"));
}

TEST(FontCombo, EachFaceStandsOnceSortedAndTheLastSixChosenOnTop)
{
    VornaFontCombo combo;
    combo.AdjustDropWidth(kFaces);
    EXPECT_EQ(items(combo), QStringList({"Arial", "Courier", "Georgia", "Impact", "Tahoma", "Times", "Verdana"}));
    EXPECT_GT(combo.view()->minimumWidth(), 25);
    choose(combo, QStringLiteral("Times"));
    choose(combo, QStringLiteral("Times"));
    EXPECT_EQ(combo.itemText(0), QStringLiteral("Times"));
    EXPECT_FALSE(combo.isRecent(1));
    EXPECT_TRUE(combo.isRecentFace(QStringLiteral("Times")));
    for (const char* face : {"Arial", "Courier", "Georgia", "Impact", "Tahoma", "Verdana"})
        choose(combo, QString::fromLatin1(face));
    // Six recent entries, newest first; the oldest fell off.
    QStringList recent;
    for (int i = 0; combo.isRecent(i); ++i)
        recent.append(combo.itemText(i));
    EXPECT_EQ(recent, QStringList({"Verdana", "Tahoma", "Impact", "Georgia", "Courier", "Arial"}));
    EXPECT_FALSE(combo.isRecentFace(QStringLiteral("Times")));
    EXPECT_TRUE(combo.isRecentFace(QStringLiteral("Arial")));
    EXPECT_EQ(combo.count(), 7 + 6);
    EXPECT_EQ(combo.view()->sizeHintForRow(0), VornaFontCombo::kItemHeight);
}

TEST(FontCombo, ATypedPrefixStaysAndATextThatBeginsNoFaceIsPutBack)
{
    VornaFontCombo combo;
    combo.setEditable(true);
    combo.AdjustDropWidth(kFaces);
    combo.m_strSaved = QStringLiteral("Arial");
    combo.setEditText(QStringLiteral("geo"));
    EXPECT_TRUE(combo.ValidateText());
    EXPECT_EQ(combo.currentText(), QStringLiteral("geo"));
    combo.setEditText(QStringLiteral("Zapf"));
    EXPECT_FALSE(combo.ValidateText());
    EXPECT_EQ(combo.currentText(), QStringLiteral("Arial"));
    // Typing opened the list, which was closed again: leaving the box still
    // puts back the text it had when the user came to it.
    combo.setEditText(QStringLiteral("Zapf"));
    QFocusEvent back(QEvent::FocusIn, Qt::PopupFocusReason);
    QCoreApplication::sendEvent(&combo, &back);
    QFocusEvent away(QEvent::FocusOut, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(&combo, &away);
    EXPECT_EQ(combo.currentText(), QStringLiteral("Arial"));
}

TEST(FontCombo, TypingOpensTheListAndKeepsTypingIntoTheField)
{
    VornaFontCombo combo;
    combo.setEditable(true);
    combo.AdjustDropWidth(kFaces);
    combo.show();
    QApplication::setActiveWindow(&combo);
    combo.setFocus();
    combo.setEditText(QString());
    QTest::keyClick(combo.lineEdit(), 'G');
    ASSERT_TRUE(combo.view()->isVisible());
    // The open list holds the keyboard; the keys reach the field.
    QTest::keyClick(combo.view(), 'e');
    EXPECT_EQ(combo.currentText(), QStringLiteral("Ge"));
    // A face chosen in the list closes it for good: the field takes the
    // face's name without opening the list again.
    const int georgia = combo.findText(QStringLiteral("Georgia"));
    QTest::mouseClick(combo.view()->viewport(), Qt::LeftButton, {},
                      combo.view()->visualRect(combo.view()->model()->index(georgia, 0)).center());
    EXPECT_EQ(combo.currentText(), QStringLiteral("Georgia"));
    EXPECT_TRUE(combo.isRecentFace(QStringLiteral("Georgia")));
    EXPECT_FALSE(combo.view()->isVisible());
    combo.hidePopup();
}

TEST(FontCombo, EnterClosesTheListAndTheTipNamesTheHighlightedFace)
{
    VornaFontCombo combo;
    combo.AdjustDropWidth(kFaces);
    combo.show();
    // Open without a face chosen: nothing is highlighted, nothing named.
    combo.showPopup();
    combo.OnTimer();
    EXPECT_FALSE(combo.tip().isVisible());
    combo.hidePopup();
    combo.setCurrentIndex(2);
    combo.showPopup();
    ASSERT_TRUE(combo.view()->isVisible());
    combo.OnTimer();
    EXPECT_TRUE(combo.tip().isVisible());
    EXPECT_EQ(combo.tip().text(), QStringLiteral("Georgia"));
    EXPECT_GT(combo.tip().x(), combo.view()->window()->frameGeometry().right());
    QTest::keyClick(combo.view(), Qt::Key_Return);
    EXPECT_FALSE(combo.view()->isVisible());
    EXPECT_FALSE(combo.tip().isVisible());
    EXPECT_EQ(combo.currentIndex(), 2);
    // Opened again on the same face, the tip names it again.
    combo.showPopup();
    combo.OnTimer();
    EXPECT_TRUE(combo.tip().isVisible());
    combo.hidePopup();
}

TEST(SymbolList, TheSelectionKeepsItsFillWhenTheFocusIsElsewhereAndUnselectedCellsShowTheBase)
{
    QWidget window;
    auto* list = new VornaSymbolList(&window);
    auto* other = new QLineEdit(&window);
    list->setGeometry(0, 0, 200, 100);
    other->setGeometry(0, 110, 100, 20);
    list->addSymbol(QStringLiteral("★"));
    list->addSymbol(QString());
    list->addSymbol(QStringLiteral("©"));
    window.show();
    list->setCurrentRow(0);
    other->setFocus();
    const QImage image = list->viewport()->grab().toImage();
    const QRect selected = list->visualItemRect(list->item(0));
    const QRect empty = list->visualItemRect(list->item(1));
    EXPECT_EQ(QColor(image.pixel(selected.topLeft() + QPoint(2, 2))), VornaSymbolListDelegate::selectedFill());
    EXPECT_EQ(QColor(image.pixel(empty.topLeft() + QPoint(2, 2))), list->palette().color(QPalette::Base));
    EXPECT_EQ(empty.topLeft(), selected.bottomLeft() + QPoint(0, 1));
}

TEST(FontListBox, TheSelectionFollowsTheMouse)
{
    VornaFontListBox list;
    list.addItems({"Arial", "Georgia", "Times"});
    list.resize(200, 120);
    list.show();
    const QPoint over = list.visualItemRect(list.item(1)).center();
    QMouseEvent move(QEvent::MouseMove, over, list.viewport()->mapToGlobal(over), Qt::NoButton, {}, {});
    QCoreApplication::sendEvent(list.viewport(), &move);
    EXPECT_EQ(list.currentRow(), 1);
}

TEST(ControlsScreenshot, FontComboOpenWithRecentFacesAndTip)
{
    QWidget window;
    window.resize(460, 420);
    auto* combo = new VornaFontCombo(&window);
    combo->setGeometry(10, 10, 180, 24);
    combo->AdjustDropWidth();
    for (const char* face : {"IPAGothic", "DejaVu Serif", "Liberation Mono"}) {
        const int index = combo->findText(QString::fromLatin1(face));
        if (index >= 0) {
            combo->setCurrentIndex(index);
            emit combo->activated(index);
        }
    }
    window.show();
    QApplication::setActiveWindow(&window);
    combo->showPopup();
    QCoreApplication::processEvents();
    QAbstractItemView* list = combo->view();
    ASSERT_TRUE(list->isVisible());
    list->setCurrentIndex(list->model()->index(4, 0));
    combo->OnTimer();
    QCoreApplication::processEvents();
    ASSERT_TRUE(combo->tip().isVisible());
    // The box, the open list and the tip beside it, as they stand on the screen.
    QWidget* popup = list->window();
    const QRect area = window.frameGeometry().united(popup->frameGeometry()).united(combo->tip().frameGeometry());
    QImage picture(area.size(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        painter.drawImage(window.mapToGlobal(QPoint(0, 0)) - area.topLeft(), window.grab().toImage());
        painter.drawImage(popup->pos() - area.topLeft(), popup->grab().toImage());
        painter.drawImage(combo->tip().pos() - area.topLeft(), combo->tip().grab().toImage());
    }
    combo->hidePopup();
    EXPECT_TRUE(saveForReview(picture, "font-combo.png"));
}

} // namespace
