#include "ProgramStart.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQView.h"
#include "effects/VornaDlgScriptManage.h"

#include "engine/dom/Document.h"
#include "engine/markup/UndoManager.h"

#include "platform/CommandRegistry.h"
#include "platform/ModalResponder.h"

#include <QCoreApplication>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using platform::ModalResponder;

namespace {

// A page with a status-bar text and a mouse crosshair, as the effects leave it.
const char* const kPageWithEffects = R"html(<HTML><HEAD><TITLE>日記</TITLE></HEAD>
<BODY onload="VornaScriptCall();">
<P>今日の日記です。</P>
<script language=javascript src="other/statusbar_outin.js"></script>
<script language=javascript src="other/mouse_follow_xy.js"></script>
<SCRIPT LANGUAGE="JavaScript">
<!--
var mouse_VornaLinecolor = "255, 0, 0";
var mouse_TransparentImageSrc = "other/transparent.gif";
function VornaScriptCall()
{
statusbar_outin_initParam('ようこそ');
mouse_follow_xy_initParam();
}
-->
</SCRIPT>
</BODY></HTML>
)html";

constexpr int kScriptManage = 33434;

class ScriptManageCommand : public ::testing::Test
{
protected:
    bool open(const char* html)
    {
        const QString path = dir.filePath(QStringLiteral("page%1.html").arg(++pages));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(html) < 0)
            return false;
        file.close();
        if (!app->OpenDocumentFile(path))
            return false;
        QCoreApplication::processEvents();
        return true;
    }
    engine::Document* page() { return app->GetActiveView()->GetHtmlDocument(); }
    QString bodyText() { return page()->body()->outerHTML(); }
    bool enabled() { return app->commands()->updateCommand(kScriptManage); }

    QTemporaryDir dir;
    int pages = 0;
    std::unique_ptr<CZQApp> app = StartProgramWithoutGuide();
};

TEST_F(ScriptManageCommand, EnabledWhileEditingAPageThatIncludesScripts)
{
    ASSERT_NE(app, nullptr);
    EXPECT_FALSE(enabled()); // no page
    ASSERT_TRUE(open("<HTML><BODY><P>x</P><SCRIPT>var a = 1;</SCRIPT></BODY></HTML>"));
    EXPECT_FALSE(enabled()); // an inline script only
    ASSERT_TRUE(open(kPageWithEffects));
    EXPECT_TRUE(enabled());
    CChildFrame* child = app->mainFrame()->GetActiveChild();
    child->m_bEditShown = false;
    child->m_bSourceShown = true;
    EXPECT_FALSE(enabled()); // not in the editing view
    child->m_bSourceShown = false;
    child->m_bEditShown = true;
    EXPECT_TRUE(enabled());
}

TEST_F(ScriptManageCommand, RemovesTheChosenFamiliesAndOneUndoBringsThemBack)
{
    ASSERT_NE(app, nullptr);
    ASSERT_TRUE(open(kPageWithEffects));
    const QString before = bodyText();
    const int undoSteps = page()->undoManager().undoCount();

    // Cancel changes nothing, even with rows deleted.
    ModalResponder responder;
    responder.on(VornaDlgScriptManage::DialogId, [](QDialog& dialog) {
        auto* rows = dialog.findChild<QListWidget*>(QStringLiteral("id_14000"));
        rows->item(0)->setSelected(true);
        dialog.findChild<QPushButton*>(QStringLiteral("id_1009"))->click();
        ModalResponder::press(dialog, 2);
    });
    app->commands()->sendCommand(kScriptManage);
    EXPECT_EQ(bodyText(), before);

    // The mouse row deleted: its include, call and variables go, the status
    // bar's stay, and so does the onload call.
    QStringList listed;
    responder.on(VornaDlgScriptManage::DialogId, [&](QDialog& dialog) {
        auto* rows = dialog.findChild<QListWidget*>(QStringLiteral("id_14000"));
        for (int i = 0; i < rows->count(); ++i)
            listed.append(rows->item(i)->text());
        rows->item(1)->setSelected(true);
        dialog.findChild<QPushButton*>(QStringLiteral("id_1009"))->click();
        ModalResponder::press(dialog, 1);
    });
    app->commands()->sendCommand(kScriptManage);
    EXPECT_EQ(listed, (QStringList{QStringLiteral("ステータスバーに関連するスクリプト"),
                                   QStringLiteral("マウスに関連するスクリプト")}));
    const QString after = bodyText();
    EXPECT_FALSE(after.contains(QLatin1String("mouse_"))) << after.toStdString();
    EXPECT_TRUE(after.contains(QLatin1String("other/statusbar_outin.js")));
    EXPECT_TRUE(after.contains(QStringLiteral("statusbar_outin_initParam('ようこそ');"))) << after.toStdString();
    EXPECT_EQ(page()->body()->getAttributeText(QStringLiteral("onload")), QStringLiteral("VornaScriptCall();"));
    EXPECT_TRUE(enabled());

    // One undo step brings the mouse effect back whole.
    EXPECT_EQ(page()->undoManager().undoCount(), undoSteps + 1);
    page()->undoManager().undo();
    EXPECT_EQ(bodyText(), before);

    // Both rows deleted: the page keeps nothing of the effects, and the
    // command has nothing left to manage.
    responder.on(VornaDlgScriptManage::DialogId, [](QDialog& dialog) {
        dialog.findChild<QPushButton*>(QStringLiteral("id_1027"))->click();
        ModalResponder::press(dialog, 1);
    });
    app->commands()->sendCommand(kScriptManage);
    const QString none = bodyText();
    EXPECT_FALSE(none.contains(QLatin1String("VornaScriptCall"))) << none.toStdString();
    EXPECT_FALSE(
        none.contains(QRegularExpression(QStringLiteral("<script"), QRegularExpression::CaseInsensitiveOption)));
    EXPECT_FALSE(enabled());
}

} // namespace
