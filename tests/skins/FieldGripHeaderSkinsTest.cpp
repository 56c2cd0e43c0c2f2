#include "controls/SysColors.h"
#include "skins/ASMEdit.h"
#include "skins/ASMHeaderCtrl.h"
#include "skins/ASMRadioButton.h"
#include "tests/skins/SkinFixture.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSizeGrip>
#include <QStandardItemModel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTreeWidget>

namespace {

class FieldGripHeaderSkins : public SkinFixture
{
protected:
    void SetUp() override
    {
        SkinFixture::SetUp();
        Use("spring");
    }
    static platform::ColorRef sys(int index) { return GetSkinSysColor(index); }
};

} // namespace

TEST_F(FieldGripHeaderSkins, TheRadioCircleStandsOnFaceCorners)
{
    QRadioButton radio(QStringLiteral("radio"));
    radio.resize(100, 20);
    radio.ensurePolished();
    ASSERT_NE(qobject_cast<ASMRadioButton*>(VornaSkinManager::GetInstance().Find(&radio)), nullptr);
    QStyleOptionButton option;
    option.initFrom(&radio);
    const QRect indicator = radio.style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, &radio);
    const QPoint o(indicator.left() + 1, indicator.top() + (indicator.height() - 13) / 2);
    const QImage picture = Render(radio);
    // Corners outside the circle, the column left of it and the row below it.
    for (QPoint p : {QPoint(0, 0), QPoint(3, 0), QPoint(8, 0), QPoint(11, 0), QPoint(0, 1), QPoint(11, 2),
                     QPoint(-1, 5), QPoint(-1, 12), QPoint(5, 12), QPoint(11, 12), QPoint(0, 11), QPoint(11, 11)})
        EXPECT_EQ(At(picture, o.x() + p.x(), o.y() + p.y()), sys(COLOR_3DFACE)) << p.x() << "," << p.y();
    // The circle itself is untouched.
    EXPECT_EQ(At(picture, o.x() + 4, o.y()), sys(COLOR_3DSHADOW));
    EXPECT_EQ(At(picture, o.x() + 11, o.y() + 4), sys(COLOR_WINDOW));
}

TEST_F(FieldGripHeaderSkins, ADialogsSizeGripIsFaceWithItsGripLines)
{
    QDialog dialog;
    dialog.setProperty(VornaSkinManager::kNoSkinProperty, true);
    dialog.setSizeGripEnabled(true);
    dialog.resize(200, 150);
    // Shown, the grip stands in the bottom-right corner.
    dialog.show();
    auto* grip = dialog.findChild<QSizeGrip*>();
    ASSERT_NE(grip, nullptr);
    const QImage picture = Render(*grip);
    const int w = grip->width();
    const int h = grip->height();
    // Along the bottom row from the right: none, shadow, shadow, highlight, none.
    EXPECT_EQ(At(picture, w - 1, h - 1), sys(COLOR_3DFACE));
    EXPECT_EQ(At(picture, w - 2, h - 1), sys(COLOR_3DSHADOW));
    EXPECT_EQ(At(picture, w - 3, h - 1), sys(COLOR_3DSHADOW));
    EXPECT_EQ(At(picture, w - 4, h - 1), sys(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(picture, w - 5, h - 1), sys(COLOR_3DFACE));
    EXPECT_EQ(At(picture, 0, 0), sys(COLOR_3DFACE));
    // Classic: the base style's grip.
    Use("classic");
    EXPECT_NE(Render(*grip), picture);
}

TEST_F(FieldGripHeaderSkins, TheStripAfterTheLastSectionIsAnEmptyButtonOverItsClosingRings)
{
    QTreeWidget tree;
    tree.setHeaderLabels({QStringLiteral("名前")});
    tree.header()->setSectionsClickable(true);
    tree.header()->setStretchLastSection(false);
    tree.header()->resizeSection(0, 50);
    tree.resize(200, 100);
    tree.show();
    QCoreApplication::processEvents();
    QHeaderView* header = tree.header();
    ASSERT_NE(qobject_cast<ASMHeaderCtrl*>(VornaSkinManager::GetInstance().Find(header)), nullptr);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(header, &leave);
    const QImage picture = Render(*header);
    const int y = header->height() / 2;
    EXPECT_EQ(At(picture, 0, y), sys(COLOR_3DHIGHLIGHT));
    // The strip's raised left rings lie on the section's last two columns.
    EXPECT_EQ(At(picture, 48, y), sys(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(picture, 49, y), sys(COLOR_3DFACE));
    EXPECT_EQ(At(picture, header->width() - 1, y), sys(COLOR_3DSHADOW));
    EXPECT_EQ(At(picture, 120, 0), sys(COLOR_3DHIGHLIGHT));

    // A header without sections is one empty button.
    QStandardItemModel empty(0, 0);
    QHeaderView bare(Qt::Horizontal);
    bare.setModel(&empty);
    bare.setSectionsClickable(true);
    bare.resize(100, 20);
    bare.ensurePolished();
    ASSERT_EQ(bare.count(), 0);
    ASSERT_NE(qobject_cast<ASMHeaderCtrl*>(VornaSkinManager::GetInstance().Find(&bare)), nullptr);
    const QImage strip = Render(bare);
    EXPECT_EQ(At(strip, 0, 10), sys(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(strip, 50, 10), sys(COLOR_3DFACE));
    EXPECT_EQ(At(strip, 99, 10), sys(COLOR_3DSHADOW));
}

TEST_F(FieldGripHeaderSkins, ASectionsTextStartsAtItsTopLeftCornerTwoPixelsIn)
{
    QTreeWidget tree;
    tree.setHeaderLabels({QStringLiteral("名前"), QString()});
    tree.header()->setSectionsClickable(true);
    tree.header()->setFixedHeight(40);
    tree.header()->resizeSection(0, 80);
    tree.resize(200, 100);
    tree.show();
    QCoreApplication::processEvents();
    QHeaderView* header = tree.header();
    const QImage picture = Render(*header);
    // The ink of the label: what differs from the face inside the rings.
    QRect ink;
    for (int y = 2; y < 38; ++y)
        for (int x = 2; x < 78; ++x)
            if (At(picture, x, y) != sys(COLOR_3DFACE))
                ink |= QRect(x, y, 1, 1);
    ASSERT_FALSE(ink.isEmpty());
    const QFontMetrics metrics(header->font());
    EXPECT_LE(ink.left(), 2 + 2);
    EXPECT_LE(ink.bottom(), 2 + metrics.height());
    // The empty section beside it is face inside its rings.
    for (int y = 2; y < 38; ++y)
        ASSERT_EQ(At(picture, 120, y), sys(COLOR_3DFACE)) << y;
}

TEST_F(FieldGripHeaderSkins, AReadOnlyFieldsTextStandsWhereAnEditableFieldsDoes)
{
    // The ink of the text: the pixels far from the field's fill.
    auto inkOf = [](const QImage& picture, QRgb fill) {
        QRect ink;
        for (int y = 3; y < picture.height() - 3; ++y)
            for (int x = 3; x < picture.width() - 3; ++x) {
                const QRgb p = picture.pixel(x, y);
                if (std::abs(qGray(p) - qGray(fill)) > 60)
                    ink |= QRect(x, y, 1, 1);
            }
        return ink;
    };
    for (const char* skin : {"metal", "spring"}) {
        Use(skin);
        QLineEdit editable(QStringLiteral("WWW"));
        QLineEdit readOnly(QStringLiteral("WWW"));
        readOnly.setReadOnly(true);
        for (QLineEdit* field : {&editable, &readOnly}) {
            field->resize(120, 26);
            field->show();
        }
        QCoreApplication::processEvents();
        const QImage a = Render(editable);
        const QImage b = Render(readOnly);
        const QRect inkA = inkOf(a, a.pixel(60, 5));
        const QRect inkB = inkOf(b, b.pixel(60, 5));
        EXPECT_EQ(inkA, inkB) << skin;
    }
}

TEST_F(FieldGripHeaderSkins, AFieldOfSeveralLinesHasTheEdgeAndLiesFlatWhenDisabledOrReadOnly)
{
    QPlainTextEdit edit(QStringLiteral("一行目\n二行目"));
    edit.resize(160, 80);
    edit.ensurePolished();
    ASSERT_NE(qobject_cast<ASMEdit*>(VornaSkinManager::GetInstance().Find(&edit)), nullptr);
    // Room for both rings round the text, and back to the plain frame in classic and again in a skin.
    EXPECT_EQ(edit.frameWidth(), 2);
    Use("classic");
    EXPECT_LT(edit.frameWidth(), 2);
    Use("spring");
    EXPECT_EQ(edit.frameWidth(), 2);
    const QPoint inside(150 - 20, 60);
    QImage picture = Render(edit);
    EXPECT_EQ(At(picture, 40, 0), sys(COLOR_3DSHADOW));
    EXPECT_EQ(At(picture, 40, 1), sys(COLOR_3DFACE));
    EXPECT_EQ(At(picture, 159, 40), sys(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(At(picture, inside.x(), inside.y()), sys(COLOR_WINDOW));
    edit.setReadOnly(true);
    picture = Render(edit);
    EXPECT_EQ(At(picture, 40, 1), sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(At(picture, inside.x(), inside.y()), sys(COLOR_3DSHADOW));
    edit.setReadOnly(false);
    edit.setEnabled(false);
    picture = Render(edit);
    EXPECT_EQ(At(picture, inside.x(), inside.y()), sys(COLOR_3DSHADOW));
    // Disabled text is dark, on the shadow.
    EXPECT_EQ(platform::fromQColor(QApplication::palette().color(QPalette::Disabled, QPalette::Text)),
              sys(COLOR_3DDKSHADOW));
    Use("classic");
    EXPECT_NE(At(Render(edit), inside.x(), inside.y()), GetSkinSysColor(COLOR_3DSHADOW));
}
