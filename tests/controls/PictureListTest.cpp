// Picture icon lists and the transfer progress bar.

#include "ReviewPicture.h"

#include "controls/PictureListDelegate.h"
#include "controls/VornaIconListCtrl.h"
#include "controls/VornaListCtrl.h"
#include "controls/VornaProgress.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

namespace {

// A picture of one colour with a darker frame, saved in the format the name says.
void writePicture(const QString& path, QSize size, QColor colour, const char* format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QPainter painter(&image);
    painter.setPen(colour.darker(200));
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    painter.end();
    ASSERT_TRUE(image.save(path, format));
}

QRect iconArea(const VornaIconListCtrl& list, int row)
{
    QStyleOptionViewItem option;
    option.initFrom(list.viewport());
    option.rect = list.visualItemRect(list.item(row));
    option.features |= QStyleOptionViewItem::HasDecoration | QStyleOptionViewItem::HasDisplay;
    option.decorationSize = list.iconSize();
    option.decorationPosition = QStyleOptionViewItem::Top;
    option.displayAlignment = Qt::AlignHCenter | Qt::AlignBottom;
    option.text = list.item(row)->text();
    option.widget = &list;
    return list.style()->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, &list);
}

} // namespace

TEST(VornaIconListCtrlTest, ItemTextsNameTheirPictures)
{
    VornaIconListCtrl list;
    list.m_strFolder = "/skins/";
    EXPECT_EQ(list.GetPicturePath("counter1"), "/skins/counter1.gif");
    EXPECT_EQ(list.GetPicturePath("blue.bmp"), "/skins/blue.bmp");
    EXPECT_EQ(list.GetPicturePath("sky.jpeg"), "/skins/sky.jpeg");
    EXPECT_EQ(list.GetPicturePath(QString::fromUtf8("桜.v2")), QString::fromUtf8("/skins/桜.v2.gif"));
    list.m_strFolder = "/skins";
    EXPECT_EQ(list.GetPicturePath("a"), "/skins/a.gif");
    VornaListCtrl whole;
    whole.m_strFolder = "/pictures/";
    EXPECT_EQ(whole.GetPicturePath("counter1"), "/pictures/counter1");
}

TEST(VornaIconListCtrlTest, PicturesAreFittedIntoTheBoxAtTheirAspect)
{
    EXPECT_EQ(VornaIconListCtrl::FitPictureRect(200, 100, 32, 32), platform::Rect(0, 8, 32, 24));
    EXPECT_EQ(VornaIconListCtrl::FitPictureRect(100, 20, 80, 10), platform::Rect(15, 0, 65, 10));
    EXPECT_EQ(VornaIconListCtrl::FitPictureRect(20, 10, 80, 50), platform::Rect(30, 20, 50, 30));
    EXPECT_TRUE(VornaIconListCtrl::FitPictureRect(0, 10, 80, 50).isEmpty());
}

TEST(VornaIconListCtrlTest, EachItemShowsItsOwnPictureOrNone)
{
    QTemporaryDir dir;
    writePicture(dir.filePath("red.gif"), QSize(160, 100), QColor(220, 40, 40), "PNG");
    writePicture(dir.filePath("blue.png"), QSize(40, 40), QColor(40, 60, 220), "PNG");
    {
        QFile broken(dir.filePath("broken.gif"));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("GIF89a\x10\x00\x10\x00garbage");
    }
    VornaIconListCtrl list;
    list.m_strFolder = dir.path() + "/";
    list.setIconSize(QSize(80, 50));
    list.resize(400, 200);
    for (const char* name : {"red", "broken", "blue.png"})
        list.InsertItem(list.count(), name);
    list.show();
    QCoreApplication::processEvents();
    const QImage picture = list.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QColor base = list.palette().color(QPalette::Base);
    EXPECT_EQ(picture.pixelColor(iconArea(list, 0).center()), QColor(220, 40, 40));
    // A picture that cannot be read leaves the area as the list draws it,
    // not showing the picture of the item before.
    EXPECT_EQ(picture.pixelColor(iconArea(list, 1).center()), base);
    EXPECT_EQ(picture.pixelColor(iconArea(list, 2).center()), QColor(40, 60, 220));
    // A small picture is not enlarged.
    const QRect blue = iconArea(list, 2);
    EXPECT_EQ(picture.pixelColor(blue.center() + QPoint(25, 0)), base);
}

TEST(VornaIconListCtrlTest, HugeOrChangedPicturesAreHandled)
{
    QTemporaryDir dir;
    const QString huge = dir.filePath("huge.png");
    writePicture(huge, QSize(8200, 2), Qt::green, "PNG");
    PictureListDelegate delegate([](const QString& text) { return text; }, nullptr);
    EXPECT_TRUE(delegate.picture(huge, QSize(80, 50)).isNull());
    EXPECT_TRUE(delegate.picture(dir.filePath("missing.gif"), QSize(80, 50)).isNull());
    const QString photo = dir.filePath("photo.jpg");
    writePicture(photo, QSize(1600, 1200), QColor(250, 200, 0), "JPG");
    const QPixmap small = delegate.picture(photo, QSize(80, 50));
    EXPECT_EQ(small.size(), QSize(66, 50));
    // Another file under the same name is read again.
    writePicture(photo, QSize(400, 100), QColor(0, 120, 0), "JPG");
    QFile(photo).setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
    EXPECT_EQ(delegate.picture(photo, QSize(80, 50)).size(), QSize(80, 20));
}

TEST(VornaProgressTest, RunsFromZeroToHundredAndStartsAgain)
{
    VornaProgress bar;
    bar.SetRange(5, 500);
    EXPECT_EQ(bar.minimum(), 0);
    EXPECT_EQ(bar.maximum(), 100);
    bar.SetStep(1);
    bar.SetPos(99);
    bar.StepIt();
    EXPECT_EQ(bar.GetPos(), 100);
    bar.StepIt();
    EXPECT_EQ(bar.GetPos(), 0);
    bar.SetStep(30);
    bar.SetPos(90);
    bar.StepIt();
    EXPECT_EQ(bar.GetPos(), 19);
    bar.SetPos(250);
    EXPECT_EQ(bar.GetPos(), 100);
}

TEST(ControlsScreenshot, IconListOfSkinPictures)
{
    QTemporaryDir dir;
    const QColor colours[] = {QColor(60, 120, 220), QColor(230, 120, 160), QColor(90, 170, 90), QColor(240, 190, 60),
                              QColor(120, 100, 200)};
    const char* names[] = {"blue", "sakura", "forest", "sunny", "violet"};
    for (int i = 0; i < 5; ++i) {
        QImage image(160, 100, QImage::Format_RGB32);
        image.fill(colours[i].lighter(150));
        QPainter painter(&image);
        painter.fillRect(0, 0, 160, 18, colours[i]);
        painter.fillRect(0, 18, 34, 82, colours[i].lighter(120));
        painter.setPen(colours[i].darker(180));
        painter.drawRect(0, 0, 159, 99);
        painter.end();
        image.save(dir.filePath(QString::fromLatin1(names[i]) + ".gif"), "PNG");
    }
    VornaIconListCtrl list;
    list.m_strFolder = dir.path() + "/";
    list.setIconSize(QSize(80, 50));
    list.resize(420, 200);
    for (const char* name : names)
        list.InsertItem(list.count(), name);
    list.InsertItem(list.count(), QString::fromUtf8("クラシック"));
    list.setCurrentRow(1);
    list.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(saveForReview(list.grab().toImage().convertToFormat(QImage::Format_RGB32), "icon-list.png"));
}
