// The arrange palette: the shape data of its skin, its look from a skin or
// from the toolbars' pictures, its buttons on a real page, and its moving.

#include "dialogs/SkinRegionData.h"
#include "dialogs/VornaDialogArrangeObjects.h"

#include "commands/LayoutPage.h"
#include "controls/CVornaToolTipCtrl.h"
#include "controls/VornaBitmapButton.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QMouseEvent>
#include <QRubberBand>
#include <QTemporaryDir>
#include <QtEndian>

namespace {

QByteArray regionBlock(const QList<QRect>& rects, quint32 type = 1, int countExtra = 0)
{
    QByteArray data(32 + 16 * rects.size(), '\0');
    auto put = [&data](int at, qint32 value) { qToLittleEndian(value, data.data() + at); };
    put(0, 32);
    put(4, qint32(type));
    put(8, qint32(rects.size() + countExtra));
    put(12, qint32(16 * rects.size()));
    for (int i = 0; i < rects.size(); ++i) {
        const QRect& r = rects[i];
        put(32 + 16 * i, r.left());
        put(36 + 16 * i, r.top());
        put(40 + 16 * i, r.right() + 1);
        put(44 + 16 * i, r.bottom() + 1);
    }
    return data;
}

TEST(SkinRegionDataTest, RectanglesAreScaledAndDamagedBlocksGiveNoShape)
{
    const QByteArray block = regionBlock({QRect(0, 0, 20, 10), QRect(0, 10, 10, 10)});
    EXPECT_EQ(SkinRegionData::Parse(block, 1.0, 1.0), QRegion(0, 0, 20, 10) + QRegion(0, 10, 10, 10));
    EXPECT_EQ(SkinRegionData::Parse(block, 1.5, 0.5), QRegion(0, 0, 30, 5) + QRegion(0, 5, 15, 5));
    // Too short, of another type, counting more rectangles than it holds, too large.
    EXPECT_TRUE(SkinRegionData::Parse(block.left(31), 1.0, 1.0).isEmpty());
    EXPECT_TRUE(SkinRegionData::Parse(regionBlock({QRect(0, 0, 5, 5)}, 2), 1.0, 1.0).isEmpty());
    EXPECT_TRUE(SkinRegionData::Parse(regionBlock({QRect(0, 0, 5, 5)}, 1, 1), 1.0, 1.0).isEmpty());
    QByteArray large = regionBlock({QRect(0, 0, 5, 5)});
    large.append(QByteArray(SkinRegionData::kMaxBytes, '\0'));
    EXPECT_TRUE(SkinRegionData::Parse(large, 1.0, 1.0).isEmpty());
    // Rectangles far off every screen are left out, the others kept.
    QByteArray far = regionBlock({QRect(0, 0, 5, 5), QRect(0, 0, 5, 5)});
    qToLittleEndian(qint32(INT_MIN), far.data() + 48);
    EXPECT_EQ(SkinRegionData::Parse(far, 1.0, 1.0), QRegion(0, 0, 5, 5));
}

TEST(SkinRegionDataTest, TheOutlineIsTheEdgePixelsOfTheShape)
{
    const QRegion square(0, 0, 10, 10);
    const QRegion outline = SkinRegionData::Outline(square);
    EXPECT_EQ(outline, square.subtracted(QRegion(1, 1, 8, 8)));
    // The inner corner of an L is edge too.
    const QRegion ell = QRegion(0, 0, 20, 10) + QRegion(0, 10, 10, 10);
    const QRegion edge = SkinRegionData::Outline(ell);
    EXPECT_TRUE(edge.contains(QPoint(10, 10)) == false && edge.contains(QPoint(9, 15)) && edge.contains(QPoint(15, 9)));
    EXPECT_FALSE(edge.contains(QPoint(5, 5)));
}

// ---- the palette ------------------------------------------------------------------

class ArrangePalette : public LayoutPage
{
protected:
    // A skin of the palette's section: background, shape and two buttons' pictures.
    QString writeSkin()
    {
        const QString folder = dir.filePath(QStringLiteral("skins/blue/"));
        QDir().mkpath(folder);
        auto picture = [&folder](const QString& name, QSize size, QColor color) {
            QImage image(size, QImage::Format_RGB32);
            image.fill(color);
            image.save(folder + name);
        };
        picture(QStringLiteral("arrange.bmp"), QSize(60, 150), Qt::darkBlue);
        picture(QStringLiteral("left.bmp"), QSize(22, 20), Qt::red);
        picture(QStringLiteral("left_sel.bmp"), QSize(22, 20), Qt::darkRed);
        QFile region(folder + QStringLiteral("arrange.rgn"));
        region.open(QIODevice::WriteOnly);
        region.write(regionBlock({QRect(0, 0, 40, 100)}));
        region.close();
        QFile ini(folder + QStringLiteral("blue.skn"));
        ini.open(QIODevice::WriteOnly);
        ini.write("[DIALOGSKIN_ARRANGE]\nBkImage=arrange.bmp\nRegion=arrange.rgn\n"
                  "BtnLeftNormal=left.bmp\nBtnLeftSel=left_sel.bmp\n");
        return dir.filePath(QStringLiteral("skins/"));
    }
};

TEST_F(ArrangePalette, ASkinGivesShapeSizeAndPicturesAndTheRestShowTheToolbarsPictures)
{
    VornaDialogArrangeObjects palette;
    palette.SetSkin(writeSkin(), QStringLiteral("blue"));
    palette.OnInitDialog();
    EXPECT_EQ(palette.m_strSkinIni, palette.m_strSkinFolder + QStringLiteral("blue.skn"));
    EXPECT_EQ(palette.size(), QSize(60, 150));
    EXPECT_FALSE(palette.windowRegion().isEmpty());
    const QRect bounds = palette.windowRegion().boundingRect();
    EXPECT_EQ(bounds.topLeft(), QPoint(0, 0));
    EXPECT_GT(bounds.width(), 0);
    VornaBitmapButton* left = palette.button(ID_ALIGN_LEFT);
    ASSERT_NE(left->currentPicture(), nullptr);
    EXPECT_EQ(left->currentPicture()->pixelColor(1, 1), QColor(Qt::red));
    EXPECT_EQ(left->size(), QSize(22, 20));
    // A button the skin leaves out shows its command's picture of the toolbars.
    for (const auto& spec : VornaDialogArrangeObjects::kButtons) {
        ASSERT_NE(palette.button(spec.id), nullptr) << spec.id;
        EXPECT_NE(palette.button(spec.id)->currentPicture(), nullptr) << spec.id;
    }
    // The tooltips: the bottom one without its line break, none on the close button.
    auto* tips = palette.findChild<CVornaToolTipCtrl*>();
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(tips->GetText(palette.button(ID_ALIGN_BOTTOM)), QStringLiteral("下揃え"));
    EXPECT_EQ(tips->GetText(palette.button(ID_DISTRIBUTE_VERTICALLY)), QStringLiteral("上下均等割付け"));
    EXPECT_TRUE(tips->GetText(palette.button(VornaDialogArrangeObjects::kCloseId)).isEmpty());
}

TEST_F(ArrangePalette, WithoutASkinThePaletteHasNoShapeAndStillShowsEveryButton)
{
    VornaDialogArrangeObjects palette;
    palette.SetSkin(dir.filePath(QStringLiteral("none/")), QStringLiteral("missing"));
    palette.OnInitDialog();
    EXPECT_TRUE(palette.windowRegion().isEmpty());
    for (const auto& spec : VornaDialogArrangeObjects::kButtons)
        EXPECT_NE(palette.button(spec.id)->currentPicture(), nullptr) << spec.id;
    EXPECT_GT(palette.width(), 0);
}

TEST_F(ArrangePalette, ItsButtonsAlignAndSpaceTheSelectedObjectsAndCloseHidesIt)
{
    openObjects(object("a", 30, 40, 100, 20) + object("b", 10, 90, 60, 20) + object("c", 20, 140, 40, 20));
    selectObjects({"a", "b", "c"});
    VornaDialogArrangeObjects palette;
    palette.OnInitDialog();
    palette.show();
    palette.button(ID_ALIGN_LEFT)->click();
    EXPECT_EQ(lefts({"a", "b", "c"}), QStringList({"10px", "10px", "10px"}));
    palette.button(ID_ALIGN_BOTTOM)->click();
    EXPECT_EQ(tops({"a", "b", "c"}), QStringList({"140px", "140px", "140px"}));
    palette.button(ID_ALIGN_TOP)->click();
    palette.button(ID_DISTRIBUTE_VERTICALLY)->click();
    palette.button(ID_DISTRIBUTE_HORIZONTALLY)->click();
    EXPECT_TRUE(pageChanged());
    EXPECT_TRUE(palette.isVisible());
    palette.button(VornaDialogArrangeObjects::kCloseId)->click();
    EXPECT_FALSE(palette.isVisible());
}

TEST_F(ArrangePalette, DraggingTheBodyMovesThePaletteWhereItsOutlineStood)
{
    VornaDialogArrangeObjects palette;
    palette.OnInitDialog();
    palette.move(100, 100);
    palette.show();
    const QPoint start = palette.mapToGlobal(QPoint(2, 2));
    auto send = [&palette](QEvent::Type type, QPoint global, Qt::MouseButtons buttons) {
        QMouseEvent event(type, palette.mapFromGlobal(global), global, Qt::LeftButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(&palette, &event);
    };
    const QPoint before = palette.frameGeometry().topLeft();
    const QSize size = palette.size();
    send(QEvent::MouseButtonPress, start, Qt::LeftButton);
    send(QEvent::MouseMove, start + QPoint(30, 40), Qt::LeftButton);
    auto* outline = palette.findChild<QRubberBand*>();
    EXPECT_EQ(outline, nullptr); // a window of its own, over everything
    send(QEvent::MouseMove, start + QPoint(50, 60), Qt::LeftButton);
    // Not moved until released.
    EXPECT_EQ(palette.frameGeometry().topLeft(), before);
    send(QEvent::MouseButtonRelease, start + QPoint(50, 60), Qt::NoButton);
    EXPECT_EQ(palette.frameGeometry().topLeft(), before + QPoint(50, 60));
    EXPECT_EQ(palette.size(), size);
}

} // namespace
