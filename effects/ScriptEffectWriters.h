#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

#include <algorithm>

class ScriptBrowserModel;
class ScriptImageModel;
class ScriptMouseModel;
class ScriptScreenModel;
class ScriptStatusModel;
class ScriptTextModel;

// The effect writers of the script wizard: each copies its effect's files
// into the effect folder and wires them into the active page (AppContext):
// the includes, BODY's onload call and the lines of the script-call block,
// as one undo step. Without an active page with a BODY the page stays as it
// is. Values go into the scripts' strings escaped (ScriptStringText), so no
// text the user types can break or leave the script.

// Where a writer puts its files and how its lines name them, decided once
// per run: in the open web's "other" folder with "other/" names for a page
// of the web, else in the install folder's "Work/" folder with absolute
// names.
struct EffectTarget
{
    bool inWeb = false;
    QString folder; // ends in "/"
    QString prefix; // "other/" or the folder
};
EffectTarget CurrentEffectTarget();

// ---- lines (no files, no page)

// The status-bar effect's call line, the page's texts as they stand; empty
// for an effect outside 0 to 4.
QString StatusBarCallLine(const ScriptStatusModel& page);
// The browser effect's call lines in their order.
QStringList BrowserCallLines(const ScriptBrowserModel& page);
// The screen effect's files (the script last), call line and variable lines.
struct ScreenEffectLines
{
    QStringList files;
    QString callLine;
    QStringList variableLines;
};
ScreenEffectLines ScreenLines(const ScriptScreenModel& page, const QString& prefix);

// ---- writers

// The status-bar effect: a single quote in a used text turns into a double
// quote (in the page's own field too). Nothing for an effect outside 0 to 4.
void WriteStatusBarEffect(ScriptStatusModel& page);
void WriteBrowserEffect(const ScriptBrowserModel& page);
void WriteScreenEffect(const ScriptScreenModel& page);
// The mouse effects of the mouse page, with the text or image page that
// follows it when the pointer is changed (the other one null). False, with
// nothing copied or written, when the user's picture has no readable size.
bool WriteMouseEffect(const ScriptMouseModel& mouse, const ScriptTextModel* text, const ScriptImageModel* image);

// The pointer parts of the mouse writer: copy their files into the target's
// folder and append to the lists of included scripts, call lines and
// variable lines.
void AddMouseTextScript(const EffectTarget& target, const ScriptTextModel& page, QStringList& scripts,
                        QStringList& calls, QStringList& variables);
// False when the user's picture has no readable size (nothing appended).
bool AddMouseImageScript(const EffectTarget& target, const ScriptImageModel& page, QStringList& scripts,
                         QStringList& calls, QStringList& variables);

// Copies the user's file into the folder under its own name, or, when a
// different file of that name is there, under the first free name "name-2.ext",
// "name-3.ext", ...; a file already there with the same content is used as it
// is. The destination path; empty when the copy failed.
QString CopyUserFileToFolder(const QString& folder, const QString& sourcePath);

// Applies the rule of the combined scripts to a list of scripts (paths or
// script lines) and its call lines: with both `first` and `second` named in
// the list (the last such entry of each), both go and `combined` is appended
// by `addCombined`; every call line containing `droppedCall` (when given) goes.
template <typename AddCombined>
bool CombineScripts(QStringList& scripts, QStringList& calls, const QString& first, const QString& second,
                    const QString& droppedCall, AddCombined addCombined)
{
    qsizetype a = -1, b = -1;
    for (qsizetype i = 0; i < scripts.size(); ++i) {
        if (scripts[i].contains(first))
            a = i;
        if (scripts[i].contains(second))
            b = i;
    }
    if (a < 0 || b < 0)
        return false;
    scripts.removeAt(std::max(a, b));
    scripts.removeAt(std::min(a, b));
    addCombined();
    if (!droppedCall.isEmpty())
        calls.erase(
            std::remove_if(calls.begin(), calls.end(), [&](const QString& call) { return call.contains(droppedCall); }),
            calls.end());
    return true;
}
