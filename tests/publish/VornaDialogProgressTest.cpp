#include "publish/VornaDialogProgress.h"

#include "controls/VornaProgress.h"

#include "platform/ModalResponder.h"
#include "util/StringResources.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLabel>
#include <QTest>

namespace {

TEST(VornaDialogProgress, EscapeAsksLikeCancelAndNoGoesOn)
{
    VornaDialogProgress dialog;
    dialog.show();
    dialog.SetProgress(42, QStringLiteral("ダウンロード中 :\n/www/index.html"));
    EXPECT_EQ(dialog.findChild<VornaProgress*>(QStringLiteral("id_1265"))->GetPos(), 42);
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("id_1381"))->text(),
              QStringLiteral("ダウンロード中 :\n/www/index.html"));

    platform::ModalResponder responder;
    responder.answerMessageBox(platform::IDNO, LoadResString(41776));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.cancelRequested());
    EXPECT_TRUE(dialog.isVisible());

    responder.answerMessageBox(platform::IDYES, LoadResString(41776));
    EXPECT_TRUE(platform::ModalResponder::press(dialog, VornaDialogProgress::CancelId));
    EXPECT_TRUE(dialog.cancelRequested());
    EXPECT_TRUE(dialog.isVisible()); // the transfer closes it when it stops
    EXPECT_EQ(responder.pending(), 0);
}

} // namespace
