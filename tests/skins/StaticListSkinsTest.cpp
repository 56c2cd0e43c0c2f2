#include "controls/SysColors.h"
#include "skins/ASMListView.h"
#include "skins/ASMScrollBar.h"
#include "skins/ASMStatic.h"
#include "tests/skins/SkinFixture.h"

#include <QCoreApplication>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTreeWidget>

namespace {

class StaticListSkins : public SkinFixture
{
protected:
    void SetUp() override
    {
        SkinFixture::SetUp();
        Use("spring");
    }
    static bool holds(const QImage& image, platform::ColorRef colour)
    {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (At(image, x, y) == colour)
                    return true;
        return false;
    }
};

} // namespace

TEST_F(StaticListSkins, FrameKindsDrawSunkBlackOrEtched)
{
    QFrame sunken;
    sunken.setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    sunken.resize(40, 20);
    sunken.ensurePolished();
    ASSERT_NE(qobject_cast<ASMStatic*>(VornaSkinManager::GetInstance().Find(&sunken)), nullptr);
    QImage picture = Render(sunken);
    EXPECT_EQ(At(picture, 0, 0), GetSkinSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(At(picture, 39, 19), GetSkinSysColor(COLOR_3DHIGHLIGHT));

    QLabel box(QStringLiteral("box"));
    box.setFrameStyle(QFrame::Box | QFrame::Plain);
    box.resize(40, 20);
    box.ensurePolished();
    picture = Render(box);
    EXPECT_EQ(At(picture, 0, 0), platform::ColorRef(0));
    EXPECT_EQ(At(picture, 39, 19), platform::ColorRef(0));

    // Separator lines stay visible, etched in the skin's colours.
    QFrame line;
    line.setFrameShape(QFrame::HLine);
    line.setFrameShadow(QFrame::Sunken);
    line.resize(40, 6);
    line.ensurePolished();
    picture = Render(line);
    EXPECT_EQ(At(picture, 10, 2), GetSkinSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(At(picture, 10, 3), GetSkinSysColor(COLOR_3DHIGHLIGHT));
    line.setFrameShape(QFrame::VLine);
    line.resize(6, 40);
    picture = Render(line);
    EXPECT_EQ(At(picture, 2, 10), GetSkinSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(At(picture, 3, 10), GetSkinSysColor(COLOR_3DHIGHLIGHT));
}

TEST_F(StaticListSkins, ADisabledLabelIsEmbossedAndAnEnabledOneKeepsItsColour)
{
    QLabel label(QStringLiteral("MMMM"));
    QFont font = label.font();
    font.setPixelSize(24);
    font.setBold(true);
    label.setFont(font);
    label.resize(120, 40);
    label.ensurePolished();
    const platform::ColorRef shadow = GetSkinSysColor(COLOR_3DSHADOW);
    const platform::ColorRef text = platform::fromQColor(label.palette().color(QPalette::WindowText));
    ASSERT_NE(text, shadow);
    QImage picture = Render(label);
    EXPECT_TRUE(holds(picture, text));
    EXPECT_FALSE(holds(picture, shadow));
    label.setEnabled(false);
    picture = Render(label);
    EXPECT_TRUE(holds(picture, shadow));
    EXPECT_TRUE(holds(picture, GetSkinSysColor(COLOR_3DHIGHLIGHT)));
    // Empty and very long texts.
    label.setText(QString());
    EXPECT_FALSE(Render(label).isNull());
    label.setText(QString(10000, QLatin1Char('w')));
    EXPECT_FALSE(Render(label).isNull());
    Use("classic");
    label.setText(QStringLiteral("MMMM"));
    EXPECT_FALSE(holds(Render(label), shadow));
}

TEST_F(StaticListSkins, ADisabledListShowsAFlatShadowAndNoItems)
{
    QTreeWidget tree;
    tree.setHeaderLabels({QStringLiteral("名前")});
    auto* item = new QTreeWidgetItem(QStringList{QStringLiteral("index.html")});
    tree.addTopLevelItem(item);
    tree.resize(200, 120);
    tree.ensurePolished();
    ASSERT_NE(qobject_cast<ASMListView*>(VornaSkinManager::GetInstance().Find(&tree)), nullptr);
    const QRect row = tree.visualItemRect(item).translated(tree.viewport()->pos());
    const QPoint inside = tree.viewport()->geometry().center();
    QImage picture = Render(tree);
    EXPECT_NE(At(picture, inside.x(), inside.y()), GetSkinSysColor(COLOR_3DSHADOW));
    tree.setEnabled(false);
    picture = Render(tree);
    EXPECT_EQ(At(picture, inside.x(), inside.y()), GetSkinSysColor(COLOR_3DSHADOW));
    for (int x = row.left(); x < row.left() + 60; ++x)
        ASSERT_EQ(At(picture, x, row.center().y()), GetSkinSysColor(COLOR_3DSHADOW)) << x;
    // Classic: the items again.
    Use("classic");
    EXPECT_NE(At(Render(tree), inside.x(), inside.y()), GetSkinSysColor(COLOR_3DSHADOW));

    // A header without sections paints as one empty button.
    QTreeWidget bare;
    bare.setColumnCount(0);
    bare.resize(100, 60);
    EXPECT_FALSE(Render(bare).isNull());
}

TEST_F(StaticListSkins, AScrollBarKeepsItsCursorAndDoesNotFollowTheMouse)
{
    QScrollBar bar(Qt::Vertical);
    bar.resize(16, 100);
    bar.ensurePolished();
    auto* skin = qobject_cast<ASMScrollBar*>(VornaSkinManager::GetInstance().Find(&bar));
    ASSERT_NE(skin, nullptr);
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(&bar, &enter);
    QMouseEvent move(QEvent::MouseMove, QPointF(8, 50), bar.mapToGlobal(QPointF(8, 50)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&bar, &move);
    EXPECT_FALSE(skin->IsMouseOver());
    EXPECT_EQ(bar.cursor().shape(), Qt::ArrowCursor);
}
