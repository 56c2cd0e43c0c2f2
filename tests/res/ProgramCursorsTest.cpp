// The program's own cursors: each one's picture and hot spot, and a sheet of
// all of them for people to look at.

#include "platform/ProgramCursors.h"

#include "controls/ReviewPicture.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using platform::ProgramCursors;

constexpr int kCursorIds[] = {270, 499, 518, 529, 553, 692};

TEST(ProgramCursors, EachLoadsAt32By32WithItsHotSpot)
{
    for (int id : kCursorIds) {
        SCOPED_TRACE(id);
        ASSERT_TRUE(ProgramCursors::exists(id));
        const QCursor cursor = ProgramCursors::cursor(id);
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
        EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
        // The copy cursor points with its arrow tip, the tools at their crosshair's centre.
        const QPoint spot = id == 270 ? QPoint(0, 0) : QPoint(15, 15);
        EXPECT_EQ(cursor.hotSpot(), spot);
        // Black drawn on white: the hot spot of a crosshair is black, and
        // every drawn pixel is opaque black or white.
        const QImage image = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(image.pixel(spot), qRgba(0, 0, 0, 255));
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const QRgb p = image.pixel(x, y);
                if (qAlpha(p) != 0) {
                    ASSERT_TRUE(p == qRgb(0, 0, 0) || p == qRgb(255, 255, 255)) << x << "," << y;
                }
            }
        }
    }
}

TEST(ProgramCursors, AMissingCursorIsTheArrow)
{
    EXPECT_FALSE(ProgramCursors::exists(1));
    EXPECT_EQ(ProgramCursors::cursor(1).shape(), Qt::ArrowCursor);
    EXPECT_EQ(ProgramCursors::hotSpot(1), QPoint(-1, -1));

    // A picture without a hot spot, and a table whose entries are broken.
    QTemporaryDir dir;
    QFile table(dir.filePath(QStringLiteral("cursors.json")));
    ASSERT_TRUE(table.open(QIODevice::WriteOnly));
    table.write(R"({"5": [1], "6": ["a", 2], "x": [1, 1], "7": [3, 4]})");
    table.close();
    QPixmap picture(32, 32);
    picture.fill(Qt::black);
    for (int id : {5, 6, 8})
        ASSERT_TRUE(picture.save(dir.filePath(QStringLiteral("%1.png").arg(id))));
    for (int id : {5, 6, 7, 8})
        EXPECT_FALSE(ProgramCursors::exists(id, dir.path())) << id;
    EXPECT_EQ(ProgramCursors::hotSpot(7, dir.path()), QPoint(3, 4));
    EXPECT_EQ(ProgramCursors::cursor(5, dir.path()).shape(), Qt::ArrowCursor);
}

// The six cursors at their size and four times enlarged, on white and on
// dark grey, each with its hot spot marked in red on the enlarged copy.
TEST(ProgramCursors, SheetForReview)
{
    constexpr int kScale = 4;
    constexpr int kCell = 32 * kScale + 60;
    QImage sheet(kCell * 6, kCell * 2, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    p.fillRect(0, kCell, sheet.width(), kCell, QColor(0x40, 0x40, 0x40));
    for (int i = 0; i < 6; ++i) {
        const int id = kCursorIds[i];
        const QCursor cursor = ProgramCursors::cursor(id);
        for (int row = 0; row < 2; ++row) {
            const QPoint origin(i * kCell + 10, row * kCell + 10);
            p.setPen(row == 0 ? Qt::black : Qt::white);
            p.drawText(origin + QPoint(0, 10), QString::number(id));
            p.drawPixmap(origin + QPoint(0, 20), cursor.pixmap());
            const QRect big(origin + QPoint(40, 20), QSize(32 * kScale, 32 * kScale));
            p.drawPixmap(big, cursor.pixmap());
            p.fillRect(QRect(big.topLeft() + cursor.hotSpot() * kScale, QSize(kScale, kScale)), Qt::red);
        }
    }
    p.end();
    EXPECT_TRUE(saveForReview(sheet, QStringLiteral("cursor-sheet.png")));
}

} // namespace
