#include "effects/CScriptUtility.h"

#include <gtest/gtest.h>

namespace {

QString block(const QString& variables, const QString& calls)
{
    return QStringLiteral("\n<!--\n") + variables + QStringLiteral("\nfunction VornaScriptCall()\n{\n") + calls +
           QStringLiteral("}\n-->\n");
}

} // namespace

TEST(ScriptText, NamesFamiliesAndVariablesOfEffectFiles)
{
    EXPECT_EQ(CScriptUtility::GetFileNamePart(QStringLiteral("statusbar_outin.js")),
              QStringLiteral("statusbar_outin.js"));
    EXPECT_EQ(CScriptUtility::GetFileNamePart(QStringLiteral("/home/yu/My Web/other/browser.js")),
              QStringLiteral("browser.js"));
    EXPECT_EQ(CScriptUtility::GetFileNamePart(QStringLiteral("other\\mouse_click.js")),
              QStringLiteral("mouse_click.js"));

    EXPECT_EQ(CScriptUtility::GetEffectFamily(QStringLiteral("statusbar_outin_multiinput.js")),
              QStringLiteral("statusbar"));
    EXPECT_EQ(CScriptUtility::GetEffectFamily(QStringLiteral("browser.js")), QStringLiteral("browser"));
    EXPECT_EQ(CScriptUtility::GetEffectFamily(QStringLiteral("mouse_")), QStringLiteral("mouse"));
    EXPECT_EQ(CScriptUtility::GetEffectFamily(QStringLiteral("/a_b/other/screen_fadeinout.js")),
              QStringLiteral("screen"));
    EXPECT_EQ(CScriptUtility::GetEffectFamily(QStringLiteral("_x.js")), QStringLiteral("_x"));
    EXPECT_TRUE(CScriptUtility::GetEffectFamily(QStringLiteral("README")).isEmpty());

    EXPECT_EQ(CScriptUtility::GetVariableName(QStringLiteral("var mouse_Bomb1  = \"a.gif\"")),
              QStringLiteral("var mouse_Bomb1"));
    EXPECT_EQ(CScriptUtility::GetVariableFamily(QStringLiteral("var mouse_T1=new Array(\"a\",1,2)")),
              QStringLiteral("mouse"));
    EXPECT_EQ(CScriptUtility::GetVariableFamily(QStringLiteral("var screen_speed = 20")), QStringLiteral("screen"));
    EXPECT_TRUE(CScriptUtility::GetVariableName(QStringLiteral("no assignment")).isEmpty());
    EXPECT_EQ(CScriptUtility::PathToSlashes(QStringLiteral("a\\b\\c.js")), QStringLiteral("a/b/c.js"));
}

TEST(ScriptText, ReadsAnAttributeFromAStartTag)
{
    const QString tag = QStringLiteral("<BODY bgColor=#ffffff onload=\"init(); go()\" text=red>x</BODY>");
    EXPECT_EQ(CScriptUtility::GetTagAttributeValue(tag, QStringLiteral("onload")), QStringLiteral("init(); go()"));
    EXPECT_EQ(CScriptUtility::GetTagAttributeValue(tag, QStringLiteral("bgColor=")), QStringLiteral("#ffffff"));
    EXPECT_EQ(CScriptUtility::GetTagAttributeValue(tag, QStringLiteral("text")), QStringLiteral("red"));
    EXPECT_TRUE(CScriptUtility::GetTagAttributeValue(tag, QStringLiteral("onunload")).isEmpty());
    EXPECT_TRUE(CScriptUtility::GetTagAttributeValue(QStringLiteral("text <BODY a=1>"), QStringLiteral("a")).isEmpty());
    EXPECT_TRUE(CScriptUtility::GetTagAttributeValue(QStringLiteral("<BODY a=1"), QStringLiteral("a")).isEmpty());
    // A quote left open ends at the tag's end.
    EXPECT_EQ(CScriptUtility::GetTagAttributeValue(QStringLiteral("<BODY a=\"xy>z\""), QStringLiteral("a")),
              QStringLiteral("xy"));
}

TEST(ScriptText, ASecondEffectOfAFamilyReplacesOnlyThatFamilysLines)
{
    const QString before =
        block(QStringLiteral("var mouse_Bomb1 = \"a.gif\";\n"), QStringLiteral("statusbar_outin_initParam('old');\n"
                                                                               "browser_move(1);\n"
                                                                               "statusbar_flytext_initParam('older');\n"
                                                                               "mouse_click_initParam();\n"));
    const QString after =
        CScriptUtility::MergeCallLines(before, {QStringLiteral("statusbar_multiscroll_initParam('new')")});
    EXPECT_EQ(after, block(QStringLiteral("var mouse_Bomb1 = \"a.gif\";\n"),
                           QStringLiteral("browser_move(1);\n"
                                          "mouse_click_initParam();\n"
                                          "statusbar_multiscroll_initParam('new');\n")));
    // Nothing to merge, or no function to merge into: the text stays.
    EXPECT_EQ(CScriptUtility::MergeCallLines(before, {}), before);
    const QString userScript = QStringLiteral("alert('VornaScriptCall()');");
    EXPECT_EQ(CScriptUtility::MergeCallLines(userScript, {QStringLiteral("browser_wow()")}), userScript);
}

TEST(ScriptText, CallsOfAFamilyOutsideTheFunctionAndCharactersInStringsStay)
{
    // A later function of the same block calling the family, and a "}" in a
    // status text: the function's own end is found, the other function kept.
    const QString before = QStringLiteral("function VornaScriptCall()\n{\n"
                                          "statusbar_outin_initParam('a}b');\n"
                                          "}\n"
                                          "function later() { statusbar_outin_initParam('x'); }\n");
    EXPECT_EQ(CScriptUtility::MergeCallLines(before, {QStringLiteral("statusbar_flytext_initParam('c')")}),
              QStringLiteral("function VornaScriptCall()\n{\n"
                             "statusbar_flytext_initParam('c');\n"
                             "}\n"
                             "function later() { statusbar_outin_initParam('x'); }\n"));
    // A family whose key starts another's keeps the other's lines.
    const QString keys = block(QString(), QStringLiteral("mouseover_x();\nmouse_click_initParam();\n"));
    EXPECT_EQ(CScriptUtility::MergeCallLines(keys, {QStringLiteral("mouse_follow_xy_initParam()")}),
              block(QString(), QStringLiteral("mouseover_x();\nmouse_follow_xy_initParam();\n")));
}

TEST(ScriptText, VariableLinesOfTheFamilyGoAndTheNewOnesStandBeforeTheFunction)
{
    const QString before = QStringLiteral("<!--\n  var mouse_Bomb1 = \"a.gif\";\n\tvar mouse_Bomb2 = \"b.gif\";\n"
                                          "var screen_speed = 20;\n\nfunction VornaScriptCall()\n{\n}\n-->\n");
    EXPECT_EQ(CScriptUtility::MergeVariableLines(before, {QStringLiteral("var mouse_Multi1 = \"s.gif\""),
                                                          QStringLiteral("var mouse_T1=new Array(\"s.gif\",38,35)")}),
              QStringLiteral("<!--\nvar screen_speed = 20;\n\nvar mouse_Multi1 = \"s.gif\";\n"
                             "var mouse_T1=new Array(\"s.gif\",38,35);\nfunction VornaScriptCall()\n{\n}\n-->\n"));
    // A last line without a line break is cut alone: the function after it stays.
    const QString noBreak = QStringLiteral("function VornaScriptCall()\n{\n}\nvar mouse_Bomb1 = 1");
    EXPECT_EQ(CScriptUtility::MergeVariableLines(noBreak, {QStringLiteral("var mouse_Bomb2 = 2")}),
              QStringLiteral("var mouse_Bomb2 = 2;\nfunction VornaScriptCall()\n{\n}\n"));
    // Old blocks written with carriage returns alone.
    const QString oldBlock = QStringLiteral("<!--\rvar mouse_Bomb1 = \"a.gif\";\r\rfunction VornaScriptCall()\r{\r"
                                            "mouse_click_initParam();\r}\r-->\r");
    EXPECT_EQ(CScriptUtility::RemoveVariableLines(oldBlock, {QStringLiteral("mouse")}),
              QStringLiteral("<!--\r\rfunction VornaScriptCall()\r{\rmouse_click_initParam();\r}\r-->\r"));
}

TEST(ScriptText, AnEmptyCallFunctionGoesAndLeavesAnEmptyScript)
{
    const QString empty = block(QString(), QString());
    const QString without = CScriptUtility::RemoveEmptyCallFunction(empty);
    EXPECT_FALSE(without.contains(QLatin1String("VornaScriptCall")));
    EXPECT_TRUE(CScriptUtility::IsEmptyScriptText(without));
    const QString calling = block(QString(), QStringLiteral("browser_wow();\n"));
    EXPECT_EQ(CScriptUtility::RemoveEmptyCallFunction(calling), calling);
    // A call written without its semicolon still counts as a call.
    const QString noSemicolon = block(QString(), QStringLiteral("init()\n"));
    EXPECT_EQ(CScriptUtility::RemoveEmptyCallFunction(noSemicolon), noSemicolon);

    EXPECT_TRUE(CScriptUtility::IsEmptyScriptText(QString()));
    EXPECT_TRUE(CScriptUtility::IsEmptyScriptText(QStringLiteral(" <!--\r\n\t//-->")));
    EXPECT_FALSE(CScriptUtility::IsEmptyScriptText(QStringLiteral("<!-- x -->")));
}

TEST(ScriptText, BlockTextsAreSafeInsideASCRIPTElement)
{
    const QString text =
        CScriptUtility::BuildScriptCallBlock({QStringLiteral("statusbar_outin_initParam('</script><b>x</b>')")},
                                             {QStringLiteral("var statusbar_a = \"<!-- two\nlines\"")});
    EXPECT_EQ(text.count(QLatin1String("</SCRIPT>"), Qt::CaseInsensitive), 1);
    EXPECT_TRUE(text.contains(QLatin1String("statusbar_outin_initParam('<\\/script><b>x<\\/b>');\n")));
    EXPECT_TRUE(text.contains(QLatin1String("var statusbar_a = \"<\\!-- two lines\";\n")));
    EXPECT_TRUE(text.startsWith(QLatin1String("<SCRIPT LANGUAGE=\"JavaScript\">\n<!--\n")));
    EXPECT_TRUE(text.endsWith(QLatin1String("}\n-->\n</SCRIPT>\n")));
}

TEST(ScriptText, ReadsTheValuesOfEffectVariables)
{
    const QString script = QStringLiteral("var mouse_Bomb10 = \"ten.gif\";\nvar mouse_Bomb1 = 'one.gif';\r"
                                          "var mouse_fontSize = 15;\nvar screen_ImgName1 = \"it's.gif\"\n"
                                          "var mouse_fontFace = \nvar mouse_message = 'open");
    EXPECT_EQ(CScriptUtility::GetScriptVariable(QStringLiteral("mouse_Bomb1"), script), QStringLiteral("one.gif"));
    EXPECT_EQ(CScriptUtility::GetScriptVariable(QStringLiteral("mouse_Bomb10"), script), QStringLiteral("ten.gif"));
    EXPECT_EQ(CScriptUtility::GetScriptVariable(QStringLiteral("mouse_fontSize"), script), QStringLiteral("15"));
    EXPECT_EQ(CScriptUtility::GetScriptVariable(QStringLiteral("screen_ImgName1"), script), QStringLiteral("it's.gif"));
    EXPECT_EQ(CScriptUtility::GetScriptVariable(QStringLiteral("mouse_fontFace"), script), QString());
    EXPECT_EQ(CScriptUtility::GetScriptVariable(QStringLiteral("mouse_message"), script), QString());
    EXPECT_EQ(CScriptUtility::GetScriptVariable(QStringLiteral("mouse_Multi1"), script), QString(25, u'-'));
}

TEST(ScriptText, ImagesNamedByEffectVariablesAndRollOverCalls)
{
    const QString html = QStringLiteral(
        "<P>x</P><SCRIPT LANGUAGE=\"JavaScript\">\n<!--\n"
        "var screen_ImgName1 = 'image\\\\fallen1.gif';\nvar screen_ImgName2 = 'image\\\\fallen2.gif';\n"
        "var mouse_Bomb1 = \"./other/mouse_f1.gif\";\nvar mouse_TransparentImageSrc = \"other/transparent.gif\";\n"
        "var mouse_Multi1 = \"/home/yu/Work/mouse_sun_trail1.gif\";\n"
        "function VornaScriptCall()\n{\n}\n-->\n</SCRIPT>"
        "<script>var screen_ImgName2 = 'lonely.gif';</script>"
        "<IMG id=VornaRollImage name='VornaRollImage1' OnMouseOver=\"VornaChangeImage('VornaRollImage1', "
        "'image/over (1).gif')\" OnMouseOut=\"VornaChangeImage('VornaRollImage1', 'image/out.gif')\">"
        "<img onmouseover=\"vornachangeimage('VornaRollImage2', 'image/a&amp;b.gif')\">");
    QStringList images;
    CScriptUtility::GetScriptImageFiles(images, html, false);
    EXPECT_EQ(images, (QStringList{QStringLiteral("image/fallen1.gif"), QStringLiteral("image/fallen2.gif"),
                                   QStringLiteral("other/mouse_f1.gif"), QStringLiteral("other/transparent.gif"),
                                   QStringLiteral("/home/yu/Work/mouse_sun_trail1.gif")}));
    QStringList none;
    CScriptUtility::GetScriptImageFiles(none, QStringLiteral("var screen_ImgName1 = 'a.gif'"), false);
    EXPECT_TRUE(none.isEmpty());
    CScriptUtility::GetScriptImageFiles(none, QStringLiteral("var screen_ImgName1 = 'a.gif'"), true);
    EXPECT_EQ(none, QStringList{QStringLiteral("a.gif")});

    QStringList pictures;
    CScriptUtility::GetRollOverCallArgs(pictures, html);
    EXPECT_EQ(pictures, (QStringList{QStringLiteral("image/over (1).gif"), QStringLiteral("image/a&b.gif")}));
}
