// The mouse effects of the script wizard: the crosshair, the click
// animation and the pointer's text or image, gathered into three lists and
// wired into the page at once.
#include "effects/CScriptUtility.h"
#include "effects/ScriptEffectWriters.h"
#include "effects/ScriptImageModel.h"
#include "effects/ScriptLiteral.h"
#include "effects/ScriptMouseModel.h"
#include "effects/ScriptTextModel.h"
#include "util/AppContext.h"
#include "util/FileHelpers.h"

#include "engine/dom/Document.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace mouseeffectwriter_detail {

QByteArray contentHash(const QString& path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return hash.result();
}

// Copies an effect script and lists it; false when the copy failed.
bool copyScript(const EffectTarget& target, const QString& file, QStringList& scripts)
{
    const QString copied = CScriptUtility::CopyScriptFile(target.folder, file);
    scripts.append(copied);
    return !copied.isEmpty();
}

} // namespace mouseeffectwriter_detail

QString CopyUserFileToFolder(const QString& folder, const QString& sourcePath)
{
    const QFileInfo source(sourcePath);
    if (!source.isFile())
        return {};
    QString base = folder;
    if (!base.endsWith(u'/'))
        base += u'/';
    CreateFolderPath(base);
    const QString name = source.fileName();
    const QString stem = source.completeBaseName();
    const QString suffix = source.suffix().isEmpty() ? QString() : u'.' + source.suffix();
    const QByteArray hash = mouseeffectwriter_detail::contentHash(sourcePath);
    for (int n = 1; n < 10000; ++n) {
        const QString destination = base + (n == 1 ? name : QStringLiteral("%1-%2%3").arg(stem).arg(n).arg(suffix));
        const QFileInfo there(destination);
        if (!there.exists()) {
            // A name nobody holds: the picture goes there.
            if (n == 1)
                return CScriptUtility::CopyFileToFolder(base, sourcePath);
            return QFile::copy(sourcePath, destination) ? destination : QString();
        }
        // The picture itself, or the same picture copied before.
        if (there.canonicalFilePath() == source.canonicalFilePath() ||
            (there.isFile() && !hash.isEmpty() && mouseeffectwriter_detail::contentHash(destination) == hash))
            return destination;
    }
    return {};
}

void AddMouseTextScript(const EffectTarget& target, const ScriptTextModel& page, QStringList& scripts,
                        QStringList& calls, QStringList& variables)
{
    // 1. The message with its double quotes turned into single ones and one
    // blank after it. Differs from turning backslashes into "/": the text
    // is escaped and shows as typed.
    QString message = page.m_strMessage;
    message.replace(u'"', u'\'');
    message += u' ';
    // 2. The script of the text kind.
    if (page.m_nTextKind == 0) {
        mouseeffectwriter_detail::copyScript(target, QStringLiteral("mouse_followtext_gen.js"), scripts);
        calls.append(QStringLiteral("mouse_followtext_gen_initParam()"));
    } else if (page.m_nTextKind == 1) {
        mouseeffectwriter_detail::copyScript(target, QStringLiteral("mouse_followtext_wave.js"), scripts);
        calls.append(QStringLiteral("mouse_followtext_wave_initParam()"));
    }
    // 3. The variables.
    variables << ScriptVariableLine(QStringLiteral("mouse_message"), message)
              << ScriptVariableLine(QStringLiteral("mouse_fontSize"), page.m_strFontSize)
              << ScriptVariableLine(QStringLiteral("mouse_fontFace"), page.m_strFontFace)
              << ScriptVariableLine(QStringLiteral("mouse_fontColor"), page.m_strFontColor);
}

bool AddMouseImageScript(const EffectTarget& target, const ScriptImageModel& page, QStringList& scripts,
                         QStringList& calls, QStringList& variables)
{
    // Differs from dividing by a width that may be 0: a picture without a
    // readable size is refused before anything is added.
    const QSize natural = page.m_nImageSource == 1 ? ScriptImageModel::UserImageSize(page.m_strImagePath) : QSize();
    if (page.m_nImageSource == 1 && natural.isEmpty())
        return false;
    // 1.-2. The script.
    calls.append(QStringLiteral("mouse_follwimage_init()"));
    mouseeffectwriter_detail::copyScript(target, QStringLiteral("mouse_followimage_multicircle.js"), scripts);
    // 3. A built-in trail.
    if (page.m_nImageSource == 0) {
        const QList<QString> pictures = ScriptImageModel::TrailPictures(page.m_nBuiltInKind);
        if (pictures.isEmpty())
            return true;
        QList<QString> values;
        for (int i = 0; i < pictures.size(); ++i) {
            CScriptUtility::CopyScriptFile(target.folder, pictures[i]);
            values.append(ScriptImageValue(target.prefix + pictures[i], u'"'));
            variables.append(
                ScriptImageVariableLine(QStringLiteral("mouse_Multi%1").arg(i + 1), target.prefix + pictures[i]));
        }
        variables.append(QStringLiteral("var ") +
                         ScriptImageModel::TrailArrayText(values, ScriptImageModel::TrailSizes(), QStringLiteral(",")));
        return true;
    }
    // 4. The user's picture.
    if (page.m_nImageSource != 1)
        return true;
    const QString copied = CopyUserFileToFolder(target.folder, page.m_strImagePath);
    const QString name = CScriptUtility::GetFileNamePart(copied.isEmpty() ? page.m_strImagePath : copied);
    const QString value = ScriptImageValue(target.prefix + name, u'"');
    variables.append(ScriptImageVariableLine(QStringLiteral("mouse_Multi1"), target.prefix + name));
    const QList<QSize> sizes = page.UserImageSizes(natural);
    variables.append(QStringLiteral("var ") + ScriptImageModel::TrailArrayText(QList<QString>(sizes.size(), value),
                                                                               sizes, QStringLiteral(", ")));
    return true;
}

bool WriteMouseEffect(const ScriptMouseModel& mouse, const ScriptTextModel* text, const ScriptImageModel* image)
{
    // 1. The page first: without one nothing is copied.
    const AppContext& app = AppContext::instance();
    CZQView* view = app.activeView();
    engine::Document* document = view ? app.viewDocument(view) : nullptr;
    engine::Element* body = document ? document->body() : nullptr;
    if (!body)
        return true;
    const bool textPointer = mouse.m_bPointerEffect && mouse.m_nPointerKind == 0 && text;
    const bool imagePointer = mouse.m_bPointerEffect && mouse.m_nPointerKind == 1 && image;
    if (imagePointer && image->m_nImageSource == 1 && !image->IsUserImageUsable())
        return false;
    // 2. The folder and prefix.
    const EffectTarget target = CurrentEffectTarget();
    QStringList scripts, calls, variables;
    // 3. The crosshair.
    if (mouse.m_bCrosshair) {
        calls.append(QStringLiteral("mouse_follow_xy_initParam()"));
        variables.append(ScriptVariableLine(QStringLiteral("mouse_VornaLinecolor"), mouse.m_strLineColor));
        mouseeffectwriter_detail::copyScript(target, QStringLiteral("mouse_follow_xy.js"), scripts);
        CScriptUtility::CopyScriptFile(target.folder, QStringLiteral("transparent.gif"));
        variables.append(ScriptImageVariableLine(QStringLiteral("mouse_TransparentImageSrc"),
                                                 target.prefix + QStringLiteral("transparent.gif")));
    }
    // 4. The click animation.
    if (mouse.m_bClickEffect) {
        calls.append(QStringLiteral("mouse_click_initParam()"));
        mouseeffectwriter_detail::copyScript(target, QStringLiteral("mouse_click.js"), scripts);
        for (int i = 1; i <= 10; ++i) {
            const QString picture = ScriptMouseModel::ClickPicture(mouse.m_nClickKind, i);
            if (picture.isEmpty())
                break;
            CScriptUtility::CopyScriptFile(target.folder, picture);
            variables.append(ScriptImageVariableLine(QStringLiteral("mouse_Bomb%1").arg(i), target.prefix + picture));
        }
    }
    // 5. The pointer, with the combined scripts where they exist.
    const auto appendCombined = [&](const char* file) {
        return [&scripts, &target, file] {
            mouseeffectwriter_detail::copyScript(target, QString::fromLatin1(file), scripts);
        };
    };
    if (textPointer) {
        AddMouseTextScript(target, *text, scripts, calls, variables);
        CombineScripts(scripts, calls, QStringLiteral("mouse_follow_xy.js"), QStringLiteral("mouse_followtext_gen.js"),
                       QStringLiteral("mouse_followtext_gen_initParam"), appendCombined("mouse_follow_complex1.js"));
    } else if (imagePointer) {
        if (!AddMouseImageScript(target, *image, scripts, calls, variables))
            return false;
        CombineScripts(scripts, calls, QStringLiteral("mouse_follow_xy.js"),
                       QStringLiteral("mouse_followimage_multicircle.js"), QString(),
                       appendCombined("mouse_follow_complex.js"));
    }
    // Differs from wiring scripts that could not be copied: the page would
    // call functions that are nowhere.
    if (scripts.contains(QString()))
        return true;
    // 6.-9. The page, as one undo step.
    engine::UndoUnit unit(document);
    CScriptUtility::AddBodyOnLoadCall(body);
    CScriptUtility::AddScriptCallLines(document, calls, variables);
    for (QString& script : scripts)
        script = CScriptUtility::PathToSlashes(script);
    CScriptUtility::IncludeScriptFiles(document, body, QStringLiteral("mouse_"), target.inWeb, &scripts);
    return true;
}
