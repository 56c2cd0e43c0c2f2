#include "frames/FrameTreeLoader.h"

#include "frames/VornaFrameSet.h"
#include "util/PathText.h"

#include "engine/dom/Document.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>

namespace frames_detail {

bool isFrameOrFrameset(const engine::Element* element)
{
    return element && (element->hasTag(QLatin1String("FRAME")) || element->hasTag(QLatin1String("FRAMESET")));
}

QString withoutBlanks(QString text)
{
    text.remove(QLatin1Char(' '));
    text.remove(QLatin1Char('\t'));
    return text;
}

int siblingIndex(const VornaFrameSet* node)
{
    int index = 0;
    for (const VornaFrameSet* s = node->m_pPrev; s; s = s->m_pPrev)
        ++index;
    return index;
}

// The integer at the start of an attribute, when there is one.
bool readNumber(const engine::Element& element, const QString& name, int* value)
{
    if (!element.hasAttribute(name))
        return false;
    bool ok = false;
    const int number = element.getAttributeText(name).trimmed().toInt(&ok);
    if (ok)
        *value = number;
    return ok;
}

// A src as a local file path: a "file:" address becomes its path, "\" "/"
// and "%20" a blank; a fragment or a query is no part of the file.
QString localPathOf(QString src)
{
    if (src.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        src = QUrl(src).toLocalFile();
    src.replace(QLatin1Char('\\'), QLatin1Char('/'));
    src.replace(QLatin1String("%20"), QLatin1String(" "));
    const qsizetype cut = src.indexOf(QRegularExpression(QStringLiteral("[#?]")));
    if (cut >= 0)
        src.truncate(cut);
    return src;
}

// A web address (a scheme of two letters or more): not a file to look up.
bool isAddress(const QString& src)
{
    const qsizetype colon = src.indexOf(QLatin1Char(':'));
    return colon >= 2 && !src.startsWith(QLatin1String("file:"), Qt::CaseInsensitive);
}

} // namespace frames_detail

using namespace frames_detail;

std::unique_ptr<VornaFrameSet> ReadFramesetElement(const engine::Element& element)
{
    auto node = std::make_unique<VornaFrameSet>();
    node->SetKind(QStringLiteral("FRAMESET"));
    node->m_nChildCount = 0;
    const engine::ElementCollection children = element.children();
    for (int i = 0; i < children.length(); ++i) {
        if (isFrameOrFrameset(children.item(i)))
            ++node->m_nChildCount;
    }
    const QString cols = withoutBlanks(element.getAttributeText(QStringLiteral("cols")));
    const QString rows = withoutBlanks(element.getAttributeText(QStringLiteral("rows")));
    if (!cols.isEmpty() && cols.contains(QLatin1Char(','))) {
        node->m_strSplit = QStringLiteral("cols");
        node->m_strSizes = cols;
    } else {
        node->m_strSplit = QStringLiteral("rows");
        node->m_strSizes = rows;
    }
    int number = 0;
    if (readNumber(element, QStringLiteral("framespacing"), &number))
        node->SetFrameSpacing(std::clamp(number, 0, 100));
    if (readNumber(element, QStringLiteral("border"), &number))
        node->SetBorder(std::max(0, number));
    return node;
}

std::unique_ptr<VornaFrameSet> ReadFrameElement(const engine::Element& element)
{
    auto node = std::make_unique<VornaFrameSet>();
    node->SetKind(QStringLiteral("FRAME"));
    node->SetSrc(element.getAttributeText(QStringLiteral("src")).trimmed());
    const QString target = element.getAttributeText(QStringLiteral("target"));
    if (!target.isEmpty())
        node->SetTarget(target);
    const QString name = element.getAttributeText(QStringLiteral("name"));
    if (!name.isEmpty())
        node->SetName(name);
    const QString scrolling = element.getAttributeText(QStringLiteral("scrolling"));
    if (!scrolling.isEmpty())
        node->SetScrolling(scrolling);
    node->SetNoResize(element.hasAttribute(QStringLiteral("noresize")));
    int border = 0;
    if (readNumber(element, QStringLiteral("border"), &border))
        node->SetBorder(std::max(0, border));
    return node;
}

QString FrameListEntry(const VornaFrameSet* node)
{
    if (!node || !node->m_pParent)
        return QStringLiteral("*");
    const QString entry = withoutBlanks(GetListItem(node->m_pParent->m_strSizes, siblingIndex(node)));
    return entry.isEmpty() ? QStringLiteral("*") : entry;
}

QString FramePaneEntry(const QString& entry, int paneLength)
{
    if (entry.isEmpty())
        return QStringLiteral("*");
    if (entry.contains(QLatin1Char('%')) || entry.contains(QLatin1Char('*')))
        return entry;
    bool ok = false;
    const int pixels = entry.toInt(&ok);
    if (ok && pixels == paneLength)
        return entry;
    return QString::number(std::max(0, paneLength));
}

FrameSource ResolveFrameSource(const QString& src, const QString& baseFolder, const QString& framesetPath)
{
    FrameSource source;
    if (src.trimmed().isEmpty())
        return source;
    // The empty page every browser knows: nothing to show, as no src.
    if (src.trimmed().compare(QLatin1String("about:blank"), Qt::CaseInsensitive) == 0)
        return source;
    if (isAddress(src)) {
        source.kind = FrameSource::Foreign;
        source.path = src.trimmed();
        return source;
    }
    QString path = localPathOf(src.trimmed());
    if (path.isEmpty())
        return source;
    if (QDir::isRelativePath(path)) {
        if (baseFolder.isEmpty())
            path = QDir::current().absoluteFilePath(path);
        else
            path = baseFolder + QLatin1Char('/') + path;
    }
    path = QDir::cleanPath(path);
    const QFileInfo file(path);
    if (!file.exists() || file.isDir()) {
        source.kind = FrameSource::Missing;
        return source;
    }
    source.path = path;
    const bool itself =
        !framesetPath.isEmpty() && file.canonicalFilePath() == QFileInfo(framesetPath).canonicalFilePath();
    source.kind = (itself || !IsHtmlFileName(path)) ? FrameSource::Foreign : FrameSource::Page;
    return source;
}

int BuildFrameTree(engine::Document* document, FrameSetHost* host,
                   const std::function<void(VornaFrameSet*, engine::Element*)>& onFrame)
{
    if (!document)
        return 0;
    int frames = 0;
    // The elements are taken first: the callback may change the page.
    const std::vector<engine::Ref<engine::Element>> elements = document->all().toVector();
    for (const engine::Ref<engine::Element>& element : elements) {
        const bool frameset = element->hasTag(QLatin1String("FRAMESET"));
        if (!frameset && !element->hasTag(QLatin1String("FRAME")))
            continue;
        VornaFrameSet* node =
            AddFrameTreeNode(frameset ? ReadFramesetElement(*element) : ReadFrameElement(*element), host);
        if (!node)
            return frames;
        node->m_strSize = FrameListEntry(node);
        if (!frameset) {
            ++frames;
            if (onFrame)
                onFrame(node, element.get());
        }
    }
    return frames;
}
