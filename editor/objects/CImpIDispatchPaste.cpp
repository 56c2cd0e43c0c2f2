// Paste of HTML fragments: the clipboard's HTML appended to the page body as
// one piece, its positioned objects shifted off the objects they would cover,
// renumbered above the page's objects and renamed where names must stay
// unique, then selected; anything else goes into a new text box.

#include "editor/CImpIDispatch.h"

#include "app/CZQView.h"
#include "editor/objects/FragmentText.h"
#include "effects/CScriptUtility.h"
#include "util/ImageMaps.h"

#include "engine/dom/Document.h"
#include "engine/editing/ClipboardData.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/html/HtmlParser.h"
#include "engine/layout/Geometry.h"
#include "engine/view/PageView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <set>

namespace paste_detail {

bool isPositionedTag(const engine::Element* element)
{
    for (const char* tag : {"TABLE", "IMG", "HR", "EMBED", "OBJECT", "MARQUEE"}) {
        if (element->hasTag(QLatin1String(tag)))
            return true;
    }
    return false;
}

// The fragment between the markers of a clipboard HTML text; the whole text
// when `required` is false and a marker is missing; nothing otherwise.
std::optional<QString> markedFragment(const QString& html, bool required)
{
    static const QLatin1String start("<!--STARTFRAGMENT-->");
    static const QLatin1String end("<!--ENDFRAGMENT-->");
    const QString twin = UpperTwin(html);
    const int from = int(twin.indexOf(start));
    const int to = from < 0 ? -1 : int(twin.indexOf(end, from + int(start.size())));
    if (from < 0 || to < 0)
        return required ? std::nullopt : std::optional<QString>(html);
    return html.mid(from + int(start.size()), to - from - int(start.size()));
}

// The HTML the clipboard offers: the engine's "HTML Format" (its markers
// required), else text/html (marked or whole).
std::optional<QString> clipboardHtml(const QMimeData* data)
{
    QString html;
    bool required = false;
    if (data->hasFormat(QString::fromLatin1(engine::clipboard::kHtmlFormatMime))) {
        QByteArray bytes = data->data(QString::fromLatin1(engine::clipboard::kHtmlFormatMime));
        if (const int nul = int(bytes.indexOf('\0')); nul >= 0)
            bytes.truncate(nul);
        html = QString::fromUtf8(bytes);
        required = true;
    } else if (data->hasHtml()) {
        html = data->html();
    } else {
        return std::nullopt;
    }
    html.replace(QChar(0xA0), QLatin1String("&nbsp;"));
    return markedFragment(html, required);
}

// Whether the page's parser takes the HTML whole.
bool fitsThePage(const QString& html)
{
    return qint64(html.size()) * 3 <= engine::HtmlParser::kMaxInputBytes ||
           html.toUtf8().size() <= engine::HtmlParser::kMaxInputBytes;
}

} // namespace paste_detail

HRESULT CImpIDispatch::FindPositionedElementAt(int left, int top, engine::Ref<engine::Element>& element)
{
    element = nullptr;
    engine::Document* doc = document();
    engine::PageView* page = pageView();
    if (!doc || !page)
        return -1;
    engine::Geometry geometry(page->layout());
    const engine::ElementCollection all = doc->all();
    for (int i = 0; i < all.length(); ++i) {
        engine::Element* candidate = all.item(i);
        if (paste_detail::isPositionedTag(candidate) && geometry.offsetLeft(candidate) == left &&
            geometry.offsetTop(candidate) == top) {
            element = candidate;
            return S_OK;
        }
    }
    return -1;
}

void CImpIDispatch::SelectPastedElements()
{
    // 1. Nothing selected.
    if (m_pView)
        m_pView->ExecCommand(engine::CommandGroup::ClearSelection);
    // 2. A new control range.
    engine::Document* doc = document();
    if (!doc || !doc->body())
        return;
    engine::ControlRange range(doc);
    // 3. The object standing at each point (the cell or marquee around what
    // stands there when that is no object).
    QPoint scroll(0, 0);
    AddBodyScrollOffset(scroll);
    for (const QPoint& point : m_pastePoints) {
        engine::Ref<engine::Element> element;
        if (GetElementFromPoint(point - scroll, element) != S_OK)
            continue;
        if (!engine::ControlRange::accepts(element.get()) &&
            (FindTextContainer(element) != S_OK || !engine::ControlRange::accepts(element.get())))
            continue;
        const auto& held = range.elements();
        if (std::none_of(held.begin(), held.end(), [&element](const auto& e) { return e == element; }))
            range.add(element.get());
    }
    // 4. Selected.
    if (!m_pastePoints.empty() && range.length() > 0)
        range.select();
}

bool CImpIDispatch::DoPaste()
{
    namespace detail = paste_detail;
    engine::Document* doc = document();
    engine::PageView* page = pageView();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!m_pView || !doc || !page || !data)
        return false;
    const std::optional<QString> html = detail::clipboardHtml(data);
    if (!html) {
        // 16. Plain text goes in as the text of a new text box.
        if (!data->hasText() || data->hasFormat(QString::fromLatin1(engine::clipboard::kHtmlFormatMime)) ||
            IsTextEditContext())
            return false;
        const QString text = data->text();
        if (!detail::fitsThePage(text))
            return false;
        m_pView->m_nMaxZIndex = std::min(m_pView->m_nMaxZIndex + 1, kMaxTopZIndex);
        return m_pView->AppendElementToBody(QString(QChar(0x18)),
                                            PasteTextBoxHtml(PlainTextAsHtml(text), m_pView->m_nMaxZIndex));
    }
    if (!detail::fitsThePage(*html))
        return false;
    // 8. The Z-INDEX band of the fragment.
    TwinText text(*html);
    const ZIndexBand band = FindZIndexBand(text.twin());
    // 9.-10. Its objects shifted off the page's objects and renumbered.
    std::set<std::pair<int, int>> occupied;
    {
        engine::Geometry geometry(page->layout());
        const engine::ElementCollection all = doc->all();
        for (int i = 0; i < all.length(); ++i) {
            engine::Element* element = all.item(i);
            if (detail::isPositionedTag(element))
                occupied.emplace(geometry.offsetLeft(element), geometry.offsetTop(element));
        }
    }
    const PastedObjects placed = PlacePastedObjects(text, band, m_pView->m_nMaxZIndex, [&occupied](int x, int y) {
        return occupied.count({x, y}) != 0;
    });
    // 12. Without positioned objects, into a new text box; not inside text.
    if (!placed.positioned && IsTextEditContext())
        return false;
    m_pastePoints = placed.points;
    bool appended = false;
    {
        engine::UndoUnit unit(doc);
        // 11. Roll-over images and image maps get names of their own.
        RenameServices services;
        const QString rollName = CScriptUtility::MakeUniqueElementName(QStringLiteral("VornaRollImage"));
        services.rollNumber = std::max(1, rollName.mid(int(QStringLiteral("VornaRollImage").size())).toInt());
        services.newMapName = [](const QStringList& handedOut) {
            QString name;
            MakeUniqueMapName(name, handedOut);
            return name;
        };
        const RenamedNames renamed = RenameRollOversAndMaps(text, services);
        if (renamed.rollOvers > 0)
            CScriptUtility::EnsureRollOverScript(QStringLiteral("VornaRollImage"));
        if (!renamed.maps.isEmpty()) {
            const std::vector<engine::Ref<engine::Element>> selected = controlSelection();
            if (!selected.empty()) {
                RemoveImageMapPainter(selected.front().get());
                RemoveUsemapHash(selected.front().get());
                doc->selection().setControlRange(selected);
            }
        }
        // 12.-13. The page's counter above what was written.
        QString fragment = text.text();
        if (!placed.positioned) {
            m_pView->m_nMaxZIndex = std::min(m_pView->m_nMaxZIndex + 1, kMaxTopZIndex);
            fragment = PasteTextBoxHtml(fragment, m_pView->m_nMaxZIndex);
        } else {
            m_pView->m_nMaxZIndex = RaisedTopZIndex(m_pView->m_nMaxZIndex, band);
        }
        // 14. Appended as one piece.
        appended = m_pView->AppendElementToBody(QString(QChar(0x18)), fragment);
    }
    // 15. Shown when none of it is in view, then selected: the objects are
    // found where they stand in the view.
    const QPoint corner = page->viewToClient(QPoint(page->viewport()->width(), page->viewport()->height()));
    const QSize client(corner.x(), corner.y());
    platform::Rect visible(0, 0, client.width(), client.height());
    AddBodyScrollOffsetToRect(visible);
    if (!m_pastePoints.empty() && std::none_of(m_pastePoints.begin(), m_pastePoints.end(),
                                               [&visible](QPoint p) { return visible.contains(p); })) {
        const QPoint first = m_pastePoints.front();
        page->scrollToPage(QPoint(first.x() - client.width() / 2, first.y() - client.height() / 2));
    }
    SelectPastedElements();
    return appended;
}
