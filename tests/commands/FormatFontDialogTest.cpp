// The Font command on a page in the program: what the dialog is opened with
// for objects, cell ranges and text, and what its answer changes.

#include "FormatPage.h"

#include "dialogs/VornaDialogFontProperty.h"
#include "res/resource.h"

#include "platform/ModalResponder.h"

#include "engine/editing/TextRange.h"

#include <functional>

namespace {

// A family's page in UTF-8: text boxes with faces, sizes and colours, a
// table with a caption and coloured cells, a marquee.
const char* const kFamilyPage =
    "text=#333333 bgcolor=#EEFFEE>\n"
    "<TABLE id=text style=\"Z-INDEX: 101; LEFT: 20px; POSITION: absolute; TOP: 20px\" width=260>"
    "<TR><TD id=whole bgcolor=#FFCC00><FONT face=Verdana size=5 color=#008000><STRONG>家族旅行</STRONG>"
    "</FONT></TD></TR></TABLE>\n"
    "<TABLE id=text style=\"Z-INDEX: 102; LEFT: 20px; POSITION: absolute; TOP: 70px\" width=260>"
    "<TR><TD id=part>夏は<FONT id=sea face=Georgia>海</FONT>へ</TD></TR></TABLE>\n"
    "<TABLE id=text style=\"Z-INDEX: 103; LEFT: 20px; POSITION: absolute; TOP: 110px\" width=260>"
    "<TR><TD id=plain>写真を見てください</TD></TR></TABLE>\n"
    "<TABLE id=album border=1 style=\"Z-INDEX: 104; LEFT: 320px; POSITION: absolute; TOP: 20px\">"
    "<CAPTION id=cap>アルバム</CAPTION>"
    "<TR><TD id=a00><FONT color=red>一日目</FONT></TD><TD id=a01><FONT color=blue>二日目</FONT></TD></TR>"
    "<TR><TD id=a10><STRONG>三日目</STRONG></TD><TD id=a11>四日目</TD></TR></TABLE>\n"
    "<MARQUEE id=mq bgcolor=#CCCCFF style=\"Z-INDEX: 105; LEFT: 20px; POSITION: absolute; TOP: 200px\" "
    "width=300>また行こうね</MARQUEE>\n"
    "<DIV><P id=note>写真はあとで送ります</P></DIV>\n";

using Dialog = VornaDialogFontProperty;

class FormatFontDialog : public FormatPage
{
protected:
    void SetUp() override
    {
        FormatPage::SetUp();
        ASSERT_NE(open(QString::fromUtf8(kFamilyPage), "UTF-8"), nullptr);
    }

    // Runs the Font command: `opened` gets a copy of the dialog's values as
    // it opened, `answer` changes them as the user would and the dialog ends
    // with `result`.
    void runDialog(std::function<void(Dialog&)> answer, int result = platform::IDOK)
    {
        platform::ModalResponder responder;
        responder.on(IDD_FONT_PROPERTY, [&](QDialog& d) {
            auto& dialog = static_cast<Dialog&>(d);
            opened.face = dialog.m_strFace;
            opened.size = dialog.m_nSize;
            opened.bold = dialog.m_bBold;
            opened.italic = dialog.m_bItalic;
            opened.underline = dialog.m_bUnderline;
            opened.text = dialog.m_crText;
            opened.back = dialog.m_crBack;
            opened.backEnabled = dialog.m_bBackEnabled;
            if (answer)
                answer(dialog);
            dialog.done(result);
        });
        updateBars();
        ASSERT_TRUE(enabled(ID_FORMAT_FONT_PROPERTY));
        run(ID_FORMAT_FONT_PROPERTY);
        EXPECT_EQ(responder.runCount(IDD_FONT_PROPERTY), 1);
    }

    // What the "デフォルト" button does.
    static void pressDefault(Dialog& d)
    {
        d.m_strFace = QStringLiteral("Default");
        d.m_nSize = 0;
        d.m_bBold = d.m_bItalic = d.m_bUnderline = false;
        d.m_crText = d.m_crBack = kColorDefault;
        d.m_bBoldChanged = d.m_bItalicChanged = d.m_bUnderlineChanged = d.m_bFaceChanged = d.m_bSizeChanged =
            d.m_bTextColorChanged = d.m_bBackColorChanged = true;
    }

    struct Opened
    {
        QString face;
        int size = 0;
        bool bold = false, italic = false, underline = false;
        platform::ColorRef text = 0, back = 0;
        bool backEnabled = false;
    } opened;

    QString pageHtml() const { return doc()->body()->innerHTML(); }
};

TEST_F(FormatFontDialog, SeveralBoxesOpenMixedAndTakeOnlyWhatWasChosen)
{
    selectBoxes({"part", "plain"});
    const int steps = undoSteps();
    runDialog([](Dialog& d) {
        d.m_strFace = QStringLiteral("Tahoma");
        d.m_bFaceChanged = true;
    });
    EXPECT_TRUE(opened.face.isEmpty());
    EXPECT_EQ(opened.size, -100);
    EXPECT_EQ(opened.text, kColorNone);
    EXPECT_EQ(opened.back, kColorNone);
    EXPECT_FALSE(opened.bold);
    // The FONT left with no face, size or colour goes.
    EXPECT_EQ(inner("part"), QStringLiteral("<FONT face=Tahoma>夏は海へ</FONT>"));
    EXPECT_EQ(inner("plain"), QStringLiteral("<FONT face=Tahoma>写真を見てください</FONT>"));
    EXPECT_EQ(undoSteps(), steps + 1);
}

TEST_F(FormatFontDialog, OneBoxShowsTheFormatsThatHoldAllItsText)
{
    selectBoxes({"whole"});
    runDialog(nullptr, platform::IDCANCEL);
    EXPECT_EQ(opened.face, QStringLiteral("Verdana"));
    EXPECT_EQ(opened.size, 5);
    EXPECT_EQ(opened.text, platform::rgb(0, 0x80, 0));
    EXPECT_EQ(opened.back, platform::rgb(0xFF, 0xCC, 0));
    EXPECT_TRUE(opened.bold);
    EXPECT_FALSE(opened.italic);
    // A face around part of the text is no face of the box.
    selectBoxes({"part"});
    runDialog(nullptr, platform::IDCANCEL);
    EXPECT_TRUE(opened.face.isEmpty());
    EXPECT_EQ(opened.size, 0);
    EXPECT_EQ(opened.text, kColorDefault);
    EXPECT_EQ(opened.back, kColorDefault);
}

TEST_F(FormatFontDialog, OkWithoutChangesOrCancelLeavesThePageAsItWas)
{
    const QString before = pageHtml();
    const int steps = undoSteps();
    for (auto select : std::initializer_list<std::function<void()>>{
             [this] { selectBoxes({"whole"}); }, [this] { selectText("plain", 0, 2); },
             [this] { selectCells("album", "a00", "a11"); }, [this] { selectObjects({"mq"}); }}) {
        select();
        runDialog(nullptr);
        runDialog(pressDefault, platform::IDCANCEL);
    }
    EXPECT_EQ(pageHtml(), before);
    EXPECT_EQ(undoSteps(), steps);
}

TEST_F(FormatFontDialog, TheDefaultButtonTakesEveryFormatOffABox)
{
    selectBoxes({"whole"});
    const int steps = undoSteps();
    runDialog(pressDefault);
    EXPECT_EQ(inner("whole"), QStringLiteral("家族旅行"));
    EXPECT_FALSE(byId("whole")->hasAttribute(QStringLiteral("bgcolor")));
    EXPECT_EQ(undoSteps(), steps + 1);
    undo();
    EXPECT_EQ(byId("whole")->getAttributeText(QStringLiteral("bgcolor")), QStringLiteral("#FFCC00"));
    // Bold asked for where all the text is one STRONG keeps exactly one.
    selectBoxes({"whole"});
    runDialog([](Dialog& d) {
        d.m_bBold = true;
        d.m_bBoldChanged = true;
    });
    EXPECT_EQ(inner("whole").count(QStringLiteral("<STRONG>")), 1);
}

TEST_F(FormatFontDialog, TextShowsTheEngineValuesAndTakesTheRangeCommands)
{
    // Unformatted text: the page's own face and size, no colour.
    selectText("plain", 0, 2);
    runDialog([](Dialog& d) {
        d.m_nSize = 6;
        d.m_bSizeChanged = true;
        d.m_bItalic = true;
        d.m_bItalicChanged = true;
        d.m_crText = platform::rgb(255, 0, 0);
        d.m_bTextColorChanged = true;
    });
    EXPECT_EQ(opened.face, QStringLiteral("Default"));
    EXPECT_EQ(opened.size, 0);
    EXPECT_EQ(opened.text, kColorDefault);
    EXPECT_EQ(opened.back, kColorDefault);
    engine::TextRange range(doc(), textIn("plain"), 0, textIn("plain"), 1);
    EXPECT_EQ(range.queryCommandValue(QStringLiteral("FontSize")).toInt(), 6);
    EXPECT_TRUE(range.queryCommandValue(QStringLiteral("Italic")).toBool());
    EXPECT_TRUE(inner("plain").contains(QStringLiteral("color=#ff0000"))) << qPrintable(inner("plain"));
    EXPECT_TRUE(inner("plain").endsWith(QStringLiteral("を見てください")));
    // The face of a FONT above the text; the default size sends size 3.
    selectText("sea", 0, 1);
    ASSERT_EQ(doc()->selection().createRange().text(), QStringLiteral("海"));
    runDialog([](Dialog& d) {
        d.m_nSize = 0;
        d.m_bSizeChanged = true;
    });
    EXPECT_EQ(opened.face, QStringLiteral("Georgia"));
    engine::TextRange sea(doc());
    sea.moveToElementText(byId("part"));
    EXPECT_EQ(sea.queryCommandValue(QStringLiteral("FontSize")).toInt(), 3);
    // In a caption no background may be chosen.
    caretIn("cap", 1);
    runDialog(nullptr, platform::IDCANCEL);
    EXPECT_FALSE(opened.backEnabled);
}

TEST_F(FormatFontDialog, TheBackgroundIsOfferedAsTheSelectionAllowsItWhenTheDialogOpens)
{
    // The bar last saw a cell; the page's flowing text has none to colour.
    caretIn("a11", 1);
    updateBars();
    ASSERT_TRUE(app->mainFrame()->m_bBgColorAllowed);
    caretIn("note", 2);
    runDialog(nullptr, platform::IDCANCEL);
    EXPECT_FALSE(opened.backEnabled);
    // Back in a cell after the caption and the flow: offered again.
    caretIn("cap", 1);
    runDialog(nullptr, platform::IDCANCEL);
    EXPECT_FALSE(opened.backEnabled);
    caretIn("a10", 1);
    runDialog(nullptr, platform::IDCANCEL);
    EXPECT_TRUE(opened.backEnabled);
}

TEST_F(FormatFontDialog, ACellRangeOpensWithWhatItsCellsShareAndColoursThemAll)
{
    selectCells("album", "a00", "a01");
    runDialog([](Dialog& d) {
        d.m_crBack = platform::rgb(0xFF, 0xFF, 0xCC);
        d.m_bBackColorChanged = true;
        d.m_bUnderline = true;
        d.m_bUnderlineChanged = true;
    });
    EXPECT_EQ(opened.text, kColorNone);
    EXPECT_EQ(opened.back, kColorDefault);
    EXPECT_EQ(opened.face, QStringLiteral("Default"));
    for (const char* id : {"a00", "a01"}) {
        EXPECT_EQ(byId(id)->getAttributeText(QStringLiteral("bgcolor")), QStringLiteral("#ffffcc")) << id;
        EXPECT_TRUE(inner(id).startsWith(QStringLiteral("<U>"))) << id;
    }
    EXPECT_FALSE(byId("a10")->hasAttribute(QStringLiteral("bgcolor")));
    // Bold off over cells where one is bold: every STRONG goes.
    selectCells("album", "a10", "a11");
    runDialog([](Dialog& d) {
        d.m_bBold = false;
        d.m_bBoldChanged = true;
    });
    EXPECT_FALSE(opened.bold);
    EXPECT_EQ(inner("a10"), QStringLiteral("三日目"));
    EXPECT_EQ(inner("a11"), QStringLiteral("四日目"));
}

} // namespace
