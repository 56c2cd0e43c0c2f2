// The frame and frameset properties: the dialogs' rules and what OK writes
// into the tree, the pane's page and the site list.

#include "FrameFakes.h"

#include "frames/FrameProperties.h"
#include "frames/FramePropertyModel.h"
#include "frames/FramesetPropertyModel.h"
#include "frames/VornaDialogFrameProperty.h"
#include "frames/VornaDialogFramesetProperty.h"
#include "res/resource.h"
#include "util/StringResources.h"

#include "platform/ModalResponder.h"

#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using platform::Rect;

class FrameProperties : public ::testing::Test
{
protected:
    FakeEnvironment env;
    FakeHost host;
    FakeSiteRows sites;
    QStringList log;
    FakePane top{"site.html", "/w/site.html"};
    FakePane a{"a.html", "/w/a.html", &log};
    FakePane b{"b.html", "/w/b.html"};
    TreeBuilder build{host};
    QTemporaryDir dir;
    int frameCount = 5;

    void SetUp() override
    {
        env.host = &host;
        env.sites = &sites;
        host.tree.rootView = &top;
        a.path = file("a.html");
    }
    // Two frames side by side in 400 pixels.
    void columns(const QString& sizes)
    {
        build.frameset("cols", sizes, 2);
        build.frame("a", Rect(0, 0, 200, 300), &a);
        build.frame("b", Rect(200, 0, 400, 300), &b);
    }
    VornaFrameSet* frameA() { return host.tree.root->m_pFirstChild.get(); }
    QString file(const char* name, const QByteArray& text = "<html><body>page</body></html>")
    {
        const QString path = dir.path() + '/' + name;
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text);
        return path;
    }
    FramePropertyServices services()
    {
        FramePropertyServices s;
        s.installFolder = dir.path();
        s.frameCount = &frameCount;
        return s;
    }
};

TEST_F(FrameProperties, APercentColumnOpensAsAWidthAndOkWithoutChangesKeepsTheLayout)
{
    columns("30%,*");
    FramePropertyModel model;
    ReadFrameProperties(frameA(), &a, &model);
    EXPECT_EQ(str(model.m_strWidth), "30");
    EXPECT_EQ(model.m_nWidthUnit, FramePropertyModel::Percent);
    EXPECT_EQ(str(model.m_strHeight), "1");
    EXPECT_EQ(model.m_nHeightUnit, FramePropertyModel::Relative);
    EXPECT_EQ(str(model.m_strPath), str(a.path));
    EXPECT_EQ(model.m_bAllowResize, 1);
    EXPECT_FALSE(model.m_bHeightDisabled);

    const FramePropertyModel before = model;
    ApplyFrameProperties(&host, frameA(), &a, before, model, services());
    EXPECT_EQ(str(frameA()->m_strSize), "30%");
    EXPECT_EQ(a.moves + b.moves, 0);
    EXPECT_EQ(str(frameA()->GetScrolling()), "auto");
    EXPECT_TRUE(host.framesetModified);
    EXPECT_TRUE(log.isEmpty()) << str(log);
}

TEST_F(FrameProperties, AStarFrameTakesPixelsAndIsLaidOutAgain)
{
    columns("*,*");
    FramePropertyModel model;
    ReadFrameProperties(frameA(), &a, &model);
    EXPECT_EQ(str(model.m_strWidth), "1");
    EXPECT_EQ(model.m_nWidthUnit, FramePropertyModel::Relative);
    const FramePropertyModel before = model;
    model.m_nWidthUnit = FramePropertyModel::Pixels;
    model.m_strWidth = "15";
    EXPECT_EQ(model.OnOK(), FramePropertyModel::WidthTooLow);
    EXPECT_EQ(str(model.m_strWidth), "22");
    model.m_strWidth = "120";
    EXPECT_EQ(model.OnOK(), FramePropertyModel::Accepted);
    ApplyFrameProperties(&host, frameA(), &a, before, model, services());
    EXPECT_EQ(str(frameA()->m_strSize), "120");
    EXPECT_GT(a.moves, 0);
    EXPECT_EQ(a.window.width(), 120);
}

TEST_F(FrameProperties, APercentageTooNarrowIsReplacedByOneThatPasses)
{
    columns("50%,*");
    const std::tuple<int, int, QString> cases[] = {{400, 5, "6"}, {300, 7, "8"}};
    for (const auto& [width, percent, replaced] : cases) {
        frameA()->m_pNext->SetRect(200, 0, width, 300);
        FramePropertyModel model;
        ReadFrameProperties(frameA(), &a, &model);
        model.m_strWidth = QString::number(percent);
        EXPECT_EQ(model.OnOK(), FramePropertyModel::WidthTooLow) << width;
        EXPECT_EQ(str(model.m_strWidth), str(replaced));
        EXPECT_EQ(model.OnOK(), FramePropertyModel::Accepted) << width;
    }
    // A parent never laid out has no width to take a share of.
    frameA()->SetRect(0, 0, 0, 0);
    frameA()->m_pNext->SetRect(0, 0, 0, 0);
    FramePropertyModel model;
    ReadFrameProperties(frameA(), &a, &model);
    model.m_strWidth = "1";
    EXPECT_EQ(model.OnOK(), FramePropertyModel::Accepted);
}

TEST_F(FrameProperties, InRowsTheWidthIsCheckedButTheHeightIsWritten)
{
    build.frameset("rows", "100,*", 2);
    build.frame("a", Rect(0, 0, 400, 100), &a);
    build.frameset("cols", "50%,*", 2);
    build.frame("b", Rect(0, 100, 200, 300), &b);
    build.frame("c", Rect(200, 100, 400, 300));
    FramePropertyModel model;
    ReadFrameProperties(frameA(), &a, &model);
    EXPECT_EQ(str(model.m_strHeight), "100");
    EXPECT_EQ(model.m_nHeightUnit, FramePropertyModel::Pixels);
    // Beside the nested frameset the width is not the frame's to set.
    EXPECT_TRUE(model.m_bWidthDisabled);
    model.m_bWidthDisabled = false;
    model.m_nWidthUnit = FramePropertyModel::Pixels;
    model.m_strWidth = "10";
    model.m_strHeight = "5";
    EXPECT_EQ(model.OnOK(), FramePropertyModel::WidthTooLow);
    model.m_strWidth = "30";
    EXPECT_EQ(model.OnOK(), FramePropertyModel::Accepted);
    EXPECT_EQ(str(model.SizeEntry("rows")), "5");
}

TEST_F(FrameProperties, ScrollingIsReadWithoutCaseAndWrittenInLowerCase)
{
    columns("50%,*");
    frameA()->SetScrolling("YES");
    FramePropertyModel model;
    ReadFrameProperties(frameA(), &a, &model);
    EXPECT_EQ(model.m_nScrolling, FramePropertyModel::ScrollYes);
    ApplyFrameProperties(&host, frameA(), &a, model, model, services());
    EXPECT_EQ(str(frameA()->GetScrolling()), "yes");
    EXPECT_EQ(FramePropertyModel::ScrollingIndexOf("Bogus"), FramePropertyModel::ScrollNo);
    EXPECT_EQ(FramePropertyModel::ScrollingIndexOf(""), FramePropertyModel::ScrollAuto);
}

TEST_F(FrameProperties, AFramesetPageIsKnownByItsTagNotByTheWord)
{
    EXPECT_TRUE(FramePropertyModel::IsFramesetText("<p>FRAMESET pages</p><frameset cols=\"*\">"));
    EXPECT_TRUE(FramePropertyModel::IsFramesetText("<FrameSet rows=2>"));
    EXPECT_FALSE(FramePropertyModel::IsFramesetText("<p>A frameset </FRAMESET> < frameset</p>"));
}

TEST_F(FrameProperties, AnotherFileBecomesThePanesPageAndAnEmptyPathANewPage)
{
    columns("50%,*");
    const QString other = file("other.html");
    FramePropertyModel before;
    ReadFrameProperties(frameA(), &a, &before);
    FramePropertyModel after = before;
    after.m_strPath = other;
    ApplyFrameProperties(&host, frameA(), &a, before, after, services());
    EXPECT_EQ(str(frameA()->m_strSrc), str(other));
    EXPECT_EQ(str(a.path), str(other));
    EXPECT_EQ(str(a.target), str(other));
    EXPECT_EQ(str(log), str(QStringList{"target " + other, "source ", "path " + other, "reload other.html"}));

    log.clear();
    after.m_strPath.clear();
    ApplyFrameProperties(&host, frameA(), &a, before, after, services());
    EXPECT_EQ(str(a.path), "");
    EXPECT_EQ(str(a.name), "Frame5");
    EXPECT_EQ(frameCount, 6);
    EXPECT_TRUE(a.source.endsWith("/Bin/ULO.html"));
    EXPECT_TRUE(log.last().startsWith("reload"));
}

TEST_F(FrameProperties, APageFromOutsideTheWebIsCopiedIntoItUnlessTheUserDeclines)
{
    columns("50%,*");
    env.app.web = "/w";
    env.webPages = QStringList{"site.html", "a.html"};
    sites.add("site.html", QString(), 2);
    sites.add("a.html", "site.html", 1);
    sites.selectionMark = 1;
    const QString outside = file("news.html");
    FramePropertyModel before;
    ReadFrameProperties(frameA(), &a, &before);
    FramePropertyModel after = before;
    after.m_strPath = outside;
    FramePropertyServices s = services();
    s.webFolder = "/w";
    QString copyAsked;
    s.copyIntoWeb = [&](const QString& path) {
        copyAsked = path;
        return QString();
    };

    // Declined: the new src stays, nothing else changes.
    ApplyFrameProperties(&host, frameA(), &a, before, after, s);
    EXPECT_EQ(str(copyAsked), str(outside));
    EXPECT_EQ(str(frameA()->m_strSrc), str(outside));
    EXPECT_EQ(str(a.path), str(dir.path() + "/a.html"));
    EXPECT_FALSE(host.framesetModified);
    EXPECT_TRUE(sites.calls.isEmpty());

    s.copyIntoWeb = [](const QString&) { return QStringLiteral("/w/news1.html"); };
    ApplyFrameProperties(&host, frameA(), &a, before, after, s);
    EXPECT_EQ(str(a.source), str(outside));
    EXPECT_EQ(str(a.target), "/w/news1.html");
    EXPECT_EQ(str(a.path), "");
    EXPECT_TRUE(host.framesetModified);
    EXPECT_EQ(str(sites.calls), "unlink a.html | add-or-update a.html under site.html | clear-selection | select 1 1");
}

TEST_F(FrameProperties, AChangedNewPageIsSavedFirstWhenTheUserWantsIt)
{
    columns("50%,*");
    env.app.web = "/w";
    env.webPages = QStringList{"Frame3"};
    a.path.clear();
    a.name = "Frame3";
    a.modified = true;
    const QString other = file("other.html");
    FramePropertyModel before;
    ReadFrameProperties(frameA(), &a, &before);
    FramePropertyModel after = before;
    after.m_strPath = other;
    FramePropertyServices s = services();
    s.webFolder = "/w";
    QString proposed;
    s.askSavePath = [&](const QString& path) {
        proposed = path;
        return QStringLiteral("/w/saved");
    };
    platform::ModalResponder responder;
    responder.answerMessageBox(platform::IDYES, LoadResString(IDS_SAVE_CHANGED_PAGE));
    ApplyFrameProperties(&host, frameA(), &a, before, after, s);
    EXPECT_EQ(str(proposed), "/w/Frame3");
    EXPECT_TRUE(log.contains("copy Frame3 to /w/saved.html")) << str(log);
    EXPECT_EQ(str(sites.calls),
              "unlink Frame3 | add-or-update other.html under site.html | rename Frame3 to saved.html | "
              "clear-selection | select -1 1");

    // The copy could not be written (a read-only web folder): the old row goes.
    a.path.clear();
    a.name = "Frame3";
    a.copyWritten = false;
    sites.calls.clear();
    responder.answerMessageBox(platform::IDYES, LoadResString(IDS_SAVE_CHANGED_PAGE));
    ApplyFrameProperties(&host, frameA(), &a, before, after, s);
    EXPECT_TRUE(sites.calls.contains("remove Frame3")) << str(sites.calls);
}

TEST_F(FrameProperties, TheFramePropertiesDialogRefusesAMissingPathAndATooNarrowWidth)
{
    platform::ModalResponder responder;
    responder.answerMessageBox(platform::IDOK, LoadResString(IDS_FILE_DOES_NOT_EXIST));
    responder.answerMessageBox(platform::IDOK, LoadResString(IDS_FRAME_VALUE_TOO_LOW));
    responder.on(VornaDialogFrameProperty::IDD, [this](QDialog& d) {
        using R = platform::ModalResponder;
        R::setText(d, IDC_FRAME_PATH, dir.path() + "/missing.html");
        R::press(d, platform::IDOK);
        EXPECT_TRUE(d.isVisible());
        R::setText(d, IDC_FRAME_PATH, QString());
        auto* unit = d.findChild<QComboBox*>(QStringLiteral("id_%1").arg(IDC_FRAME_WIDTH_UNIT));
        ASSERT_NE(unit, nullptr);
        unit->setCurrentIndex(FramePropertyModel::Pixels);
        emit unit->activated(FramePropertyModel::Pixels);
        R::setText(d, IDC_FRAME_WIDTH, "15");
        R::press(d, platform::IDOK);
        EXPECT_TRUE(d.isVisible());
        R::press(d, platform::IDOK);
    });
    VornaDialogFrameProperty dialog;
    dialog.m_strPath = "x";
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(str(dialog.m_strWidth), "22");
    EXPECT_EQ(str(dialog.m_strPath), "");
    EXPECT_EQ(responder.pending(), 0);
}

TEST(FramesetPropertyModel, KnownCharsetsComeBackAsNamesAndUnknownOnesAreKept)
{
    const QStringList names = FramesetPropertyModel::EncodingNames();
    ASSERT_EQ(names.size(), 22);
    FramesetPropertyModel utf8;
    utf8.m_strCharset = "utf-8";
    utf8.m_strEncoding = FramesetPropertyModel::CharsetToDisplayName("utf-8");
    EXPECT_EQ(str(names.value(utf8.InitialEncodingIndex(names))), "Unicode(UTF-8)");
    utf8.OnOK(names.value(utf8.InitialEncodingIndex(names)));
    EXPECT_EQ(str(utf8.m_strEncoding), "utf-8");

    FramesetPropertyModel latin9;
    latin9.m_strCharset = "iso-8859-15";
    latin9.m_strEncoding = FramesetPropertyModel::CharsetToDisplayName("iso-8859-15");
    const int shown = latin9.InitialEncodingIndex(names);
    EXPECT_EQ(str(names.value(shown)), "日本語(JIS)");
    latin9.OnOK(names.value(shown));
    EXPECT_EQ(str(latin9.m_strEncoding), "iso-8859-15");
    // Picking the entry shown is a choice all the same.
    latin9.OnEncodingChosen(names.value(shown));
    latin9.OnOK(names.value(shown));
    EXPECT_EQ(str(latin9.m_strEncoding), "shift_jis");

    FramesetPropertyModel none;
    none.OnOK(names.value(none.InitialEncodingIndex(names)));
    EXPECT_EQ(str(none.m_strEncoding), "shift_jis");
    EXPECT_EQ(FramesetPropertyModel::LayoutGap(2, 6, 1), -5);
    EXPECT_EQ(FramesetPropertyModel::LayoutGap(2, 6, 0), -5);
    EXPECT_EQ(FramesetPropertyModel::LayoutGap(6, 0, 1), 5);
}

TEST_F(FrameProperties, FramesetPropertiesChangeTitleSpacingAndCharset)
{
    columns("50%,*");
    env.app.web = "/w";
    env.webPages = QStringList{"site.html"};
    top.title = "Old";
    host.charset = "iso-8859-15";
    FramesetPropertyModel before;
    ASSERT_TRUE(ReadFramesetProperties(&host, &before));
    EXPECT_EQ(before.m_nBorder, 1);
    EXPECT_EQ(before.m_nFrameSpacing, 2);
    EXPECT_EQ(str(before.m_strTitle), "Old");
    EXPECT_EQ(str(before.m_strPath), "/w/site.html");

    // Only the title: nothing moves, the charset stays.
    FramesetPropertyModel after = before;
    after.m_strTitle = "New";
    after.OnOK(QStringLiteral("日本語(JIS)"));
    ApplyFramesetProperties(&host, before, after);
    EXPECT_EQ(str(top.title), "New");
    EXPECT_EQ(a.moves + b.moves, 0);
    EXPECT_EQ(str(host.charset), "iso-8859-15");
    EXPECT_EQ(str(sites.calls), "title site.html: New");
    EXPECT_TRUE(host.framesetModified);

    // A wider spacing moves the panes apart.
    after.m_nFrameSpacing = 6;
    ApplyFramesetProperties(&host, before, after);
    EXPECT_EQ(host.tree.root->GetFrameSpacing(), 6);
    EXPECT_GT(a.moves + b.moves, 0);
    EXPECT_GE(b.window.left - a.window.right, 6);

    // A plain page has no frameset properties.
    FakeHost plain;
    EXPECT_FALSE(ReadFramesetProperties(&plain, &before));
}

} // namespace
