// The page's charset as the document sees it, and copies of the page.
#include "app/CZQDoc.h"

#include "app/CChildFrame.h"
#include "app/CHtmlEditCntrItem.h"
#include "app/CMainFrame.h"
#include "app/CZQView.h"
#include "app/PageTextFiles.h"
#include "util/HtmlTextScan.h"

#include "engine/dom/Document.h"
#include "engine/editing/CommandGroup.h"
#include "engine/html/PageLoader.h"

#include "platform/CodePages.h"

#include <QFile>
#include <QFileInfo>

namespace czqdoc_detail {

// Whether the bytes hold "<meta" in any case.
bool holdsMetaTag(QByteArrayView bytes)
{
    for (qsizetype at = bytes.indexOf('<'); at >= 0 && at + 5 <= bytes.size(); at = bytes.indexOf('<', at + 1)) {
        if (qstrnicmp(bytes.data() + at + 1, "meta", 4) == 0)
            return true;
    }
    return false;
}

// Whether the bytes end inside a comment, read from outside one ("<!-->"
// is a whole comment, as MetaCharsetOfText reads them).
bool endsInComment(QByteArrayView bytes)
{
    qsizetype at = 0;
    while (true) {
        const qsizetype open = bytes.indexOf("<!--", at);
        if (open < 0)
            return false;
        const qsizetype close = bytes.indexOf("-->", open + 2);
        if (close < 0)
            return true;
        at = close + 3;
    }
}

QString metaCharsetOfFile(QFile& file)
{
    constexpr qint64 kPart = 256 * 1024;
    // What was read before and may start a tag cut by the part's end.
    QByteArray carried;
    // Whether the part read before ended inside a comment: what the next
    // one holds up to the comment's end names nothing.
    bool inComment = false;
    while (true) {
        QByteArray part = carried + file.read(kPart);
        const bool whole = file.atEnd() || part.size() == carried.size();
        if (inComment) {
            const qsizetype close = part.indexOf("-->");
            if (close < 0) {
                if (whole)
                    return QString();
                // (The end of the comment may be cut by the part's end.)
                carried = part.right(2);
                continue;
            }
            part.remove(0, close + 3);
            inComment = false;
        }
        if (holdsMetaTag(part)) {
            bool decided = false;
            const QString charset = MetaCharsetOfText(QString::fromLatin1(part), whole ? nullptr : &decided);
            if (whole || decided)
                return charset;
        }
        if (whole)
            return QString();
        if (endsInComment(part)) {
            inComment = true;
            carried = part.right(2);
            continue;
        }
        // A tag going on past the part's end is read again with the next
        // one, from its "<" (an ending "<met" too).
        const qsizetype open = part.lastIndexOf('<');
        carried = open >= 0 && part.indexOf('>', open) < 0 ? part.sliced(open) : QByteArray();
    }
}

} // namespace czqdoc_detail

QString CZQDoc::GetCharset() const
{
    // 1. The page view and its child frame.
    const CZQView* view = GetView();
    if (!view)
        return QString();
    // 2. A frameset page keeps its charset here.
    if (IsFramesetPage())
        return m_strFramesetCharset;
    // 3. Else the live page's.
    const engine::Document* page = view->GetHtmlDocument();
    return page ? page->charset() : QString();
}

void CZQDoc::SetCharset(const QString& charset)
{
    CZQView* view = GetView();
    if (charset.isEmpty() || !view)
        return;
    if (IsFramesetPage()) {
        m_strFramesetCharset = charset;
        return;
    }
    if (engine::Document* page = view->GetHtmlDocument())
        page->setCharset(charset);
}

QString CZQDoc::PageFilePath() const
{
    return pathName().isEmpty() ? m_strSourcePath : pathName();
}

QString CZQDoc::MetaCharsetOfFile(const QString& path)
{
    QFile file(path);
    if (path.isEmpty() || !QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return QString();
    return czqdoc_detail::metaCharsetOfFile(file);
}

bool CZQDoc::RewritePageFileOnOpen(const std::optional<std::pair<QString, QString>>& readBefore)
{
    // 1. An ordinary page in the engine.
    CZQView* view = GetView();
    const CChildFrame* child = view ? view->GetParentFrame() : nullptr;
    if (!view || (child && child->HasFrameset()))
        return false;
    engine::Document* page = view->GetHtmlDocument();
    if (!page)
        return false;
    // 2. The engine's charset.
    const QString engineCharset = page->charset();
    // 3. The page's file.
    const QString path = PageFilePath();
    const QFileInfo file(path);
    if (path.isEmpty() || !file.isFile())
        return false;
    // 4.-5. The charset the first META of its text names; the META tags are
    // ASCII whatever the file's charset. They stand in the HEAD: the file is
    // read a part at a time until one names it, and only parts that hold a
    // "<meta" (in any case) are looked through as text.
    const QString fileCharset = readBefore && readBefore->first == path ? readBefore->second : MetaCharsetOfFile(path);
    // 6. Another one: the page takes it and is read again.
    // Differs from the check it stands for, which compares with regard to
    // case and refreshes a page whose file names no charset on every open.
    // The names are compared as the converters know them: a file labelled
    // Shift_JIS or latin1 was read in windows-31j or ISO-8859-1 (the
    // engine's names for them) and is not read a second time; a label the
    // converters do not know would read it the same way again.
    // A page read in that charset already (its META in the tree naming
    // another) would be read the same way again.
    const QString named = platform::canonicalCharset(fileCharset);
    if (named.isEmpty() || named.compare(engineCharset, Qt::CaseInsensitive) == 0 ||
        named.compare(page->loader().readCharset(), Qt::CaseInsensitive) == 0)
        return false;
    page->setCharset(named);
    // A long page is read, decoded and parsed again away from the window,
    // as when it was opened; the page stays as it is until then.
    if (file.size() >= CHtmlEditCntrItem::kBackgroundReadBytes && page->refresh(nullptr, engine::Reading::InBackground))
        return true;
    view->ExecCommand(engine::CommandGroup::Refresh);
    return false;
}

bool CZQDoc::SavePageCopyAs(const QString& path, CZQView* view)
{
    // 1. The view.
    if (!view)
        view = GetView();
    const engine::Document* page = view ? view->GetHtmlDocument() : nullptr;
    if (!page)
        return false;
    // 2. The page as a file, and its text.
    QString text = SavePageToFile(path, view);
    if (text.isEmpty())
        return false;
    // 3. Backgrounds of a page of the web into its image folder.
    const CMainFrame* frame = CMainFrame::instance();
    if (frame && frame->IsPageInWeb(GetDisplayName())) {
        RewriteBackgroundsToImageFolder(QStringLiteral("BODY"), text);
        RewriteBackgroundsToImageFolder(QStringLiteral("TABLE"), text);
    }
    // 4. The text written.
    return WritePageText(path, text, page->charset());
}

void CZQDoc::RewriteBackgroundsToImageFolder(const QString& tagName, QString& text)
{
    QString tag;
    for (int at = ExtractTagText(text, tagName, tag, 0); at >= 0; at = ExtractTagText(text, tagName, tag, at)) {
        // a. The tag's BACKGROUND.
        // Differs from the walk it stands for, which stops at the first tag
        // without one: later tags keep their backgrounds pointing elsewhere.
        QString value;
        if (GetTagAttribute(tag, QStringLiteral("BACKGROUND"), value) < 0 || value.isEmpty()) {
            at += int(qMax<qsizetype>(1, tag.size()));
            continue;
        }
        // b. An address stays.
        const QString slashed = QString(value).replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (slashed.contains(QLatin1String("://"))) {
            at += int(tag.size());
            continue;
        }
        // c. "image/" and the file's name, in the name's own case.
        // Differs from the rewrite it stands for, which upper-cases the name
        // ("image/SKY.GIF"), a file no case-sensitive system finds.
        const QString newValue = QStringLiteral("image/") + slashed.mid(slashed.lastIndexOf(QLatin1Char('/')) + 1);
        const qsizetype oldSize = tag.size();
        tag.replace(value, newValue);
        text.replace(at, oldSize, tag);
        // d. On after the tag.
        at += int(tag.size());
    }
}
