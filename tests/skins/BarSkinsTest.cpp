#include "controls/SysColors.h"
#include "skins/ASMDockBar.h"
#include "skins/ASMMDIClient.h"
#include "skins/ASMStatusBar.h"
#include "skins/SkinDrawing.h"
#include "tests/skins/SkinFixture.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QPainter>
#include <QStatusBar>
#include <QToolBar>

namespace {

class BarSkins : public SkinFixture
{
protected:
    void SetUp() override
    {
        SkinFixture::SetUp();
        Use("metal");
    }
    // A frame with one short bar docked at the top, laid out.
    static void fill(QMainWindow& window)
    {
        window.setCentralWidget(new QWidget(&window));
        auto* bar = new QToolBar(&window);
        bar->addAction(QStringLiteral("a"));
        window.addToolBar(Qt::TopToolBarArea, bar);
        window.resize(400, 300);
        window.show();
        QApplication::processEvents();
    }
};

} // namespace

TEST(DockBarBorders, EachBandIsEdgedOnTheSideFacingTheMiddle)
{
    EXPECT_EQ(ASMDockBar::BordersOf(Qt::TopToolBarArea), kBarBorderBottom);
    EXPECT_EQ(ASMDockBar::BordersOf(Qt::BottomToolBarArea), kBarBorderTop);
    EXPECT_EQ(ASMDockBar::BordersOf(Qt::LeftToolBarArea), kBarBorderRight);
    EXPECT_EQ(ASMDockBar::BordersOf(Qt::RightToolBarArea), kBarBorderLeft);
}

TEST_F(BarSkins, ABandSpansTheFrameAndHoldsOnlyItsDockedVisibleBars)
{
    QMainWindow window;
    fill(window);
    QToolBar* bar = window.findChild<QToolBar*>();
    const QRect top = ASMDockBar::DockBarRect(&window, Qt::TopToolBarArea);
    EXPECT_EQ(top, QRect(0, bar->y(), window.width(), bar->height()));
    EXPECT_TRUE(ASMDockBar::DockBarRect(&window, Qt::LeftToolBarArea).isEmpty());
    bar->hide();
    EXPECT_TRUE(ASMDockBar::DockBarRect(&window, Qt::TopToolBarArea).isEmpty());
    bar->show();
    // A side band runs from under the top band.
    auto* side = new QToolBar(&window);
    side->addAction(QStringLiteral("b"));
    window.addToolBar(Qt::LeftToolBarArea, side);
    QApplication::processEvents();
    const QRect left = ASMDockBar::DockBarRect(&window, Qt::LeftToolBarArea);
    EXPECT_EQ(left.top(), top.bottom() + 1);
    EXPECT_EQ(left.width(), side->width());
}

TEST_F(BarSkins, APageWindowsDockBarsGetTheirSkinAndAShadowEdgeBelowTheTopBand)
{
    QWidget page;
    auto* inner = new QMainWindow(&page);
    inner->setWindowFlags(Qt::Widget);
    ASSERT_TRUE(VornaSkinManager::GetInstance().SkinChildFrame(&page));
    ASSERT_TRUE(VornaSkinManager::GetInstance().SkinFrameDockBars(&page));
    EXPECT_NE(qobject_cast<ASMDockBar*>(VornaSkinManager::GetInstance().Find(inner)), nullptr);
    // A frame the skin does not know gets nothing.
    QWidget stranger;
    EXPECT_FALSE(VornaSkinManager::GetInstance().SkinFrameDockBars(&stranger));

    fill(*inner);
    const QRect band = ASMDockBar::DockBarRect(inner, Qt::TopToolBarArea);
    ASSERT_FALSE(band.isEmpty());
    QImage image(inner->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter dc(&image);
    ASMDockBar::PaintDockBars(dc, inner, true);
    dc.end();
    // The band over the pattern, its last row the shadow line; nothing below it.
    EXPECT_EQ(At(image, band.right() - 2, band.bottom()), GetSkinSysColor(COLOR_3DSHADOW));
    EXPECT_NE(At(image, band.right() - 2, band.bottom() - 1), GetSkinSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(image.pixel(band.right() - 2, band.bottom() + 1), qRgb(255, 255, 255));
}

TEST_F(BarSkins, TheTopDockBarsEdgeRunsAcrossTheMainFramesBars)
{
    QMainWindow window;
    ASSERT_TRUE(VornaSkinManager::GetInstance().SkinMainFrame(&window));
    fill(window);
    QToolBar* bar = window.findChild<QToolBar*>();
    const QRect band = ASMDockBar::DockBarRect(&window, Qt::TopToolBarArea);
    ASSERT_TRUE(bar->geometry().contains(QPoint(band.center().x(), band.bottom())));
    const QImage image = Render(*bar);
    // The bar's own etched bottom, then the dock bar's edge on its last row.
    EXPECT_EQ(At(image, bar->width() / 2, bar->height() - 1), GetSkinSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(At(image, bar->width() / 2, bar->height() - 2), GetSkinSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(At(image, bar->width() / 2, 1), GetSkinSysColor(COLOR_3DHIGHLIGHT));
}

TEST_F(BarSkins, TheStatusBarAndPageAreaTakeTheirSkinsAndClassicGivesTheAreaItsOwnBackground)
{
    auto* status = new QStatusBar(&frame);
    status->ensurePolished();
    EXPECT_NE(qobject_cast<ASMStatusBar*>(VornaSkinManager::GetInstance().Find(status)), nullptr);

    auto* area = new QMdiArea(&frame);
    ASSERT_TRUE(VornaSkinManager::GetInstance().SkinMDIClient(area));
    EXPECT_FALSE(VornaSkinManager::GetInstance().SkinMDIClient(area));
    EXPECT_NE(qobject_cast<ASMMDIClient*>(VornaSkinManager::GetInstance().Find(area)), nullptr);
    EXPECT_EQ(area->background(), VornaSkinManager::GetInstance().data().m_mdiBrush);
    Use("classic");
    EXPECT_EQ(area->background(), QApplication::palette().brush(QPalette::Dark));
    Use("metal");
    EXPECT_EQ(area->background(), VornaSkinManager::GetInstance().data().m_mdiBrush);
}

TEST(StatusBarPane, APaneIsSunkenOnTheFace)
{
    QImage image(10, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter dc(&image);
    ASMStatusBar::DrawPane(dc, platform::Rect(0, 0, 10, 8));
    dc.end();
    EXPECT_EQ(platform::fromQColor(image.pixelColor(0, 0)), GetSkinSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(platform::fromQColor(image.pixelColor(9, 7)), GetSkinSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(platform::fromQColor(image.pixelColor(5, 4)), GetSkinSysColor(COLOR_3DFACE));
}
