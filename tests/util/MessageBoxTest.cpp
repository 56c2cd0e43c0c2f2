#include <gtest/gtest.h>

#include "support/FakeAppContext.h"

#include "platform/MessageBoxDialog.h"
#include "platform/ModalResponder.h"
#include "res/resource.h"
#include "util/MessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QMainWindow>
#include <QPushButton>

using platform::ModalResponder;

namespace {

// The short (text, buttons, check-box) form must not compile: it would pass
// the button code as an unused argument.
template <typename... A>
concept CanShow = requires(A... a)
{
    ShowMessageBox(a...);
};
template <typename... A>
concept CanShowById = requires(A... a)
{
    MessageBoxById(a...);
};
static_assert(!CanShow<QString, int, bool>);
static_assert(!CanShowById<int, int, bool>);
static_assert(CanShow<QString>);
static_assert(CanShow<QString, int, int, int, int, bool>);
static_assert(CanShowById<int, int, int, int>);

struct MessageBoxFixture : ::testing::Test
{
    FakeAppContext context;
    QMainWindow main;
    ModalResponder responder;
    void SetUp() override { context.mainWindowValue = &main; }

    // Answers the next box: ticks the check box when asked, then presses the button.
    void answerWith(int button, bool tick)
    {
        responder.onMessageBox([button, tick](QDialog& d) {
            if (tick) {
                ASSERT_TRUE(ModalResponder::setChecked(d, kApplyToAllCheckBoxId, true));
            }
            ASSERT_TRUE(ModalResponder::press(d, button));
        });
    }
};

} // namespace

TEST_F(MessageBoxFixture, RememberedAnswerOfTheBoxsButtonsIsReturnedWithoutShowing)
{
    context.remembered = 7;
    EXPECT_EQ(ShowMessageBox("保存しますか？", 0, 0x40, 3, 12, true), 7);
    EXPECT_EQ(ShowMessageBox("削除しますか？", 0, 0x40, 4), 7);
    EXPECT_TRUE(responder.runs().isEmpty());
}

TEST_F(MessageBoxFixture, RememberedAnswerThatIsNotOneOfTheButtonsShowsTheBox)
{
    context.remembered = 7;
    responder.answerMessageBox(platform::IDOK, "ファイルを編集できません");
    EXPECT_EQ(ShowMessageBox("ファイルを編集できません"), platform::IDOK);
    context.remembered = 6;
    responder.answerMessageBox(platform::IDCANCEL);
    EXPECT_EQ(ShowMessageBox("x", 0, 0x40, 2), platform::IDCANCEL);
    EXPECT_EQ(responder.runs().size(), 2);
    EXPECT_EQ(context.remembered, 6);
}

struct TickCase
{
    int button;
    bool tick;
    int remembered;
};

void PrintTo(const TickCase& c, std::ostream* os)
{
    *os << "button " << c.button << (c.tick ? " ticked" : " unticked");
}

class ApplyToAll : public MessageBoxFixture, public ::testing::WithParamInterface<TickCase>
{
};

TEST_P(ApplyToAll, TickedYesOrNoIsRememberedCancelNever)
{
    answerWith(GetParam().button, GetParam().tick);
    EXPECT_EQ(ShowMessageBox("a.html ファイルが変更されました", 0, 0x40, 3, 12, true), GetParam().button);
    EXPECT_EQ(context.remembered, GetParam().remembered);
}

INSTANTIATE_TEST_SUITE_P(Table, ApplyToAll,
                         ::testing::Values(TickCase{platform::IDNO, true, 7}, TickCase{platform::IDYES, true, 6},
                                           TickCase{platform::IDCANCEL, true, 0}, TickCase{platform::IDYES, false, 0}));

TEST_F(MessageBoxFixture, TickedOkOfAnOkBoxIsRemembered)
{
    answerWith(platform::IDOK, true);
    EXPECT_EQ(ShowMessageBox("x", 0, 0x40, 1, 12, true), platform::IDOK);
    EXPECT_EQ(context.remembered, platform::IDOK);
}

TEST_F(MessageBoxFixture, CheckBoxTextFollowsTheWebQuestionFlagWhichIsUsedUp)
{
    QStringList labels;
    auto record = [&labels](QDialog& d) {
        auto* check = d.findChild<QCheckBox*>(QStringLiteral("id_%1").arg(kApplyToAllCheckBoxId));
        labels << (check ? check->text() : QStringLiteral("<none>"));
        ModalResponder::press(d, platform::IDNO);
    };
    responder.onMessageBox(record).onMessageBox(record).onMessageBox(record);

    context.webQuestion = true;
    ShowMessageBox("q", 0, 0x40, 4, 12, true);
    EXPECT_FALSE(context.webQuestion);
    ShowMessageBox("q", 0, 0x40, 4, 12, true);
    context.webQuestion = true;
    ShowMessageBox("q", 0, 0x40, 4); // no check box: the flag stays for the next question
    EXPECT_TRUE(context.webQuestion);
    EXPECT_EQ(labels,
              (QStringList{"Web で開かれた全てのドキュメントに適用", "他の全ドキュメントに適用する", "<none>"}));
}

struct ButtonCase
{
    unsigned int code;
    QList<int> buttons;
};

void PrintTo(const ButtonCase& c, std::ostream* os)
{
    *os << "code " << c.code;
}

class ButtonCodes : public MessageBoxFixture, public ::testing::WithParamInterface<ButtonCase>
{
};

TEST_P(ButtonCodes, CodeGivesTheButtonsUnderTheProgramsCaption)
{
    QList<int> ids;
    QStringList labels;
    responder.onMessageBox([&](QDialog& d) {
        auto& box = static_cast<platform::MessageBoxDialog&>(d);
        EXPECT_EQ(box.windowTitle(), "ペジタロ");
        EXPECT_EQ(box.text(), "t");
        ids = box.buttonIds();
        for (int id : ids)
            labels << d.findChild<QPushButton*>(QStringLiteral("id_%1").arg(id))->text();
        d.done(ids.first());
    });
    ShowMessageBox("t", 0, 0x40, GetParam().code);
    EXPECT_EQ(ids, GetParam().buttons);
    for (const QString& label : labels)
        EXPECT_FALSE(label.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Table, ButtonCodes,
                         ::testing::Values(ButtonCase{1, {1}}, ButtonCase{2, {1, 2}}, ButtonCase{3, {6, 7, 2}},
                                           ButtonCase{4, {6, 7}}, ButtonCase{0, {1}}, ButtonCase{9, {1}}));

TEST_F(MessageBoxFixture, OwnerIsTheMainWindowUnlessADialogIsActive)
{
    QWidget* owner = nullptr;
    responder.always(platform::kMessageBoxDialogId, [&](QDialog& d) {
        owner = d.parentWidget();
        d.done(platform::IDOK);
    });
    QDialog imageDialog;
    QDialog otherDialog;
    QWidget floating;
    context.imageDialog = &imageDialog;

    const QList<std::pair<QWidget*, QWidget*>> cases = {
        {nullptr, &main}, {&main, &main}, {&imageDialog, &main}, {&otherDialog, &otherDialog}, {&floating, &main}};
    for (const auto& [active, expected] : cases) {
        if (active) {
            active->show();
            QApplication::setActiveWindow(active);
        }
        ShowMessageBox("t");
        EXPECT_EQ(owner, expected) << (active ? active->metaObject()->className() : "none");
    }
    context.mainWindowValue = nullptr;
    ShowMessageBox("t");
    EXPECT_EQ(owner, QApplication::activeWindow()) << "without a main window the active window owns it";
}

TEST_F(MessageBoxFixture, ByIdShowsTheTextOfTheStringTable)
{
    responder.answerMessageBox(platform::IDYES);
    EXPECT_EQ(MessageBoxById(IDS_APPLY_TO_ALL_DOCUMENTS, 0, 0x40, 4), platform::IDYES);
    EXPECT_EQ(responder.messageTexts(), QStringList{"他の全ドキュメントに適用する"});
}
