#include "chrome/ULOToolBar.h"
#include "controls/SysColors.h"
#include "platform/CommandRegistry.h"
#include "skins/ASMToolbar.h"
#include "skins/SkinDrawing.h"
#include "tests/skins/SkinFixture.h"

#include <QAction>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>

namespace {

// A toolbar of the frame with one button whose normal picture is blue and
// whose picture in the entered list is red.
class ToolbarSkins : public SkinFixture
{
protected:
    void SetUp() override
    {
        SkinFixture::SetUp();
        Use("metal");
        bar = new QToolBar(&frame);
        bar->setIconSize(QSize(16, 16));
        action = bar->addAction(picture(Qt::blue), QStringLiteral("bold"));
        action->setCheckable(true);
        bar->addSeparator();
        bar->addAction(picture(Qt::green), QStringLiteral("italic"));
        bar->adjustSize();
        bar->ensurePolished();
        pressedPictures = {picture(Qt::red)};
    }
    static QPixmap picture(Qt::GlobalColor colour)
    {
        QPixmap pixmap(16, 16);
        pixmap.fill(colour);
        return pixmap;
    }
    void enterList()
    {
        ASMToolbar::EnterImageList(
            bar, SkinToolbarImageList{&pressedPictures, [this](const QAction* a) { return a == action ? 0 : -1; }});
    }
    QToolButton* button() const { return qobject_cast<QToolButton*>(bar->widgetForAction(action)); }
    // The button alone, drawn as the bar draws it.
    QImage renderButton() const
    {
        QToolButton* b = button();
        QImage image(b->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        b->render(&image);
        return image;
    }
    // Cell 2 of the image button stretched over a box of that size, on white.
    static QImage pressedCell(QSize size)
    {
        QImage cell(size, QImage::Format_RGB32);
        cell.fill(Qt::white);
        QPainter dc(&cell);
        VornaSkinManager::GetInstance().imageButton().DrawSkinButtonImage(dc, 0, 0, size.width(), size.height(), 2);
        return cell;
    }
    // The centre of the button's picture.
    QColor pictureCentre(const QImage& image) const { return image.pixelColor(image.width() / 2, 3 + 8); }

    QToolBar* bar = nullptr;
    QAction* action = nullptr;
    QList<QPixmap> pressedPictures;
};

} // namespace

TEST(ToolbarSkinLook, TheFirstRuleThatHoldsDecides)
{
    using Look = ASMToolbar::ButtonLook;
    EXPECT_EQ(ASMToolbar::LookOf(true, false, true, true, false), Look::Pressed);
    // Checked (not pressed) is drawn pressed, even while disabled.
    EXPECT_EQ(ASMToolbar::LookOf(false, true, false, false, false), Look::Pressed);
    EXPECT_EQ(ASMToolbar::LookOf(false, false, false, true, false), Look::Disabled);
    EXPECT_EQ(ASMToolbar::LookOf(false, false, true, true, false), Look::Hot);
    // Hot while the mouse button is held elsewhere: no hot look.
    EXPECT_EQ(ASMToolbar::LookOf(false, false, true, true, true), Look::Normal);
    EXPECT_EQ(ASMToolbar::LookOf(false, false, true, false, false), Look::Normal);
}

TEST_F(ToolbarSkins, TheFramesBarsAreSkinnedAndOthersAreNot)
{
    EXPECT_NE(qobject_cast<ASMToolbar*>(VornaSkinManager::GetInstance().Find(bar)), nullptr);
    EXPECT_EQ(ASMToolbar::SkinnedToolbarOf(button()), bar);
    QWidget elsewhere;
    QToolBar other(&elsewhere);
    other.ensurePolished();
    EXPECT_EQ(ASMToolbar::SkinnedToolbarOf(&other), nullptr);
    Use("classic");
    EXPECT_EQ(ASMToolbar::SkinnedToolbarOf(bar), nullptr);
}

TEST_F(ToolbarSkins, ACheckedButtonShowsThePressedCellAndTheTablesPicture)
{
    enterList();
    action->setChecked(true);
    const QImage image = renderButton();
    EXPECT_EQ(pictureCentre(image), QColor(Qt::red));

    // The corner shows cell 2 of the image button, stretched over the button.
    const QImage cell = pressedCell(image.size());
    // Every pixel the cell covers above its stretched middle is the cell's.
    const QRect picture((image.width() - 16) / 2, 3, 16, 16);
    int compared = 0;
    const int stretchStart = VornaSkinManager::GetInstance().imageButton().stretchVerStart;
    for (int y = 0; y < stretchStart; ++y)
        for (int x = 0; x < cell.width(); ++x)
            if (cell.pixel(x, y) != qRgb(255, 255, 255) && !picture.contains(x, y)) {
                EXPECT_EQ(image.pixel(x, y), cell.pixel(x, y)) << x << "," << y;
                ++compared;
            }
    EXPECT_GT(compared, 10);
}

TEST_F(ToolbarSkins, WithoutAnEntryOrUncheckedTheNormalPictureShows)
{
    action->setChecked(true);
    EXPECT_EQ(pictureCentre(renderButton()), QColor(Qt::blue));
    enterList();
    action->setChecked(false);
    const QImage image = renderButton();
    EXPECT_EQ(pictureCentre(image), QColor(Qt::blue));
    // No cell behind a button at rest: the bar's pattern shows around the picture.
    const QImage cell = pressedCell(image.size());
    const QPoint below(image.width() / 2, image.height() - 2);
    ASSERT_NE(cell.pixel(below), qRgb(255, 255, 255));
    EXPECT_NE(image.pixel(below), cell.pixel(below));
}

TEST_F(ToolbarSkins, TheEntryLeavesWithItsToolbar)
{
    enterList();
    ASSERT_NE(ASMToolbar::ImageListOf(bar), nullptr);
    const QObject* gone = bar;
    delete bar;
    bar = nullptr;
    EXPECT_EQ(ASMToolbar::ImageListOf(gone), nullptr);
}

TEST_F(ToolbarSkins, SeparatorsAreEtchedAndTheDockedBarHasEtchedBorders)
{
    const QImage image = Render(*bar);
    // The separator between the two buttons: shadow then highlight, upright.
    QWidget* first = bar->widgetForAction(action);
    QWidget* second = bar->widgetForAction(bar->actions().last());
    const int middle = (first->geometry().right() + second->geometry().left()) / 2;
    bool etched = false;
    for (int x = first->geometry().right() + 1; x < second->geometry().left(); ++x) {
        if (At(image, x, bar->height() / 2) == GetSkinSysColor(COLOR_3DSHADOW) &&
            At(image, x + 1, bar->height() / 2) == GetSkinSysColor(COLOR_3DHIGHLIGHT))
            etched = true;
    }
    EXPECT_TRUE(etched) << "around x " << middle;
    // The bar's top edge: shadow, then highlight below it.
    EXPECT_EQ(At(image, bar->width() / 2, 0), GetSkinSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(At(image, bar->width() / 2, 1), GetSkinSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(image, bar->width() / 2, bar->height() - 1), GetSkinSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(image, bar->width() / 2, bar->height() - 2), GetSkinSysColor(COLOR_3DSHADOW));
}

TEST_F(ToolbarSkins, ApplicationToolbarsEnterTheirPressedPictures)
{
    platform::CommandRegistry registry;
    std::unique_ptr<ULOToolBar> format(ULOToolBar::create(603, &frame));
    ASSERT_TRUE(format->LoadToolBarEx(603, 2031, registry));
    const SkinToolbarImageList* list = ASMToolbar::ImageListOf(format.get());
    ASSERT_NE(list, nullptr);
    QAction* bold = registry.action(32930);
    const QImage entered = list->picture(bold).toImage();
    const QImage pressed = ULOToolBar::image(ULOToolBar::kPressed, ULOToolBar::imageIndexOf(32930)).toImage();
    ASSERT_FALSE(pressed.isNull());
    EXPECT_EQ(entered, pressed);
    EXPECT_TRUE(list->picture(nullptr).isNull());
}
