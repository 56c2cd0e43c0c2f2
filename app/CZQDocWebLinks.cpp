// The links of a page read from a web address, and images the program made in
// its temporary folder, kept valid when the page is saved.

#include "app/CZQDoc.h"

#include "app/CMainFrame.h"
#include "app/CZQView.h"
#include "util/FileHelpers.h"
#include "util/LinkPaths.h"
#include "util/PathText.h"

#include "engine/dom/Document.h"

#include "platform/FileOps.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QScopeGuard>
#include <QUrl>

namespace zqdocweblinks_detail {

// Calls `visit` with each element of the page that holds a link and the
// attribute that holds it: the background of BODY and TABLE, the src of IMG
// and EMBED, the href of A and AREA.
template <typename Visit> void forEachLink(engine::Document* doc, Visit visit)
{
    for (const engine::Ref<engine::Element>& element : doc->all().toVector()) {
        const QString& tag = element->tagName();
        if (tag == QLatin1String("SCRIPT"))
            continue;
        const QString attribute = LinkAttributeOfTag(tag);
        if (attribute.isEmpty())
            continue;
        const engine::Variant value = element->getAttribute(attribute);
        if (value.isString() && !value.toString().isEmpty())
            visit(element.get(), attribute, value.toString());
    }
}

// The address relative links of the page are read against: the page's own
// address, or the page's BASE when it names a web address.
QUrl baseAddressOf(engine::Document* doc, const QString& pageAddress)
{
    QUrl base(pageAddress.trimmed(), QUrl::TolerantMode);
    engine::ElementCollection bases = doc->getElementsByTagName(QStringLiteral("BASE"));
    for (int i = 0; i < bases.length(); ++i) {
        const QString href = bases.item(i)->getAttributeText(QStringLiteral("href")).trimmed();
        if (IsWebAddress(href)) {
            const QUrl named(href, QUrl::TolerantMode);
            if (named.isValid())
                return named;
        }
    }
    return base;
}

int portOf(const QUrl& url)
{
    return url.port(url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0 ? 443 : 80);
}

} // namespace zqdocweblinks_detail

void CZQDoc::FixAbsoluteHttpLinks()
{
    CZQView* view = GetView();
    engine::Document* doc = view ? view->GetHtmlDocument() : nullptr;
    if (!doc || !IsWebAddress(m_strSourcePath))
        return;
    const QUrl base = zqdocweblinks_detail::baseAddressOf(doc, m_strSourcePath);
    if (!base.isValid() || base.isRelative())
        return;
    // The page as loaded, not a change of the user's: no undo step, no change mark.
    doc->beginLoadScope();
    const auto endScope = qScopeGuard([doc] { doc->endLoadScope(); });
    zqdocweblinks_detail::forEachLink(
        doc, [&](engine::Element* element, const QString& attribute, const QString& value) {
            const QString text = value.trimmed();
            // Addresses with a scheme stand as they are; so do links inside the page.
            if (text.isEmpty() || HasForeignScheme(text) ||
                text.startsWith(QLatin1String("file:"), Qt::CaseInsensitive) || text.startsWith(QLatin1Char('#')))
                return;
            const QUrl link(QString(text).replace(QLatin1Char('\\'), QLatin1Char('/')), QUrl::TolerantMode);
            if (!link.isValid())
                return;
            const QUrl resolved = base.resolved(link);
            if (resolved.isValid() && !resolved.isRelative())
                element->setAttribute(attribute, engine::Variant(resolved.toString()));
        });
}

void CZQDoc::MakeHttpLinksRelative()
{
    CZQView* view = GetView();
    engine::Document* doc = view ? view->GetHtmlDocument() : nullptr;
    if (!doc || !IsWebAddress(m_strSourcePath))
        return;
    // The page's folder on the server: its address up to the last "/".
    const QUrl page(m_strSourcePath.trimmed(), QUrl::TolerantMode);
    if (!page.isValid())
        return;
    const QString pagePath = page.path().isEmpty() ? QStringLiteral("/") : page.path();
    const QString folder = pagePath.left(pagePath.lastIndexOf(QLatin1Char('/')) + 1);
    zqdocweblinks_detail::forEachLink(doc, [&](engine::Element* element, const QString& attribute,
                                               const QString& value) {
        if (!IsWebAddress(value))
            return;
        const QUrl link(value.trimmed(), QUrl::TolerantMode);
        if (!link.isValid() || link.scheme().compare(page.scheme(), Qt::CaseInsensitive) != 0 ||
            link.host() != page.host() || zqdocweblinks_detail::portOf(link) != zqdocweblinks_detail::portOf(page) ||
            !link.userInfo().isEmpty() || !link.path().startsWith(folder))
            return;
        QString relative = link.path().mid(folder.size());
        if (relative.isEmpty())
            relative = QStringLiteral("./");
        if (link.hasQuery())
            relative += QLatin1Char('?') + link.query();
        if (link.hasFragment())
            relative += QLatin1Char('#') + link.fragment();
        element->setAttribute(attribute, engine::Variant(relative));
    });
}

void CZQDoc::CopyTemporaryImages()
{
    CZQView* view = GetView();
    engine::Document* doc = view ? view->GetHtmlDocument() : nullptr;
    if (!doc)
        return;
    const CMainFrame* frame = CMainFrame::instance();
    if (frame && frame->IsPageInWeb(GetDisplayName()))
        return;
    const QString temporary = CleanFullPath(TempImageFolder());
    const QString folder = UserImageFolder();
    // Each made image gets one file of its own in the user image folder.
    QHash<QString, QString> placed;
    QSet<QString> targets;
    for (const engine::Ref<engine::Element>& image : doc->images().toVector()) {
        const LocalLink link = ReadLocalLink(image->getAttributeText(QStringLiteral("src")));
        if (!link.local || !link.absolute)
            continue;
        const QString source = CleanFullPath(link.path);
        if (PathBelowFolder(temporary, source).isEmpty())
            continue;
        QString target = placed.value(source);
        if (target.isEmpty()) {
            if (m_failedFiles.contains(source))
                continue;
            const QString name = GetFileNamePart(source);
            target = folder + QLatin1Char('/') + name;
            if (targets.contains(target) || (platform::pathExists(target) && !SameFileContent(source, target))) {
                const QString extension = GetFileExtension(name);
                const QString title = extension.isEmpty() ? name : name.left(name.size() - extension.size() - 1);
                target = FreeCopyName(folder, title, extension); // the copies made so far exist
            }
            const bool copied =
                QFileInfo(source).isFile() && QDir().mkpath(folder) &&
                (SameFileContent(source, target) ||
                 platform::copyPath(source, target, platform::OnConflict::Fail) == platform::FileError::Success);
            if (!copied) {
                NoteFailedCopy(source);
                continue;
            }
            placed.insert(source, target);
            targets.insert(target);
        }
        image->setAttribute(QStringLiteral("src"), engine::Variant(target + link.suffix));
    }
}
