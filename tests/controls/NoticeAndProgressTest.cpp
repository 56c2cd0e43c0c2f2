// The engine notice, the program's own message box and the progress window,
// on the offscreen platform.

#include "controls/CDialogIEDownload.h"
#include "controls/CProgressWnd.h"
#include "controls/CVornaMessageBox.h"

#include "support/FakeAppContext.h"
#include "util/CRegistryEx.h"

#include "platform/ModalResponder.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using platform::ModalResponder;

namespace {

// ---- the engine notice ----

TEST(CDialogIEDownloadTest, DownloadIsOkAndEveryOtherWayOutIsCancel)
{
    ModalResponder responder;
    responder.on(CDialogIEDownload::IDD, [](QDialog& d) { ModalResponder::press(d, 1); });
    responder.on(CDialogIEDownload::IDD, [](QDialog& d) { ModalResponder::press(d, 2); });
    responder.on(CDialogIEDownload::IDD, [](QDialog& d) { d.reject(); });
    for (int expected : {platform::IDOK, platform::IDCANCEL, platform::IDCANCEL}) {
        CDialogIEDownload notice;
        EXPECT_EQ(notice.windowTitle(), "Internet Explorer ダウンロード");
        EXPECT_EQ(notice.DoModal(), expected);
    }
}

TEST(CDialogIEDownloadTest, OnlyAnEngineOlderThanFiveFiveStopsTheStart)
{
    ModalResponder responder;
    EXPECT_TRUE(CDialogIEDownload::CheckEngineVersion(CDialogIEDownload::BuiltInEngineVersion()));
    EXPECT_TRUE(CDialogIEDownload::CheckEngineVersion(QVersionNumber(5, 5)));
    EXPECT_EQ(responder.runCount(CDialogIEDownload::IDD), 0);
    responder.answer(CDialogIEDownload::IDD, platform::IDOK);
    EXPECT_FALSE(CDialogIEDownload::CheckEngineVersion(QVersionNumber(5, 0)));
    EXPECT_EQ(responder.runCount(CDialogIEDownload::IDD), 1);
}

// ---- the program's own message box ----

TEST(CVornaMessageBoxTest, LongPathsGiveWayFolderByFolder)
{
    EXPECT_EQ(CVornaMessageBox::ShortenPathText("short /a/b.html"), "short /a/b.html");
    const QString text = "保存できません: /home/hanako/My Web/my-first-site/travel/2002/kyoto/photos/index.html";
    const QString shortened = CVornaMessageBox::ShortenPathText(text);
    EXPECT_LE(shortened.size(), 70);
    EXPECT_EQ(shortened, "保存できません: /.../My Web/my-first-site/travel/2002/kyoto/photos/index.html")
        << "only as many folders go as the length asks";
    EXPECT_EQ(CVornaMessageBox::ShortenPathText("C:\\Web\\" + QString(80, u'x') + "\\page.htm"), "C:\\...\\page.htm")
        << "the file name stays however long the rest";
    EXPECT_EQ(CVornaMessageBox::ShortenPathText(QString(90, u'y')), QString(90, u'y')) << "no path, no change";
}

TEST(CVornaMessageBoxTest, ButtonsByCountAndTheAnswerForAllDocuments)
{
    auto shown = [](const CVornaMessageBox& box, int id) {
        return !box.findChild<QPushButton*>(QStringLiteral("id_%1").arg(id))->isHidden();
    };
    for (int count : {0, 1, 2, 3}) {
        CVornaMessageBox box("text", 0, count, false);
        EXPECT_EQ(shown(box, platform::IDOK), count >= 1) << count;
        EXPECT_EQ(shown(box, platform::IDNO), count >= 2) << count;
        EXPECT_EQ(shown(box, platform::IDCANCEL), count >= 3) << count;
        EXPECT_TRUE(box.findChild<QCheckBox*>("id_1007")->isHidden());
    }
    FakeAppContext context;
    ModalResponder responder;
    responder.on(CVornaMessageBox::IDD, [](QDialog& d) {
        ModalResponder::setChecked(d, 1007, true);
        ModalResponder::press(d, platform::IDNO);
    });
    CVornaMessageBox box("上書きしますか?", 0, 3, true);
    EXPECT_FALSE(box.findChild<QCheckBox*>("id_1007")->isHidden());
    EXPECT_EQ(box.DoModal(), platform::IDNO);
    EXPECT_EQ(box.m_nCheck, 1);
    EXPECT_EQ(context.remembered, platform::IDNO);
    // Cancel is never remembered for the other documents.
    context.remembered = 0;
    responder.on(CVornaMessageBox::IDD, [](QDialog& d) {
        ModalResponder::setChecked(d, 1007, true);
        ModalResponder::press(d, platform::IDCANCEL);
    });
    CVornaMessageBox cancelled("?", 0, 3, true);
    EXPECT_EQ(cancelled.DoModal(), platform::IDCANCEL);
    EXPECT_EQ(context.remembered, 0);
}

// ---- the progress window ----

TEST(CProgressWndTest, PercentOfTheRange)
{
    EXPECT_EQ(CProgressWnd::Percent(50, 0, 200), 25);
    EXPECT_EQ(CProgressWnd::Percent(100, 50, 150), 50) << "counted from the lower end";
    EXPECT_EQ(CProgressWnd::Percent(7, 10, 10), 0);
    EXPECT_EQ(CProgressWnd::Percent(2000000000, 0, 2000000000), 100) << "no overflow";
}

TEST(CProgressWndTest, CaptionTextBarAndCancel)
{
    FakeAppContext context;
    CProgressWnd progress(nullptr, "コピー中");
    EXPECT_TRUE(progress.isVisible());
    EXPECT_EQ(progress.size().width(), 390);
    progress.SetRange(0, 200, 10);
    EXPECT_EQ(progress.SetPos(50), 0);
    EXPECT_EQ(progress.windowTitle(), "コピー中 [25%]");
    EXPECT_EQ(progress.StepIt(), 50);
    EXPECT_EQ(progress.OffsetPos(40), 60);
    EXPECT_EQ(progress.GetPos(), 100);
    EXPECT_EQ(progress.windowTitle(), "コピー中 [50%]");
    EXPECT_EQ(progress.findChild<QProgressBar*>("id_12")->value(), 100);
    progress.SetText("index.html");
    EXPECT_EQ(progress.findChild<QLabel*>("id_11")->text(), "index.html");
    auto* cancel = progress.findChild<QPushButton*>("id_10");
    EXPECT_EQ(cancel->text(), "キャンセル");
    EXPECT_FALSE(progress.Cancelled());
    cancel->click();
    EXPECT_TRUE(progress.Cancelled());
    EXPECT_FALSE(progress.isVisible());
}

TEST(CProgressWndTest, ModalDisablesTheMainWindowUntilItGoesAndEscapeCancelsWhilePumping)
{
    QWidget main;
    main.resize(600, 400);
    main.show();
    FakeAppContext context;
    context.mainWindowValue = &main;
    {
        CProgressWnd progress;
        ASSERT_TRUE(progress.GoModal(nullptr, "作業中"));
        EXPECT_FALSE(main.isEnabled());
        EXPECT_TRUE(progress.isEnabled());
        QTest::keyClick(&progress, Qt::Key_Escape);
        EXPECT_FALSE(progress.Cancelled()) << "Escape counts only while the loop pumps";
        QTimer::singleShot(0, &progress, [&progress] { QTest::keyClick(&progress, Qt::Key_Escape); });
        progress.PeekAndPump(true);
        EXPECT_TRUE(progress.Cancelled());
        EXPECT_TRUE(main.isEnabled()) << "a cancelled modal window gives the main window back";
    }
    CProgressWnd progress;
    progress.GoModal(nullptr, "作業中");
    EXPECT_FALSE(main.isEnabled());
}

TEST(CProgressWndTest, TheNextWindowOpensWhereTheLastOneWas)
{
    FakeAppContext context;
    QPoint where;
    {
        CProgressWnd first(nullptr, "1");
        first.move(first.pos() + QPoint(37, 21));
        where = first.pos();
    }
    CProgressWnd second(nullptr, "2");
    EXPECT_EQ(second.pos(), where);
}

} // namespace
