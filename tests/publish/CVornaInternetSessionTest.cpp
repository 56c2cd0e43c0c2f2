#include "publish/CVornaDialogStatus.h"
#include "publish/CVornaFtp.h"

#include "FakeFtpClient.h"
#include "util/StringResources.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

namespace {

TEST(CVornaInternetSession, StepsShowInTheStatusWindowOnlyWhileItIsShown)
{
    CVornaFtp engine(std::make_unique<FakeFtpClient>());
    CVornaInternetSession& session = engine.GetSession();
    EXPECT_TRUE(engine.CloseStatusDialog()); // nothing to close
    session.OnStatusCallback(1, 20, nullptr, 0);
    EXPECT_EQ(session.statusText(), LoadResString(41795));
    EXPECT_EQ(engine.GetStatusDialog(), nullptr);

    ASSERT_TRUE(engine.ShowStatusDialog());
    ASSERT_NE(engine.GetStatusDialog(), nullptr);
    EXPECT_EQ(engine.GetStatusDialog()->objectName(), QStringLiteral("id_14082"));
    session.OnStatusCallback(1, 42, nullptr, 0);
    EXPECT_EQ(engine.GetStatusDialog()->statusText(), LoadResString(41803));
    EXPECT_EQ(LoadResString(41803), QStringLiteral("OnStatusCallback : 不明なステータスメッセージ"));

    EXPECT_TRUE(engine.CloseStatusDialog());
    EXPECT_EQ(engine.GetStatusDialog(), nullptr);
    session.OnStatusCallback(1, 51, nullptr, 0);
    EXPECT_EQ(session.statusText(), LoadResString(41802));
}

TEST(CVornaInternetSession, EveryKnownStepHasItsText)
{
    const std::pair<int, int> steps[] = {{10, 41790}, {11, 41794}, {20, 41795},  {21, 41796}, {30, 41797},
                                         {31, 41798}, {40, 41799}, {41, 41800},  {50, 41801}, {51, 41802},
                                         {60, 41793}, {70, 41792}, {100, 41791}, {0, 41803}};
    for (const auto& [status, id] : steps) {
        EXPECT_EQ(CVornaInternetSession::StatusTextId(status), id) << status;
        EXPECT_FALSE(LoadResString(id).isEmpty()) << id;
    }
}

} // namespace
