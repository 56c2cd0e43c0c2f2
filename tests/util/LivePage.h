#pragma once

#include "support/FakeAppContext.h"

#include "engine/EnginePage.h"
#include "engine/dom/Document.h"
#include "engine/editing/Selection.h"
#include "engine/markup/UndoManager.h"

// A home page as people built them with the editor: a text box, a positioned
// layer, a linked logo with its image map, two photos sharing a map (their
// usemap as the editor keeps it, without "#", and as written), an icon
// inside a link with text, a bulletin-board link, a marquee, nested tables
// and loose paragraph text.
inline const char* const kHomePage = R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">
<HTML><HEAD>
<META http-equiv="Content-Type" content="text/html; charset=Shift_JIS">
<TITLE>山田家のホームページ</TITLE>
</HEAD>
<BODY bgColor=#ffffff>
<TABLE id=text style="Z-INDEX: 101; LEFT: 40px; POSITION: absolute; TOP: 20px; WIDTH: 300px; HEIGHT: 60px" cellSpacing=0 cellPadding=0 border=0>
<TR><TD id=welcome>ようこそ<B id=family>山田家</B>へ！</TD></TR></TABLE>
<DIV id=layer style="Z-INDEX: 102; LEFT: 40px; POSITION: absolute; TOP: 100px; WIDTH: 200px; HEIGHT: 40px">自己紹介は<FONT id=red color=#ff0000>こちら</FONT></DIV>
<A id=homeLink href="index.html"><IMG id=logo style="Z-INDEX: 103; LEFT: 360px; POSITION: absolute; TOP: 20px" src="image/logo.gif" width=120 height=60 useMap="#ULOMap0" border=0></A>
<IMG id=photo style="Z-INDEX: 106; LEFT: 360px; POSITION: absolute; TOP: 100px" src="image/photo.jpg" width=160 height=120 useMap=ULOMap1>
<IMG id=photo2 style="Z-INDEX: 107; LEFT: 360px; POSITION: absolute; TOP: 240px" src="image/photo2.jpg" width=160 height=120 useMap="#ulomap1">
<A id=diaryLink href="diary.html"><IMG id=diaryIcon src="image/diary.gif" width=16 height=16>日記</A>
<MAP name=ULOMap1><AREA shape=circle coords="80,60,40" href="family.html"></MAP>
<MAP name=ULOMap0><AREA shape=rect coords="0,0,60,60" href="profile.html"><AREA shape=rect coords="60,0,120,60" href="diary.html"></MAP>
<TABLE id=board style="Z-INDEX: 104; LEFT: 40px; POSITION: absolute; TOP: 160px" border=1><TR><TD><A id=bbs href="http://bbs.example.jp/BODR/cgi?id=123">掲示板</A>へどうぞ</TD></TR></TABLE>
<MARQUEE id=news style="Z-INDEX: 105; LEFT: 40px; POSITION: absolute; TOP: 220px" width=300>新着情報：日記を更新しました</MARQUEE>
<TABLE id=outer border=1><TR><TD id=outerCell>外側<TABLE id=inner border=1><TR><TD id=innerCell>内側</TD></TR></TABLE></TD></TR></TABLE>
<P id=loose>ここは<B>本文</B>です</P>
</BODY></HTML>
)";

// A page parsed by the engine and shown (headless, without a window) in the
// active page view of a fake application context.
struct LivePage
{
    FakeAppContext app;
    engine::Ref<engine::Document> doc;

    explicit LivePage(const char* html = kHomePage) : doc(pageFrom(html))
    {
        app.active = app.view(0);
        app.pages.insert(app.active, doc.get());
    }

    engine::Element* byId(const char* id) const { return doc->getElementById(QString::fromUtf8(id)); }
    engine::Text* firstText(const char* id) const { return byId(id)->firstChild()->asText(); }
    QString body() const { return bodyHtml(doc.get()); }
    int undoSteps() const { return doc->undoManager().undoCount(); }
    void selectControls(std::initializer_list<const char*> ids)
    {
        std::vector<engine::Ref<engine::Element>> list;
        for (const char* id : ids)
            list.emplace_back(byId(id));
        doc->selection().setControlRange(list);
    }
};
