#include "controls/SysColors.h"
#include "skins/ASMComboBox.h"
#include "skins/ASMUpDown.h"
#include "skins/CCMEditCombo.h"
#include "tests/skins/SkinFixture.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSpinBox>
#include <QStyleOptionSpinBox>

namespace {

class ComboUpDownSkins : public SkinFixture
{
protected:
    static platform::Rect arrowArea(QSpinBox& spin)
    {
        QStyleOptionSpinBox option;
        option.initFrom(&spin);
        option.frame = spin.hasFrame();
        option.buttonSymbols = spin.buttonSymbols();
        return ASMUpDown::ArrowArea(option, &spin);
    }
    static void mouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButtons held)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&widget, &event);
    }
};

} // namespace

TEST(UpDownSkin, TheHalvesLeaveAnOddMiddleRowToNeither)
{
    ASMUpDown::Halves halves = ASMUpDown::HalvesOf(platform::Rect(0, 0, 14, 9), false);
    EXPECT_EQ(halves.first, platform::Rect(0, 0, 14, 4));
    EXPECT_EQ(halves.second, platform::Rect(0, 5, 14, 9));
    halves = ASMUpDown::HalvesOf(platform::Rect(0, 10, 14, 20), false);
    EXPECT_EQ(halves.first, platform::Rect(0, 10, 14, 15));
    EXPECT_EQ(halves.second, platform::Rect(0, 15, 14, 20));
    halves = ASMUpDown::HalvesOf(platform::Rect(2, 0, 11, 4), true);
    EXPECT_EQ(halves.first, platform::Rect(2, 0, 6, 4));
    EXPECT_EQ(halves.second, platform::Rect(7, 0, 11, 4));
    // One or two pixels high: an empty first half, or a row each.
    halves = ASMUpDown::HalvesOf(platform::Rect(0, 0, 14, 1), false);
    EXPECT_TRUE(halves.first.isEmpty());
    EXPECT_TRUE(halves.second.isEmpty());
    halves = ASMUpDown::HalvesOf(platform::Rect(0, 0, 14, 2), false);
    EXPECT_EQ(halves.first.height(), 1);
    EXPECT_EQ(halves.second.height(), 1);
}

TEST(UpDownSkin, ThePressFollowsTheHeldMouseOffAndBack)
{
    ASMUpDown skin;
    const platform::Rect area(0, 0, 14, 9);
    // The middle row of an odd height presses nothing.
    skin.OnButtonDown(QPoint(5, 4), area);
    EXPECT_EQ(skin.PressedPart(), 0);
    skin.OnButtonDown(QPoint(5, 6), area);
    EXPECT_EQ(skin.PressedPart(), 2);
    skin.OnButtonUp();
    skin.OnButtonDown(QPoint(5, 1), area);
    EXPECT_EQ(skin.PressedPart(), 1);
    skin.OnHeldMouseMove(QPoint(40, 1), area);
    EXPECT_EQ(skin.PressedPart(), -1);
    skin.OnHeldMouseMove(QPoint(41, 2), area);
    EXPECT_EQ(skin.PressedPart(), -1);
    // Back over the other arrow: the one pressed first is pressed again.
    skin.OnHeldMouseMove(QPoint(5, 7), area);
    EXPECT_EQ(skin.PressedPart(), 1);
    skin.OnButtonUp();
    EXPECT_EQ(skin.PressedPart(), 0);
}

TEST_F(ComboUpDownSkins, ANumberBoxShowsItsArrowSunkWhileHeldOnIt)
{
    QSpinBox spin;
    spin.setRange(0, 100);
    spin.resize(80, 24);
    spin.ensurePolished();
    auto* skin = qobject_cast<ASMUpDown*>(VornaSkinManager::GetInstance().Find(&spin));
    ASSERT_NE(skin, nullptr);
    Use("spring");
    const platform::Rect area = arrowArea(spin);
    ASSERT_FALSE(area.isEmpty());
    const ASMUpDown::Halves halves = ASMUpDown::HalvesOf(area, false);
    QImage picture = Render(spin);
    // Raised: highlight at the top left, shadow at the bottom right.
    EXPECT_EQ(At(picture, halves.first.left, halves.first.top), GetSkinSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(picture, halves.second.right - 1, halves.second.bottom - 1), GetSkinSysColor(COLOR_3DSHADOW));
    // The field's edge: shadow outside, face inside while idle.
    EXPECT_EQ(At(picture, 10, 0), GetSkinSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(At(picture, 10, 1), GetSkinSysColor(COLOR_3DFACE));

    const QPoint onUp(halves.first.left + 4, halves.first.top + 2);
    mouse(spin, QEvent::MouseButtonPress, onUp, Qt::LeftButton);
    EXPECT_EQ(skin->PressedPart(), 1);
    picture = Render(spin);
    EXPECT_EQ(At(picture, halves.first.left, halves.first.top), GetSkinSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(At(picture, halves.first.left + 1, halves.first.top + 1), GetSkinSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(At(picture, halves.second.left, halves.second.top), GetSkinSysColor(COLOR_3DHIGHLIGHT));
    // Off the arrows with the button held: released; back: sunk again.
    mouse(spin, QEvent::MouseMove, QPoint(5, 5), Qt::LeftButton);
    picture = Render(spin);
    EXPECT_EQ(At(picture, halves.first.left, halves.first.top), GetSkinSysColor(COLOR_3DHIGHLIGHT));
    mouse(spin, QEvent::MouseMove, onUp, Qt::LeftButton);
    EXPECT_EQ(At(Render(spin), halves.first.left, halves.first.top), GetSkinSysColor(COLOR_3DSHADOW));
    mouse(spin, QEvent::MouseButtonRelease, onUp, Qt::NoButton);
    EXPECT_EQ(skin->PressedPart(), 0);
    EXPECT_EQ(At(Render(spin), halves.first.left, halves.first.top), GetSkinSysColor(COLOR_3DHIGHLIGHT));

    // A disabled number box lies flat on the shadow, its arrows as they were.
    spin.setEnabled(false);
    picture = Render(spin);
    EXPECT_EQ(At(picture, 10, 1), GetSkinSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(At(picture, halves.first.left, halves.first.top), GetSkinSysColor(COLOR_3DHIGHLIGHT));

    // One or two pixels high: drawn without arrows to speak of, and without a fault.
    for (int height : {1, 2, 5}) {
        spin.resize(80, height);
        EXPECT_EQ(Render(spin).height(), height);
    }
}

TEST_F(ComboUpDownSkins, AComboBoxHasARaisedDropButtonAndAFlatFieldWhileDisabled)
{
    QComboBox combo;
    combo.addItems({QStringLiteral("a"), QString(10000, QLatin1Char('x'))});
    combo.resize(160, 24);
    combo.ensurePolished();
    auto* skin = qobject_cast<ASMComboBox*>(VornaSkinManager::GetInstance().Find(&combo));
    ASSERT_NE(skin, nullptr);
    Use("spring");
    const platform::Rect button = ASMComboBox::DropButton(platform::Rect(0, 0, 160, 24));
    EXPECT_EQ(button, platform::Rect(141, 2, 158, 22));
    QImage picture = Render(combo);
    EXPECT_EQ(At(picture, button.left, button.top), GetSkinSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(picture, button.right - 1, button.bottom - 1), GetSkinSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(At(picture, button.left + 1, button.top + 1), GetSkinSysColor(COLOR_3DFACE));
    // The control's frame: lined in the light colour while enabled.
    EXPECT_EQ(At(picture, 10, 0), GetSkinSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(At(picture, 10, 1), GetSkinSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(At(picture, button.left - 2, 12), GetSkinSysColor(COLOR_WINDOW));

    // The mouse over it: the frame deepens and the button rises.
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(&combo, &enter);
    picture = Render(combo);
    EXPECT_EQ(At(picture, 10, 1), GetSkinSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(At(picture, button.left, button.top), GetSkinSysColor(COLOR_3DFACE));
    EXPECT_EQ(At(picture, button.right - 1, button.bottom - 1), GetSkinSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(At(picture, button.left + 1, button.top + 1), GetSkinSysColor(COLOR_3DHIGHLIGHT));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&combo, &leave);

    // Disabled: a flat shadow field, a face-coloured button.
    combo.setEnabled(false);
    picture = Render(combo);
    EXPECT_EQ(At(picture, button.left - 2, 12), GetSkinSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(At(picture, button.left, button.top), GetSkinSysColor(COLOR_3DFACE));
    EXPECT_EQ(At(picture, 10, 1), GetSkinSysColor(COLOR_3DFACE));
    // The very long entry is clipped to the field.
    combo.setCurrentIndex(1);
    picture = Render(combo);
    EXPECT_EQ(At(picture, button.left + 1, button.top + 1), GetSkinSysColor(COLOR_3DFACE));

    // Classic: the base style's look again.
    Use("classic");
    combo.setEnabled(true);
    EXPECT_NE(At(Render(combo), button.left + 1, button.top + 1), GetSkinSysColor(COLOR_3DFACE));
}

TEST_F(ComboUpDownSkins, TheFieldOfAComboBoxThatTakesTypingHasTheComboFieldSkin)
{
    QComboBox combo;
    combo.setEditable(true);
    combo.resize(160, 24);
    combo.ensurePolished();
    combo.lineEdit()->ensurePolished();
    auto* field = qobject_cast<CCMEditCombo*>(VornaSkinManager::GetInstance().Find(combo.lineEdit()));
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->Kind(), SkinControlKind::EditCombo);
    platform::Rect frame;
    EXPECT_EQ(field->GetFrameDC(frame), &combo);
    EXPECT_EQ(frame.width(), combo.lineEdit()->width() + 6);
}
