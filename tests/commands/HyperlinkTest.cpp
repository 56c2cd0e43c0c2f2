// Links on a page in the running program: what each kind of selection links
// and which link it reads, links written and removed per kind with one undo
// step each, the hyperlink command answered through its dialog, addresses
// that need escaping, and links that survive a save and a reopening.

#include "FormatPage.h"

#include "app/CZQDoc.h"
#include "commands/HyperlinkSelection.h"
#include "commands/SelectionFormat.h"
#include "dialogs/VornaDialogHyperlink.h"
#include "res/resource.h"

#include "engine/dom/Element.h"

#include "platform/ModalResponder.h"
#include "support/HyperlinkAnswer.h"

#include <QComboBox>

namespace {

using platform::ModalResponder;

// A club's page: text boxes (one with a link, one with a board link, one
// with a guest-book link), an image, a linked image, an image map, a
// marquee, an ordinary table and a rule.
const char* const kClubPage =
    "style=\"margin:0\">\n"
    "<TABLE id=text style=\"Z-INDEX: 101; LEFT: 20px; POSITION: absolute; TOP: 20px\" width=300>"
    "<TR><TD id=box1>Welcome to the club</TD></TR></TABLE>\n"
    "<TABLE id=text style=\"Z-INDEX: 102; LEFT: 20px; POSITION: absolute; TOP: 60px\" width=300>"
    "<TR><TD id=box2>See <A id=plain href=\"news.html\" target=_blank>the news</A> today</TD></TR></TABLE>\n"
    "<TABLE id=text style=\"Z-INDEX: 103; LEFT: 20px; POSITION: absolute; TOP: 100px\" width=300>"
    "<TR><TD id=box3>Our <A id=board href=\"http://svc.test/BODR?USERID=u1\">board</A> and "
    "<A id=guests href=\"http://svc.test/x.GBODR?USERID=u1\">guests</A></TD></TR></TABLE>\n"
    "<IMG id=pic src=\"pic.gif\" width=40 height=40 style=\"Z-INDEX: 104; LEFT: 20px; POSITION: absolute; TOP: "
    "140px\">\n"
    "<A id=piclink href=\"http://svc.test/BODR?USERID=u1\"><IMG id=linked src=\"pic.gif\" width=40 height=40 "
    "style=\"Z-INDEX: 105; LEFT: 80px; POSITION: absolute; TOP: 140px\"></A>\n"
    "<IMG id=mapped src=\"pic.gif\" usemap=\"#m1\" width=100 height=40 "
    "style=\"Z-INDEX: 106; LEFT: 140px; POSITION: absolute; TOP: 140px\">\n"
    "<MAP name=m1><AREA id=a1 shape=rect coords=\"0,0,50,40\" href=\"one.html\">"
    "<AREA id=a2 shape=rect coords=\"50,0,100,40\" href=\"two.html\" target=main></MAP>\n"
    "<MARQUEE id=mq style=\"Z-INDEX: 107; LEFT: 20px; POSITION: absolute; TOP: 200px\" width=300>"
    "News of the week</MARQUEE>\n"
    "<TABLE id=plainTable border=1 style=\"Z-INDEX: 108; LEFT: 20px; POSITION: absolute; TOP: 240px\">"
    "<TR><TD id=cell>Price list</TD></TR></TABLE>\n"
    "<HR id=rule style=\"Z-INDEX: 109; LEFT: 20px; POSITION: absolute; TOP: 300px\" width=200>\n"
    "<DIV><P id=flow>Plain text outside any box</P>\n<P id=flow2>and more of it</P></DIV>\n";

class Hyperlink : public FormatPage
{
protected:
    void SetUp() override
    {
        FormatPage::SetUp();
        ASSERT_NE(open(QString::fromUtf8(kClubPage)), nullptr);
    }

    QString body() const { return doc()->body()->innerHTML(); }

    // The selection's link of a kind, read as the commands read it.
    SelectionLink linkOfSelection(LinkKind kind, bool* found = nullptr)
    {
        SelectionLink link;
        const bool result = GetSelectionLink(link, kind, view());
        if (found)
            *found = result;
        return link;
    }

    // Applies a link (or removes one with an empty address) to the selection
    // and checks that one undo step takes the page back.
    void applyAndUndo(const QString& url, const QString& target, bool noUnderline, const std::function<void()>& check)
    {
        const QString before = body();
        const int steps = undoSteps();
        SelectionLink link = linkOfSelection(kPlainLink);
        ApplyLinkToSelection(link, url, target, noUnderline, view());
        settle();
        check();
        EXPECT_EQ(undoSteps(), steps + 1);
        undo();
        EXPECT_EQ(body(), before);
    }

    // The hyperlink dialog answered: the address and target typed, the
    // underline choice set, OK or the Delete button pressed.
    void answerLink(ModalResponder& responder, const QString& url, const QString& target, bool noUnderline,
                    int button = platform::IDOK)
    {
        responder.on(IDD_HYPERLINK, [=](QDialog& dialog) {
            TypeLinkAddress(dialog, url);
            dialog.findChild<QComboBox*>(QStringLiteral("id_1106"))->setEditText(target);
            ModalResponder::setChecked(dialog, IDC_HYPERLINK_REMOVE_UNDERLINE, noUnderline);
            ModalResponder::press(dialog, button);
        });
    }
};

TEST_F(Hyperlink, EachSelectionIsReadAsItsKindWithItsLink)
{
    struct Case
    {
        std::function<void()> select;
        LinkKind kind;
        SelectionLinkKind selection;
        bool found;
        const char* href;
        const char* target;
        const char* element; // the id of the element handed back
    };
    const Case cases[] = {
        {[this] { selectObjects({"rule"}); }, kPlainLink, kLinkNothing, false, "", "", ""},
        {[this] { selectObjects({"pic"}); }, kPlainLink, kLinkImage, false, "", "", "pic"},
        // A board link around an image: no plain link, but the board's own.
        {[this] { selectObjects({"linked"}); }, kPlainLink, kLinkImage, false, "", "", "linked"},
        {[this] { selectObjects({"linked"}); }, kBoardLink, kLinkImage, true, "http://svc.test/BODR?USERID=u1", "",
         "linked"},
        // A text box's cell and the first link down its first elements.
        {[this] { selectBoxes({"box2"}); }, kPlainLink, kLinkCell, true, "news.html", "_blank", "box2"},
        {[this] { selectBoxes({"box1"}); }, kPlainLink, kLinkCell, false, "", "", "box1"},
        {[this] { selectText("box1", 0, 7); }, kPlainLink, kLinkText, false, "", "", "box1"},
        // Text around a link, inside it, and holding a link of another kind.
        {[this] { selectAllTextOf("box2"); }, kPlainLink, kLinkText, true, "news.html", "_blank", "box2"},
        {[this] { selectText("plain", 1, 4); }, kPlainLink, kLinkText, true, "news.html", "_blank", "plain"},
        {[this] { selectText("board", 0, 3); }, kGuestBookLink, kLinkText, false, "", "", "board"},
        {[this] { caretIn("guests", 2); }, kGuestBookLink, kLinkCaret, true, "http://svc.test/x.GBODR?USERID=u1", "",
         "guests"},
        {[this] { caretIn("box1", 3); }, kPlainLink, kLinkCaret, false, "", "", ""},
        {[this] { selectObjects({"mq"}); }, kPlainLink, kLinkMarquee, false, "", "", "mq"},
        // The page's flowing text, as a text box's.
        {[this] { selectText("flow", 0, 5); }, kPlainLink, kLinkText, false, "", "", "flow"},
        {[this] { caretIn("flow", 3); }, kPlainLink, kLinkCaret, false, "", "", ""},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(index++);
        c.select();
        bool found = false;
        const SelectionLink link = linkOfSelection(c.kind, &found);
        EXPECT_EQ(link.selectionKind, c.selection);
        EXPECT_EQ(found, c.found);
        EXPECT_EQ(link.href, QString::fromLatin1(c.href));
        EXPECT_EQ(link.target, QString::fromLatin1(c.target));
        EXPECT_EQ(link.element ? link.element->id() : QString(), QString::fromLatin1(c.element));
    }
    // An A and an AREA given by the caller are their own links.
    SelectionLink area;
    area.element = byId("a2");
    EXPECT_TRUE(GetSelectionLink(area, kPlainLink, view()));
    EXPECT_EQ(area.selectionKind, kLinkArea);
    EXPECT_EQ(area.target, QStringLiteral("main"));
    SelectionLink anchor;
    anchor.element = byId("board");
    EXPECT_TRUE(GetSelectionLink(anchor, kBoardLink, view()));
    EXPECT_EQ(anchor.selectionKind, kLinkAnchor);
    EXPECT_EQ(anchor.linkHtml, byId("board")->outerHTML());
}

TEST_F(Hyperlink, EveryKindIsLinkedAndUnlinkedAsOneUndoStep)
{
    // Selected text becomes a link, with its target and without underline.
    selectText("box1", 15, 19);
    applyAndUndo(QStringLiteral("club.html"), QStringLiteral("_top"), true, [this] {
        EXPECT_EQ(inner("box1"), QStringLiteral("Welcome to the <A href=\"club.html\" target=_top "
                                                "style=\"TEXT-DECORATION: none\">club</A>"));
        EXPECT_TRUE(view()->m_dwSelKind & 0x20);
    });
    selectText("plain", 0, 3);
    applyAndUndo(QString(), QString(), false, [this] { EXPECT_EQ(byId("plain"), nullptr); });
    // Part of a link linked anew: the old link goes, the part gets the new one.
    selectText("plain", 4, 8);
    applyAndUndo(QStringLiteral("fresh.html"), QString(), false,
                 [this] { EXPECT_EQ(inner("box2"), QStringLiteral("See the <A href=\"fresh.html\">news</A> today")); });
    // The caret's link changes address and target and loses its style.
    byId("plain")->setAttribute(QStringLiteral("style"), QStringLiteral("text-decoration: none"));
    caretIn("plain", 2);
    applyAndUndo(QStringLiteral("old.html"), QString(), false, [this] {
        EXPECT_EQ(byId("plain")->outerHTML(), QStringLiteral("<A id=plain href=\"old.html\">the news</A>"));
    });
    caretIn("plain", 2);
    applyAndUndo(QString(), QString(), false,
                 [this] { EXPECT_EQ(inner("box2"), QStringLiteral("See the news today")); });
    // An image gets a new link; a linked image has its link changed, not nested.
    selectObjects({"pic"});
    applyAndUndo(QStringLiteral("big.html"), QStringLiteral("_blank"), false, [this] {
        EXPECT_TRUE(byId("pic")->parentElement()->outerHTML().startsWith(
            QStringLiteral("<A href=\"big.html\" target=_blank><IMG")));
    });
    selectObjects({"linked"});
    applyAndUndo(QStringLiteral("big.html"), QString(), false, [this] {
        EXPECT_EQ(byId("linked")->parentElement(), byId("piclink"));
        EXPECT_EQ(byId("piclink")->getAttributeText(QStringLiteral("href")), QStringLiteral("big.html"));
        EXPECT_EQ(byId("piclink")->parentElement(), doc()->body());
    });
    // A text box's cell: every link inside goes, the whole content in one.
    selectBoxes({"box3"});
    applyAndUndo(QStringLiteral("all.html"), QStringLiteral("main"), true, [this] {
        EXPECT_EQ(inner("box3"), QStringLiteral("<A href=\"all.html\" target=main style=\"TEXT-DECORATION: none\">"
                                                "Our board and guests</A>"));
    });
    selectBoxes({"box2"});
    applyAndUndo(QString(), QString(), false,
                 [this] { EXPECT_EQ(inner("box2"), QStringLiteral("See the news today")); });
    // A marquee's whole text.
    selectObjects({"mq"});
    applyAndUndo(QStringLiteral("week.html"), QString(), false,
                 [this] { EXPECT_EQ(inner("mq"), QStringLiteral("<A href=\"week.html\">News of the week</A>")); });
    // Removals of a board link around an image and of a marquee's link; an
    // AREA's link is not removed here (its command takes the area out).
    const QString before = body();
    selectObjects({"linked"});
    SelectionLink board;
    ASSERT_TRUE(GetSelectionLink(board, kBoardLink, view()));
    ApplyLinkToSelection(board, QString(), QString(), false, view());
    EXPECT_EQ(byId("linked")->parentElement(), doc()->body());
    EXPECT_EQ(byId("piclink"), nullptr);
    undo();
    EXPECT_EQ(body(), before);
    byId("mq")->setInnerHTML(QStringLiteral("<A href=a.html>News</A> of the <A href=b.html>week</A>"));
    selectObjects({"mq"});
    SelectionLink marquee;
    ASSERT_TRUE(GetSelectionLink(marquee, kPlainLink, view()));
    ApplyLinkToSelection(marquee, QString(), QString(), false, view());
    EXPECT_EQ(inner("mq"), QStringLiteral("News of the week"));
    SelectionLink area;
    area.element = byId("a1");
    ASSERT_TRUE(GetSelectionLink(area, kPlainLink, view()));
    ApplyLinkToSelection(area, QString(), QString(), false, view());
    EXPECT_EQ(byId("a1")->getAttributeText(QStringLiteral("href")), QStringLiteral("one.html"));
}

TEST_F(Hyperlink, AddressesThatNeedEscapingAreReadBackUnchanged)
{
    const QString addresses[] = {
        QStringLiteral("page.html?a=1&b=<2>"),
        QStringLiteral("javascript:alert('x y')"),
        QStringLiteral("ページ two.html"),
        QStringLiteral("http://example.test/") + QString(3000, QLatin1Char('x')),
    };
    const QString target = QStringLiteral("a'b c>d");
    for (const QString& url : addresses) {
        SCOPED_TRACE(url.left(40).toStdString());
        selectBoxes({"box1"});
        SelectionLink link = linkOfSelection(kPlainLink);
        ApplyLinkToSelection(link, url, target, false, view());
        settle();
        selectBoxes({"box1"});
        bool found = false;
        link = linkOfSelection(kPlainLink, &found);
        EXPECT_TRUE(found);
        EXPECT_EQ(link.href, url);
        EXPECT_EQ(link.target, target);
        EXPECT_EQ(byId("box1")->textContent(), QStringLiteral("Welcome to the club"));
    }
    // Double quotes never reach the page; an address of quotes alone changes nothing.
    selectBoxes({"box1"});
    ApplyLinkToSelection(linkOfSelection(kPlainLink), QStringLiteral("\"a\"b.html\""), QString(), false, view());
    EXPECT_EQ(byId("box1")->firstChild()->asElement()->getAttributeText(QStringLiteral("href")),
              QStringLiteral("ab.html"));
    const QString before = body();
    ApplyLinkToSelection(linkOfSelection(kPlainLink), QStringLiteral("\"\""), QString(), false, view());
    EXPECT_EQ(body(), before);
}

TEST_F(Hyperlink, TheCommandLinksThroughItsDialog)
{
    ModalResponder responder;
    // Selected text with a "%20" in the typed address.
    selectText("box1", 0, 7);
    ASSERT_TRUE(enabled(ID_INSERT_HYPERLINK));
    answerLink(responder, QStringLiteral("page%20two.html"), QString(), false);
    run(ID_INSERT_HYPERLINK);
    EXPECT_EQ(inner("box1"), QStringLiteral("<A href=\"page two.html\">Welcome</A> to the club"));
    // The caret's link opens with its address; Delete removes it.
    caretIn("plain", 3);
    responder.on(IDD_HYPERLINK, [](QDialog& dialog) {
        auto& hyperlink = static_cast<VornaDialogHyperlink&>(dialog);
        EXPECT_EQ(dialog.findChild<QComboBox*>(QStringLiteral("id_1005"))->currentText(), QStringLiteral("news.html"));
        EXPECT_TRUE(hyperlink.m_bEditLink);
        EXPECT_EQ(hyperlink.m_bRemoveUnderline, 0);
        ModalResponder::press(dialog, IDC_HYPERLINK_DELETE);
    });
    run(ID_LINK_PROPERTIES);
    EXPECT_EQ(inner("box2"), QStringLiteral("See the news today"));
    // An image's dialog offers no underline choice; a second command changes
    // the link the first one made.
    selectObjects({"pic"});
    responder.on(IDD_HYPERLINK, [](QDialog& dialog) {
        EXPECT_FALSE(dialog.findChild<QWidget*>(QStringLiteral("id_1474"))->isEnabled());
        TypeLinkAddress(dialog, QStringLiteral("a.html"));
        ModalResponder::press(dialog, platform::IDOK);
    });
    run(ID_INSERT_HYPERLINK);
    answerLink(responder, QStringLiteral("b.html"), QString(), false);
    run(ID_INSERT_HYPERLINK);
    EXPECT_TRUE(byId("pic")->parentElement()->outerHTML().startsWith(QStringLiteral("<A href=\"b.html\"><IMG ")));
    EXPECT_EQ(byId("pic")->parentElement()->parentElement(), doc()->body());
    // Cancel changes nothing.
    const QString before = body();
    responder.answer(IDD_HYPERLINK, platform::IDCANCEL);
    run(ID_INSERT_HYPERLINK);
    EXPECT_EQ(body(), before);
    EXPECT_EQ(responder.runCount(IDD_HYPERLINK), 5);
}

TEST_F(Hyperlink, WordsOfThePagesFlowingTextAreLinkedChangedAndUnlinkedAsInATextBox)
{
    ModalResponder responder;
    // A caret alone links nothing; selected words take every kind of link.
    caretIn("flow", 3);
    EXPECT_FALSE(enabled(ID_INSERT_HYPERLINK));
    selectText("flow", 0, 5);
    ASSERT_TRUE(enabled(ID_INSERT_HYPERLINK));
    EXPECT_TRUE(enabled(ID_INSERT_WEB_BOARD));
    const int steps = undoSteps();
    answerLink(responder, QStringLiteral("page%20two.html"), QStringLiteral("_top"), true);
    run(ID_INSERT_HYPERLINK);
    const QString linked =
        QStringLiteral("<A href=\"page two.html\" target=_top style=\"TEXT-DECORATION: none\">Plain</A> text outside "
                       "any box");
    EXPECT_EQ(inner("flow"), linked);
    EXPECT_EQ(undoSteps(), steps + 1);
    EXPECT_TRUE(view()->m_dwSelKind & 0x20);

    // The caret in the link: the dialog opens on it and changes it.
    caretIn("flow", 2);
    ASSERT_TRUE(enabled(ID_INSERT_HYPERLINK));
    EXPECT_FALSE(enabled(ID_INSERT_GUEST_BOOK));
    responder.on(IDD_HYPERLINK, [](QDialog& dialog) {
        auto& hyperlink = static_cast<VornaDialogHyperlink&>(dialog);
        EXPECT_TRUE(hyperlink.m_bEditLink);
        EXPECT_EQ(dialog.findChild<QComboBox*>(QStringLiteral("id_1005"))->currentText(),
                  QStringLiteral("page two.html"));
        TypeLinkAddress(dialog, QStringLiteral("three.html"));
        ModalResponder::setChecked(dialog, IDC_HYPERLINK_REMOVE_UNDERLINE, false);
        ModalResponder::press(dialog, platform::IDOK);
    });
    run(ID_INSERT_HYPERLINK);
    EXPECT_EQ(inner("flow"), QStringLiteral("<A href=\"three.html\" target=_top>Plain</A> text outside any box"));

    // Delete takes the link off the words; undo brings back each step.
    caretIn("flow", 2);
    answerLink(responder, QString(), QString(), false, IDC_HYPERLINK_DELETE);
    run(ID_LINK_PROPERTIES);
    EXPECT_EQ(inner("flow"), QStringLiteral("Plain text outside any box"));
    EXPECT_EQ(undoSteps(), steps + 3);
    undo();
    undo();
    EXPECT_EQ(inner("flow"), linked);

    // Words over two paragraphs: a link in each, both with the target and
    // without underline.
    doc()->selection().setTextRange(byId("flow")->lastChild(), 1, textIn("flow2"), 3);
    settle();
    answerLink(responder, QStringLiteral("both.html"), QStringLiteral("main"), true);
    run(ID_INSERT_HYPERLINK);
    const QString both = QStringLiteral("<A href=\"both.html\" target=main style=\"TEXT-DECORATION: none\">");
    EXPECT_EQ(inner("flow"), linked.left(linked.indexOf(QLatin1String(" text"))) + QStringLiteral(" ") + both +
                                 QStringLiteral("text outside any box</A>"));
    EXPECT_EQ(inner("flow2"), both + QStringLiteral("and</A> more of it"));
}

TEST_F(Hyperlink, AnAreasLinkIsRemovedWithTheAreaAndTheMapWithTheLast)
{
    ModalResponder responder;
    // The area the image-map editor selected at the last press is the one
    // the command edits. The editor holding the image gives its usemap the
    // "#" back (the page keeps it without while the image is not edited), so
    // that its areas lie under the pointer.
    const auto pickArea = [this](const char* id, QPoint at) {
        selectObjects({"mapped"});
        sink()->AddUsemapHash(byId("mapped"));
        sink()->m_ptMouseDown = clientBox("mapped").topLeft() + at;
        sink()->m_pSelectedArea = byId(id);
        view()->m_strSelectedAreaId = QString::fromLatin1(id);
    };
    pickArea("a2", QPoint(70, 10));
    answerLink(responder, QStringLiteral("three.html"), QString(), false);
    run(ID_INSERT_HYPERLINK);
    EXPECT_EQ(byId("a2")->getAttributeText(QStringLiteral("href")), QStringLiteral("three.html"));
    EXPECT_FALSE(byId("a2")->hasAttribute(QStringLiteral("target")));
    pickArea("a2", QPoint(70, 10));
    answerLink(responder, QString(), QString(), false, IDC_HYPERLINK_DELETE);
    run(ID_INSERT_HYPERLINK);
    EXPECT_EQ(byId("a2"), nullptr);
    ASSERT_NE(byId("a1"), nullptr);
    pickArea("a1", QPoint(10, 10));
    answerLink(responder, QString(), QString(), false, IDC_HYPERLINK_DELETE);
    run(ID_INSERT_HYPERLINK);
    EXPECT_EQ(doc()->getElementsByTagName(QStringLiteral("MAP")).length(), 0);
    EXPECT_FALSE(byId("mapped")->hasAttribute(QStringLiteral("usemap")));
    EXPECT_EQ(ReadFormatSelection().selected.get(), byId("mapped"));
    // Without a picked area the image itself is linked.
    view()->m_strSelectedAreaId = QStringLiteral("none");
    sink()->m_pSelectedArea = nullptr;
    answerLink(responder, QStringLiteral("whole.html"), QString(), false);
    run(ID_INSERT_HYPERLINK);
    EXPECT_EQ(byId("mapped")->parentElement()->getAttributeText(QStringLiteral("href")), QStringLiteral("whole.html"));
}

TEST_F(Hyperlink, LinksOfEveryKindSurviveASaveAndAReopening)
{
    selectText("box1", 0, 7);
    ApplyLinkToSelection(linkOfSelection(kPlainLink), QStringLiteral("http://example.test/?a=1&b=2"),
                         QStringLiteral("_blank"), true, view());
    selectObjects({"pic"});
    ApplyLinkToSelection(linkOfSelection(kPlainLink), QStringLiteral("mailto:club@example.test"), QString(), false,
                         view());
    selectObjects({"mq"});
    ApplyLinkToSelection(linkOfSelection(kPlainLink), QStringLiteral("http://example.test/week"),
                         QStringLiteral("main"), false, view());
    const auto links = [this] {
        QStringList list;
        for (const auto& a : doc()->getElementsByTagName(QStringLiteral("A")).toVector())
            list << a->outerHTML().section(QLatin1Char('>'), 0, 0);
        for (const auto& a : doc()->getElementsByTagName(QStringLiteral("AREA")).toVector())
            list << a->outerHTML();
        return list;
    };
    const QStringList before = links();
    ASSERT_EQ(before.size(), 9);
    const QString path = view()->GetDocument()->pathName();
    ASSERT_TRUE(view()->GetDocument()->OnFileSave());
    app->mainFrame()->OnFileCloseAll();
    settle();
    ASSERT_TRUE(app->OpenDocumentFile(path));
    settle();
    EXPECT_EQ(links(), before);
}

} // namespace
