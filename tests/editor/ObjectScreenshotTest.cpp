// A picture for people to look at: a page holding one object of every kind
// the insertion tools place, put there by the tools themselves. Run under
// Xvfb (see ARCHITECTURE.md, Tests).

#include "ObjectsPage.h"

#include "controls/ReviewPicture.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

class ObjectScreenshot : public ObjectsPage
{
protected:
    void insert(int kind, QRect where)
    {
        frame()->m_nInsertKind = kind;
        frame()->m_rcInsert = QRect(QPoint(-1, -1), where.size());
        QPoint point = where.topLeft();
        sink()->InsertPositionedObject(point);
        settle();
    }

    QString picture(const char* name, QSize size, QColor colour, const QString& label)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        QPainter p(&image);
        p.setPen(Qt::white);
        p.drawText(image.rect(), Qt::AlignCenter, label);
        p.end();
        const QString path = dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(image.save(path));
        return path;
    }
};

TEST_F(ObjectScreenshot, EveryKindOfObject)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    app->mainFrame()->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(app->mainFrame(), 60000));
    ASSERT_NE(open(QStringLiteral("bgcolor=#FFFFF0>\n<P><FONT size=4 color=#336699><B>部品の見本</B></FONT></P>\n")),
              nullptr);
    sink()->m_bHrDefaultWidth = false;
    sink()->m_bMarqueeDefaultWidth = false;
    // A text box, with what the user typed into it.
    insert(1, QRect(20, 50, 200, 50));
    doc()->getElementsByTagName(QStringLiteral("TD")).item(0)->setInnerHTML(QStringLiteral("テキストボックス"));
    // A picture and a roll-over picture.
    frame()->m_strInsertImageSrc =
        picture("photo.png", QSize(120, 80), QColor(0x33, 0x66, 0x99), QStringLiteral("IMG"));
    frame()->m_nInsertImageFlag = 0;
    insert(2, QRect(240, 50, 120, 80));
    frame()->m_strInsertImageSrc = picture("roll.png", QSize(90, 60), QColor(0x99, 0x33, 0x66), QStringLiteral("Roll"));
    frame()->m_nInsertMediaType = 0;
    frame()->m_strInsertLinkHref = QStringLiteral("next.html");
    frame()->m_strInsertMediaSrc.clear();
    frame()->m_strInsertHtml = QStringLiteral("id=\"VornaRollImage\" name=\"VornaRollImage1\"");
    insert(6, QRect(380, 50, 90, 60));
    frame()->m_strInsertLinkHref.clear();
    // A table.
    frame()->m_strInsertHtml =
        QStringLiteral("border=1 cellspacing=0><TR><TD>曜日</TD><TD>時間</TD></TR><TR><TD>平日</TD><TD>10:00</TD></TR>"
                       "</TABLE>");
    insert(4, QRect(20, 150, 0, 0));
    // A rule, a marquee, a movie and a text object.
    insert(7, QRect(20, 240, 300, 4));
    insert(9, QRect(240, 150, 220, 30));
    doc()->getElementsByTagName(QStringLiteral("MARQUEE")).item(0)->setInnerHTML(QStringLiteral("お知らせ"));
    frame()->m_strInsertMediaSrc = QStringLiteral("movie.swf");
    frame()->m_nInsertMediaType = 0;
    insert(3, QRect(480, 50, 120, 90));
    insert(10, QRect(480, 160, 120, 60));
    doc()->selection().empty();
    settle();
    for (const char* tag : {"TABLE", "IMG", "HR", "MARQUEE", "EMBED", "OBJECT"})
        EXPECT_GT(doc()->getElementsByTagName(QString::fromLatin1(tag)).length(), 0) << tag;
    const QImage shot = view()->grab(QRect(0, 0, 640, 280)).toImage();
    // The picture shows where it was put.
    const QPoint photo = page()->clientToView(QPoint(250, 60));
    EXPECT_EQ(QColor(shot.pixel(view()->GetPageView()->mapTo(view(), photo))), QColor(0x33, 0x66, 0x99));
    EXPECT_TRUE(saveForReview(shot, QStringLiteral("objects-every-kind.png")));
}

} // namespace
