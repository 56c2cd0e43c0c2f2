#include "commands/CopiedImages.h"

#include "util/LinkPaths.h"

#include "engine/dom/Document.h"
#include "engine/dom/Element.h"

#include <QUrl>

namespace copiedimages_detail {

constexpr char kStartMarker[] = "<!--StartFragment-->";
constexpr char kEndMarker[] = "<!--EndFragment-->";

// The number of a "Name:digits" line of the header; -1 when missing or not a number.
qsizetype headerNumber(const QByteArray& header, const QByteArray& name)
{
    for (const QByteArray& line : header.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (!trimmed.startsWith(name + ':'))
            continue;
        bool ok = false;
        const qlonglong value = trimmed.mid(name.size() + 1).toLongLong(&ok);
        return ok && value >= 0 ? qsizetype(value) : -1;
    }
    return -1;
}

// The local file an image address names, as a file URL; empty when the
// address is to stay as it is.
QString fileUrlOf(const QString& src, const QString& pageFolder)
{
    const LocalLink link = ReadLocalLink(src);
    if (!link.local || link.path.isEmpty() || src.trimmed().startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return QString();
    QString path = link.path;
    if (!link.absolute) {
        if (pageFolder.isEmpty())
            return QString();
        path = ResolveLinkPath(pageFolder, path);
    }
    return QUrl::fromLocalFile(path).toString(QUrl::EncodeSpaces) + link.suffix;
}

} // namespace copiedimages_detail

std::optional<QString> HtmlFormatFragment(const QByteArray& data)
{
    namespace detail = copiedimages_detail;
    const qsizetype html = data.indexOf('<');
    if (!data.startsWith("Version:") || html < 0)
        return std::nullopt;
    const QByteArray header = data.left(html);
    const qsizetype startHtml = detail::headerNumber(header, "StartHTML");
    const qsizetype endHtml = detail::headerNumber(header, "EndHTML");
    const qsizetype start = detail::headerNumber(header, "StartFragment");
    const qsizetype end = detail::headerNumber(header, "EndFragment");
    const qsizetype startMarker = qsizetype(sizeof(detail::kStartMarker)) - 1;
    if (startHtml < html || start < startHtml + startMarker || end < start || endHtml < end || endHtml > data.size())
        return std::nullopt;
    if (data.mid(start - startMarker, startMarker).compare(detail::kStartMarker, Qt::CaseInsensitive) != 0 ||
        !data.mid(end).startsWith(detail::kEndMarker))
        return std::nullopt;
    return QString::fromUtf8(data.mid(start, end - start));
}

QString RewriteCopiedImages(const QString& fragment, const QString& pageFolder,
                            const std::function<QString(const QString& mapName)>& mapHtml)
{
    if (!fragment.contains(QLatin1String("<IMG"), Qt::CaseInsensitive))
        return fragment;
    // The fragment as elements, when they give its text back whole.
    const engine::Ref<engine::Document> scratch = engine::Document::create();
    const engine::Ref<engine::Element> holder = scratch->createElement(QStringLiteral("DIV"));
    if (!holder->setInnerHTML(fragment) || holder->innerHTML() != fragment)
        return fragment;
    const engine::ElementCollection images = holder->getElementsByTagName(QStringLiteral("IMG"));
    for (int i = 0; i < images.length(); ++i) {
        engine::Element* image = images.item(i);
        // The map travels in front of its image.
        QString map = image->getAttributeText(QStringLiteral("usemap"));
        map.remove(QLatin1Char('#'));
        if (!map.isEmpty() && mapHtml) {
            const QString html = mapHtml(map);
            if (!html.isEmpty())
                image->insertAdjacentHTML(QStringLiteral("beforeBegin"), html);
        }
        // The address works from any page.
        if (!image->hasAttribute(QStringLiteral("src")))
            continue;
        const QString url = copiedimages_detail::fileUrlOf(image->getAttributeText(QStringLiteral("src")), pageFolder);
        if (!url.isEmpty())
            image->setAttribute(QStringLiteral("src"), engine::Variant(url));
    }
    return holder->innerHTML();
}
