#include "images/CVornaImageListCtrl.h"
#include "images/CVornaImageListThread.h"
#include "images/CVornaListCtrlImage.h"
#include "images/ImageTestFiles.h"

#include "platform/DataRoot.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

using Marks = std::vector<std::pair<int, qint64>>;

TEST(ThumbnailLoader, MarksSetStatesBeforeAnyThumbnail)
{
    EXPECT_EQ(CVornaImageListThread::PreMarks(5, {0, 7, 9}), (Marks{{0, 1}, {1, 1}, {2, 1}}));
    EXPECT_EQ(CVornaImageListThread::PreMarks(10, {3, 1, 105, 107}), (Marks{{0, 3}, {1, 1}, {5, 1}, {7, 1}}));
    EXPECT_TRUE(CVornaImageListThread::PreMarks(0, {3, 1}).empty());
    EXPECT_TRUE(CVornaImageListThread::PreMarks(4, {}).empty());
    // Marks beyond the list are left out.
    EXPECT_EQ(CVornaImageListThread::PreMarks(2, {0, 0, 0}), (Marks{{0, 1}, {1, 1}}));
    EXPECT_EQ(CVornaImageListThread::PreMarks(3, {2, 150}), (Marks{{0, 2}}));
}

class ThumbnailListTest : public ::testing::Test
{
protected:
    ThumbnailListTest()
    {
        list.resize(200, 200);
        list.m_strFolder = dir.path() + QLatin1Char('/');
    }

    // Pictures p000.jpg ... of distinct colours, listed with the placeholder.
    void fill(int count, QStringList extra = {})
    {
        QStringList names;
        for (int i = 0; i < count; ++i) {
            const QString name = QStringLiteral("p%1.jpg").arg(i, 3, 10, QLatin1Char('0'));
            QImage image(80, 40, QImage::Format_RGB32);
            image.fill(QColor::fromHsv((i * 37) % 360, 200, 200));
            imagetest::save(dir.path(), name, imagetest::jpeg(image));
            names << name;
        }
        names << extra;
        list.SetItems(names, CVornaImageListCtrl::PlaceholderPicture);
        list.show();
        QApplication::processEvents();
    }

    bool waitUntilLoaded(int ms = 20000)
    {
        QElapsedTimer timer;
        timer.start();
        while (list.IsLoading() && timer.elapsed() < ms)
            QTest::qWait(5);
        QApplication::processEvents();
        QApplication::processEvents();
        return !list.IsLoading();
    }

    int itemsWithState(qint64 state) const
    {
        int n = 0;
        for (int i = 0; i < list.GetItemCount(); ++i)
            n += list.GetItemData(i) == state ? 1 : 0;
        return n;
    }

    QTemporaryDir dir;
    CVornaImageListCtrl list;
};

TEST_F(ThumbnailListTest, EveryPictureGetsItsOwnThumbnailAndMarkedItemsKeepTheirs)
{
    EXPECT_EQ(list.listModel()->pictureCount(), 5);
    imagetest::save(dir.path(), "broken.png", "not a picture");
    fill(6, {QStringLiteral("broken.png"), QStringLiteral("folder")});
    list.InsertItem(0, QStringLiteral("sub"), CVornaImageListCtrl::FolderPicture);
    list.StartLoading({100});
    ASSERT_TRUE(waitUntilLoaded());
    EXPECT_EQ(list.GetItemData(0), 1); // marked
    EXPECT_EQ(list.GetItemImage(0), int(CVornaImageListCtrl::FolderPicture));
    for (int i = 1; i <= 7; ++i) {
        EXPECT_EQ(list.GetItemData(i), 2) << i;
        EXPECT_GE(list.GetItemImage(i), 5) << i;
    }
    // Each tile shows its own picture; the broken one a white tile.
    const QImage first = list.listModel()->picture(list.GetItemImage(1)).toImage();
    EXPECT_EQ(first.size(), QSize(60, 60));
    EXPECT_NE(first.pixel(30, 30), list.listModel()->picture(list.GetItemImage(2)).toImage().pixel(30, 30));
    EXPECT_EQ(list.listModel()->picture(list.GetItemImage(7)).toImage().pixel(30, 30), qRgb(255, 255, 255));
    // A name without an extension is left as it is, and the run still ends.
    EXPECT_EQ(list.GetItemData(8), 0);
    EXPECT_EQ(list.GetItemImage(8), int(CVornaImageListCtrl::PlaceholderPicture));
    EXPECT_EQ(list.listModel()->pictureCount(), 5 + 7);
}

TEST_F(ThumbnailListTest, OnlyTheLastOfTwoRunsSetsPicturesAndAStopBeforeTheRunLeavesAllWaiting)
{
    fill(20);
    list.StartLoading();
    const int firstGeneration = list.generation();
    list.StartLoading();
    EXPECT_GT(list.generation(), firstGeneration);
    ASSERT_TRUE(waitUntilLoaded());
    EXPECT_EQ(itemsWithState(2), 20);
    // No tile of the first run came in: one picture per item.
    EXPECT_EQ(list.listModel()->pictureCount(), 5 + 20);

    // A stop right after the start: nothing arrives.
    list.SetItems(list.listModel()->count() ? QStringList{QStringLiteral("p000.jpg"), QStringLiteral("p001.jpg")}
                                            : QStringList(),
                  CVornaImageListCtrl::PlaceholderPicture);
    const int pictures = list.listModel()->pictureCount();
    list.StartLoading();
    list.StopLoading();
    EXPECT_FALSE(list.IsLoading());
    QTest::qWait(200);
    EXPECT_EQ(itemsWithState(0), 2);
    EXPECT_EQ(list.listModel()->pictureCount(), pictures);
}

TEST_F(ThumbnailListTest, ScrollingToTheEndLoadsTheVisibleRowsFirstThenTheSkippedOnes)
{
    fill(300);
    ASSERT_GT(list.verticalScrollBar()->maximum(), 0);
    list.StartLoading();
    list.verticalScrollBar()->setValue(list.verticalScrollBar()->maximum());
    const int firstVisible = list.FirstVisibleItem();
    EXPECT_GT(firstVisible, 280);
    // Without the list handling its messages the loader stops after a few:
    // they must be the visible ones.
    QThread::msleep(300);
    QApplication::processEvents();
    EXPECT_EQ(list.GetItemData(299), 2);
    EXPECT_EQ(list.GetItemData(firstVisible), 2);
    EXPECT_EQ(list.GetItemData(150), 0);
    ASSERT_TRUE(waitUntilLoaded());
    EXPECT_EQ(itemsWithState(2), 300);
    EXPECT_EQ(list.listModel()->pictureCount(), 5 + 300);
}

TEST_F(ThumbnailListTest, AListDestroyedWhileLoadingWaitsForItsWorker)
{
    fill(40);
    auto other = std::make_unique<CVornaImageListCtrl>();
    other->m_strFolder = list.m_strFolder;
    for (int i = 0; i < 40; ++i)
        other->InsertItem(i, list.GetItemText(i), 0);
    other->StartLoading();
    other->StartLoading();
    other.reset();
    QTest::qWait(50); // nothing arrives at a list that is gone
}

TEST(SynchronousThumbnailList, ItemsLoadWhenFirstPaintedAndUnreadablePicturesKeepThePlaceholder)
{
    EXPECT_EQ(CVornaListCtrlImage::PicturePath(QStringLiteral("/d"), QStringLiteral("banner01")),
              QStringLiteral("/d/banner01.gif"));
    EXPECT_EQ(CVornaListCtrlImage::PicturePath(QStringLiteral("/d/"), QStringLiteral("photo.jpeg")),
              QStringLiteral("/d/photo.jpeg"));
    EXPECT_EQ(CVornaListCtrlImage::PicturePath(QStringLiteral("/d/"), QStringLiteral("photo.png")),
              QStringLiteral("/d/photo.png"));
    EXPECT_EQ(CVornaListCtrlImage::PicturePath(QStringLiteral("/d/"), QStringLiteral("a.b.tiff2")),
              QStringLiteral("/d/a.b.tiff2.gif"));

    QTemporaryDir dir;
    const QList<QRgb> palette = {qRgb(0, 0, 255), qRgb(255, 255, 0)};
    imagetest::save(dir.path(), "banner01.gif", imagetest::gif(600, 100, palette, QByteArray(60000, '\x00')));
    imagetest::save(dir.path(), "photo.jpeg", imagetest::jpeg(imagetest::pattern(40, 600)));
    imagetest::save(dir.path(), "broken.png", "no picture");
    // The placeholder: a white tile without Bin/default.bmp.
    QDialog dialog;
    auto* list = new CVornaListCtrlImage(&dialog);
    list->SetThumbnailWidth(300);
    list->SetThumbnailHeight(100);
    list->m_strFolder = dir.path() + QLatin1Char('/');
    (new QVBoxLayout(&dialog))->addWidget(list);
    for (const char* name : {"banner01", "photo.jpeg", "broken.png"})
        list->InsertItem(list->GetItemCount(), QString::fromLatin1(name));
    EXPECT_EQ(list->listModel()->picture(0).toImage().pixel(150, 50), qRgb(255, 255, 255));
    dialog.resize(800, 300);
    dialog.show();
    QElapsedTimer timer;
    timer.start();
    while ((list->GetItemData(0) == 0 || list->LoadsWaiting() > 0 || list->GetItemImage(1) == 0) &&
           timer.elapsed() < 10000)
        QTest::qWait(5);
    QTest::qWait(20);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(list->GetItemData(i), 1) << i;
    // 600 x 100 in 300 x 100: stretched to 300 x 50, centred.
    const QImage banner = list->listModel()->picture(list->GetItemImage(0)).toImage();
    EXPECT_EQ(banner.pixel(150, 50), qRgb(0, 0, 255));
    EXPECT_EQ(banner.pixel(150, 20), qRgb(255, 255, 255));
    EXPECT_NE(list->GetItemImage(1), 0);
    EXPECT_EQ(list->GetItemImage(2), 0);

    // With Bin/default.bmp, picture 0 is its thumbnail.
    QImage grey(20, 20, QImage::Format_RGB32);
    grey.fill(QColor(128, 128, 128));
    QDir().mkpath(platform::dataRoot() + QStringLiteral("/Bin"));
    ASSERT_TRUE(grey.save(platform::dataRoot() + QStringLiteral("/Bin/default.bmp"), "BMP"));
    list->BuildImageList();
    EXPECT_EQ(list->listModel()->picture(0).toImage().pixel(150, 50), qRgb(128, 128, 128));
    EXPECT_EQ(list->GetItemData(0), 0); // loads again at its next paint
    QFile::remove(platform::dataRoot() + QStringLiteral("/Bin/default.bmp"));
}

} // namespace
