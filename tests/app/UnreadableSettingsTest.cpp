#include "app/CZQApp.h"

#include "platform/ModalResponder.h"

#include <gtest/gtest.h>

TEST(UnreadableSettings, EachUnreadableFileIsReportedByName)
{
    platform::ModalResponder responder;
    responder.answerMessageBox(platform::IDOK, QStringLiteral("/home/u/.config/user.json"));
    responder.answerMessageBox(platform::IDOK, QStringLiteral("/home/u/.config/machine.json"));

    CZQApp::ReportUnreadableSettings(
        {QStringLiteral("/home/u/.config/user.json"), QStringLiteral("/home/u/.config/machine.json")});

    EXPECT_EQ(responder.pending(), 0);
    ASSERT_EQ(responder.messageTexts().size(), 2);
    EXPECT_TRUE(responder.messageTexts().first().contains(QStringLiteral("既定の設定")));
}

TEST(UnreadableSettings, NothingIsShownWhenEverySettingsFileWasRead)
{
    platform::ModalResponder responder;
    CZQApp::ReportUnreadableSettings({});
    EXPECT_TRUE(responder.messageTexts().isEmpty());
}
