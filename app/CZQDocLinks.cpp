// The document's linked-file work on save: which situation a save is in, the
// collection of the files a page links to, their copies into the open web and
// the rewriting of the page's links.

#include "app/CZQDoc.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQView.h"
#include "editor/CImpIDispatch.h"
#include "effects/CScriptUtility.h"
#include "res/resource.h"
#include "util/AppContext.h"
#include "util/LinkPaths.h"
#include "util/MessageBox.h"
#include "util/PageDom.h"
#include "util/PathText.h"
#include "util/StringResources.h"

#include "engine/dom/Document.h"

#include "platform/DataRoot.h"
#include "platform/FileOps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace zqdoclinks_detail {

// The picture a roll-over handler shows, as the roll-over images write it:
// VornaChangeImage('name', 'picture'): the text after the first "'" that
// follows the first ",", up to the last "'".
QString rollOverImageOf(const QString& handler)
{
    const qsizetype comma = handler.indexOf(QLatin1Char(','));
    if (comma < 0)
        return QString();
    const qsizetype open = handler.indexOf(QLatin1Char('\''), comma);
    const qsizetype close = handler.lastIndexOf(QLatin1Char('\''));
    return open < 0 || close <= open ? QString() : handler.mid(open + 1, close - open - 1);
}

// A cell that shows nothing: no element, no comment, only blanks.
bool isEmptyCell(const engine::Element* cell)
{
    for (const engine::Ref<engine::Node>& child : cell->childNodes()) {
        const engine::Text* text = child->asText();
        if (!text)
            return false;
        for (const QChar c : text->data()) {
            if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\r') && c != QLatin1Char('\n'))
                return false;
        }
    }
    return true;
}

} // namespace zqdoclinks_detail

// ---- shared by the passes -----------------------------------------------------

QString CZQDoc::FolderUrlOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash + 1);
}

QString CZQDoc::WebFolder()
{
    const CMainFrame* frame = CMainFrame::instance();
    if (!frame || !frame->m_bWebOpen || frame->m_strWebFolder.isEmpty())
        return QString();
    QString web = CleanFullPath(QString(frame->m_strWebFolder).replace(QLatin1Char('\\'), QLatin1Char('/')));
    while (web.size() > 1 && web.endsWith(QLatin1Char('/')))
        web.chop(1);
    return web.startsWith(QLatin1Char('/')) ? web : QString();
}

bool CZQDoc::IsInWeb(const QString& path)
{
    const QString web = WebFolder();
    return !web.isEmpty() && (CleanFullPath(path) == web || !PathBelowFolder(web, path).isEmpty());
}

bool CZQDoc::SameFileContent(const QString& first, const QString& second)
{
    const QFileInfo a(first);
    const QFileInfo b(second);
    if (!a.isFile() || !b.isFile() || a.size() != b.size())
        return false;
    if (a.canonicalFilePath() == b.canonicalFilePath())
        return true;
    QFile one(first);
    QFile two(second);
    if (!one.open(QIODevice::ReadOnly) || !two.open(QIODevice::ReadOnly))
        return false;
    while (!one.atEnd()) {
        if (one.read(64 * 1024) != two.read(64 * 1024))
            return false;
    }
    return true;
}

QString CZQDoc::FreeCopyName(const QString& folder, const QString& title, const QString& extension)
{
    for (int n = 0;; ++n) {
        QString candidate = QStringLiteral("%1/%2%3").arg(folder, title).arg(n);
        if (!extension.isEmpty())
            candidate += QLatin1Char('.') + extension;
        if (!platform::pathExists(candidate))
            return candidate;
    }
}

QString CZQDoc::ReserveTarget(const QString& source, const QString& tag)
{
    if (const auto found = m_arrCopyTargets.constFind(source); found != m_arrCopyTargets.cend())
        return *found;
    const QString web = WebFolder();
    const QString kind = KindFolderOfTag(tag);
    const QString folder = kind.isEmpty() ? web : web + QLatin1Char('/') + kind;
    const QString name = GetFileNamePart(source);
    QString target = folder + QLatin1Char('/') + name;
    const bool replaces = tag.compare(QLatin1String("SCRIPT"), Qt::CaseInsensitive) == 0 &&
                          GetFileExtension(name).compare(QLatin1String("js"), Qt::CaseInsensitive) == 0;
    const bool takenByOther = m_targetOwners.contains(target);
    const bool takenOnDisk = platform::pathExists(target) && !replaces && !SameFileContent(source, target);
    if (takenByOther || takenOnDisk) {
        // A free name: the file's title and the first free number; when that
        // name is reserved already, that name's title and a number again.
        const QString extension = GetFileExtension(name);
        const QString title = extension.isEmpty() ? name : name.left(name.size() - extension.size() - 1);
        target = FreeCopyName(folder, title, extension);
        while (m_targetOwners.contains(target)) {
            const QString taken = GetFileNamePart(target);
            target = FreeCopyName(folder, extension.isEmpty() ? taken : taken.left(taken.size() - extension.size() - 1),
                                  extension);
        }
    } else if (replaces && !takenByOther) {
        m_replaceTargets.insert(target);
    }
    m_arrCopyTargets.insert(source, target);
    m_targetOwners.insert(target, source);
    return target;
}

bool CZQDoc::CopyIntoWeb(const QString& source, const QString& tag)
{
    if (m_copiedFiles.contains(source))
        return true;
    if (m_failedFiles.contains(source))
        return false;
    const QString web = WebFolder();
    const QString target = ReserveTarget(source, tag);
    bool copied = false;
    // Only a regular file (a link to one copies its bytes, never the link);
    // only into a folder that lies in the web when links are followed.
    const QFileInfo file(source);
    if (!web.isEmpty() && file.isFile()) {
        const QString folder = QFileInfo(target).path();
        QDir().mkpath(folder);
        const QString realWeb = QFileInfo(web).canonicalFilePath();
        const QString realFolder = QFileInfo(folder).canonicalFilePath();
        const bool inside = !realWeb.isEmpty() && !realFolder.isEmpty() &&
                            (realFolder == realWeb || realFolder.startsWith(realWeb + QLatin1Char('/')));
        if (inside && !QFileInfo(target).isSymLink()) {
            if (SameFileContent(source, target)) {
                copied = true;
            } else {
                const platform::OnConflict onConflict =
                    m_replaceTargets.contains(target) ? platform::OnConflict::Overwrite : platform::OnConflict::Fail;
                copied =
                    platform::copyPath(file.canonicalFilePath(), target, onConflict) == platform::FileError::Success;
            }
        }
    }
    if (copied)
        m_copiedFiles.insert(source, target);
    else
        NoteFailedCopy(source);
    return copied;
}

QString CZQDoc::RewrittenLink(const QString& tag, const QString& link, const QString& folderUrl, bool inWebSave,
                              bool movingSave, bool makeAbsolute)
{
    const LocalLink local = ReadLocalLink(link);
    if (!local.local)
        return QString();
    QString path = local.path;
    bool absolute = local.absolute;
    if (!absolute && makeAbsolute && folderUrl.startsWith(QLatin1Char('/'))) {
        path = ResolveLinkPath(folderUrl, path);
        absolute = true;
    }
    if (!absolute) {
        // A relative link of a page that moves keeps reaching its file.
        if (movingSave && folderUrl.startsWith(QLatin1Char('/')))
            return ResolveLinkPath(folderUrl, path) + local.suffix;
        return QString();
    }
    path = CleanFullPath(path);
    if (inWebSave) {
        const QString web = WebFolder();
        if (web.isEmpty())
            return QString();
        QString inside = PathBelowFolder(web, path);
        if (inside.isEmpty()) {
            QString target;
            if (m_failedFiles.contains(path)) {
                return QString(); // the link keeps naming the file that was not copied
            } else if (m_copiedFiles.contains(path)) {
                target = m_copiedFiles.value(path);
            } else if (m_collectedFiles.contains(path)) {
                target = ReserveTarget(path, tag); // listed, left out of the copies by the caller
            } else if (CopyIntoWeb(path, tag)) {
                target = m_copiedFiles.value(path);
            } else {
                return QString();
            }
            inside = PathBelowFolder(web, target);
        }
        return inside.isEmpty() ? QString() : inside + local.suffix;
    }
    return movingSave ? path + local.suffix : QString();
}

// ---- the save's passes ----------------------------------------------------------

void CZQDoc::PrepareLinksForSave(const QString& path)
{
    const CMainFrame* frame = CMainFrame::instance();
    const bool pageInWeb = frame && frame->IsPageInWeb(GetDisplayName());
    const QString newFolder = FolderUrlOf(path);
    const QString oldFolder = FolderUrlOf(pathName());
    const QString pageTemplate =
        platform::resolveCaseBlind(AppContext::instance().installFolder(), QStringLiteral("Bin/ULO.html"));

    bool movingSave = !newFolder.isEmpty() && !oldFolder.isEmpty() && newFolder != oldFolder;
    if (!movingSave && !newFolder.isEmpty() && oldFolder.isEmpty() && !m_strSourcePath.isEmpty() &&
        m_strSourcePath.compare(pageTemplate, Qt::CaseInsensitive) != 0 && !pageInWeb)
        movingSave = true;
    const QString web = WebFolder();
    const bool inWebSave =
        !web.isEmpty() && !movingSave &&
        ((pageInWeb && CleanFullPath(GetFolderOfPath(path)) == web) || !m_strWebTargetPath.isEmpty());

    if (inWebSave) {
        MakeLinksRelative();
        // Copied first, so that a link whose file could not be copied keeps its value.
        CopyResourcesToWeb(true);
    } else {
        CopyTemporaryImages();
    }
    FixLinksForSave(inWebSave, movingSave);
}

void CZQDoc::MakeLinksRelative()
{
    QString base = m_strSourcePath.isEmpty() ? WebFolder() : QString(m_strSourcePath).replace('\\', '/');
    if (IsHtmlFileName(base) && base.contains(QLatin1Char('/')))
        base = base.left(base.lastIndexOf(QLatin1Char('/')));
    // Relative links of a page read from a web address name no local file.
    if (!base.startsWith(QLatin1Char('/')))
        base.clear();

    CZQView* view = GetView();
    engine::Document* doc = view ? view->GetHtmlDocument() : nullptr;
    engine::Element* body = doc ? doc->body() : nullptr;
    if (!body)
        return;
    m_arrCopyTargets.clear();
    m_targetOwners.clear();
    m_replaceTargets.clear();
    m_copiedFiles.clear();
    m_failedCopies.clear();
    m_failedFiles.clear();
    m_collectedFiles.clear();
    m_imageFiles.clear();
    m_otherFiles.clear();
    m_linkedFiles.clear();

    const auto collect = [&](engine::Element* element, const QString& tag, const QString& attribute) {
        const engine::Variant value = element->getAttribute(attribute);
        if (value.isString())
            CollectLink(tag, value.toString(), base);
    };
    collect(body, QStringLiteral("BODY"), QStringLiteral("background"));
    const bool imported = view->m_bImportedPage;
    for (const engine::Ref<engine::Element>& element : doc->all().toVector()) {
        const QString& tag = element->tagName();
        if (tag == QLatin1String("A") || tag == QLatin1String("AREA")) {
            collect(element.get(), tag, QStringLiteral("href"));
        } else if (tag == QLatin1String("IMG")) {
            collect(element.get(), tag, QStringLiteral("src"));
            if (element->id().compare(QLatin1String("VornaRollImage"), Qt::CaseInsensitive) == 0)
                CollectLink(
                    tag, zqdoclinks_detail::rollOverImageOf(element->getAttributeText(QStringLiteral("onmouseover"))),
                    base);
        } else if (tag == QLatin1String("TABLE")) {
            collect(element.get(), tag, QStringLiteral("background"));
        } else if (tag == QLatin1String("EMBED")) {
            collect(element.get(), tag, QStringLiteral("src"));
        } else if (tag == QLatin1String("SCRIPT") && imported) {
            const QString src = element->getAttributeText(QStringLiteral("src"));
            if (ReadLocalLink(src).local) {
                CollectLink(tag, WithoutDotPrefix(src), base);
            } else {
                QStringList images;
                CScriptUtility::GetScriptImageFiles(images, element->outerHTML(), false);
                for (const QString& image : images)
                    CollectLink(
                        tag, WithoutDotPrefix(QString(image).replace(QLatin1String("\\\\"), QLatin1String("/"))), base);
            }
        }
    }
}

void CZQDoc::CollectLink(const QString& tag, const QString& link, const QString& baseFolder)
{
    const LocalLink local = ReadLocalLink(link);
    if (!local.local || (!local.absolute && baseFolder.isEmpty()))
        return;
    const QString source = local.absolute ? CleanFullPath(local.path) : ResolveLinkPath(baseFolder, local.path);
    if (!IsInWeb(source))
        ReserveTarget(source, tag);
    if (m_collectedFiles.contains(source))
        return;
    m_collectedFiles.insert(source);
    const QString kind = KindFolderOfTag(tag);
    if (kind == QLatin1String("image"))
        m_imageFiles.prepend(source);
    else if (kind == QLatin1String("other"))
        m_otherFiles.prepend(source);
    else
        m_linkedFiles.prepend(source);
}

void CZQDoc::CopyResourcesToWeb(bool withLinkedFiles)
{
    if (WebFolder().isEmpty())
        return;
    // In page order (the lists hold the last found first), so that a report
    // names the files as the page shows them.
    const auto copyAll = [this](const QStringList& files, const QString& tag) {
        for (auto source = files.crbegin(); source != files.crend(); ++source) {
            if (!IsInWeb(*source))
                CopyIntoWeb(*source, tag);
        }
    };
    copyAll(m_imageFiles, QStringLiteral("IMG"));
    if (withLinkedFiles)
        copyAll(m_linkedFiles, QStringLiteral("A"));
    copyAll(m_otherFiles, QStringLiteral("SCRIPT"));
}

void CZQDoc::FixLinksForSave(bool inWebSave, bool movingSave)
{
    CZQView* view = GetView();
    engine::Document* doc = view ? view->GetHtmlDocument() : nullptr;
    engine::Element* body = doc ? doc->body() : nullptr;
    if (!body)
        return;
    CImpIDispatch* sink = view->GetSink();
    engine::UndoUnit unit(doc);
    if (IsWebAddress(m_strSourcePath)) {
        MakeHttpLinksRelative();
        // Image maps keep working in the saved page.
        if (sink) {
            for (const engine::Ref<engine::Element>& image : doc->images().toVector())
                sink->AddUsemapHash(image.get());
        }
        return;
    }
    QString folderUrl = FolderUrlOf(pathName().isEmpty() ? QString(m_strSourcePath).replace('\\', '/') : pathName());
    const bool imported = view->m_bImportedPage;
    const CChildFrame* child = view->GetParentFrame();
    const bool closing = child && child->m_bClosing;
    const bool noPath = pathName().isEmpty();
    QSet<const engine::Element*> handled;

    const auto rewrite = [&](engine::Element* element) {
        if (handled.contains(element))
            return;
        handled.insert(element);
        const QString attribute = LinkAttributeOfTag(element->tagName());
        const engine::Variant value = element->getAttribute(attribute);
        if (value.isString())
            CopyLinkedImages(element, value.toString(), folderUrl, inWebSave, movingSave);
    };
    for (const engine::Ref<engine::Element>& element : doc->all().toVector()) {
        const QString& tag = element->tagName();
        if (inWebSave || movingSave) {
            if (tag == QLatin1String("A")) {
                if (!imported)
                    rewrite(element.get());
            } else if (tag == QLatin1String("IMG")) {
                rewrite(element.get());
                if (element->id().compare(QLatin1String("VornaRollImage"), Qt::CaseInsensitive) == 0) {
                    for (const QString& handler : {QStringLiteral("onmouseover"), QStringLiteral("onmouseout")}) {
                        QString text = element->getAttributeText(handler);
                        const QString image = zqdoclinks_detail::rollOverImageOf(text);
                        if (image.isEmpty())
                            continue;
                        const QString replaced =
                            CollectLinkedFiles(image, inWebSave, movingSave, folderUrl, QStringLiteral("ROLLOVER"));
                        if (replaced != image)
                            element->setAttribute(handler, engine::Variant(text.replace(image, replaced)));
                    }
                }
            } else if (tag == QLatin1String("TABLE")) {
                if (!closing)
                    rewrite(element.get());
                engine::Ref<engine::Element> anchor(element.get());
                if (SUCCEEDED(FindChildByTag(anchor, QStringLiteral("A"), 0)) && anchor)
                    rewrite(anchor.get());
            } else if (tag == QLatin1String("EMBED") || tag == QLatin1String("AREA")) {
                rewrite(element.get());
            } else if (tag == QLatin1String("LINK") && movingSave && !inWebSave) {
                // A page's style sheet and its related pages stay reachable
                // from the new folder, as its hyperlinks and pictures do.
                const engine::Variant href = element->getAttribute(QStringLiteral("href"));
                if (href.isString()) {
                    const QString value = RewrittenLink(tag, href.toString(), folderUrl, false, true, noPath);
                    if (!value.isNull() && value != href.toString())
                        element->setAttribute(QStringLiteral("href"), engine::Variant(value));
                }
            }
        }
        if (tag == QLatin1String("SCRIPT") && (imported || movingSave || noPath)) {
            // A new page's scripts come from the web's own folder.
            const QString web = WebFolder();
            if (noPath && !web.isEmpty()) {
                movingSave = true;
                folderUrl = web + QLatin1Char('/');
            }
            const QString src = element->getAttributeText(QStringLiteral("src"));
            if (ReadLocalLink(src).local) {
                CopyLinkedImages(element.get(), WithoutDotPrefix(src), folderUrl, inWebSave, movingSave);
            } else {
                QStringList images;
                const QString outer = element->outerHTML();
                CScriptUtility::GetScriptImageFiles(images, outer, false);
                QString changed = outer;
                QSet<QString> seen;
                for (const QString& image : images) {
                    const QString text = QString(image).replace(QLatin1String("\\\\"), QLatin1String("/"));
                    if (seen.contains(text))
                        continue;
                    seen.insert(text);
                    changed.replace(
                        text, CollectLinkedFiles(WithoutDotPrefix(text), inWebSave, movingSave, folderUrl, QString()));
                }
                if (changed != outer)
                    CScriptUtility::ReplaceElementHtml(doc, element.get(), changed);
            }
        }
        if (tag == QLatin1String("TD") && zqdoclinks_detail::isEmptyCell(element.get()))
            element->setInnerHTML(QStringLiteral("&nbsp;"));
        if (tag == QLatin1String("IMG") && sink)
            sink->AddUsemapHash(element.get());
    }
    if (!closing && (inWebSave || movingSave)) {
        const QString background = body->getAttributeText(QStringLiteral("background"));
        if (!background.isEmpty())
            CopyLinkedImages(body, background, folderUrl, inWebSave, movingSave);
    }
}

void CZQDoc::CopyLinkedImages(engine::Element* element, const QString& link, const QString& folderUrl, bool inWebSave,
                              bool movingSave)
{
    if (!element)
        return;
    const QString tag = element->tagName();
    const QString attribute = LinkAttributeOfTag(tag);
    if (attribute.isEmpty())
        return;
    const bool script = tag == QLatin1String("SCRIPT");
    const QString value = RewrittenLink(tag, link, folderUrl, inWebSave, movingSave, script || pathName().isEmpty());
    if (!value.isNull() && value != element->getAttributeText(attribute))
        element->setAttribute(attribute, engine::Variant(value));
}

QString CZQDoc::CollectLinkedFiles(const QString& link, bool inWebSave, bool movingSave, const QString& folderUrl,
                                   const QString& kind)
{
    const QString unquoted = QString(link).remove(QLatin1Char('"'));
    const QString tag = kind == QLatin1String("ROLLOVER") ? QStringLiteral("IMG") : QStringLiteral("SCRIPT");
    const QString value = RewrittenLink(tag, unquoted, folderUrl, inWebSave, movingSave, true);
    return value.isNull() ? link : value;
}

// ---- telling the user -------------------------------------------------------------

void CZQDoc::NoteFailedCopy(const QString& source)
{
    if (!m_failedFiles.contains(source)) {
        m_failedFiles.insert(source);
        m_failedCopies.append(source);
    }
}

void CZQDoc::ReportFailedCopies()
{
    if (m_failedCopies.isEmpty())
        return;
    constexpr int kShown = 15;
    QStringList lines;
    for (const QString& file : std::as_const(m_failedCopies)) {
        if (lines.size() == kShown)
            break;
        // A name of any length stays one readable line.
        lines.append(file.size() > 120 ? file.left(56) + QStringLiteral("…") + file.right(56) : file);
    }
    if (m_failedCopies.size() > kShown)
        lines.append(LoadResString(IDS_MORE_FILES_NOT_COPIED).arg(m_failedCopies.size() - kShown));
    m_failedCopies.clear();
    m_failedFiles.clear();
    ShowMessageBox(LoadResString(IDS_LINKED_FILES_NOT_COPIED).arg(lines.join(QLatin1Char('\n'))));
}
