// The check tree of the publishing dialogs: spreading checks, finding server
// paths, where new items go, and renaming in place.

#include "ReviewPicture.h"

#include "controls/CVornaTreeCtrl.h"
#include "controls/CheckTreeState.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {

using namespace checktree;

// A local web as the publish dialog lists it: folders (picture 2) and files (picture 1).
struct Tree
{
    CVornaTreeCtrl tree;
    QTreeWidgetItem* web = nullptr;
    QTreeWidgetItem* www = nullptr;
    QTreeWidgetItem* image = nullptr;
    QTreeWidgetItem* index = nullptr;
    QTreeWidgetItem* profile = nullptr;
    QTreeWidgetItem* logo = nullptr;
    QTreeWidgetItem* photo = nullptr;

    QTreeWidgetItem* add(QTreeWidgetItem* parent, const QString& text, int image)
    {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(&tree);
        item->setText(0, text);
        tree.SetItemImage(item, image);
        tree.SetStateImage(item, kCleared);
        return item;
    }

    Tree()
    {
        web = add(nullptr, "mysite", 2);
        www = add(web, "www", 2);
        image = add(www, "image", 2);
        index = add(www, "index.html", 1);
        profile = add(www, QString::fromUtf8("プロフィール.html"), 1);
        logo = add(image, "logo.gif", 1);
        photo = add(image, "photo.jpg", 1);
        tree.expandAll();
    }

    int state(QTreeWidgetItem* item) const { return tree.GetStateImage(item); }
};

} // namespace

TEST(CheckTreeStateTest, ModesAndTheFolderRule)
{
    EXPECT_EQ(NewCheckValue(kCleared, kCheck), kChecked);
    EXPECT_EQ(NewCheckValue(kChecked, kCheck), -1);
    EXPECT_EQ(NewCheckValue(kPartly, kClear), -1);
    EXPECT_EQ(NewCheckValue(kCleared, kClear), -1);
    EXPECT_EQ(NewCheckValue(kFixedChecked, kClear), kCleared);
    EXPECT_EQ(NewCheckValue(kPartly, kToggle), kChecked);
    EXPECT_EQ(NewCheckValue(kChecked, kToggle), kCleared);
    EXPECT_EQ(NewCheckValue(kFixedChecked, kToggle), kFixedChecked);
    EXPECT_EQ(NewCheckValue(kNoCheckBox, kToggle), kNoCheckBox);
    EXPECT_EQ(NewCheckValue(kCleared, 3), -1);
    EXPECT_EQ(ParentCheckValue({kChecked, kFixedChecked, kNoCheckBox}, kCleared), kChecked);
    EXPECT_EQ(ParentCheckValue({kCleared, kNoCheckBox}, kChecked), kCleared);
    EXPECT_EQ(ParentCheckValue({kChecked, kCleared}, kCleared), kPartly);
    EXPECT_EQ(ParentCheckValue({kChecked, kPartly}, kCleared), kPartly);
    EXPECT_EQ(ParentCheckValue({kNoCheckBox}, kPartly), kPartly);
}

TEST(CheckTreeTest, CheckingAFolderChecksItsContentsAndTellsTheFoldersAbove)
{
    Tree t;
    ASSERT_TRUE(t.tree.SetCheck(t.image, kCheck));
    EXPECT_EQ(t.state(t.logo), kChecked);
    EXPECT_EQ(t.state(t.photo), kChecked);
    EXPECT_EQ(t.state(t.www), kPartly);
    EXPECT_EQ(t.state(t.web), kPartly);
    t.tree.SetCheck(t.index, kCheck);
    t.tree.SetCheck(t.profile, kCheck);
    EXPECT_EQ(t.state(t.www), kChecked);
    EXPECT_EQ(t.state(t.web), kChecked);
    // Clearing one leaves the folders partly checked; clearing the last makes them cleared.
    t.tree.SetCheck(t.photo, kClear);
    EXPECT_EQ(t.state(t.image), kPartly);
    EXPECT_EQ(t.state(t.www), kPartly);
    for (QTreeWidgetItem* item : {t.logo, t.index, t.profile})
        t.tree.SetCheck(item, kClear);
    EXPECT_EQ(t.state(t.image), kCleared);
    EXPECT_EQ(t.state(t.www), kCleared);
    EXPECT_EQ(t.state(t.web), kCleared);
    EXPECT_FALSE(t.tree.SetCheck(nullptr, kCheck));
}

TEST(CheckTreeTest, AFolderWithAPartlyCheckedFolderInsideIsNeverWhole)
{
    Tree t;
    t.tree.SetCheck(t.logo, kCheck); // image is partly checked
    t.tree.SetCheck(t.index, kCheck);
    t.tree.SetCheck(t.profile, kCheck);
    // Everything in www is checked except part of image: www is not whole.
    EXPECT_EQ(t.state(t.image), kPartly);
    EXPECT_EQ(t.state(t.www), kPartly);
    EXPECT_FALSE(t.tree.IsChecked(t.www));
}

TEST(CheckTreeTest, ClearingAPartlyCheckedFolderDoesNothingTogglingChecksIt)
{
    Tree t;
    t.tree.SetCheck(t.logo, kCheck);
    t.tree.SetCheck(t.image, kClear);
    EXPECT_EQ(t.state(t.image), kPartly);
    EXPECT_EQ(t.state(t.logo), kChecked);
    t.tree.SetCheck(t.image, kToggle);
    EXPECT_EQ(t.state(t.image), kChecked);
    EXPECT_EQ(t.state(t.photo), kChecked);
    // A fixed check stays through a toggle and counts as checked.
    t.tree.SetStateImage(t.photo, kFixedChecked);
    t.tree.SetCheck(t.photo, kToggle);
    EXPECT_EQ(t.state(t.photo), kFixedChecked);
    EXPECT_TRUE(t.tree.IsChecked(t.photo));
}

TEST(CheckTreeTest, SetStateImageTreeCoversFollowingSiblingsNotAncestors)
{
    Tree t;
    t.tree.SetStateImageTree(t.logo, kChecked);
    EXPECT_EQ(t.state(t.logo), kChecked);
    EXPECT_EQ(t.state(t.photo), kChecked);
    EXPECT_EQ(t.state(t.image), kCleared);
    t.tree.SetStateImageTree(t.index, kChecked);
    EXPECT_EQ(t.state(t.index), kChecked);
    EXPECT_EQ(t.state(t.profile), kChecked);
    EXPECT_EQ(t.state(t.logo), kChecked);
    EXPECT_EQ(t.state(t.www), kCleared);
    t.tree.SetStateImageTree(t.web, kNoCheckBox);
    EXPECT_EQ(t.state(t.logo), kNoCheckBox);
}

TEST(CheckTreeTest, ServerPathsAreFoundBelowTheBaseFolderExactly)
{
    CVornaTreeCtrl tree;
    auto* root = new QTreeWidgetItem(&tree, {"/home/user"});
    auto* www = new QTreeWidgetItem(root, {"www"});
    auto* page = new QTreeWidgetItem(www, {"index.html"});
    auto* diary = new QTreeWidgetItem(www, {QString::fromUtf8("日記")});
    EXPECT_EQ(tree.FindItemByPath(root, "/home/user/www/index.html", "/home/user"), page);
    EXPECT_EQ(tree.FindItemByPath(root, "/home/user/www/index.html", "/home/user/"), page);
    EXPECT_EQ(tree.FindItemByPath(root, QString::fromUtf8("/home/user/www/日記"), "home/user"), diary);
    // The server's root as base: the whole target is walked.
    EXPECT_EQ(tree.FindItemByPath(root, "/www/index.html", ""), page);
    for (const char* path : {"/home/user/WWW/index.html", "/home/user/www//index.html", "/home/user/www/",
                             "/home/user/www/../www/index.html", "/home/user/www/index.html/"})
        EXPECT_EQ(tree.FindItemByPath(root, path, "/home/user"), nullptr) << path;
    EXPECT_EQ(tree.FindItemByPath(nullptr, "/www", ""), nullptr);
    EXPECT_EQ(tree.FindItemByPath(root, "/home/user", "/home/user"), nullptr);
}

TEST(CheckTreeTest, NewItemsGoInOrderWithFilesAfterFolders)
{
    Tree t;
    // www holds image (a folder), then index.html and プロフィール.html (files).
    EXPECT_EQ(t.tree.FindInsertPosition(t.www, "about.html", 1), t.image);
    EXPECT_EQ(t.tree.FindInsertPosition(t.www, "menu.html", 1), t.index);
    EXPECT_EQ(t.tree.FindInsertPosition(t.www, QString::fromUtf8("漢字.html"), 1), t.profile);
    EXPECT_EQ(t.tree.FindInsertPosition(t.www, "Index.html", 1), t.index);
    EXPECT_EQ(t.tree.FindInsertPosition(t.www, "css", 2), nullptr);
    EXPECT_EQ(t.tree.FindInsertPosition(t.www, "music", 2), t.image);
    // Without folders, a file that sorts first goes first.
    EXPECT_EQ(t.tree.FindInsertPosition(t.image, "a.gif", 1), nullptr);
    EXPECT_EQ(t.tree.FindInsertPosition(t.www, "", 1), nullptr);
    EXPECT_EQ(t.tree.FindInsertPosition(nullptr, "a", 1), nullptr);
}

TEST(CheckTreeTest, ClicksAndSpaceOnTheCheckPicture)
{
    Tree t;
    t.tree.resize(300, 200);
    t.tree.show();
    QApplication::setActiveWindow(&t.tree);
    const QRect box = t.tree.StateImageRect(t.image);
    ASSERT_TRUE(box.isValid());
    QTest::mouseClick(t.tree.viewport(), Qt::LeftButton, {}, box.center());
    EXPECT_EQ(t.state(t.image), kChecked);
    EXPECT_EQ(t.state(t.photo), kChecked);
    // A double click on the picture leaves the folder open.
    QMouseEvent press(QEvent::MouseButtonDblClick, QPointF(box.center()), t.tree.viewport()->mapToGlobal(box.center()),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(t.tree.viewport(), &press);
    EXPECT_TRUE(t.image->isExpanded());
    EXPECT_EQ(t.state(t.image), kChecked);
    // A click on the text changes no check.
    QTest::mouseClick(t.tree.viewport(), Qt::LeftButton, {}, t.tree.visualItemRect(t.index).center());
    EXPECT_EQ(t.state(t.index), kCleared);
    EXPECT_EQ(t.tree.currentItem(), t.index);
    QTest::keyClick(&t.tree, Qt::Key_Space);
    EXPECT_EQ(t.state(t.index), kChecked);
}

TEST(CheckTreeTest, EnterEndsARenameWithoutPressingTheDialogsButton)
{
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    Tree t;
    t.tree.setParent(&dialog);
    layout->addWidget(&t.tree);
    auto* ok = new QPushButton("OK", &dialog);
    ok->setDefault(true);
    layout->addWidget(ok);
    bool accepted = false;
    QObject::connect(&dialog, &QDialog::accepted, [&] { accepted = true; });
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QSignalSpy renamed(&t.tree, &CVornaTreeCtrl::endLabelEdit);
    t.index->setFlags(t.index->flags() | Qt::ItemIsEditable);
    t.tree.editItem(t.index);
    auto* editor = t.tree.viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("top.html");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_FALSE(accepted);
    ASSERT_EQ(renamed.count(), 1);
    EXPECT_EQ(renamed.at(0).at(1).toString(), "top.html");
    // The owner decides: the text stays until it is set.
    EXPECT_EQ(t.index->text(0), "index.html");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    t.tree.editItem(t.index);
    editor = t.tree.viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->isVisible());
    QTest::keyClick(editor, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(renamed.count(), 1);
    t.tree.setParent(nullptr);
}

TEST(ControlsScreenshot, CheckTreeInEveryState)
{
    Tree t;
    // Pictures 1 (a file) and 2 (a folder), as the publishing dialog gives them.
    const QImage strip(":/res/controls/414.png");
    QPixmap file(16, 16);
    file.fill(Qt::transparent);
    {
        QPainter p(&file);
        p.setPen(QColor(90, 90, 90));
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(3, 1, 10, 13);
        p.setPen(QColor(60, 100, 200));
        for (int y = 4; y <= 11; y += 2)
            p.drawLine(5, y, 11, y);
    }
    t.tree.m_imageNormal = {QPixmap(), file, QPixmap::fromImage(strip.copy(18, 0, 18, 18))};
    for (QTreeWidgetItemIterator it(&t.tree); *it; ++it)
        t.tree.SetItemImage(*it, t.tree.GetItemImage(*it));
    auto* placeholder = t.add(t.web, QString::fromUtf8("（読み込み中）"), 1);
    t.tree.SetStateImage(placeholder, kNoCheckBox);
    auto* fixedItem = t.add(t.web, "project.ini", 1);
    t.tree.SetStateImage(fixedItem, kFixedChecked);
    t.tree.SetCheck(t.logo, kCheck);
    t.tree.SetCheck(t.index, kCheck);
    t.tree.resize(260, 230);
    t.tree.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(t.state(t.www), kPartly);
    const QImage picture = t.tree.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(saveForReview(picture, "check-tree.png"));
}
