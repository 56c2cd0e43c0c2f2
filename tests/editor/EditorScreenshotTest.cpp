// Pictures of the page's design aids in the running program for people to
// look at: the grid in its three styles with the page-size guide, and the
// outlines of objects. Run under Xvfb (see ARCHITECTURE.md, Tests).

#include "EditorPage.h"

#include "controls/ReviewPicture.h"

#include <QGuiApplication>
#include <QPainter>
#include <QTest>

namespace {

// A beginner's page: a heading, a text box, a marquee, a table, a picture
// and a movie, in the colours of its background.
QString pageBody(const char* background)
{
    return QStringLiteral("bgcolor=%1>\n"
                          "<P><FONT size=5 color=#336699><B>ようこそ、私のホームページへ</B></FONT></P>\n"
                          "<TABLE id=text style=\"Z-INDEX: 101; LEFT: 30px; POSITION: absolute; TOP: 70px\" "
                          "width=200 height=60><TR><TD>テキストボックス：ここに文字を入力します</TD></TR></TABLE>\n"
                          "<MARQUEE style=\"Z-INDEX: 102; LEFT: 260px; POSITION: absolute; TOP: 80px\" width=220 "
                          "height=30>新着情報はこちら</MARQUEE>\n"
                          "<TABLE border=1 style=\"Z-INDEX: 103; LEFT: 30px; POSITION: absolute; TOP: 170px\">"
                          "<TR><TD>曜日</TD><TD>営業時間</TD></TR><TR><TD>平日</TD><TD>10:00-19:00</TD></TR></TABLE>\n"
                          "<IMG src=none.gif alt=写真 width=120 height=90 "
                          "style=\"Z-INDEX: 104; LEFT: 300px; POSITION: absolute; TOP: 150px\">\n"
                          "<EMBED src=movie.swf width=160 height=90 "
                          "style=\"Z-INDEX: 105; LEFT: 460px; POSITION: absolute; TOP: 150px\">\n")
        .arg(QString::fromLatin1(background));
}

class EditorScreenshot : public EditorPage
{
protected:
    QImage shoot(const char* background, int style, int pitch, const QString& name)
    {
        open(pageBody(background), "UTF-8", name);
        CMainFrame* frame = app->mainFrame();
        frame->m_settings.gridVisible = 1;
        frame->m_settings.gridStyle = style;
        frame->m_settings.gridSize = pitch;
        frame->m_settings.pageSizeVisible = 1;
        frame->m_settings.pageSize = QSize(640, 300);
        EXPECT_TRUE(frame->SetGridBehavior(view()));
        EXPECT_TRUE(frame->SetElementBordersBehavior(view()));
        settle();
        return view()->grab(QRect(0, 0, 700, 320)).toImage();
    }
};

TEST_F(EditorScreenshot, GridStylesGuideAndOutlines)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    app->mainFrame()->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(app->mainFrame(), 60000));
    // Dots on white: only the movie is outlined. Lines on silver: the text
    // box and the marquee too. Dotted lines on navy.
    const QImage shots[] = {shoot("#FFFFFF", 1, 10, QStringLiteral("dots")),
                            shoot("silver", 2, 20, QStringLiteral("lines")),
                            shoot("#000080", 3, 40, QStringLiteral("dotted"))};
    QImage sheet(700, 3 * 320 + 2 * 8, QImage::Format_RGB32);
    sheet.fill(QColor(0x80, 0x80, 0x80));
    QPainter p(&sheet);
    for (int i = 0; i < 3; ++i)
        p.drawImage(0, i * (320 + 8), shots[i]);
    p.end();
    // The movie's outline on white is the light grey, one pixel outside its box.
    EXPECT_EQ(shots[0].pixel(459, 200), qRgb(0xE6, 0xE6, 0xE6));
    EXPECT_TRUE(saveForReview(sheet, QStringLiteral("editor-grid-and-outlines.png")));
}

} // namespace
