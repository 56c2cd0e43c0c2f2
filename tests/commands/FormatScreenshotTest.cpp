// A picture of character formatting in the running program for people to
// look at: a text box made bold, centred, bigger and coloured through the
// format bar, with the bar showing the state of the text at the caret. Run
// under Xvfb (see ARCHITECTURE.md, Tests).

#include "FormatPage.h"

#include "chrome/ULOToolBar.h"
#include "controls/VornaComboEx.h"
#include "res/resource.h"

#include "../controls/ReviewPicture.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

namespace {

const char* const kSalePage =
    "bgcolor=#FFFFF0>\n"
    "<TABLE id=text style=\"Z-INDEX: 101; LEFT: 40px; POSITION: absolute; TOP: 30px\" width=420 height=90>"
    "<TR><TD id=sale>春の大セール 全品20%オフ</TD></TR></TABLE>\n"
    "<TABLE id=text style=\"Z-INDEX: 102; LEFT: 40px; POSITION: absolute; TOP: 140px\" width=420>"
    "<TR><TD id=note>期間：4月1日から4月10日まで</TD></TR></TABLE>\n";

class FormatScreenshot : public FormatPage
{
};

TEST_F(FormatScreenshot, FormattedTextBoxAndTheFormatBar)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    CMainFrame* frame = app->mainFrame();
    frame->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame, 60000));
    ASSERT_NE(open(QString::fromUtf8(kSalePage), "Shift_JIS", QStringLiteral("sale")), nullptr);
    // The format bar in a row of its own, as the user drags it.
    ULOToolBar* bar = frame->toolBar(603);
    frame->addToolBarBreak(Qt::TopToolBarArea);
    frame->addToolBar(Qt::TopToolBarArea, bar);
    bar->show();
    // The box as the user formats it: bold, centred, size 6, red.
    selectBoxes({"sale"});
    run(ID_FORMAT_BOLD);
    run(ID_FORMAT_ALIGN_CENTER);
    VornaComboEx* size = frame->fontSizeBox();
    size->setCurrentIndex(5);
    emit size->activated(5);
    settle();
    frame->m_crTextColor = platform::rgb(0xCC, 0, 0);
    frame->m_bTextColorDefault = false;
    run(ID_FORMAT_TEXT_COLOR);
    // The caret in its text: the bar shows bold, centre and the size.
    caretIn("sale", 0);
    engine::TextRange range(doc());
    range.moveToElementText(byId("sale"));
    range.collapse(true);
    range.move(QStringLiteral("character"), 2);
    range.select();
    settle();
    updateBars();
    QTest::qWait(200);
    updateBars();
    EXPECT_TRUE(checked(ID_FORMAT_BOLD));
    EXPECT_TRUE(checked(ID_FORMAT_ALIGN_CENTER));
    EXPECT_FALSE(checked(ID_FORMAT_ITALIC));
    EXPECT_EQ(size->currentText(), QStringLiteral("6(24pt)"));
    EXPECT_EQ(
        inner("sale"),
        QStringLiteral("<FONT color=#cc0000><FONT size=6><STRONG>春の大セール 全品20%オフ</STRONG></FONT></FONT>"));
    // The bars and the top of the page.
    const QPoint barTop = bar->mapTo(frame, QPoint(0, 0));
    const QImage shot = frame->grab(QRect(0, barTop.y(), qMin(frame->width(), bar->width() + 20), 300)).toImage();
    EXPECT_TRUE(saveForReview(shot, QStringLiteral("format-bar-and-text-box.png")));
}

} // namespace
