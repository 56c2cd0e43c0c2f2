#include "frames/FramesetWriter.h"

#include "frames/FrameEnvironment.h"
#include "frames/FramePane.h"
#include "frames/FrameSrcScan.h"
#include "frames/FrameSetHost.h"
#include "frames/VornaFrameSet.h"
#include "util/AppContext.h"
#include "util/PathText.h"

namespace frames_detail {

QString escapeMarkup(QString text, bool quotes)
{
    text.replace('&', QLatin1String("&amp;"));
    text.replace('<', QLatin1String("&lt;"));
    text.replace('>', QLatin1String("&gt;"));
    if (quotes)
        text.replace('"', QLatin1String("&quot;"));
    return text;
}

QString indentOf(const VornaFrameSet* node)
{
    return node->m_pParent ? QString(node->m_pParent->m_nLevel * 4, QLatin1Char(' ')) : QString();
}

} // namespace frames_detail

QString FramesetAttributeValue(const QString& value)
{
    for (const QChar c : value) {
        if (c.isSpace() || c == '"' || c == '\'' || c == '<' || c == '>' || c == '&' || c == '=' || c == '`')
            return '"' + frames_detail::escapeMarkup(value, true) + '"';
    }
    return value;
}

QString MakeFrameSrc(const QString& value, const QString& baseFolder)
{
    QString src = value;
    src.replace(QLatin1String("file:///"), QLatin1String("/"));
    src.replace(QLatin1String("FILE:///"), QLatin1String("/"));
    src.replace('\\', '/');
    src.replace(QLatin1String("%20"), QLatin1String(" "));

    QString base = baseFolder;
    base.replace('\\', '/');
    while (base.size() > 1 && base.endsWith('/'))
        base.chop(1);
    if (base.isEmpty() || base == QLatin1String("/"))
        return src;
    // A path inside the base folder: the base is a whole folder at its start
    // ("/w/Web" does not hold "/w/Web2/a.html").
    if (src.size() > base.size() && src.startsWith(base) && src.at(base.size()) == '/')
        return src.mid(base.size() + 1);
    return src;
}

QString FrameSrcBaseFolder(const QString& displayName, const QString& framesetPath)
{
    const FrameEnvironment* env = frameEnvironment();
    const QString webFolder = AppContext::instance().webFolder();
    QString base;
    if (!webFolder.isEmpty() && env && env->isPageInWeb(displayName))
        base = webFolder;
    else if (!framesetPath.isEmpty())
        base = GetFolderOfPath(framesetPath);
    base.replace('\\', '/');
    return base;
}

namespace frames_detail {

// Saves a pane page before its FRAME is written, as the mode asks.
void saveFramePage(FramePane* pane, int mode, FrameSetHost* host)
{
    if ((mode != FramesetSaveFrames && mode != FramesetSaveUnsavedFrames) || !pane || !pane->hasDocument())
        return;
    if (host) {
        host->activatePane(pane);
        host->setCaption(pane->displayName());
    }
    const QString path = pane->documentPath();
    if (mode == FramesetSaveFrames) {
        if (!path.isEmpty())
            pane->saveDocument(path);
        else
            pane->fileSave();
    } else if (path.isEmpty() || !IsHtmlFileName(path)) {
        pane->fileSave();
    }
}

QString frameSrcOf(const VornaFrameSet* node, int mode, FrameSetHost* host, const QString& base)
{
    if (mode == FramesetPreview) {
        int number = 1;
        if (host)
            number = ++host->frameTree().previewCounter;
        return QStringLiteral("VornaPreview~%1.html").arg(number);
    }
    // A FRAME without a pane page (not laid out yet) keeps the src it was loaded with.
    QString value = node->m_strSrc;
    if (node->m_pView && node->m_pView->hasDocument()) {
        value = node->m_pView->documentPath();
        if (value.isEmpty())
            value = node->m_pView->loadSource();
    }
    return value.isEmpty() ? QString() : MakeFrameSrc(value, base);
}

void writeNodes(VornaFrameSet* first, QString& out, int mode, FrameSetHost* host, const QString& base)
{
    for (VornaFrameSet* node = first; node; node = node->m_pNext.get()) {
        const QString indent = indentOf(node);
        out += QLatin1String("\r\n") + indent;
        if (node->m_pParent)
            node->m_nLevel = node->m_pParent->m_nLevel + 1;

        if (node->IsFrameset()) {
            QStringList sizes;
            for (const VornaFrameSet* child = node->m_pFirstChild.get(); child; child = child->m_pNext.get())
                sizes.append(child->m_strSize);
            out += QLatin1String("<FRAMESET  ") + node->m_strSplit + '=' + FramesetAttributeValue(sizes.join(','));
            if (node->m_nBorder == 0) {
                out += QStringLiteral(" border=%1 frameborder=%2 framespacing=%3")
                           .arg(node->m_nBorder)
                           .arg(0)
                           .arg(node->m_nFrameSpacing);
            } else if (node->m_nFrameSpacing != 2) {
                out += QStringLiteral(" framespacing=%1").arg(node->m_nFrameSpacing);
            }
            out += '>';
            writeNodes(node->m_pFirstChild.get(), out, mode, host, base);
            out += QLatin1String("\r\n") + indent + QLatin1String("</FRAMESET>");
            continue;
        }

        saveFramePage(node->m_pView, mode, host);
        out += QLatin1String("<FRAME  src=\"") + frameSrcOf(node, mode, host, base) + '"';
        if (node->m_nBorder != 1)
            out += QStringLiteral(" border=%1").arg(node->m_nBorder);
        if (node->m_bNoResize)
            out += QLatin1String(" noresize");
        if (!node->m_strTarget.isEmpty())
            out += QLatin1String(" target=") + FramesetAttributeValue(node->m_strTarget);
        if (!node->m_strName.isEmpty())
            out += QLatin1String(" name=") + FramesetAttributeValue(node->m_strName);
        if (!node->m_strScrolling.isEmpty())
            out += QLatin1String(" scrolling=") + FramesetAttributeValue(node->m_strScrolling);
        out += '>';
    }
}

QString framesetBaseOfHost(FrameSetHost* host)
{
    FramePane* rootView = host ? host->frameTree().rootView : nullptr;
    if (!rootView || !rootView->hasDocument())
        return QString();
    return FrameSrcBaseFolder(rootView->displayName(), rootView->documentPath());
}

} // namespace frames_detail

void VornaFrameSet::WriteFramesetHtml(QString& out, int mode, FrameSetHost* host)
{
    host = frameSetHostOrActive(host);
    frames_detail::writeNodes(this, out, mode, host, frames_detail::framesetBaseOfHost(host));
}

void VornaFrameSet::FixFrameSrcPaths(QString& text, const QString& savePath, FramePane* view)
{
    const QString base = FrameSrcBaseFolder(view ? view->displayName() : QString(), savePath);

    const QList<FrameSrcSpan> spans = FindFrameSrcValues(text);
    for (auto span = spans.crbegin(); span != spans.crend(); ++span) {
        const QString fixed = MakeFrameSrc(span->value, base);
        if (fixed != span->value)
            text.replace(span->at, span->length, fixed);
    }
}

void BuildFramesetPageHtml(QString& out, int mode, FrameSetHost* host)
{
    host = frameSetHostOrActive(host);
    if (!host)
        return;
    FrameTree& tree = host->frameTree();
    if (!tree.root || !tree.rootView)
        return;

    if (!host->isFramesetModified()) {
        QList<FramePane*> views;
        tree.root->CollectFrameViews(views);
        for (FramePane* view : views) {
            if (view->hasDocument() && view->isModified()) {
                host->setFramesetModified();
                break;
            }
        }
    }

    QString charset = host->framesetCharset();
    if (charset.isEmpty())
        charset = QStringLiteral("shift_jis");
    QString text = QLatin1String("<HTML>\r\n<HEAD>\r\n    <TITLE>") +
                   frames_detail::escapeMarkup(tree.rootView->pageTitle(), false) +
                   QLatin1String("</TITLE>\r\n    <META http-equiv=Content-Type content=\"text/html; charset=") +
                   charset + QLatin1String("\">\r\n</HEAD>\r\n");
    tree.root->WriteFramesetHtml(text, mode, host);
    text += QLatin1String("\r\n</HTML>");
    out = text;
}
