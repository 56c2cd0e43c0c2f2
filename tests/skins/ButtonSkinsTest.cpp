#include "controls/SysColors.h"
#include "platform/DataRoot.h"
#include "skins/ASMCheckBox.h"
#include "skins/ASMEdit.h"
#include "skins/ASMHeaderCtrl.h"
#include "skins/ASMProgress.h"
#include "skins/ASMGroupBox.h"
#include "skins/ASMPushButton.h"
#include "skins/ASMRadioButton.h"
#include "skins/SkinRecordPainters.h"
#include "skins/VornaSkinManager.h"
#include "tests/skins/SkinFixture.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <climits>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QVBoxLayout>

namespace {

platform::ColorRef at(const QImage& image, int x, int y)
{
    return platform::fromQColor(image.pixelColor(x, y));
}

// A skin on for the test (metal draws from pictures, spring from rings), classic after.
class ButtonSkins : public SkinFixture
{
protected:
    static QImage render(QWidget& widget) { return Render(widget); }
};

} // namespace

TEST(ButtonSkinStates, StatesChooseThePictureCells)
{
    SkinButtonLook look;
    EXPECT_EQ(ASMPushButton::ImageState(look), 0);
    look.checkable = true;
    look.checked = true;
    // A push-like button that is checked shows its pressed picture.
    EXPECT_EQ(ASMPushButton::ImageState(look), 2);
    EXPECT_EQ(SkinButtonCell(ASMPushButton::ImageState(look)), 2);
    look = {};
    look.disabled = true;
    look.hover = true;
    EXPECT_EQ(ASMPushButton::ImageState(look), 3);
    EXPECT_EQ(SkinButtonCell(3), 4);
    look = {};
    look.focus = true;
    EXPECT_EQ(ASMPushButton::ImageState(look), 4);

    // A third-state check box being pressed shows the pressed checked cell, not the third state's.
    SkinButtonLook mark;
    mark.pushLike = false;
    mark.indeterminate = true;
    mark.pressed = true;
    EXPECT_EQ(ASMCheckBox::MarkState(mark), 2);
    EXPECT_EQ(SkinMarkCell(ASMCheckBox::MarkState(mark), true), 4);
    mark.pressed = false;
    EXPECT_EQ(SkinMarkCell(ASMCheckBox::MarkState(mark), true), 8);
    mark.indeterminate = false;
    mark.hover = true;
    EXPECT_EQ(SkinMarkCell(ASMCheckBox::MarkState(mark), false), 7);
}

TEST(ButtonSkinStates, RingsFollowTheMouseTheDefaultAndThePress)
{
    auto ring = [](const SkinButtonLook& look) {
        QImage image(20, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter dc(&image);
        ASMPushButton::DrawBorder(dc, platform::Rect(0, 0, 20, 20), look);
        dc.end();
        return image;
    };
    SkinButtonLook plain;
    QImage image = ring(plain);
    EXPECT_EQ(at(image, 0, 0), GetSkinSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(at(image, 19, 19), GetSkinSysColor(COLOR_3DSHADOW));
    SkinButtonLook hoverDefault;
    hoverDefault.hover = true;
    hoverDefault.isDefault = true;
    image = ring(hoverDefault);
    EXPECT_EQ(at(image, 0, 0), GetSkinSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(at(image, 1, 1), GetSkinSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(at(image, 18, 18), GetSkinSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(at(image, 2, 2), GetSkinSysColor(COLOR_3DLIGHT));
    // Pressed: the sunken rings go over whatever the state drew.
    SkinButtonLook pressed;
    pressed.pressed = true;
    image = ring(pressed);
    EXPECT_EQ(at(image, 0, 0), GetSkinSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(at(image, 19, 19), GetSkinSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(at(image, 1, 1), GetSkinSysColor(COLOR_3DSHADOW));
    // Checked but not held: sunk by its state word alone, two rings.
    SkinButtonLook checked;
    checked.checkable = true;
    checked.checked = true;
    image = ring(checked);
    EXPECT_EQ(at(image, 0, 0), GetSkinSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(at(image, 19, 19), GetSkinSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(at(image, 1, 1), GetSkinSysColor(COLOR_3DFACE));
    EXPECT_EQ(at(image, 2, 2), platform::fromQColor(Qt::white));
}

TEST_F(ButtonSkins, ButtonsAndMarksDrawFromTheSkin)
{
    QDialog dialog;
    dialog.setProperty(VornaSkinManager::kNoSkinProperty, true);
    auto* layout = new QVBoxLayout(&dialog);
    auto* push = new QPushButton(QStringLiteral("OK"));
    auto* check = new QCheckBox(QStringLiteral("check"));
    check->setChecked(true);
    auto* radio = new QRadioButton(QStringLiteral("radio"));
    radio->setChecked(true);
    auto* group = new QGroupBox(QStringLiteral("group"));
    group->setMinimumHeight(40);
    for (QWidget* w : std::initializer_list<QWidget*>{push, check, radio, group})
        layout->addWidget(w);
    dialog.resize(160, 200);
    dialog.ensurePolished();
    layout->activate();
    ASSERT_NE(qobject_cast<ASMPushButton*>(VornaSkinManager::GetInstance().Find(push)), nullptr);
    ASSERT_NE(qobject_cast<ASMRadioButton*>(VornaSkinManager::GetInstance().Find(radio)), nullptr);
    ASSERT_NE(qobject_cast<ASMGroupBox*>(VornaSkinManager::GetInstance().Find(group)), nullptr);

    // Spring draws rings: the radio dot and the tick show on a cleared inside.
    VornaSkinManager::GetInstance().ChangeSkin(QStringLiteral("spring"));
    ASSERT_FALSE(ASMPushButton::ImageControlsOn());
    QImage picture = render(*radio);
    const QStyleOptionButton option = [&] {
        QStyleOptionButton o;
        o.initFrom(radio);
        return o;
    }();
    const QRect indicator = radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio);
    const QPoint origin(indicator.left() + 1, indicator.top() + (indicator.height() - 13) / 2);
    EXPECT_EQ(at(picture, origin.x() + 5, origin.y() + 0), GetSkinSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(at(picture, origin.x() + 11, origin.y() + 6), GetSkinSysColor(COLOR_WINDOW));
    EXPECT_EQ(at(picture, origin.x() + 5, origin.y() + 5), GetSkinSysColor(COLOR_BTNTEXT));
    radio->setChecked(false);
    picture = render(*radio);
    EXPECT_EQ(at(picture, origin.x() + 5, origin.y() + 5), GetSkinSysColor(COLOR_WINDOW));

    // Metal draws from pictures: the button's cell over its whole face.
    VornaSkinManager::GetInstance().ChangeSkin(QStringLiteral("metal"));
    ASSERT_TRUE(ASMPushButton::ImageControlsOn());
    const SkinButtonRecord& record = VornaSkinManager::GetInstance().data().m_button;
    picture = render(*push);
    const QImage cell = record.image.image().copy(0, 0, record.cellWidth, record.image.m_nHeight);
    EXPECT_EQ(at(picture, push->width() / 2, 2), platform::fromQColor(cell.pixelColor(cell.width() / 2, 2)));
    push->setEnabled(false);
    picture = render(*push);
    const QImage disabled =
        record.image.image().copy(4 * record.cellWidth, 0, record.cellWidth, record.image.m_nHeight);
    EXPECT_EQ(at(picture, push->width() / 2, 2), platform::fromQColor(disabled.pixelColor(disabled.width() / 2, 2)));

    // Classic: the base style again.
    VornaSkinManager::GetInstance().ChangeSkin(QStringLiteral("classic"));
    push->setEnabled(true);
    const QImage plain = render(*push);
    EXPECT_NE(at(plain, push->width() / 2, 2), at(picture, push->width() / 2, 2));
}

TEST_F(ButtonSkins, DisabledAndReadOnlyFieldsLieFlatOnTheShadow)
{
    QDialog dialog;
    dialog.setProperty(VornaSkinManager::kNoSkinProperty, true);
    auto* layout = new QVBoxLayout(&dialog);
    auto* normal = new QLineEdit(QStringLiteral("a"));
    auto* readOnly = new QLineEdit(QStringLiteral("b"));
    readOnly->setReadOnly(true);
    auto* disabled = new QLineEdit(QStringLiteral("c"));
    disabled->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{normal, readOnly, disabled})
        layout->addWidget(w);
    dialog.resize(160, 120);
    dialog.ensurePolished();
    layout->activate();
    ASSERT_NE(qobject_cast<ASMEdit*>(VornaSkinManager::GetInstance().Find(normal)), nullptr);
    VornaSkinManager::GetInstance().ChangeSkin(QStringLiteral("spring"));
    const platform::ColorRef shadow = GetSkinSysColor(COLOR_3DSHADOW);
    auto inside = [](QLineEdit* edit) {
        const QImage picture = render(*edit);
        // Right of the text, inside the rings.
        return at(picture, edit->width() - 6, edit->height() / 2);
    };
    EXPECT_EQ(inside(normal), GetSkinSysColor(COLOR_WINDOW));
    EXPECT_EQ(inside(readOnly), shadow);
    EXPECT_EQ(inside(disabled), shadow);
    // The edge: shadow above, the inner ring face while the field is idle.
    const QImage picture = render(*normal);
    EXPECT_EQ(at(picture, 10, 0), shadow);
    EXPECT_EQ(at(picture, 10, 1), GetSkinSysColor(COLOR_3DFACE));
    const QImage deep = render(*readOnly);
    EXPECT_EQ(at(deep, 10, 1), GetSkinSysColor(COLOR_3DDKSHADOW));
}

TEST(ProgressSkin, ThePartDoneStaysWithinTheBarWhateverTheRange)
{
    EXPECT_EQ(ASMProgress::FilledWidth(100, 0, 0, 100), 0);
    EXPECT_EQ(ASMProgress::FilledWidth(100, 100, 0, 100), 100);
    EXPECT_EQ(ASMProgress::FilledWidth(99, 1, 0, 3), 33);
    // Values outside the range are kept within it.
    EXPECT_EQ(ASMProgress::FilledWidth(100, 250, 0, 100), 100);
    EXPECT_EQ(ASMProgress::FilledWidth(100, -5, 0, 100), 0);
    // Equal limits or the minimum above the maximum: nothing is done, and nothing divides by zero.
    EXPECT_EQ(ASMProgress::FilledWidth(100, 5, 5, 5), 0);
    EXPECT_EQ(ASMProgress::FilledWidth(100, 5, 10, 0), 0);
    EXPECT_EQ(ASMProgress::FilledWidth(100, INT_MAX, INT_MIN, INT_MAX), 100);
    EXPECT_EQ(ASMProgress::FilledWidth(0, 5, 0, 10), 0);

    QImage image(40, 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter dc(&image);
        ASMProgress::DrawGroove(dc, platform::Rect(0, 0, 40, 10));
        ASMProgress::Draw(dc, platform::Rect(0, 0, 40, 10), 50, 0, 100);
    }
    // The ring, a pixel of face, then half of the 36 pixels inside filled.
    EXPECT_EQ(at(image, 0, 0), GetSkinSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(at(image, 39, 9), GetSkinSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(at(image, 1, 5), GetSkinSysColor(COLOR_3DFACE));
    EXPECT_EQ(at(image, 5, 1), GetSkinSysColor(COLOR_3DFACE));
    EXPECT_EQ(at(image, 2, 2), GetSkinSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(at(image, 19, 7), GetSkinSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(at(image, 19, 8), GetSkinSysColor(COLOR_3DFACE));
    EXPECT_EQ(at(image, 20, 5), GetSkinSysColor(COLOR_3DFACE));
}

TEST_F(ButtonSkins, AHeaderPassesItsHoverToItsList)
{
    QTreeWidget tree;
    tree.header()->setSectionsClickable(true);
    tree.resize(200, 120);
    tree.ensurePolished();
    auto* list = qobject_cast<ASMControl*>(VornaSkinManager::GetInstance().Find(&tree));
    ASSERT_NE(list, nullptr);
    ASSERT_NE(qobject_cast<ASMHeaderCtrl*>(VornaSkinManager::GetInstance().Find(tree.header())), nullptr);
    VornaSkinManager::GetInstance().ChangeSkin(QStringLiteral("metal"));
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(tree.header(), &enter);
    EXPECT_TRUE(list->IsMouseOver());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(tree.header(), &leave);
    EXPECT_FALSE(list->IsMouseOver());
}

TEST_F(ButtonSkins, AThirdStateBoxIsLinedInTheHighlightOnlyWhileNeitherHeldNorFocused)
{
    VornaSkinManager::GetInstance().ChangeSkin(QStringLiteral("spring"));
    ASSERT_FALSE(ASMPushButton::ImageControlsOn());
    ASMCheckBox skin;
    auto inner = [&skin](const SkinButtonLook& look) {
        QImage image(20, 13, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter dc(&image);
        skin.DrawMark(dc, platform::Rect(0, 0, 20, 13), look, nullptr);
        dc.end();
        return at(image, 1, 1);
    };
    SkinButtonLook look;
    look.pushLike = false;
    look.indeterminate = true;
    EXPECT_EQ(inner(look), GetSkinSysColor(COLOR_3DHIGHLIGHT));
    look.focus = true;
    EXPECT_EQ(inner(look), GetSkinSysColor(COLOR_WINDOW));
    look.focus = false;
    look.indeterminate = false;
    EXPECT_EQ(inner(look), GetSkinSysColor(COLOR_WINDOW));
    ASSERT_NE(GetSkinSysColor(COLOR_3DHIGHLIGHT), GetSkinSysColor(COLOR_WINDOW));
}
