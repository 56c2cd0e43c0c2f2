#include "effects/MousePreview.h"

#include "effects/ScriptEffectWriters.h"
#include "effects/ScriptImageModel.h"
#include "editor/objects/PositionedObjectHtml.h"
#include "effects/ScriptLiteral.h"
#include "effects/ScriptMouseModel.h"
#include "effects/ScriptTextModel.h"

namespace mousepreview_detail {

// The built-in trail of a kind: six pictures of the template folder.
void addTrail(int kind, const QString& scriptFolder, MousePreviewLists& lists)
{
    const QList<QString> pictures = ScriptImageModel::TrailPictures(kind);
    if (pictures.isEmpty())
        return;
    QList<QString> values;
    for (int i = 0; i < pictures.size(); ++i) {
        lists.variables.append(
            ScriptImageVariableLine(QStringLiteral("mouse_Multi%1").arg(i + 1), scriptFolder + pictures[i]));
        values.append(ScriptImageValue(scriptFolder + pictures[i], u'"'));
    }
    lists.variables.append(QStringLiteral("var ") + ScriptImageModel::TrailArrayText(
                                                        values, ScriptImageModel::TrailSizes(), QStringLiteral(",")));
}

} // namespace mousepreview_detail

QString PreviewScriptLine(const QString& scriptFolder, const QString& file)
{
    return QStringLiteral("<SCRIPT language=javascript src=\"%1\"></SCRIPT>")
        .arg(HtmlAttributeText(LocalPathAsSrc(scriptFolder + file)));
}

void AddTextPreviewScript(const ScriptTextModel& page, const QString& scriptFolder, MousePreviewLists& lists)
{
    QString message = page.m_strMessage;
    message.replace(u'"', u'\'');
    if (page.m_nTextKind == 0) {
        lists.scripts.append(PreviewScriptLine(scriptFolder, QStringLiteral("mouse_followtext_gen.js")));
        lists.calls.append(QStringLiteral("mouse_followtext_gen_initParam()"));
    } else if (page.m_nTextKind == 1) {
        lists.scripts.append(PreviewScriptLine(scriptFolder, QStringLiteral("mouse_followtext_wave.js")));
        lists.calls.append(QStringLiteral("mouse_followtext_wave_initParam()"));
    }
    lists.variables << ScriptVariableLine(QStringLiteral("mouse_message"), message + u' ')
                    << ScriptVariableLine(QStringLiteral("mouse_fontSize"), page.m_strFontSize)
                    << ScriptVariableLine(QStringLiteral("mouse_fontFace"), page.m_strFontFace)
                    << ScriptVariableLine(QStringLiteral("mouse_fontColor"), page.m_strFontColor);
}

void AddImagePreviewScript(const ScriptImageModel& page, const QString& scriptFolder, MousePreviewLists& lists)
{
    // The script, and its start: without the call the trail never appears.
    lists.scripts.append(PreviewScriptLine(scriptFolder, QStringLiteral("mouse_followimage_multicircle.js")));
    lists.calls.append(QStringLiteral("mouse_follwimage_init()"));
    if (page.m_nImageSource == 0) {
        mousepreview_detail::addTrail(page.m_nBuiltInKind, scriptFolder, lists);
        return;
    }
    if (page.m_nImageSource != 1)
        return;
    // The user's picture where it is; one without a readable size is left out.
    const QList<QSize> sizes = page.UserImageSizes(ScriptImageModel::UserImageSize(page.m_strImagePath));
    if (sizes.isEmpty())
        return;
    lists.variables.append(ScriptImageVariableLine(QStringLiteral("mouse_Multi1"), page.m_strImagePath));
    const QString value = ScriptImageValue(page.m_strImagePath, u'"');
    lists.variables.append(
        QStringLiteral("var ") +
        ScriptImageModel::TrailArrayText(QList<QString>(sizes.size(), value), sizes, QStringLiteral(", ")));
}

QString BuildMousePreviewHtml(const ScriptMouseModel& mouse, const ScriptTextModel* text, const ScriptImageModel* image,
                              const QString& scriptFolder)
{
    // 1. A body without context menu and selection that starts the effects.
    QString html = QStringLiteral("<BODY oncontextmenu=\"return false\" onselectstart=\"return false\" scroll=no "
                                  "onLoad=\"VornaScriptCall();\">&nbsp;\r<SCRIPT language=JavaScript>\r<!--\r");
    MousePreviewLists lists;
    // 2. The crosshair.
    if (mouse.m_bCrosshair) {
        lists.calls.append(QStringLiteral("mouse_follow_xy_initParam()"));
        lists.variables << ScriptVariableLine(QStringLiteral("mouse_VornaLinecolor"), mouse.m_strLineColor)
                        << ScriptImageVariableLine(QStringLiteral("mouse_TransparentImageSrc"),
                                                   scriptFolder + QStringLiteral("transparent.gif"));
        lists.scripts.append(PreviewScriptLine(scriptFolder, QStringLiteral("mouse_follow_xy.js")));
    }
    // 3. The click animation.
    if (mouse.m_bClickEffect) {
        lists.calls.append(QStringLiteral("mouse_click_initParam()"));
        lists.scripts.append(PreviewScriptLine(scriptFolder, QStringLiteral("mouse_click.js")));
        for (int i = 1; i <= 10; ++i) {
            const QString picture = ScriptMouseModel::ClickPicture(mouse.m_nClickKind, i);
            if (picture.isEmpty())
                break;
            lists.variables.append(
                ScriptImageVariableLine(QStringLiteral("mouse_Bomb%1").arg(i), scriptFolder + picture));
        }
    }
    // 4.-5. The pointer, with the combined scripts.
    const auto combined = [&](const char* file) {
        return [&lists, &scriptFolder, file] {
            lists.scripts.append(PreviewScriptLine(scriptFolder, QString::fromLatin1(file)));
        };
    };
    if (mouse.m_bPointerEffect && mouse.m_strPointerType == QLatin1String("TEXT")) {
        if (text) {
            AddTextPreviewScript(*text, scriptFolder, lists);
        } else {
            // A sample text until the text page exists.
            lists.scripts.append(PreviewScriptLine(scriptFolder, QStringLiteral("mouse_followtext_wave.js")));
            lists.calls.append(QStringLiteral("mouse_followtext_wave_initParam()"));
            lists.variables << ScriptVariableLine(QStringLiteral("mouse_message"), QStringLiteral("Test Message."))
                            << ScriptVariableLine(QStringLiteral("mouse_fontSize"), QStringLiteral("15"))
                            << ScriptVariableLine(QStringLiteral("mouse_fontFace"), QString())
                            << ScriptVariableLine(QStringLiteral("mouse_fontColor"), QString());
        }
        CombineScripts(lists.scripts, lists.calls, QStringLiteral("mouse_follow_xy.js"),
                       QStringLiteral("mouse_followtext_gen.js"), QStringLiteral("mouse_followtext_gen_initParam"),
                       combined("mouse_follow_complex1.js"));
    } else if (mouse.m_bPointerEffect) {
        if (image) {
            AddImagePreviewScript(*image, scriptFolder, lists);
        } else {
            ScriptImageModel standIn;
            AddImagePreviewScript(standIn, scriptFolder, lists);
        }
        CombineScripts(lists.scripts, lists.calls, QStringLiteral("mouse_follow_xy.js"),
                       QStringLiteral("mouse_followimage_multicircle.js"), QString(),
                       combined("mouse_follow_complex.js"));
    }
    // 6. Variables, the function with its calls, and the includes.
    for (const QString& line : lists.variables)
        html += line + QStringLiteral(";\r");
    html += QStringLiteral("function VornaScriptCall()\r{\r");
    for (const QString& line : lists.calls)
        html += line + QStringLiteral(";\r");
    html += QStringLiteral("}\r-->\r</SCRIPT>\r &nbsp;\r");
    for (const QString& line : lists.scripts)
        html += line;
    html += QStringLiteral("</BODY>\r");
    return html;
}
