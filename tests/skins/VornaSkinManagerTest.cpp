#include "controls/SkinContext.h"
#include "platform/DataRoot.h"
#include "platform/ModalResponder.h"
#include "res/resource.h"
#include "skins/ASMDialog.h"
#include "skins/ASMMainFrame.h"
#include "skins/VornaDialogSkin.h"
#include "skins/VornaSkinManager.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSizeGrip>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

using platform::ModalResponder;

namespace {

// The shipped skins in the test's data root, the manager hooked to a main
// frame of its own; classic again afterwards.
class SkinManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::fillDataRoot(platform::shareDir() + QStringLiteral("/Bin/skins"),
                               platform::installPath(QStringLiteral("Bin/skins")));
        frame.resize(640, 480);
        ASSERT_TRUE(manager().Install(&frame));
    }
    void TearDown() override
    {
        manager().ChangeSkin(QStringLiteral("classic"));
        manager().Reset();
    }
    static VornaSkinManager& manager() { return VornaSkinManager::GetInstance(); }

    QWidget frame;
};

std::optional<SkinControlKind> kindOf(QWidget* widget)
{
    const ASMControl* skin = VornaSkinManager::GetInstance().ControlSkin(widget);
    return skin ? std::optional(skin->Kind()) : std::nullopt;
}

} // namespace

TEST_F(SkinManagerTest, InstallHandsTheControlsTheManagersSkin)
{
    SkinContext::install(nullptr);
    EXPECT_FALSE(manager().Install(nullptr));
    ASSERT_TRUE(manager().Install(&frame));
    const SkinContext& skin = SkinContext::instance();
    manager().ChangeSkin(QStringLiteral("metal"));
    EXPECT_TRUE(skin.isSkinOn());
    for (int index : {COLOR_MENU, COLOR_3DFACE, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_INFOBK})
        EXPECT_EQ(skin.sysColor(index), GetSkinSysColor(index)) << index;
    EXPECT_TRUE(skin.imageButtonHasTransparentColor());
}

TEST_F(SkinManagerTest, ControlsAreClassifiedByTheirKind)
{
    QDialog dialog;
    dialog.setProperty(VornaSkinManager::kNoSkinProperty, true);
    auto* layout = new QVBoxLayout(&dialog);
    auto* push = new QPushButton(QStringLiteral("OK"));
    auto* flat = new QPushButton(QStringLiteral("flat"));
    flat->setFlat(true);
    auto* check = new QCheckBox;
    auto* radio = new QRadioButton;
    auto* group = new QGroupBox;
    auto* edit = new QLineEdit;
    auto* combo = new QComboBox;
    combo->setEditable(true);
    auto* spin = new QSpinBox;
    auto* tree = new QTreeWidget;
    tree->header()->setSectionsClickable(true);
    auto* list = new QListWidget;
    auto* label = new QLabel(QStringLiteral("a"));
    auto* line = new QFrame;
    auto* tabs = new QTabBar;
    auto* progress = new QProgressBar;
    auto* scroll = new QScrollBar;
    auto* grip = new QSizeGrip(&dialog);
    for (QWidget* w : std::initializer_list<QWidget*>{push, flat, check, radio, group, edit, combo, spin, tree, list,
                                                      label, line, tabs, progress, scroll})
        layout->addWidget(w);
    dialog.ensurePolished();
    EXPECT_EQ(kindOf(push), SkinControlKind::PushButton);
    EXPECT_EQ(kindOf(flat), std::nullopt);
    EXPECT_EQ(kindOf(check), SkinControlKind::CheckBox);
    EXPECT_EQ(kindOf(radio), SkinControlKind::RadioButton);
    EXPECT_EQ(kindOf(group), SkinControlKind::GroupBox);
    EXPECT_EQ(kindOf(edit), SkinControlKind::Edit);
    EXPECT_EQ(kindOf(combo), SkinControlKind::ComboBox);
    EXPECT_EQ(kindOf(combo->lineEdit()), SkinControlKind::EditCombo);
    EXPECT_EQ(kindOf(spin), SkinControlKind::UpDown);
    EXPECT_EQ(kindOf(tree), SkinControlKind::ListView);
    EXPECT_EQ(kindOf(tree->header()), SkinControlKind::HeaderCtrl);
    EXPECT_EQ(kindOf(list), SkinControlKind::ListView);
    EXPECT_EQ(kindOf(label), SkinControlKind::Static);
    EXPECT_EQ(kindOf(line), SkinControlKind::Static);
    EXPECT_EQ(kindOf(tabs), SkinControlKind::TabControl);
    EXPECT_EQ(kindOf(progress), SkinControlKind::Progress);
    EXPECT_EQ(kindOf(scroll), SkinControlKind::ScrollBar);
    EXPECT_EQ(kindOf(grip), std::nullopt);
    // The dialog keeps the plain look; its controls are skinned all the same.
    EXPECT_EQ(manager().Find(&dialog), nullptr);
    // Each control is attached once, and let go when it goes.
    EXPECT_EQ(manager().SkinControl(push), nullptr);
    const int mapped = manager().MappedCount();
    delete push;
    EXPECT_EQ(manager().MappedCount(), mapped - 1);
}

TEST_F(SkinManagerTest, ASkinChangesColoursAndFramesAndClassicRestoresThem)
{
    const platform::ColorRef desktopFace = GetSysColor(COLOR_3DFACE);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("A dialog with a title long enough to be cut short by the buttons"));
    dialog.resize(200, 120);
    dialog.ensurePolished();
    auto* frame = qobject_cast<ASMDialog*>(manager().Find(&dialog));
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(frame->isApplied());

    manager().ChangeSkin(QStringLiteral("metal"));
    ASSERT_TRUE(VornaSkinManager::IsSkinOn());
    const VornaSkinData& data = manager().data();
    EXPECT_EQ(GetSkinSysColor(COLOR_3DFACE), data.m_face);
    EXPECT_EQ(GetSkinSysColor(COLOR_HIGHLIGHT), data.m_shadow);
    EXPECT_EQ(GetSkinSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(QApplication::palette().color(QPalette::Button), platform::toQColor(data.m_face));
    ASSERT_TRUE(frame->isApplied());
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(dialog.contentsMargins(), QMargins(4, 26, 4, 4));
    // The dialog grows by the frame: its inside keeps its size.
    EXPECT_EQ(dialog.size(), QSize(208, 150));
    // The outline cuts the top corners and follows the window's size.
    EXPECT_FALSE(dialog.mask().isEmpty());
    EXPECT_FALSE(dialog.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(dialog.mask().contains(QPoint(100, 60)));
    EXPECT_TRUE(dialog.mask().contains(QPoint(207, 149)));

    // The caption: close at the right, no help button, the title cut short.
    const QImage picture = dialog.grab().toImage();
    EXPECT_EQ(frame->HitTestCaption(QPoint(208 - 6 - 9, 12)), HTCLOSE);
    EXPECT_EQ(frame->HitTestCaption(QPoint(208 - 26 - 9, 12)), HTCAPTION);
    EXPECT_EQ(frame->HitTestCaption(QPoint(100, 60)), HTCLIENT);
    EXPECT_EQ(frame->HitTestCaption(QPoint(207, 149)), HTBOTTOMRIGHT);
    EXPECT_EQ(frame->HitTestCaption(QPoint(1, 60)), HTLEFT);
    EXPECT_NE(picture.pixel(100, 2), picture.pixel(100, 40));

    manager().ChangeSkin(QStringLiteral("Classic"));
    EXPECT_FALSE(VornaSkinManager::IsSkinOn());
    EXPECT_EQ(GetSkinSysColor(COLOR_3DFACE), desktopFace);
    EXPECT_FALSE(frame->isApplied());
    EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(dialog.contentsMargins(), QMargins());
    EXPECT_EQ(dialog.size(), QSize(200, 120));
    EXPECT_TRUE(dialog.mask().isEmpty());
    EXPECT_EQ(manager().ActiveSkinName(), QStringLiteral("classic"));
}

TEST_F(SkinManagerTest, TheChoiceIsStoredAndABrokenSkinFallsBackToClassic)
{
    manager().ChangeSkin(QStringLiteral("spring"));
    EXPECT_EQ(VornaSkinData().m_strName, QStringLiteral("spring"));
    // A restart: the stored skin is on at once.
    manager().Reset();
    SetUp();
    EXPECT_TRUE(VornaSkinManager::IsSkinOn());
    EXPECT_EQ(manager().ActiveSkinName(), QStringLiteral("spring"));

    const QString broken = platform::installPath(QStringLiteral("Bin/skins/broken"));
    ASSERT_TRUE(QDir().mkpath(broken));
    {
        ModalResponder responder;
        responder.answerMessageBox(1, QStringLiteral("Skin version is old"));
        manager().ChangeSkin(QStringLiteral("broken"));
        EXPECT_EQ(responder.pending(), 0);
    }
    EXPECT_FALSE(VornaSkinManager::IsSkinOn());
    EXPECT_EQ(VornaSkinData().m_strName, QStringLiteral("classic"));
    {
        ModalResponder responder;
        responder.answerMessageBox(1, QStringLiteral("Skin path required"));
        manager().ChangeSkin(QStringLiteral("../spring"));
    }
    EXPECT_FALSE(VornaSkinManager::IsSkinOn());
    QDir(broken).removeRecursively();
}

TEST_F(SkinManagerTest, ASkinWhoseCaptionPictureIsRefusedIsNoSkinNowOrAtTheNextStart)
{
    const QString broken = platform::installPath(QStringLiteral("Bin/skins/nocaption"));
    ASSERT_TRUE(QDir().mkpath(broken));
    {
        QFile skn(broken + QStringLiteral("/skin.skn"));
        ASSERT_TRUE(skn.open(QIODevice::WriteOnly));
        skn.write("[SKIN]\nVER=2.0\n[MAINFRAME]\nCAPTION_IMAGE=caption.bmp\n");
        QFile picture(broken + QStringLiteral("/caption.bmp"));
        ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
        picture.write("not a picture");
    }
    manager().ChangeSkin(QStringLiteral("metal"));
    auto* skin = qobject_cast<ASMFrame*>(manager().Find(&frame));
    ASSERT_NE(skin, nullptr);
    ASSERT_TRUE(skin->isApplied());
    const QString message = QStringLiteral("Skin caption image cannot be read");
    {
        ModalResponder responder;
        responder.answerMessageBox(1, message);
        manager().ChangeSkin(QStringLiteral("nocaption"));
        EXPECT_EQ(responder.pending(), 0);
    }
    EXPECT_FALSE(VornaSkinManager::IsSkinOn());
    EXPECT_EQ(manager().ActiveSkinName(), QStringLiteral("classic"));
    EXPECT_EQ(VornaSkinData().m_strName, QStringLiteral("classic"));
    EXPECT_FALSE(skin->isApplied());
    EXPECT_FALSE(frame.windowFlags().testFlag(Qt::FramelessWindowHint));

    // The name stored by another means: the start refuses it the same way
    // and stores the plain look.
    VornaSkinData stored;
    stored.m_strName = QStringLiteral("nocaption");
    stored.StoreActiveSkinName();
    manager().Reset();
    {
        ModalResponder responder;
        responder.answerMessageBox(1, message);
        SetUp();
        EXPECT_EQ(responder.pending(), 0);
    }
    EXPECT_FALSE(VornaSkinManager::IsSkinOn());
    EXPECT_EQ(VornaSkinData().m_strName, QStringLiteral("classic"));
    QDir(broken).removeRecursively();
}

TEST_F(SkinManagerTest, TheChooserListsTheBuiltInSkinsFirstAndWantsAChoice)
{
    const QStringList shipped = VornaDialogSkin::SkinNames(VornaSkinData::SkinsFolder());
    ASSERT_GE(shipped.size(), 3);
    EXPECT_EQ(shipped.mid(0, 3),
              (QStringList{QStringLiteral("classic"), QStringLiteral("metal"), QStringLiteral("spring")}));
    QTemporaryDir dir;
    for (const char* name : {"zeta", "Classic", "autumn", "alpha", "Metal"})
        ASSERT_TRUE(QDir(dir.path()).mkdir(QString::fromLatin1(name)));
    const QStringList names = VornaDialogSkin::SkinNames(dir.path());
    ASSERT_EQ(names.size(), 5);
    EXPECT_EQ(names.mid(0, 3),
              (QStringList{QStringLiteral("classic"), QStringLiteral("metal"), QStringLiteral("autumn")}));
    EXPECT_TRUE(names.contains(QStringLiteral("zeta")) && names.contains(QStringLiteral("alpha")));

    // The chooser opens on the skin in use, marked but not chosen; moving
    // the mark (as the list does when it takes the focus) chooses nothing.
    manager().ChangeSkin(QStringLiteral("spring"));
    ModalResponder responder;
    responder.on(IDD_SKIN, [](QDialog& box) {
        auto& chooser = static_cast<VornaDialogSkin&>(box);
        auto* list = box.findChild<QListWidget*>(QStringLiteral("id_1072"));
        ASSERT_NE(list, nullptr);
        ASSERT_GE(list->count(), 3);
        ASSERT_NE(list->currentItem(), nullptr);
        EXPECT_EQ(list->currentItem()->text(), QStringLiteral("spring"));
        EXPECT_TRUE(list->selectedItems().isEmpty());
        list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
        // OK without a choice: the message, and the chooser stays.
        chooser.OnOK();
        EXPECT_TRUE(chooser.isVisible() || chooser.result() == 0);
        chooser.OnItemDoubleClicked(nullptr);
        list->setCurrentRow(1);
        ModalResponder::press(box, 1);
    });
    responder.answerMessageBox(1, QStringLiteral("スキンが選択されていません"));
    VornaDialogSkin chooser;
    EXPECT_EQ(chooser.DoModal(), platform::IDOK);
    EXPECT_EQ(chooser.m_strSelected, QStringLiteral("metal"));
    EXPECT_EQ(responder.pending(), 0);
}
