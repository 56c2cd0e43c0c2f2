// The HTML of every kind of positioned object the insertion tools place, as
// the page receives it.

#include "editor/objects/PositionedObjectHtml.h"

#include <gtest/gtest.h>

namespace {

InsertRequest request(int kind, QSize size = QSize(100, 25))
{
    InsertRequest r;
    r.kind = kind;
    r.size = size;
    return r;
}

TEST(PositionedObjectHtml, TextBoxTextObjectTableAndRule)
{
    InsertHtml built = BuildPositionedObjectHtml(request(1), 101, 30, 40);
    EXPECT_EQ(built.html, QStringLiteral("<TABLE width=100 height=25 border=0 style='Z-INDEX: 101; LEFT: 30px; "
                                         "POSITION: absolute; TOP: 40px' id=\"text\"><TBODY><TR><TD></TD></TR></TBODY>"
                                         "</TABLE>"));
    EXPECT_EQ(built.tag, QStringLiteral("TABLE"));
    built = BuildPositionedObjectHtml(request(10, QSize(400, 300)), 102, 0, 5);
    EXPECT_EQ(built.html, QStringLiteral("<OBJECT width = 400 height=300 style='Z-INDEX: 102; LEFT: 0px; POSITION: "
                                         "absolute; TOP: 5px' CLASSID='CLSID:70E4BF88-2729-4A46-8794-D459BAC0EB63' "
                                         "align=absmiddle VIEWASTEXT><param name='FontSize' value='12'><param "
                                         "name='Script' value='{}'></OBJECT>"));
    EXPECT_EQ(built.tag, QStringLiteral("OBJECT"));
    InsertRequest table = request(4);
    table.html = QStringLiteral("border=1 width=200><TR><TD>&nbsp;</TD></TR></TABLE>");
    EXPECT_EQ(BuildPositionedObjectHtml(table, 103, 7, 8).html,
              QStringLiteral("<TABLE style='Z-INDEX: 103; LEFT: 7px; POSITION: absolute; TOP: 8px' border=1 "
                             "width=200><TR><TD>&nbsp;</TD></TR></TABLE>"));
    // A clicked rule takes 80 % of the page; a dragged one its width.
    InsertRequest rule = request(7, QSize(640, 3));
    EXPECT_EQ(BuildPositionedObjectHtml(rule, 104, 10, 20).html,
              QStringLiteral("<HR style='Z-INDEX: 104; LEFT: 10px; POSITION: absolute; TOP: 20px' id=\"\" size=3 "
                             "width=\"80%\">"));
    rule.hrDefaultWidth = false;
    rule.size = QSize(50, 100);
    EXPECT_EQ(BuildPositionedObjectHtml(rule, 105, 10, 20).html,
              QStringLiteral("<HR id=hr width=50 size=100 style='Z-INDEX: 105; LEFT: 10px; POSITION: absolute; "
                             "TOP: 20px' id=\"\">"));
    EXPECT_EQ(BuildPositionedObjectHtml(rule, 105, 10, 20).tag, QStringLiteral("HR"));
}

TEST(PositionedObjectHtml, MarqueesTakeTheDefaultWidthOrTheirSize)
{
    InsertRequest marquee = request(9, QSize(300, 0));
    EXPECT_EQ(BuildPositionedObjectHtml(marquee, 101, 1, 2).html,
              QStringLiteral("<MARQUEE border=0 style='Z-INDEX: 101; LEFT: 1px; POSITION: absolute; TOP: 2px' "
                             "id=\"marquee\" width=80%></MARQUEE>"));
    marquee.marqueeDefaultWidth = false;
    EXPECT_EQ(BuildPositionedObjectHtml(marquee, 101, 1, 2).html,
              QStringLiteral("<MARQUEE border=0 style='Z-INDEX: 101; LEFT: 1px; POSITION: absolute; TOP: 2px' "
                             "id=\"marquee\" width=300></MARQUEE>"));
    marquee.size = QSize(300, 40);
    EXPECT_TRUE(BuildPositionedObjectHtml(marquee, 101, 1, 2)
                    .html.endsWith(QLatin1String(" width=300 height=40>"
                                                 "</MARQUEE>")));
}

TEST(PositionedObjectHtml, ImagesAndCounters)
{
    InsertRequest image = request(2, QSize(24, 16));
    image.imageSrc = QStringLiteral("/home/花子/My \"Pics\" & >more/写真 1.png");
    EXPECT_EQ(BuildPositionedObjectHtml(image, 101, 40, 30).html,
              QStringLiteral("<IMG src=\"/home/花子/My &quot;Pics&quot; &amp; >more/写真 1.png\" style=\"POSITION: "
                             "absolute; Z-INDEX: 101; LEFT: 40px; TOP: 30px; WIDTH: 24px; HEIGHT: 16px\" alt=\"\" "
                             "hspace=0 align=baseline border=0>"));
    // A picture that could not be measured keeps its own size.
    image.size = QSize(0, 0);
    image.imageSrc = QStringLiteral("a%201.gif");
    EXPECT_EQ(BuildPositionedObjectHtml(image, 101, 40, 30).html,
              QStringLiteral("<IMG src=\"a%201.gif\" style=\"POSITION: absolute; Z-INDEX: 101; LEFT: 40px; TOP: 30px\" "
                             "alt=\"\" hspace=0 align=baseline border=0>"));
    InsertRequest counter = request(2);
    counter.imageFlag = 1;
    counter.imageSrc = QStringLiteral("http://counter.example/Count?id=abc&amp;digits=5");
    EXPECT_EQ(BuildPositionedObjectHtml(counter, 102, 5, 6).html,
              QStringLiteral("<IMG id=\"ImageCounter\" src=\"http://counter.example/Count?id=abc&amp;amp;digits=5\" "
                             "style=\"Z-INDEX: 102; LEFT: 5px; POSITION: absolute; TOP: 6px\" alt=\"\" hspace=0 "
                             "align=baseline border=0>"));
    counter.imageFlag = 7;
    const InsertHtml nothing = BuildPositionedObjectHtml(counter, 102, 5, 6);
    EXPECT_TRUE(nothing.built);
    EXPECT_TRUE(nothing.html.isEmpty());
}

TEST(PositionedObjectHtml, CounterTagsAreSplicedInTheirOwnCase)
{
    // Lower case without a style: the style before the last ">", the id after the tag name.
    EXPECT_EQ(SpliceCounterImage(QStringLiteral("<img src=\"http://c.example/Count?u=1\" alt=\"count\">"), 101, 10, 20),
              QStringLiteral("<img id=\"ImageCounter\" src=\"http://c.example/Count?u=1\" alt=\"count\" style=\" "
                             "Z-INDEX: 101; LEFT: 10px; POSITION: absolute; TOP: 20px \">"));
    // A style of its own, in double or single quotes: the position goes in front.
    EXPECT_EQ(SpliceCounterImage(QStringLiteral("<IMG style=\"border:0\" src=c.gif>"), 101, 10, 20),
              QStringLiteral("<IMG id=\"ImageCounter\" style=\" Z-INDEX: 101; LEFT: 10px; POSITION: absolute; TOP: "
                             "20px border:0\" src=c.gif>"));
    EXPECT_EQ(SpliceCounterImage(QStringLiteral("<Img Style='border:0'>"), 3, 0, 0),
              QStringLiteral("<Img id=\"ImageCounter\" Style=' Z-INDEX: 3; LEFT: 0px; POSITION: absolute; TOP: 0px "
                             "border:0'>"));
    EXPECT_EQ(SpliceCounterEmbed(QStringLiteral("<embed src=\"c.swf?u=1\" width=80 height=20>"), 104, 1, 2),
              QStringLiteral("<embed id=\"FlashCounter\" style=\" Z-INDEX: 104; LEFT: 1px; POSITION: absolute; TOP: "
                             "2px \" src=\"c.swf?u=1\" width=80 height=20>"));
    EXPECT_EQ(SpliceCounterEmbed(QStringLiteral("<EMBED STYLE=\"x:y\">"), 104, 1, 2),
              QStringLiteral("<EMBED id=\"FlashCounter\" STYLE=\" Z-INDEX: 104; LEFT: 1px; POSITION: absolute; TOP: "
                             "2px x:y\">"));
    EXPECT_EQ(SpliceCounterEmbed(QStringLiteral("not a tag"), 1, 1, 1), QStringLiteral("not a tag"));
    InsertRequest counter = request(2);
    counter.imageFlag = 1;
    counter.imageSrc = QStringLiteral("<img src=c.gif>");
    EXPECT_TRUE(
        BuildPositionedObjectHtml(counter, 101, 1, 1).html.startsWith(QLatin1String("<img id=\"ImageCounter\"")));
}

TEST(PositionedObjectHtml, MediaObjects)
{
    InsertRequest flash = request(3, QSize(400, 300));
    flash.mediaSrc = QStringLiteral("movie.swf");
    EXPECT_EQ(BuildPositionedObjectHtml(flash, 101, 3, 4).html,
              QStringLiteral("<EMBED src=\"movie.swf\" style=\"Z-INDEX: 101; LEFT: 3px; POSITION: absolute; TOP: 4px\" "
                             "alt=\"\" hspace=0 align=baseline border=10 width=\"400\" height=\"300\">"));
    InsertRequest player = flash;
    player.mediaType = 2;
    player.mediaSrc = QStringLiteral("song.wma");
    player.mediaAutoPlay = true;
    EXPECT_EQ(BuildPositionedObjectHtml(player, 102, 3, 4).html,
              QStringLiteral("<EMBED src=\"song.wma\" style=\"Z-INDEX: 102; LEFT: 3px; POSITION: absolute; TOP: 4px\" "
                             "alt=\"\" hspace=0 align=baseline border=10 width=\"400\" height=\"300\" "
                             "autoplay=\"true\" loop=\"false\">"));
    InsertRequest real = request(3, QSize(280, 100));
    real.mediaType = 3;
    real.mediaSrc = QStringLiteral("talk.ra");
    EXPECT_TRUE(BuildPositionedObjectHtml(real, 103, 3, 4)
                    .html.contains(QLatin1String("border=1 width=\"280\" height=\"100\">")));
    InsertRequest counter = request(3, QSize(0, 0));
    counter.mediaType = 4;
    counter.mediaSrc = QStringLiteral("<EMBED src=\"count.swf\">");
    EXPECT_EQ(BuildPositionedObjectHtml(counter, 104, 3, 4).html,
              QStringLiteral("<EMBED id=\"FlashCounter\" style=\" Z-INDEX: 104; LEFT: 3px; POSITION: absolute; TOP: "
                             "4px \" src=\"count.swf\">"));
    counter.mediaType = 9;
    EXPECT_TRUE(BuildPositionedObjectHtml(counter, 104, 3, 4).html.isEmpty());
}

TEST(PositionedObjectHtml, RollOverImagesWithAndWithoutLinks)
{
    InsertRequest roll = request(6);
    roll.imageSrc = QStringLiteral("image/a.gif");
    roll.rollOverSize = QSize(80, 60);
    roll.html = QStringLiteral("id=\"VornaRollImage\" name='VornaRollImage1'");
    EXPECT_EQ(BuildPositionedObjectHtml(roll, 101, 10, 20).html,
              QStringLiteral("<IMG src=\"image/a.gif\" style=\"Z-INDEX: 101; LEFT: 10px; POSITION: absolute; TOP: "
                             "20px; width=80px; height=60px \" alt=\"\" hspace=0 align=baseline border=0 "
                             "id=\"VornaRollImage\" name='VornaRollImage1'>"));
    roll.linkHref = QStringLiteral("next page.html?a=1&b=2");
    InsertHtml linked = BuildPositionedObjectHtml(roll, 102, 10, 20);
    EXPECT_EQ(linked.tag, QStringLiteral("A"));
    EXPECT_EQ(linked.html,
              QStringLiteral("<A href=\"next page.html?a=1&amp;b=2\"><IMG style=\"Z-INDEX: 102; LEFT: 10px; POSITION: "
                             "absolute; TOP: 20px; width=80px; height=60px \" alt=\"\" hspace=0 src=\"image/a.gif\" "
                             "align=baseline border=0 id=\"VornaRollImage\" name='VornaRollImage1' ></A>"));
    roll.mediaSrc = QStringLiteral("_blank");
    EXPECT_TRUE(BuildPositionedObjectHtml(roll, 103, 10, 20)
                    .html.startsWith(QLatin1String("<A href=\"next page.html?a=1&amp;b=2\" target=\"_blank\"><IMG")));
    roll.mediaType = 1;
    const InsertHtml none = BuildPositionedObjectHtml(roll, 104, 10, 20);
    EXPECT_TRUE(none.built && none.html.isEmpty());
}

TEST(PositionedObjectHtml, KindsThatBuildNothing)
{
    for (int kind : {0, 5, 8, 11, -1})
        EXPECT_FALSE(BuildPositionedObjectHtml(request(kind), 101, 0, 0).built) << kind;
}

} // namespace
