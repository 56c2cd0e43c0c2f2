// Pictures of the link dialogs for people to look at (run under Xvfb).

#include "dialogs/VornaDialogHyperlink.h"

#include "controls/AddressHistory.h"
#include "support/ReviewPicture.h"
#include "support/TestFiles.h"
#include "util/LivePage.h"

#include "platform/ModalResponder.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

using platform::ModalResponder;

namespace {

TEST(DialogScreenshot, HyperlinkWithTheWebsPagesAndTheHistory)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    QTemporaryDir dir;
    LivePage page;
    page.app.web = dir.path();
    page.app.viewPages.insert(page.app.active, AppContext::OpenDocument(nullptr, QStringLiteral("index.html"),
                                                                        dir.path() + QStringLiteral("/index.html")));
    VornaDialogHyperlink::SetWebPageSource([] {
        return QList<HyperlinkDialogModel::PageRow>{
            {QStringLiteral("山田家のホームページ"), QStringLiteral("index.html")},
            {QStringLiteral("日記"), QStringLiteral("diary.html")},
            {QStringLiteral("家族の紹介"), QStringLiteral("family.html")},
            {QStringLiteral("タイトルなし"), QStringLiteral("links.html")}};
    });
    AddressHistory(VornaDialogHyperlink::HistoryKeyName())
        .Save({QStringLiteral("http://www.example.jp/"), QStringLiteral("mailto:taro@example.jp"),
               QStringLiteral("diary.html")});
    VornaDialogHyperlink dialog;
    dialog.m_bPageInWeb = true;
    dialog.m_bEditLink = true;
    dialog.m_strURL = QStringLiteral("diary.html");
    dialog.m_strTarget = QStringLiteral("_blank");
    ModalResponder responder;
    responder.on(VornaDialogHyperlink::IDD, [](QDialog& d) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&d, 60000));
        QTest::qWait(100);
        auto* url = d.findChild<QComboBox*>(QStringLiteral("id_1005"));
        EXPECT_EQ(url->count(), 3);
        SaveReviewPicture(d.grab().toImage(), QStringLiteral("hyperlink.png"));
        ModalResponder::press(d, platform::IDCANCEL);
    });
    dialog.DoModal();
    VornaDialogHyperlink::SetWebPageSource({});
}

} // namespace
