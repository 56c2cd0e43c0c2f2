#include "app/PageTextFiles.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "editor/CImpIDispatch.h"
#include "util/HtmlTextScan.h"

#include "engine/dom/Document.h"
#include "engine/html/PageLoader.h"

#include "platform/CodePages.h"
#include "platform/SafeFile.h"

namespace pagetextfiles_detail {

// Writes the bytes as the whole file, or leaves the file as it was.
bool writeWhole(const QString& path, const QByteArray& bytes, platform::FileFault* fault)
{
    const platform::FileFault result = platform::writeFileWhole(path, bytes);
    if (fault)
        *fault = result;
    return result == platform::FileFault::None;
}

// Whether the cell content between a start tag's ">" (excluded) and the
// ">" before the end tag (included) is nothing but tags.
bool onlyTags(const QString& text, qsizetype from, qsizetype to)
{
    if (from > to || text.at(from) != QLatin1Char('<'))
        return false;
    for (qsizetype i = from; i <= to;) {
        const qsizetype close = text.indexOf(QLatin1Char('>'), i);
        if (close < 0 || close > to)
            return false;
        if (close == to)
            return true;
        if (text.at(close + 1) != QLatin1Char('<'))
            return false;
        i = close + 1;
    }
    return true;
}

} // namespace pagetextfiles_detail

QString SavePageToFile(const QString& path, CZQView* view, platform::FileFault* fault)
{
    // 1. The view.
    if (!view && CMainFrame::instance())
        view = CMainFrame::instance()->GetActiveView();
    CZQDoc* document = view ? view->GetDocument() : nullptr;
    engine::Document* page = view ? view->GetHtmlDocument() : nullptr;
    if (!document || !page || !view->GetItem()) {
        if (fault)
            *fault = platform::FileFault::NoFileName;
        return QString();
    }
    // 3. The "#" of the image-map references, as a save writes them. They
    // go again afterwards: the live page keeps them as the editor does.
    std::vector<engine::Ref<engine::Element>> hashed;
    CImpIDispatch* sink = view->GetSink();
    if (sink) {
        page->beginLoadScope();
        for (const engine::Ref<engine::Element>& image : page->images().toVector()) {
            const QString before = image->getAttributeText(QStringLiteral("usemap"));
            sink->AddUsemapHash(image.get());
            if (image->getAttributeText(QStringLiteral("usemap")) != before)
                hashed.push_back(image);
        }
        page->endLoadScope();
    }
    // 4. The generator META.
    document->UpdateGeneratorMeta();
    // 5. The file as the engine writes it, and its text. The page's own file,
    // its address and its change mark are not touched.
    const QByteArray bytes = page->loader().fileBytes();
    const bool written = pagetextfiles_detail::writeWhole(path, bytes, fault);
    if (!hashed.empty()) {
        page->beginLoadScope();
        for (const engine::Ref<engine::Element>& image : hashed)
            sink->RemoveUsemapHash(image.get());
        page->endLoadScope();
    }
    // 6. The text; empty when nothing was written.
    return written ? platform::decodeText(bytes, page->loader().effectiveCharset()) : QString();
}

bool WritePageText(const QString& path, QString& text, const QString& charset, platform::FileFault* fault)
{
    // 2. Empty cells, unless the page is shown as source.
    const CMainFrame* frame = CMainFrame::instance();
    const CChildFrame* child = frame ? frame->GetActiveChild() : nullptr;
    if (!child || !child->m_bSourceShown) {
        FillEmptyCellsInText(text, QStringLiteral("TD"));
        FillEmptyCellsInText(text, QStringLiteral("td"));
    }
    // 1., 3., 4. The file, replaced whole.
    QString name = charset.isEmpty() ? MetaCharsetOfText(text) : charset;
    if (name.isEmpty())
        name = QStringLiteral("UTF-8");
    return pagetextfiles_detail::writeWhole(path, platform::encodeText(text, name), fault);
}

QString FillEmptyCellsInText(QString& text, const QString& tagName)
{
    const QString start = QLatin1Char('<') + tagName;
    const QString beforeEnd = QLatin1String("></") + tagName;
    const QString filler = QStringLiteral("&nbsp;");
    // Positions are those of the text as it was; the result is built once.
    QString result;
    qsizetype copied = 0;
    for (qsizetype at = 0; at < text.size();) {
        // a.-c. The start tag, its ">" and the ">" before the end tag.
        const qsizetype tag = text.indexOf(start, at);
        if (tag < 0)
            break;
        const qsizetype tagEnd = text.indexOf(QLatin1Char('>'), tag);
        const qsizetype end = text.indexOf(beforeEnd, tag);
        if (end < 0 || tagEnd < 0)
            break;
        // d.-e. Nothing or only tags between them: the filler before the end tag.
        if (tagEnd == end || pagetextfiles_detail::onlyTags(text, tagEnd + 1, end)) {
            result += QStringView(text).mid(copied, end + 1 - copied);
            result += filler;
            copied = end + 1;
            at = end + 6;
        } else {
            at = tag + 2;
        }
    }
    if (copied > 0) {
        result += QStringView(text).mid(copied);
        text = result;
    }
    return text;
}

QString MetaCharsetOfText(const QString& text, bool* decided)
{
    if (decided)
        *decided = false;
    // A META in a comment names nothing (a page's old charset is often
    // kept so): the comments are followed up to each tag found.
    qsizetype commentsTo = 0;
    bool inComment = false;
    const auto commented = [&](qsizetype at) {
        while (true) {
            const qsizetype next = inComment ? text.indexOf(QLatin1String("-->"), commentsTo)
                                             : text.indexOf(QLatin1String("<!--"), commentsTo);
            if (next < 0 || next >= at)
                return inComment;
            // ("<!-->" is a whole comment.)
            commentsTo = inComment ? next + 3 : next + 2;
            inComment = !inComment;
        }
    };
    QString tag;
    for (int at = ExtractTagText(text, QStringLiteral("META"), tag, 0); at >= 0;
         at = ExtractTagText(text, QStringLiteral("META"), tag, at + 1)) {
        if (commented(at))
            continue;
        // A tag going on after the start of a page: the rest decides.
        if (decided && tag.isEmpty())
            return QString();
        QString value;
        if (GetTagAttribute(tag, QStringLiteral("charset"), value) >= 0) {
            value.remove(QLatin1Char('"'));
            if (!value.isEmpty()) {
                if (decided)
                    *decided = true;
                return value;
            }
        }
    }
    return QString();
}
