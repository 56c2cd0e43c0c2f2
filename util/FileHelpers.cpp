#include "util/FileHelpers.h"

#include "platform/CodePages.h"
#include "platform/DataRoot.h"
#include "platform/FileOps.h"
#include "res/resource.h"
#include "util/AppContext.h"
#include "util/StringResources.h"
#include "util/TextHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gumbo.h>

CZQDoc* FindOpenDocument(const QString& path)
{
    if (path.isEmpty())
        return nullptr;
    for (const AppContext::OpenDocument& open : AppContext::instance().openDocuments()) {
        if (open.path.isEmpty() ? open.displayName == path : open.path == path)
            return open.document;
    }
    return nullptr;
}

bool MakeWebRelativePath(QString& path, bool& insideWeb)
{
    insideWeb = false;
    const QString upper = path.toUpper();
    for (const char* address : {"HTTP://", "HTTPS://", "MAILTO:"}) {
        if (upper.contains(QLatin1String(address)))
            return false;
    }
    // "file:///home/a.gif" keeps the root of its path.
    const qsizetype scheme = upper.indexOf(QLatin1String("FILE://"));
    if (scheme >= 0)
        path.remove(scheme, 7);
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    path.replace(QLatin1String("%20"), QLatin1String(" "));

    QString web = AppContext::instance().webFolder();
    web.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (web.size() > 1 && web.endsWith(QLatin1Char('/')))
        web.chop(1);
    if (web.isEmpty())
        return true;
    // The web folder must be a whole leading part of the path: "/x/Web" is not
    // a prefix of "/x/Website/a.gif".
    if (path == web) {
        path.clear();
        insideWeb = true;
    } else if (path.startsWith(web + QLatin1Char('/'))) {
        path = path.mid(web.size() + 1);
        insideWeb = true;
    }
    return true;
}

void DeleteFolderTree(const QString& folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || info.isSymLink() || !info.isDir())
        return;
    platform::emptyFolder(folder);
}

QString CreateFolderPath(const QString& path)
{
    if (!path.isEmpty())
        QDir().mkpath(path);
    return path;
}

QString TempImageFolder()
{
    return platform::privateTempFolder() + QStringLiteral("/Images");
}

QString MakeTempImageFileName(const QString& extension, const QString& folder, const QString& prefix)
{
    const QString name = prefix.isEmpty() ? QStringLiteral("UserImage") : prefix;
    if (!QFileInfo(folder).isDir())
        CreateFolderPath(folder);
    for (int n = 0;; ++n) {
        const QString candidate = QStringLiteral("%1/%2%3.%4").arg(folder, name).arg(n).arg(extension);
        if (!platform::pathExists(candidate))
            return candidate;
    }
}

QString UserImageFolder()
{
    return platform::installPath(QStringLiteral("Image/User"));
}

namespace {

// The title text as a browser's document.title gives it: character
// references decoded (the text read as a TITLE element's content), ASCII
// white space stripped at both ends and collapsed to single blanks. A
// no-break space becomes a blank too, after the collapsing, as the title
// reader has always given it.
QString browserTitleText(const QString& raw)
{
    const QByteArray html = "<title>" + raw.toUtf8() + "</title>";
    GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, html.constData(), size_t(html.size()));
    QString text;
    const auto findTitle = [](auto&& self, const GumboNode* node) -> const GumboNode* {
        if (node->type != GUMBO_NODE_ELEMENT)
            return nullptr;
        if (node->v.element.tag == GUMBO_TAG_TITLE)
            return node;
        const GumboVector& children = node->v.element.children;
        for (unsigned i = 0; i < children.length; ++i) {
            if (const GumboNode* found = self(self, static_cast<const GumboNode*>(children.data[i])))
                return found;
        }
        return nullptr;
    };
    if (const GumboNode* title = findTitle(findTitle, output->root)) {
        const GumboVector& children = title->v.element.children;
        for (unsigned i = 0; i < children.length; ++i) {
            const auto* child = static_cast<const GumboNode*>(children.data[i]);
            if (child->type == GUMBO_NODE_TEXT || child->type == GUMBO_NODE_WHITESPACE)
                text += QString::fromUtf8(child->v.text.text);
        }
    }
    gumbo_destroy_output(&kGumboDefaultOptions, output);
    static const QRegularExpression asciiSpace(QStringLiteral("[\\t\\n\\f\\r ]+"));
    QStringList words = text.split(asciiSpace, Qt::SkipEmptyParts);
    QString title = words.join(QLatin1Char(' '));
    title.replace(QChar(0x00A0), QLatin1Char(' '));
    return title;
}

} // namespace

QString GetHtmlFileTitle(const QString& path)
{
    if (path.isEmpty())
        return QString();
    const QString untitled = LoadResString(IDS_NO_TITLE);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return untitled;
    const QByteArray bytes = file.readAll();
    file.close();
    const QString charset = platform::detectCharset(bytes);
    // The title in the text: after its first "<TITLE>", else its first
    // "<title>", up to the next "</".
    const auto find = [](const QString& text, qsizetype* open, qsizetype* close) {
        *open = text.indexOf(QLatin1String("<TITLE>"));
        if (*open < 0)
            *open = text.indexOf(QLatin1String("<title>"));
        *close = *open < 0 ? -1 : text.indexOf(QLatin1String("</"), *open);
    };
    // Of a long page only the start is decoded where that decides: in a
    // charset that writes ASCII as ASCII, the tags stand in the bytes as
    // they stand in the text, so the text has no "<TITLE>" its bytes lack
    // and its start decodes as the start of the whole.
    QString text;
    qsizetype open = -1;
    qsizetype close = -1;
    if (platform::encodeText(QStringLiteral("<TITLE><title></"), charset) == "<TITLE><title></") {
        const qsizetype upper = bytes.indexOf("<TITLE>");
        const qsizetype tag = upper >= 0 ? upper : bytes.indexOf("<title>");
        if (tag < 0)
            return untitled;
        if (const qsizetype end = bytes.indexOf("</", tag); end >= 0) {
            text = platform::decodeText(bytes.left(end + 2), charset);
            find(text, &open, &close);
            // The start decides when it holds the tag the whole would give.
            if (close < 0 || (upper >= 0 && !text.sliced(open).startsWith(QLatin1String("<TITLE>"))))
                text.clear();
        }
    }
    if (text.isEmpty()) {
        text = platform::decodeText(bytes, charset);
        find(text, &open, &close);
    }
    if (open < 0)
        return untitled;
    const qsizetype start = open + 7;
    if (close < 0 || close <= start)
        return untitled;
    const QString title = browserTitleText(text.mid(start, close - start));
    return IsBlankString(title) ? untitled : title;
}
