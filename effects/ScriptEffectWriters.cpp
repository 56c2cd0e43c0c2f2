#include "effects/ScriptEffectWriters.h"

#include "effects/CScriptUtility.h"
#include "effects/ScriptBrowserModel.h"
#include "effects/ScriptImageModel.h"
#include "effects/ScriptLiteral.h"
#include "effects/ScriptMouseModel.h"
#include "effects/ScriptScreenModel.h"
#include "effects/ScriptStatusModel.h"
#include "effects/ScriptTextModel.h"
#include "util/AppContext.h"

#include "engine/dom/Document.h"

namespace scripteffectwriters_detail {

QString quoted(const QString& text, QChar quote)
{
    return quote + ScriptStringText(text, quote) + quote;
}

// The active page and its BODY, or nulls.
struct ActivePage
{
    engine::Document* document = nullptr;
    engine::Element* body = nullptr;
    explicit operator bool() const { return document && body; }
};

ActivePage activePage()
{
    const AppContext& app = AppContext::instance();
    CZQView* view = app.activeView();
    ActivePage page;
    page.document = view ? app.viewDocument(view) : nullptr;
    page.body = page.document ? page.document->body() : nullptr;
    return page;
}

// Wires one script file and its lines into the page, as one undo step.
void wireSingleScript(const ActivePage& page, const QString& scriptPath, bool inWeb, const QStringList& calls,
                      const QStringList& variables)
{
    engine::UndoUnit unit(page.document);
    CScriptUtility::IncludeScriptFiles(page.document, page.body, CScriptUtility::PathToSlashes(scriptPath), inWeb);
    CScriptUtility::AddBodyOnLoadCall(page.body);
    CScriptUtility::AddScriptCallLines(page.document, calls, variables);
}

} // namespace scripteffectwriters_detail

EffectTarget CurrentEffectTarget()
{
    EffectTarget target;
    target.inWeb = AppContext::instance().isActivePageInWeb();
    target.folder = CScriptUtility::EffectFolder(target.inWeb);
    target.prefix = target.inWeb ? QStringLiteral("other/") : CScriptUtility::PathToSlashes(target.folder);
    return target;
}

// ---- status bar and browser

QString StatusBarCallLine(const ScriptStatusModel& page)
{
    const QString function = ScriptStatusModel::EffectScript(page.m_nEffect);
    if (function.isEmpty())
        return {};
    QStringList arguments{scripteffectwriters_detail::quoted(page.m_strText1, u'\'')};
    if (ScriptStatusModel::UsesAllTexts(page.m_nEffect))
        arguments << scripteffectwriters_detail::quoted(page.m_strText2, u'\'')
                  << scripteffectwriters_detail::quoted(page.m_strText3, u'\'');
    return function + QStringLiteral("_initParam(") + arguments.join(u',') + u')';
}

void WriteStatusBarEffect(ScriptStatusModel& page)
{
    // 1. The used texts' single quotes become double quotes.
    const QString script = ScriptStatusModel::EffectScript(page.m_nEffect);
    if (script.isEmpty())
        return;
    page.m_strText1.replace(u'\'', u'"');
    if (ScriptStatusModel::UsesAllTexts(page.m_nEffect)) {
        page.m_strText2.replace(u'\'', u'"');
        page.m_strText3.replace(u'\'', u'"');
    }
    // 2.-4. The folder, the copy and the call line.
    const EffectTarget target = CurrentEffectTarget();
    const QString copied = CScriptUtility::CopyScriptFile(target.folder, script + QStringLiteral(".js"));
    const QString call = StatusBarCallLine(page);
    // 5.-10. The page. Differs from wiring a script that could not be
    // copied: the page would call a function that is nowhere.
    const scripteffectwriters_detail::ActivePage active = scripteffectwriters_detail::activePage();
    if (!active || copied.isEmpty())
        return;
    scripteffectwriters_detail::wireSingleScript(active, copied, target.inWeb, {call}, {});
}

QStringList BrowserCallLines(const ScriptBrowserModel& page)
{
    QStringList calls;
    if (page.m_bMove)
        calls.append(QStringLiteral("browser_move(%1)").arg(page.m_nStartPosition + 1));
    if (page.m_bBlind)
        calls << QStringLiteral("browser_blind(this.document)") << QStringLiteral("browser_timeout()");
    if (page.m_bShake)
        calls.append(QStringLiteral("browser_wow()"));
    return calls;
}

void WriteBrowserEffect(const ScriptBrowserModel& page)
{
    const EffectTarget target = CurrentEffectTarget();
    const QString copied = CScriptUtility::CopyScriptFile(target.folder, QStringLiteral("browser.js"));
    const QStringList calls = BrowserCallLines(page);
    const scripteffectwriters_detail::ActivePage active = scripteffectwriters_detail::activePage();
    if (!active || copied.isEmpty() || calls.isEmpty())
        return;
    scripteffectwriters_detail::wireSingleScript(active, copied, target.inWeb, calls, {});
}

// ---- screen

ScreenEffectLines ScreenLines(const ScriptScreenModel& page, const QString& prefix)
{
    ScreenEffectLines lines;
    const int effect = page.m_nEffect;
    if (effect < 0 || effect >= ScriptScreenModel::EffectCount)
        return lines;
    const QString script = ScriptScreenModel::EffectScript(effect);
    const QString start = scripteffectwriters_detail::quoted(page.m_strStartColor, u'\'');
    if (effect <= 5) {
        // The clipping effects.
        lines.callLine = QStringLiteral("%1_initParam(%2,%3)").arg(script).arg(page.m_nSpeed).arg(start);
        lines.variableLines << QStringLiteral("var screen_speed = %1").arg(page.m_nSpeed)
                            << QStringLiteral("var screen_disColor = %1").arg(start);
    } else if (effect == 6) {
        // The fade, three times as slow.
        lines.callLine = QStringLiteral("%1_initParam(%2, %3, %4)")
                             .arg(script)
                             .arg(page.m_nSpeed * 3)
                             .arg(start, scripteffectwriters_detail::quoted(page.m_strEndColor, u'\''));
    } else {
        // Pictures falling or rising.
        QStringList pictures;
        if (effect == 7)
            pictures = {QStringLiteral("fallen1.gif"), QStringLiteral("fallen2.gif"), QStringLiteral("fallen3.gif"),
                        QStringLiteral("fallen4.gif")};
        else if (effect == 8)
            pictures = {QStringLiteral("rain.gif"), QStringLiteral("rain.gif")};
        else
            pictures = {QStringLiteral("balloon1.gif"), QStringLiteral("balloon2.gif"), QStringLiteral("balloon3.gif")};
        QStringList arguments;
        for (int i = 0; i < pictures.size(); ++i) {
            const QString value = u'\'' + ScriptImageValue(prefix + pictures[i], u'\'') + u'\'';
            arguments.append(value);
            lines.variableLines.append(QStringLiteral("var screen_ImgName%1 = %2").arg(i + 1).arg(value));
        }
        lines.callLine = QStringLiteral("%1_initParam(%2)").arg(script, arguments.join(u','));
        pictures.removeDuplicates();
        lines.files = pictures;
    }
    lines.files.append(script + QStringLiteral(".js"));
    return lines;
}

void WriteScreenEffect(const ScriptScreenModel& page)
{
    // 1.-3. The folder and prefix; the page before anything is copied.
    const EffectTarget target = CurrentEffectTarget();
    const ScreenEffectLines lines = ScreenLines(page, target.prefix);
    const scripteffectwriters_detail::ActivePage active = scripteffectwriters_detail::activePage();
    if (!active || lines.callLine.isEmpty())
        return;
    // 4. The files, the script last.
    QString copied;
    for (const QString& file : lines.files)
        copied = CScriptUtility::CopyScriptFile(target.folder, file);
    if (copied.isEmpty())
        return;
    // 5.-6. The lines and the include.
    engine::UndoUnit unit(active.document);
    CScriptUtility::AddBodyOnLoadCall(active.body);
    CScriptUtility::AddScriptCallLines(active.document, {lines.callLine}, lines.variableLines);
    CScriptUtility::IncludeScriptFiles(active.document, active.body, CScriptUtility::PathToSlashes(copied),
                                       target.inWeb);
}
