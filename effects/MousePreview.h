#pragma once

#include <QString>
#include <QStringList>

class ScriptImageModel;
class ScriptMouseModel;
class ScriptTextModel;

// The live preview of the script wizard's mouse pages: a page body that runs
// the real effect scripts of the template folder with the current settings.
// Lists of one preview: script lines (SCRIPT src elements), call lines and
// variable lines.
struct MousePreviewLists
{
    QStringList scripts;
    QStringList calls;
    QStringList variables;
};

// The body text: the mouse page's effects with the text page or the image
// page of the pointer (null while the wizard has none: a default text or
// the sun trail stands in). `scriptFolder` is the template folder ending in "/".
QString BuildMousePreviewHtml(const ScriptMouseModel& mouse, const ScriptTextModel* text, const ScriptImageModel* image,
                              const QString& scriptFolder);

// The pointer parts of the preview.
void AddTextPreviewScript(const ScriptTextModel& page, const QString& scriptFolder, MousePreviewLists& lists);
void AddImagePreviewScript(const ScriptImageModel& page, const QString& scriptFolder, MousePreviewLists& lists);

// The SCRIPT element that includes a file of the template folder.
QString PreviewScriptLine(const QString& scriptFolder, const QString& file);
