// Page-wide operations on objects: selecting every positioned object, the
// deletion of the control selection, emptying the selected cells, and how
// far the page's objects reach.

#include "editor/CImpIDispatch.h"

#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQView.h"
#include "editor/tables/TableGrid.h"
#include "effects/CScriptUtility.h"
#include "util/ImageMaps.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/layout/Geometry.h"
#include "engine/view/PageView.h"

#include <QApplication>

#include <algorithm>

namespace selectall_detail {

bool hasAnyTag(const engine::Element* element, std::initializer_list<QLatin1String> tags)
{
    return std::any_of(tags.begin(), tags.end(), [element](QLatin1String tag) { return element->hasTag(tag); });
}

// The tags of a cell's HTML, its text left out: each "<" up to the next ">".
QString tagsOnly(const QString& html)
{
    QString tags;
    for (int pos = 0; pos < html.size();) {
        const int open = int(html.indexOf(QLatin1Char('<'), pos));
        const int close = int(html.indexOf(QLatin1Char('>'), pos + 1));
        if (open < 0 || close < 0)
            break;
        if (open < close)
            tags += QStringView(html).mid(open, close - open + 1);
        pos = close + 1;
    }
    return tags;
}

// A style length as the extent reads it: its number ("200px" 200), 0 for none.
int styleLength(const engine::Element* element, const char* property)
{
    const engine::Style* style = element->styleIfAny();
    return style ? engine::Style::pixels(style->value(QString::fromLatin1(property))) : 0;
}

// Shows the wait cursor while it lives.
struct WaitCursor
{
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace selectall_detail

void CImpIDispatch::SelectAllObjects()
{
    namespace detail = selectall_detail;
    engine::Document* doc = document();
    if (!doc || !doc->body())
        return;
    // 1. The wait cursor for the walk.
    detail::WaitCursor wait;
    // 2. The objects already selected stay.
    engine::ControlRange range(doc, controlSelection());
    // 3. Every positioned object of the page, nested ones too.
    const engine::ElementCollection all = doc->all();
    for (int i = 0; i < all.length(); ++i) {
        engine::Element* element = all.item(i);
        if (!detail::hasAnyTag(element, {QLatin1String("TABLE"), QLatin1String("OBJECT"), QLatin1String("IMG"),
                                         QLatin1String("HR"), QLatin1String("EMBED"), QLatin1String("MARQUEE"),
                                         QLatin1String("APPLET")}))
            continue;
        const auto& held = range.elements();
        if (std::none_of(held.begin(), held.end(), [element](const auto& e) { return e.get() == element; }))
            range.add(element);
    }
    // 4. Selected as one control selection.
    if (range.length() > 0)
        range.select();
}

void CImpIDispatch::DeleteSelection()
{
    CZQApp* app = CZQApp::instance();
    CMainFrame* frame = CMainFrame::instance();
    CZQView* active = app ? app->GetActiveView() : nullptr;
    engine::Document* doc = active ? active->GetHtmlDocument() : nullptr;
    engine::PageView* page = active ? active->GetPageView() : nullptr;
    if (!doc || !page)
        return;
    // 1. The sound of a deletion.
    if (frame)
        frame->PlaySoundEffect(QStringLiteral("delete.wav"));
    {
        engine::UndoUnit unit(doc);
        // 2. The selected objects go, with a link they fill and an image map
        // that no image left uses.
        RemoveImageMap();
        // 3. The roll-over script when no roll-over image is left.
        CScriptUtility::RemoveRollOverScriptIfUnused(QStringLiteral("VornaRollImage"));
        // 4. A body left with only the engine's empty paragraph (and the
        // line breaks around it) is emptied.
        if (doc->body() &&
            doc->body()->innerHTML().trimmed().compare(QLatin1String("<P>&NBSP;</P>"), Qt::CaseInsensitive) == 0)
            doc->body()->setInnerHTML(QString());
    }
    // 5. Nothing selected, the page where it was.
    const QPoint scroll = page->scrollPosition();
    active->ExecCommand(engine::CommandGroup::ClearSelection);
    page->setCaretVisible(false);
    page->scrollToPage(scroll);
    // 6. The commands follow.
    active->m_dwSelKind = 0;
    if (app)
        app->m_bCommandRan = true;
}

void CImpIDispatch::ClearSelectedCells()
{
    namespace detail = selectall_detail;
    // 1. The range and its table.
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    engine::Ref<engine::Element> table;
    if (!GetSelectedCellIndices(left, top, right, bottom) || GetSelectedTable(table) != S_OK || !table)
        return;
    // 2.-3. Each cell inside the range keeps only its tags; each is the
    // engine's own undo step.
    std::vector<engine::Ref<engine::Element>> cells;
    WalkTableGrid(table.get(), [&](const GridCell& cell) {
        if (cell.row >= top && cell.row <= bottom && cell.column >= left && cell.column <= right)
            cells.emplace_back(cell.cell);
        return true;
    });
    for (const engine::Ref<engine::Element>& cell : cells)
        cell->setInnerHTML(detail::tagsOnly(cell->innerHTML()));
}

QSize CImpIDispatch::GetContentExtent()
{
    namespace detail = selectall_detail;
    engine::Document* doc = document();
    engine::PageView* page = pageView();
    if (!doc || !page)
        return QSize(0, 0);
    engine::Geometry geometry(page->layout());
    int cx = 0;
    int cy = 0;
    const engine::ElementCollection all = doc->all();
    for (int i = 0; i < all.length(); ++i) {
        engine::Element* element = all.item(i);
        if (!detail::hasAnyTag(element, {QLatin1String("TABLE"), QLatin1String("IMG"), QLatin1String("EMBED")}))
            continue;
        int width = geometry.offsetWidth(element);
        int height = geometry.offsetHeight(element);
        if (const int w = detail::styleLength(element, "width"))
            width = w;
        if (const int h = detail::styleLength(element, "height"))
            height = h;
        cx = std::max(cx, geometry.offsetLeft(element) + width);
        cy = std::max(cy, geometry.offsetTop(element) + height);
    }
    return QSize(cx, cy);
}
