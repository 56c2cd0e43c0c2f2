#include "controls/SysColors.h"
#include "platform/DataRoot.h"
#include "platform/ModalResponder.h"
#include "skins/SkinRecordPainters.h"
#include "skins/VornaSkinData.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>

using platform::ModalResponder;

namespace {

// A skin folder of its own below the data root's skins folder, removed after the test.
class SkinFolder
{
public:
    explicit SkinFolder(const QString& name) : m_name(name)
    {
        m_path = platform::installPath(QStringLiteral("Bin/skins")) + u'/' + name;
        QDir(m_path).removeRecursively();
        QDir().mkpath(m_path);
    }
    ~SkinFolder() { QDir(m_path).removeRecursively(); }

    void write(const QString& fileName, const QByteArray& bytes) const
    {
        QFile file(m_path + u'/' + fileName);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void skn(const QByteArray& text) const { write(QStringLiteral("skin.skn"), text); }
    // A BMP picture of w x h in one colour, or drawn by the caller.
    void bmp(const QString& fileName, const QImage& image) const
    {
        ASSERT_TRUE(image.save(m_path + u'/' + fileName, "BMP"));
    }
    void bmp(const QString& fileName, int w, int h, QColor colour = Qt::gray) const
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        bmp(fileName, image);
    }
    const QString& name() const { return m_name; }
    const QString& path() const { return m_path; }

private:
    QString m_name;
    QString m_path;
};

// A frame section whose caption is the picture "cap.bmp".
QByteArray frameSection(const char* section, const QByteArray& extra = {})
{
    return QByteArray("[") + section + "]\nCAPTION_IMAGE=cap.bmp\n" + extra + "\n";
}

QRgb pixel(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

} // namespace

TEST(VornaSkinDataFile, VersionsBelowTwoAndBrokenVersionsAreRefusedWithTheMessage)
{
    SkinFolder folder(QStringLiteral("versions"));
    folder.bmp(QStringLiteral("cap.bmp"), 40, 20);
    for (const QByteArray& version : {QByteArray("1.9"), QByteArray("abc"), QByteArray("")}) {
        folder.skn("[SKIN]\nVER=" + version + "\n" + frameSection("MAINFRAME"));
        ModalResponder responder;
        responder.answerMessageBox(1, QStringLiteral("Skin version is old"));
        VornaSkinData data;
        EXPECT_FALSE(data.LoadSkin(folder.name())) << version.constData();
        EXPECT_FALSE(data.m_pMainFrame->IsUsable());
        EXPECT_EQ(responder.pending(), 0);
    }
    {
        // A folder without a skin file reads as a file without a version.
        ModalResponder responder;
        responder.answerMessageBox(1, QStringLiteral("Skin version is old"));
        VornaSkinData data;
        EXPECT_FALSE(data.LoadSkin(QStringLiteral("no-such-skin")));
    }
    folder.skn("[skin]\nver=2.0\n" + frameSection("MAINFRAME"));
    VornaSkinData data;
    EXPECT_TRUE(data.LoadSkin(folder.name()));
    EXPECT_TRUE(data.m_pMainFrame->IsUsable());
}

TEST(VornaSkinDataFile, NamesThatLeaveTheSkinsFolderAreRefusedWithoutReadingAnything)
{
    VornaSkinData data;
    for (const QString& name : {QStringLiteral(".."), QStringLiteral("../metal"), QStringLiteral("a/b"),
                                QStringLiteral("a\\b"), QStringLiteral("")}) {
        EXPECT_FALSE(VornaSkinData::IsValidSkinName(name)) << qPrintable(name);
        EXPECT_FALSE(data.LoadSkin(name)) << qPrintable(name);
    }
    EXPECT_TRUE(data.m_strSkinFolder.isEmpty());
    EXPECT_TRUE(VornaSkinData::IsClassic(QStringLiteral("Classic")));
}

TEST(VornaSkinDataFile, ColoursNumbersAndMissingKeysTakeTheirDefaults)
{
    SkinFolder folder(QStringLiteral("defaults"));
    folder.bmp(QStringLiteral("cap.bmp"), 40, 20);
    folder.skn("[SKIN]\nVER=2.5\n[COMMON]\nCOLOR_3DFACE=10,20\nCOLOR_3DSHADOW= 1 , 2 ,3\nCOLOR_3DLIGHT=300,-1,7\n"
               "BKGND_PATTERN_ON=1\nBKGND_PATTERN_IMAGE=missing.bmp\n" +
               frameSection("MAINFRAME", "CAPTION_THICKNESS=-5\nLEFT_IMAGE=cap.bmp\nLEFT_THICKNESS=100000\n"
                                         "CAPTION_TEXT_FONT=Sans Serif Bold\nCAPTION_TEXT_POSITION=7\n") +
               frameSection("DIALOG", "CAPTION_THICKNESS=18\n"));
    VornaSkinData data;
    ASSERT_TRUE(data.LoadSkin(folder.name()));
    EXPECT_EQ(data.m_face, platform::rgb(10, 20, 0));
    // Blanks before a number are skipped, those before a comma end the value.
    EXPECT_EQ(data.m_shadow, platform::rgb(1, 0, 0));
    EXPECT_EQ(data.m_light, platform::rgb(300 & 0xFF, 0xFF, 7));
    EXPECT_EQ(data.m_highlight, GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(data.m_nControlStyle, 0);
    // A pattern whose picture is missing leaves the plain face.
    EXPECT_FALSE(data.m_bPatternOn);

    const VornaFrameSkin& main = *data.m_pMainFrame;
    EXPECT_EQ(main.m_caption.thickness, 22);
    EXPECT_EQ(main.m_left.thickness, 22);
    EXPECT_EQ(main.m_left.stretchStyle, 1);
    EXPECT_TRUE(main.m_right.image.isNull());
    EXPECT_EQ(main.m_captionFontName, QStringLiteral("Sans"));
    EXPECT_EQ(main.m_captionTextPosition, QPoint(7, 0));
    EXPECT_EQ(main.m_nButtonCount, 0);
    EXPECT_TRUE(main.m_region.isEmpty());
    // Frames without a section of their own take the main frame's; a section
    // of their own still inherits the main frame's title settings.
    EXPECT_EQ(data.m_pChildFrame->m_caption.thickness, 22);
    EXPECT_EQ(data.m_pMiniFrame->m_captionFontName, QStringLiteral("Sans"));
    EXPECT_EQ(data.m_pDialog->m_caption.thickness, 18);
    EXPECT_EQ(data.m_pDialog->m_captionFontName, QStringLiteral("Sans"));
    EXPECT_EQ(data.m_pDialog->m_captionTextPosition, QPoint(7, 0));
    // The MDI area without a picture takes the shadow colour.
    EXPECT_EQ(data.m_mdiBrush.color(), platform::toQColor(data.m_shadow));
}

TEST(VornaSkinDataFile, PicturesOutsideTheFolderOrNotBitmapsOrHugeAreNotLoaded)
{
    SkinFolder folder(QStringLiteral("pictures"));
    SkinFolder other(QStringLiteral("other"));
    other.bmp(QStringLiteral("cap.bmp"), 40, 20);
    folder.bmp(QStringLiteral("cap.bmp"), 40, 20);
    folder.bmp(QStringLiteral("wide.bmp"), 30000, 1);
    QImage png(40, 20, QImage::Format_RGB32);
    png.fill(Qt::red);
    ASSERT_TRUE(png.save(folder.path() + QStringLiteral("/png.bmp"), "PNG"));
    QFile cut(folder.path() + QStringLiteral("/cut.bmp"));
    {
        QFile whole(folder.path() + QStringLiteral("/cap.bmp"));
        ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
        ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
        cut.write(whole.read(60));
        cut.close();
    }
    for (const QByteArray& file :
         {QByteArray("../other/cap.bmp"), other.path().toUtf8() + "/cap.bmp", QByteArray("png.bmp"),
          QByteArray("wide.bmp"), QByteArray("cut.bmp"), QByteArray("missing.bmp")}) {
        // Without its main frame's caption the skin is refused with a message,
        // the skin read before it left as it was.
        VornaSkinData data;
        folder.skn("[SKIN]\nVER=2\n" + frameSection("MAINFRAME"));
        ASSERT_TRUE(data.LoadSkin(folder.name()));
        folder.skn("[SKIN]\nVER=2\n[COMMON]\nCOLOR_3DFACE=1,2,3\n[MAINFRAME]\nCAPTION_IMAGE=" + file + "\n" +
                   frameSection("DIALOG"));
        ModalResponder responder;
        responder.answerMessageBox(1, QStringLiteral("Skin caption image cannot be read"));
        EXPECT_FALSE(data.LoadSkin(folder.name())) << file.constData();
        EXPECT_EQ(responder.pending(), 0) << file.constData();
        EXPECT_TRUE(data.m_pMainFrame->IsUsable());
        EXPECT_NE(data.m_face, platform::rgb(1, 2, 3));
    }
}

TEST(VornaSkinDataFile, CaptionButtonsAreBoundedAndAllGoWhenOnePictureFails)
{
    SkinFolder folder(QStringLiteral("buttons"));
    folder.bmp(QStringLiteral("cap.bmp"), 40, 20);
    folder.bmp(QStringLiteral("btn.bmp"), 64, 16);
    folder.skn("[SKIN]\nVER=2\n" +
               frameSection("MAINFRAME", "BTN_COUNT=1000000\nBTN1_IMAGE=btn.bmp\nBTN1_WIDTH=16\n"
                                         "BTN1_POS=4,3\nTRANSPARENT_COLOR=255,0,255\n") +
               frameSection("CHILDFRAME", "BTN_COUNT=2\nBTN1_IMAGE=btn.bmp\nBTN2_IMAGE=gone.bmp\n"));
    VornaSkinData data;
    ASSERT_TRUE(data.LoadSkin(folder.name()));
    const VornaFrameSkin& main = *data.m_pMainFrame;
    ASSERT_EQ(main.m_nButtonCount, 8);
    ASSERT_EQ(main.m_buttons.size(), 8u);
    EXPECT_EQ(main.m_buttons[0].width, 16);
    EXPECT_EQ(main.m_buttons[0].xOffset, 4);
    EXPECT_EQ(main.m_buttons[0].y, 3);
    EXPECT_EQ(main.m_buttons[0].transparent, platform::rgb(255, 0, 255));
    EXPECT_TRUE(main.m_buttons[1].image.isNull());
    EXPECT_EQ(data.m_pChildFrame->m_nButtonCount, 0);
    EXPECT_TRUE(data.m_pChildFrame->m_buttons.empty());
}

TEST(VornaSkinDataFile, TheShippedSkinsLoadWithEverySection)
{
    const QString skins = platform::installPath(QStringLiteral("Bin/skins"));
    platform::fillDataRoot(platform::shareDir() + QStringLiteral("/Bin/skins"), skins);
    VornaSkinData metal;
    ASSERT_TRUE(metal.LoadSkin(QStringLiteral("metal")));
    EXPECT_EQ(metal.m_nControlStyle, 1);
    EXPECT_TRUE(metal.m_bPatternOn);
    EXPECT_FALSE(metal.m_mdiImage.isNull());
    for (const VornaFrameSkin* frame :
         {metal.m_pMainFrame.get(), metal.m_pChildFrame.get(), metal.m_pDialog.get(), metal.m_pMiniFrame.get()}) {
        EXPECT_TRUE(frame->IsUsable());
        EXPECT_FALSE(frame->m_region.isEmpty());
        EXPECT_FALSE(frame->m_bottom.image.isNull());
    }
    EXPECT_EQ(metal.m_pMiniFrame->m_caption.thickness, 20);
    EXPECT_FALSE(metal.m_checkBox.image.isNull());
    EXPECT_FALSE(metal.m_rollUpButton.image.isNull());

    VornaSkinData spring;
    ASSERT_TRUE(spring.LoadSkin(QStringLiteral("Spring")));
    EXPECT_EQ(spring.m_nControlStyle, 0);
    EXPECT_TRUE(spring.m_mdiImage.isNull());
    // Spring has no floating-bar frame: the main frame's stands in.
    EXPECT_EQ(spring.m_pMiniFrame->m_caption.thickness, spring.m_pMainFrame->m_caption.thickness);
    EXPECT_NE(spring.m_face, metal.m_face);
    EXPECT_TRUE(QFile::exists(skins + QStringLiteral("/classic.gif")));
}

TEST(VornaSkinDataFile, WhatASkinLeavesOutIsNotTakenFromTheSkinBeforeIt)
{
    platform::fillDataRoot(platform::shareDir() + QStringLiteral("/Bin/skins"),
                           platform::installPath(QStringLiteral("Bin/skins")));
    SkinFolder bare(QStringLiteral("bare"));
    bare.bmp(QStringLiteral("cap.bmp"), 40, 20);
    bare.skn("[SKIN]\nVER=2.0\n" + frameSection("MAINFRAME"));
    VornaSkinData data;
    ASSERT_TRUE(data.LoadSkin(QStringLiteral("metal")));
    ASSERT_FALSE(data.m_imageButton.image.isNull());
    ASSERT_TRUE(data.LoadSkin(bare.name()));
    // Read after metal, the bare skin is what it is after a start.
    VornaSkinData fresh;
    ASSERT_TRUE(fresh.LoadSkin(bare.name()));
    for (const VornaSkinData* skin : {&data, &fresh}) {
        EXPECT_TRUE(skin->m_imageButton.image.isNull());
        EXPECT_TRUE(skin->m_button.image.isNull());
        EXPECT_TRUE(skin->m_checkBox.image.isNull());
        EXPECT_TRUE(skin->m_rollUpButton.image.isNull());
        EXPECT_TRUE(skin->m_mdiImage.isNull());
        EXPECT_FALSE(skin->m_bPatternOn);
        EXPECT_TRUE(skin->m_pMainFrame->IsUsable());
        EXPECT_TRUE(skin->m_pMainFrame->m_left.image.isNull());
        EXPECT_TRUE(skin->m_pMainFrame->m_region.isEmpty());
        EXPECT_TRUE(skin->m_pMainFrame->m_buttons.empty());
    }
}

TEST(SkinRegion, OutlinesFromPictures)
{
    QImage all(20, 10, QImage::Format_RGB32);
    all.fill(QColor(255, 0, 255));
    EXPECT_TRUE(BitmapToRegion(all, platform::rgb(255, 0, 255), true).isEmpty());
    EXPECT_EQ(BitmapToRegion(all, platform::rgb(255, 0, 255), false).boundingRect(), QRect(0, 0, 20, 10));
    EXPECT_TRUE(BitmapToRegion(QImage(), 0, true).isEmpty());

    // A checkerboard of 100 x 100 has 5,000 runs: more than one batch.
    QImage board(100, 100, QImage::Format_RGB32);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            board.setPixel(x, y, (x + y) % 2 ? qRgb(255, 0, 255) : qRgb(0, 0, 0));
    const QRegion region = BitmapToRegion(board, platform::rgb(255, 0, 255), true);
    EXPECT_TRUE(region.contains(QPoint(0, 0)));
    EXPECT_FALSE(region.contains(QPoint(1, 0)));
    EXPECT_TRUE(region.contains(QPoint(99, 99)));
    EXPECT_FALSE(region.contains(QPoint(98, 99)));
    int area = 0;
    for (const QRect& r : region)
        area += r.width() * r.height();
    EXPECT_EQ(area, 5000);
}

TEST(SkinRegion, StretchingGrowsWhatCrossesTheMiddleAndMovesWhatLiesBeyond)
{
    // A 60 x 60 outline with the top-right corner cut.
    QRegion outline = QRegion(0, 0, 60, 60) - QRegion(57, 0, 3, 3);
    const QRegion wide = StretchRegion(outline, QSize(60, 60), QSize(160, 100), QSize(50, 30));
    EXPECT_EQ(wide.boundingRect(), QRect(0, 0, 160, 100));
    EXPECT_FALSE(wide.contains(QPoint(158, 1)));
    EXPECT_TRUE(wide.contains(QPoint(156, 1)));
    EXPECT_TRUE(wide.contains(QPoint(159, 99)));
    // Never smaller than what the middle covers.
    EXPECT_EQ(StretchRegion(outline, QSize(60, 60), QSize(10, 10), QSize(60, 60)).boundingRect(), QRect(0, 0, 60, 60));
    EXPECT_TRUE(StretchRegion(QRegion(), QSize(1, 1), QSize(5, 5), QSize(1, 1)).isEmpty());
}

TEST(SkinRecordPainters, FramePartsShowTheirActiveOrInactiveLook)
{
    SkinFramePart caption;
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QPainter(&picture).fillRect(0, 10, 30, 10, Qt::green);
    caption.image.Attach(picture);
    caption.thickness = 10;
    caption.stretchStart = -4; // outside the picture: clamped
    caption.stretchEnd = 400;
    QImage target(100, 10, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        QPainter dc(&target);
        DrawFramePart(caption, dc, QPoint(0, 0), 50, true, true);
        DrawFramePart(caption, dc, QPoint(50, 0), 50, true, false);
    }
    EXPECT_EQ(pixel(target, 10, 5), qRgb(0, 0, 255) & 0xFFFFFF);
    EXPECT_EQ(pixel(target, 90, 9), qRgb(0, 255, 0) & 0xFFFFFF);

    // A side as wide as its thickness has one look only.
    SkinFramePart side;
    QImage strip(4, 8, QImage::Format_RGB32);
    strip.fill(Qt::red);
    side.image.Attach(strip);
    side.thickness = 4;
    QImage column(4, 40, QImage::Format_RGB32);
    column.fill(Qt::white);
    {
        QPainter dc(&column);
        DrawFramePart(side, dc, QPoint(0, 0), 40, false, false);
    }
    EXPECT_EQ(pixel(column, 2, 39), qRgb(255, 0, 0) & 0xFFFFFF);
}

TEST(SkinRecordPainters, StatesChooseTheirCells)
{
    EXPECT_EQ(SkinButtonCell(3), 4);
    EXPECT_EQ(SkinButtonCell(4), 3);
    EXPECT_EQ(SkinButtonCell(5), -1);
    EXPECT_EQ(SkinMarkCell(0, true), 0);
    EXPECT_EQ(SkinMarkCell(1, false), 7);
    EXPECT_EQ(SkinMarkCell(4, true), 4);
    EXPECT_EQ(SkinMarkCell(3, false), 3);
    EXPECT_EQ(SkinMarkCell(kMarkIndeterminate, false), 8);
    EXPECT_EQ(SkinMarkCell(5, true), -1);

    // Eight cells of 10 x 10, cell n in grey n * 20.
    QImage strip(80, 10, QImage::Format_RGB32);
    for (int cell = 0; cell < 8; ++cell)
        QPainter(&strip).fillRect(cell * 10, 0, 10, 10, QColor(cell * 20, cell * 20, cell * 20));
    SkinCaptionButton button;
    button.image.Attach(strip);
    button.width = 10;
    button.xOffset = 5;
    button.y = 2;
    auto cellDrawn = [&](bool active, int state) {
        QImage frame(100, 20, QImage::Format_RGB32);
        frame.fill(Qt::white);
        QPainter dc(&frame);
        DrawSkinCaptionButton(button, dc, 100, active, state);
        dc.end();
        EXPECT_EQ(pixel(frame, 84, 1), 0xFFFFFFu);
        return qRed(frame.pixel(90, 5)) / 20;
    };
    EXPECT_EQ(cellDrawn(true, kCaptionButtonNormal), 0);
    EXPECT_EQ(cellDrawn(false, kCaptionButtonNormal), 3);
    EXPECT_EQ(cellDrawn(false, kCaptionButtonPressed), 2);
    EXPECT_EQ(cellDrawn(true, kCaptionButtonHot | kCaptionAlternateGlyph), 5);
    EXPECT_EQ(cellDrawn(false, kCaptionAlternateGlyph), 7);
    EXPECT_EQ(CaptionButtonRect(button, 100), platform::Rect(85, 2, 95, 12));
}

TEST(SkinRecordPainters, ButtonPicturesStretchTheirMiddleAndLeaveTheKeyColourOut)
{
    // Five cells of 12 x 12: a 3-pixel black edge round a cell colour, magenta corners.
    SkinButtonRecord record;
    QImage strip(60, 12, QImage::Format_RGB32);
    for (int cell = 0; cell < 5; ++cell) {
        QPainter p(&strip);
        p.fillRect(cell * 12, 0, 12, 12, Qt::black);
        p.fillRect(cell * 12 + 3, 3, 6, 6, QColor(cell * 50, 100, 0));
        p.fillRect(cell * 12, 0, 1, 1, QColor(255, 0, 255));
    }
    record.image.Attach(strip);
    record.cellWidth = 12;
    record.stretchHorStart = 3;
    record.stretchHorEnd = 9;
    record.stretchVerStart = 3;
    record.stretchVerEnd = 9;
    record.transparent = platform::rgb(255, 0, 255);
    QImage target(60, 30, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        QPainter dc(&target);
        record.DrawSkinButtonImage(dc, 0, 0, 60, 30, 3); // disabled: cell 4
        record.DrawSkinButtonImage(dc, 0, 0, 60, 30, 9); // nothing
    }
    EXPECT_EQ(pixel(target, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(pixel(target, 2, 2), 0u);
    EXPECT_EQ(pixel(target, 57, 27), 0u);
    EXPECT_EQ(pixel(target, 30, 15), qRgb(200, 100, 0) & 0xFFFFFF);

    SkinMarkRecord marks;
    marks.image.Attach(strip);
    marks.cellWidth = 12;
    QImage box(20, 40, QImage::Format_RGB32);
    box.fill(Qt::white);
    {
        QPainter dc(&box);
        DrawSkinCheckImage(marks, dc, 3, false, platform::Rect(0, 10, 20, 30)); // cell 3, centred
    }
    EXPECT_EQ(pixel(box, 6, 20), qRgb(150, 100, 0) & 0xFFFFFF);
    EXPECT_EQ(pixel(box, 6, 12), 0xFFFFFFu);
}
