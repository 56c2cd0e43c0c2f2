#include "util/PageLinks.h"

#include "util/AppContext.h"
#include "util/LinkPaths.h"
#include "util/PageDom.h"

#include "engine/dom/Document.h"

#include <QSet>

#include <array>

namespace pagelinks_detail {

QString slashed(QString text)
{
    return text.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

// The view of an operation: the one given, else the active page view.
CZQView* viewOrActive(CZQView* view)
{
    return view ? view : AppContext::instance().activeView();
}

// Renames in one tag's attribute; true when a value changed.
bool replaceSuffix(engine::Document* doc, const QString& tag, const QString& attribute, const QString& oldEnding,
                   const QString& newEnding)
{
    const QString old = slashed(oldEnding);
    const QString replacement = slashed(newEnding);
    bool changed = false;
    // The elements as they stand: each change would make a live list compute again.
    for (const engine::Ref<engine::Element>& element : doc->getElementsByTagName(tag).toVector()) {
        const engine::Variant value = element->getAttribute(attribute);
        if (!value.isString())
            continue;
        const QString text = slashed(value.toString());
        if (!text.endsWith(old))
            continue;
        const qsizetype keep = text.size() - old.size();
        // "pa.gif" is not a file "a.gif".
        if (keep > 0 && text.at(keep - 1) != QLatin1Char('/') && !old.startsWith(QLatin1Char('/')))
            continue;
        element->setAttribute(attribute, engine::Variant(text.left(keep) + replacement));
        changed = true;
    }
    return changed;
}

// The new value of a link that leads to the renamed file, or a null text.
QString renamedLink(const QString& value, const QString& pageFolder, const QString& oldPath, const QString& newName)
{
    // Most values do not even name the file (one with "%" may name it encoded).
    if (!value.contains(QStringView(oldPath).mid(oldPath.lastIndexOf(QLatin1Char('/')) + 1)) &&
        !value.contains(QLatin1Char('%')))
        return QString();
    const LocalLink link = ReadLocalLink(value);
    if (!link.local || link.path.isEmpty())
        return QString();
    const QString target = link.absolute ? CleanFullPath(link.path) : ResolveLinkPath(pageFolder, link.path);
    if (target != CleanFullPath(oldPath))
        return QString();
    QString text = slashed(value.trimmed());
    if (!link.suffix.isEmpty() && text.endsWith(link.suffix))
        text.chop(link.suffix.size());
    return text.left(text.lastIndexOf(QLatin1Char('/')) + 1) + newName + link.suffix;
}

} // namespace pagelinks_detail

HRESULT WriteBodyAttributes(CZQView* view, const QString& background, const QString& bgColor, const QString& text,
                            const QString& link, const QString& aLink, const QString& vLink)
{
    view = pagelinks_detail::viewOrActive(view);
    engine::Ref<engine::Document> doc;
    if (FAILED(GetHTMLDocument(doc, view)))
        return -1;
    engine::UndoUnit unit(doc.get());
    engine::Element* body = doc->body();
    if (!body || !body->hasTag(QLatin1String("BODY")))
        return -1;
    const std::array<std::pair<const char*, const QString*>, 6> values{{{"background", &background},
                                                                        {"bgColor", &bgColor},
                                                                        {"text", &text},
                                                                        {"link", &link},
                                                                        {"aLink", &aLink},
                                                                        {"vLink", &vLink}}};
    bool written = false;
    for (const auto& [name, value] : values) {
        if (value->isEmpty())
            continue;
        body->setAttribute(QString::fromLatin1(name), engine::Variant(*value));
        written = true;
    }
    if (written)
        AppContext::instance().setPageChanged(view);
    return 0;
}

void ReplaceAttributeSuffix(CZQView* view, const QString& tag, const QString& attribute, const QString& oldEnding,
                            const QString& newEnding, int mode)
{
    if (tag.isEmpty() || attribute.isEmpty() || oldEnding.isEmpty() || newEnding.isEmpty() ||
        pagelinks_detail::slashed(oldEnding) == pagelinks_detail::slashed(newEnding) || mode != 0)
        return;
    view = pagelinks_detail::viewOrActive(view);
    engine::Ref<engine::Document> doc;
    if (FAILED(GetHTMLDocument(doc, view)))
        return;
    if (pagelinks_detail::replaceSuffix(doc.get(), tag, attribute, oldEnding, newEnding))
        AppContext::instance().setPageChanged(view);
}

void CollectPageLinks(CZQView* view, const QString& oldEnding, const QString& newEnding, int mode)
{
    view = pagelinks_detail::viewOrActive(view);
    engine::Ref<engine::Document> doc;
    if (FAILED(GetHTMLDocument(doc, view)))
        return;
    engine::UndoUnit unit(doc.get());
    const std::array<std::pair<const char*, const char*>, 5> references{
        {{"A", "href"}, {"IMG", "src"}, {"TABLE", "background"}, {"BODY", "background"}, {"EMBED", "src"}}};
    for (const auto& [tag, attribute] : references)
        ReplaceAttributeSuffix(view, QString::fromLatin1(tag), QString::fromLatin1(attribute), oldEnding, newEnding,
                               mode);
}

void CollectPageLinksToFile(CZQView* view, const QString& oldPath, const QString& newName, int mode)
{
    if (oldPath.isEmpty() || newName.isEmpty() || mode != 0)
        return;
    AppContext& app = AppContext::instance();
    view = pagelinks_detail::viewOrActive(view);
    engine::Ref<engine::Document> doc;
    if (FAILED(GetHTMLDocument(doc, view)))
        return;
    // Links are read from the page's folder; a page not saved yet belongs to the web's.
    const QString pagePath = app.viewPage(view).path;
    const QString folder = pagePath.isEmpty() ? app.webFolder() : pagePath.left(pagePath.lastIndexOf(QLatin1Char('/')));
    engine::UndoUnit unit(doc.get());
    bool changed = false;
    const std::array<std::pair<const char*, const char*>, 5> references{
        {{"A", "href"}, {"IMG", "src"}, {"TABLE", "background"}, {"BODY", "background"}, {"EMBED", "src"}}};
    for (const auto& [tag, attribute] : references) {
        const QString name = QString::fromLatin1(attribute);
        for (const engine::Ref<engine::Element>& element :
             doc->getElementsByTagName(QString::fromLatin1(tag)).toVector()) {
            const engine::Variant value = element->getAttribute(name);
            if (!value.isString())
                continue;
            const QString renamed = pagelinks_detail::renamedLink(value.toString(), folder, oldPath, newName);
            if (renamed.isNull())
                continue;
            element->setAttribute(name, engine::Variant(renamed));
            changed = true;
        }
    }
    if (changed)
        app.setPageChanged(view);
}

void CollectScriptFiles(bool mode, CZQView* view)
{
    AppContext& app = AppContext::instance();
    view = pagelinks_detail::viewOrActive(view);
    const AppContext::OpenDocument page = app.viewPage(view);
    if (!page.document || !page.path.isEmpty() || !app.isPageInWeb(page.displayName))
        return;
    const QString web = app.webFolder();
    engine::Ref<engine::Document> doc;
    if (web.isEmpty() || FAILED(GetHTMLDocument(doc, view)))
        return;
    const QString folderUrl = web.endsWith(QLatin1Char('/')) ? web : web + QLatin1Char('/');
    for (const engine::Ref<engine::Element>& script : doc->getElementsByTagName(QStringLiteral("SCRIPT")).toVector()) {
        const engine::Variant src = script->getAttribute(QStringLiteral("src"));
        const QString source = src.isString() ? src.toString() : QString();
        if (!source.isEmpty() && ReadLocalLink(source).local) {
            app.copyLinkedImages(view, script.get(), WithoutDotPrefix(pagelinks_detail::slashed(source)), folderUrl,
                                 mode, !mode);
            continue;
        }
        const QString outer = script->outerHTML();
        if (outer.isEmpty())
            continue;
        QString changed = outer;
        QSet<QString> seen;
        for (const QString& listed : app.scriptImageFiles(outer)) {
            if (seen.contains(listed))
                continue;
            seen.insert(listed);
            // The text as the script holds it, and the file it names.
            const QString text = QString(listed).replace(QLatin1String("\\\\"), QLatin1String("/"));
            const QString file = WithoutDotPrefix(pagelinks_detail::slashed(text));
            changed.replace(text, app.collectLinkedFiles(view, file, mode, !mode, folderUrl, QString()));
        }
        if (changed != outer)
            app.replaceElementHtml(view, script.get(), changed);
    }
    app.reportFailedCopies(view);
}
