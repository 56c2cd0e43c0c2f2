#include "ProgramStart.h"

#include "app/CMainFrame.h"
#include "controls/SysColors.h"
#include "controls/ULOFileDialog.h"
#include "effects/VornaDlgScriptManage.h"
#include "platform/CommandRegistry.h"
#include "platform/DataRoot.h"
#include "platform/ModalResponder.h"
#include "res/resource.h"
#include "skins/ASMCheckBox.h"
#include "skins/ASMComboBox.h"
#include "skins/ASMEdit.h"
#include "skins/ASMHeaderCtrl.h"
#include "skins/ASMListView.h"
#include "skins/ASMPushButton.h"
#include "skins/SkinRecordPainters.h"
#include "skins/VornaSkinManager.h"
#include "web/VornaDialogGuide.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTreeView>

using platform::ModalResponder;

namespace {

constexpr int kOpen = 33161;
constexpr int kStartup = 33219;
constexpr int kChangeSkin = 33204;
constexpr int kScriptManage = 33434;

// A page with a status-bar effect, so that script management has a row.
const char* const kPageWithEffect = R"html(<HTML><HEAD><TITLE>効果</TITLE></HEAD>
<BODY onload="VornaScriptCall();">
<P>本文</P>
<script language=javascript src="other/statusbar_outin.js"></script>
<SCRIPT LANGUAGE="JavaScript">
<!--
function VornaScriptCall()
{
statusbar_outin_initParam('ようこそ');
}
-->
</SCRIPT>
</BODY></HTML>
)html";

platform::ColorRef at(const QImage& image, int x, int y)
{
    return platform::fromQColor(image.pixelColor(x, y));
}

QImage picture(QWidget* widget)
{
    return widget->grab().toImage();
}

void hover(QWidget* widget, bool over)
{
    QEvent event(over ? QEvent::Enter : QEvent::Leave);
    QCoreApplication::sendEvent(widget, &event);
}

// The colour of the skin's button picture in the given cell, at the middle
// of its third row (where a button of any width shows that column).
platform::ColorRef buttonCell(int state)
{
    const SkinButtonRecord& record = VornaSkinManager::GetInstance().data().m_button;
    const QImage cell = record.image.image().copy(SkinButtonCell(state) * record.cellWidth, 0, record.cellWidth,
                                                  record.image.m_nHeight);
    return platform::fromQColor(cell.pixelColor(cell.width() / 2, 2));
}

platform::ColorRef buttonTop(QPushButton* button)
{
    return at(picture(button), button->width() / 2, 2);
}

// The check box's mark: the middle of the strip cell the box shows.
void expectCheckMarkOfCell(QCheckBox* box, int cell)
{
    const SkinMarkRecord& record = VornaSkinManager::GetInstance().data().m_checkBox;
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    const int h = record.image.m_nHeight;
    const QImage strip = record.image.image();
    const QPoint inCell(record.cellWidth / 2, h / 2);
    const platform::ColorRef expected =
        platform::fromQColor(strip.pixelColor(cell * record.cellWidth + inCell.x(), inCell.y()));
    ASSERT_NE(expected, record.transparent);
    EXPECT_EQ(
        at(picture(box), indicator.left() + inCell.x(), indicator.top() + (indicator.height() - h) / 2 + inCell.y()),
        expected);
}

class SkinnedDialogs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::fillDataRoot(platform::shareDir() + QStringLiteral("/Bin/skins"),
                               platform::installPath(QStringLiteral("Bin/skins")));
        app = StartProgramWithoutGuide();
        ASSERT_NE(app, nullptr);
    }
    void TearDown() override { VornaSkinManager::GetInstance().ChangeSkin(QStringLiteral("classic")); }

    // 表示 > スキンの変更 with the skin chosen in the chooser.
    void choose(const QString& name)
    {
        ModalResponder responder;
        responder.on(IDD_SKIN, [name](QDialog& box) {
            auto* list = box.findChild<QListWidget*>(QStringLiteral("id_1072"));
            ASSERT_NE(list, nullptr);
            const QList<QListWidgetItem*> items = list->findItems(name, Qt::MatchExactly);
            ASSERT_EQ(items.size(), 1);
            list->setCurrentItem(items.first());
            ModalResponder::press(box, 1);
        });
        app->commands()->action(kChangeSkin)->trigger();
        EXPECT_EQ(responder.pending(), 0);
    }
    template <typename Skin> static const Skin* skinOf(const QWidget* widget)
    {
        return qobject_cast<const Skin*>(VornaSkinManager::GetInstance().Find(widget));
    }

    std::unique_ptr<CZQApp> app;
};

} // namespace

TEST_F(SkinnedDialogs, TheStartupGuideShowsSkinButtonsAndMarksAndClassicThePlainLook)
{
    choose(QStringLiteral("metal"));
    ASSERT_TRUE(VornaSkinManager::IsSkinOn());
    ASSERT_TRUE(ASMPushButton::ImageControlsOn());
    platform::ColorRef metalClose = 0;
    ModalResponder responder;
    responder.on(VornaDialogGuide::IDD, [&](QDialog& guide) {
        auto* close = guide.findChild<QPushButton*>(QStringLiteral("id_%1").arg(VornaDialogGuide::kCloseId));
        auto* atStart = guide.findChild<QCheckBox*>(QStringLiteral("id_%1").arg(VornaDialogGuide::kShowAtStartId));
        ASSERT_TRUE(close && atStart);
        ASSERT_NE(skinOf<ASMPushButton>(close), nullptr);
        ASSERT_NE(skinOf<ASMCheckBox>(atStart), nullptr);
        // The button wears the skin's picture, the hot one under the mouse.
        metalClose = buttonTop(close);
        EXPECT_TRUE(metalClose == buttonCell(0) || metalClose == buttonCell(4));
        hover(close, true);
        EXPECT_EQ(buttonTop(close), buttonCell(1));
        hover(close, false);
        // The check box's mark comes from the skin's strip: checked, unchecked, hot.
        atStart->setChecked(false);
        expectCheckMarkOfCell(atStart, SkinMarkCell(0, false));
        atStart->setChecked(true);
        expectCheckMarkOfCell(atStart, SkinMarkCell(0, true));
        hover(atStart, true);
        expectCheckMarkOfCell(atStart, SkinMarkCell(1, true));
        hover(atStart, false);
        ModalResponder::press(guide, VornaDialogGuide::kCloseId);
    });
    app->commands()->action(kStartup)->trigger();
    EXPECT_EQ(responder.pending(), 0);

    // Classic: the same button is drawn plain at once.
    choose(QStringLiteral("classic"));
    EXPECT_FALSE(VornaSkinManager::IsSkinOn());
    responder.on(VornaDialogGuide::IDD, [&](QDialog& guide) {
        auto* close = guide.findChild<QPushButton*>(QStringLiteral("id_%1").arg(VornaDialogGuide::kCloseId));
        ASSERT_NE(close, nullptr);
        EXPECT_NE(buttonTop(close), metalClose);
        ModalResponder::press(guide, VornaDialogGuide::kCloseId);
    });
    app->commands()->action(kStartup)->trigger();
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(SkinnedDialogs, TheOpenDialogsListHeaderCombosNameBoxAndButtonsWearTheSkin)
{
    choose(QStringLiteral("spring"));
    ASSERT_TRUE(VornaSkinManager::IsSkinOn());
    const platform::ColorRef shadow = GetSkinSysColor(COLOR_3DSHADOW);
    ModalResponder responder;
    responder.on(ULOFileDialog::kDialogId, [&](QDialog& box) {
        auto* dialog = qobject_cast<QFileDialog*>(&box);
        ASSERT_NE(dialog, nullptr);
        dialog->setViewMode(QFileDialog::Detail);
        QCoreApplication::processEvents();
        auto* files = box.findChild<QTreeView*>(QStringLiteral("treeView"));
        auto* type = box.findChild<QComboBox*>(QStringLiteral("id_1136"));
        auto* name = box.findChild<QLineEdit*>(QStringLiteral("id_1152"));
        auto* open = box.findChild<QPushButton*>(QStringLiteral("id_1"));
        auto* cancel = box.findChild<QPushButton*>(QStringLiteral("id_2"));
        ASSERT_TRUE(files && type && name && open && cancel);

        // The list: a ring frame, deep while the mouse is over its header.
        ASSERT_NE(skinOf<ASMListView>(files), nullptr);
        ASSERT_NE(skinOf<ASMHeaderCtrl>(files->header()), nullptr);
        files->clearFocus();
        hover(files, false);
        QImage list = picture(files);
        EXPECT_EQ(at(list, files->width() / 2, 0), shadow);
        EXPECT_EQ(at(list, files->width() / 2, 1), GetSkinSysColor(COLOR_3DFACE));
        hover(files->header(), true);
        EXPECT_TRUE(skinOf<ASMListView>(files)->IsMouseOver());
        list = picture(files);
        EXPECT_EQ(at(list, files->width() / 2, 1), GetSkinSysColor(COLOR_3DDKSHADOW));
        // The header's sections are raised buttons, lifted under the mouse.
        const QImage header = picture(files->header());
        EXPECT_EQ(at(header, 0, header.height() / 2), GetSkinSysColor(COLOR_3DLIGHT));
        hover(files->header(), false);
        EXPECT_FALSE(skinOf<ASMListView>(files)->IsMouseOver());
        EXPECT_EQ(at(picture(files->header()), 0, header.height() / 2), GetSkinSysColor(COLOR_3DHIGHLIGHT));

        // The file type: the control frame and a raised drop button.
        ASSERT_NE(skinOf<ASMComboBox>(type), nullptr);
        const QImage combo = picture(type);
        const platform::Rect drop = ASMComboBox::DropButton(platform::Rect::fromQRect(type->rect()));
        EXPECT_EQ(at(combo, 0, type->height() / 2), shadow);
        EXPECT_EQ(at(combo, drop.left, drop.top + drop.height() / 2), GetSkinSysColor(COLOR_3DHIGHLIGHT));
        EXPECT_EQ(at(combo, drop.right - 1, drop.top + drop.height() / 2), shadow);

        // The name box: an edit's edge, flat on the shadow while disabled or read-only.
        ASSERT_NE(skinOf<ASMEdit>(name), nullptr);
        name->clearFocus();
        EXPECT_EQ(at(picture(name), name->width() / 2, 0), shadow);
        EXPECT_EQ(at(picture(name), name->width() - 4, name->height() / 2), GetSkinSysColor(COLOR_WINDOW));
        name->setEnabled(false);
        EXPECT_EQ(at(picture(name), name->width() - 4, name->height() / 2), shadow);
        name->setEnabled(true);
        name->setReadOnly(true);
        EXPECT_EQ(at(picture(name), name->width() - 4, name->height() / 2), shadow);
        name->setReadOnly(false);

        // The buttons: spring draws rings, deeper under the mouse.
        ASSERT_NE(skinOf<ASMPushButton>(cancel), nullptr);
        EXPECT_EQ(at(picture(cancel), cancel->width() / 2, 0), GetSkinSysColor(COLOR_3DHIGHLIGHT));
        hover(cancel, true);
        EXPECT_EQ(at(picture(cancel), cancel->width() - 2, cancel->height() / 2), GetSkinSysColor(COLOR_3DSHADOW));
        hover(cancel, false);
        ModalResponder::press(box, 2);
    });
    app->commands()->action(kOpen)->trigger();
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(SkinnedDialogs, ScriptManagementShowsItsListAndButtonsInTheSkin)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("effect.html"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kPageWithEffect);
    }
    ASSERT_TRUE(app->OpenDocumentFile(path));
    QCoreApplication::processEvents();
    choose(QStringLiteral("metal"));
    ASSERT_TRUE(VornaSkinManager::IsSkinOn());
    ModalResponder responder;
    responder.on(VornaDlgScriptManage::DialogId, [&](QDialog& dialog) {
        auto* rows = dialog.findChild<QListWidget*>(QStringLiteral("id_%1").arg(VornaDlgScriptManage::ListId));
        auto* remove = dialog.findChild<QPushButton*>(QStringLiteral("id_%1").arg(VornaDlgScriptManage::DeleteId));
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("id_1"));
        ASSERT_TRUE(rows && remove && ok);
        ASSERT_NE(skinOf<ASMListView>(rows), nullptr);
        rows->clearFocus();
        hover(rows, false);
        QImage list = picture(rows);
        EXPECT_EQ(at(list, 0, rows->height() / 2), GetSkinSysColor(COLOR_3DSHADOW));
        EXPECT_EQ(at(list, rows->width() - 1, rows->height() / 2), GetSkinSysColor(COLOR_3DHIGHLIGHT));
        EXPECT_EQ(at(list, 1, rows->height() / 2), GetSkinSysColor(COLOR_3DFACE));
        // Disabled, the list shows a flat shadow and no rows.
        rows->setEnabled(false);
        list = picture(rows);
        EXPECT_EQ(at(list, rows->width() / 2, 8), GetSkinSysColor(COLOR_3DSHADOW));
        rows->setEnabled(true);
        // The buttons wear the skin's pictures: hot under the mouse, the disabled cell while disabled.
        hover(ok, true);
        EXPECT_EQ(buttonTop(ok), buttonCell(1));
        hover(ok, false);
        remove->setEnabled(false);
        EXPECT_EQ(buttonTop(remove), buttonCell(3));
        ModalResponder::press(dialog, 2);
    });
    app->commands()->sendCommand(kScriptManage);
    EXPECT_EQ(responder.pending(), 0);
}
