#include "controls/SysColors.h"
#include "skins/ASMTabControl.h"
#include "tests/skins/SkinFixture.h"

#include <QPainter>
#include <QTabBar>
#include <QTabWidget>

namespace {

class TabSkins : public SkinFixture
{
protected:
    void SetUp() override
    {
        SkinFixture::SetUp();
        Use("spring");
    }
    // A tab drawn on white.
    static QImage tab(ASMTabControl::Side side, int flags, const platform::Rect& rect)
    {
        QImage image(60, 60, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter dc(&image);
        ASMTabControl::DrawTab(dc, rect, side, flags, QString());
        return image;
    }
    static platform::ColorRef c(int index) { return GetSkinSysColor(index); }
    static constexpr platform::ColorRef kWhite = platform::ColorRef(0xFFFFFF);
};

} // namespace

TEST_F(TabSkins, EachSideDrawsTheSameFigureTurnedTowardItsPage)
{
    // Top: raised left and top edges, sunk right edge, open at the bottom.
    QImage image = tab(ASMTabControl::kTop, 0, platform::Rect(10, 10, 50, 30));
    EXPECT_EQ(At(image, 10, 12), c(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(image, 11, 29), c(COLOR_3DFACE));
    EXPECT_EQ(At(image, 12, 10), c(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(image, 47, 11), c(COLOR_3DFACE));
    EXPECT_EQ(At(image, 49, 12), c(COLOR_3DSHADOW));
    EXPECT_EQ(At(image, 48, 29), c(COLOR_3DFACE));
    EXPECT_EQ(At(image, 11, 11), c(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(image, 48, 11), c(COLOR_3DSHADOW));
    EXPECT_EQ(At(image, 10, 11), kWhite);
    EXPECT_EQ(At(image, 49, 11), kWhite);
    EXPECT_EQ(At(image, 20, 29), kWhite);

    // Bottom: the far edge faces down, so it is sunk.
    image = tab(ASMTabControl::kBottom, 0, platform::Rect(10, 10, 50, 30));
    EXPECT_EQ(At(image, 10, 10), c(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(image, 10, 27), c(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(image, 10, 28), kWhite);
    EXPECT_EQ(At(image, 20, 29), c(COLOR_3DSHADOW));
    EXPECT_EQ(At(image, 20, 28), c(COLOR_3DFACE));
    EXPECT_EQ(At(image, 11, 28), c(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(image, 48, 28), c(COLOR_3DSHADOW));

    // Left: the far edge faces left (raised), the top raised, the bottom sunk.
    image = tab(ASMTabControl::kLeft, 0, platform::Rect(10, 10, 30, 50));
    EXPECT_EQ(At(image, 10, 20), c(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(image, 11, 20), c(COLOR_3DFACE));
    EXPECT_EQ(At(image, 20, 10), c(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(image, 20, 49), c(COLOR_3DSHADOW));
    EXPECT_EQ(At(image, 11, 11), c(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(image, 11, 48), c(COLOR_3DSHADOW));
    EXPECT_EQ(At(image, 29, 20), kWhite);

    // Right: the far edge faces right (sunk).
    image = tab(ASMTabControl::kRight, 0, platform::Rect(10, 10, 30, 50));
    EXPECT_EQ(At(image, 29, 20), c(COLOR_3DSHADOW));
    EXPECT_EQ(At(image, 28, 20), c(COLOR_3DFACE));
    EXPECT_EQ(At(image, 20, 10), c(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(image, 28, 11), c(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(image, 28, 48), c(COLOR_3DSHADOW));
    EXPECT_EQ(At(image, 10, 20), kWhite);
}

TEST_F(TabSkins, TheSelectedTabIsLargerAndTheHoveredOneDeeper)
{
    const int both = ASMTabControl::kSelectedTab | ASMTabControl::kMouseOverTab;
    const QImage image = tab(ASMTabControl::kTop, both, platform::Rect(10, 10, 50, 30));
    // 2 pixels out at the top and the sides, 1 toward the page.
    EXPECT_EQ(At(image, 8, 10), c(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(image, 8, 30), c(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(image, 8, 31), kWhite);
    EXPECT_EQ(At(image, 10, 8), c(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(image, 9, 10), c(COLOR_3DLIGHT));
    EXPECT_EQ(At(image, 51, 10), c(COLOR_3DDKSHADOW));
    EXPECT_EQ(At(image, 50, 10), c(COLOR_3DSHADOW));
    EXPECT_EQ(At(image, 50, 9), c(COLOR_3DDKSHADOW));
}

TEST_F(TabSkins, ThePageOpensWhereTheSelectedTabMeetsIt)
{
    auto page = [](const platform::Rect& selected, ASMTabControl::Side side) {
        QImage image(100, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter dc(&image);
        const platform::Rect frame =
            side == ASMTabControl::kTop ? platform::Rect(0, 20, 100, 80) : platform::Rect(0, 0, 80, 100);
        ASMTabControl::DrawPage(dc, frame, side, selected,
                                [&dc](const platform::Rect& r) { dc.fillRect(r.toQRect(), Qt::magenta); });
        return image;
    };
    const platform::ColorRef marker = platform::fromQColor(QColor(Qt::magenta));
    QImage image = page(platform::Rect(10, 0, 40, 22), ASMTabControl::kTop);
    EXPECT_EQ(At(image, 8, 20), c(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(image, 9, 20), marker);
    EXPECT_EQ(At(image, 40, 20), marker);
    EXPECT_EQ(At(image, 41, 20), c(COLOR_3DSHADOW));
    EXPECT_EQ(At(image, 42, 20), c(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(image, 20, 21), c(COLOR_3DFACE));
    EXPECT_EQ(At(image, 99, 50), c(COLOR_3DSHADOW));
    // Tabs on the right: the page's right edge opens, the corner above in highlight.
    image = page(platform::Rect(78, 10, 100, 40), ASMTabControl::kRight);
    EXPECT_EQ(At(image, 79, 9), marker);
    EXPECT_EQ(At(image, 79, 40), marker);
    EXPECT_EQ(At(image, 79, 8), c(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(image, 79, 41), c(COLOR_3DSHADOW));
    // No selection: the frame stays closed.
    image = page(platform::Rect(), ASMTabControl::kTop);
    EXPECT_EQ(At(image, 20, 20), c(COLOR_3DHIGHLIGHT));
}

TEST_F(TabSkins, TabWidgetsAndBarsDrawTheirTabsAndPagesWhateverTheyHold)
{
    QTabWidget tabs;
    tabs.addTab(new QWidget, QStringLiteral("一般"));
    tabs.addTab(new QWidget, QString(10000, QLatin1Char('x')));
    tabs.resize(300, 200);
    tabs.ensurePolished();
    tabs.tabBar()->ensurePolished();
    ASSERT_NE(qobject_cast<ASMTabControl*>(VornaSkinManager::GetInstance().Find(tabs.tabBar())), nullptr);
    tabs.show();
    QImage picture = Render(tabs);
    // The first tab, selected, fills its place from the bar's very edge.
    const QPoint bar = tabs.tabBar()->geometry().topLeft();
    EXPECT_EQ(At(picture, bar.x(), bar.y() + 6), c(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(picture, bar.x() + 6, bar.y()), c(COLOR_3DHIGHLIGHT));
    // The page's ring below the bar.
    const QRect second = tabs.tabBar()->tabRect(1).translated(bar);
    const int pageTop = tabs.tabBar()->geometry().bottom() - 1;
    EXPECT_EQ(At(picture, second.left() + 8, pageTop), c(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(picture, second.left() + 8, pageTop + 1), c(COLOR_3DFACE));
    // The unselected tab stands 2 pixels lower.
    EXPECT_EQ(At(picture, second.left() + 8, second.top() + 2), c(COLOR_3DHIGHLIGHT));

    // No tabs, one or two pixels: nothing to draw, no fault.
    QTabWidget empty;
    empty.resize(100, 100);
    EXPECT_EQ(Render(empty).width(), 100);
    QTabBar lone;
    lone.resize(2, 1);
    EXPECT_EQ(Render(lone).height(), 1);
    for (const QTabBar::Shape shape : {QTabBar::RoundedWest, QTabBar::RoundedEast, QTabBar::RoundedSouth}) {
        QTabBar side;
        side.setShape(shape);
        side.addTab(QStringLiteral("a"));
        side.addTab(QString());
        side.setCurrentIndex(1);
        side.resize(side.sizeHint());
        EXPECT_FALSE(Render(side).isNull());
    }
}
