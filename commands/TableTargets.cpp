#include "commands/TableTargets.h"

#include "app/CZQView.h"
#include "util/PageDom.h"

#include "engine/dom/Element.h"
#include "engine/editing/TextRange.h"
#include "engine/layout/Geometry.h"
#include "engine/view/PageView.h"

#include <algorithm>
#include <optional>

engine::Ref<engine::Element> SelectedTableCell(CZQView* view)
{
    engine::Ref<engine::Element> selected;
    std::optional<engine::ControlRange> controls;
    std::optional<engine::TextRange> range;
    if (!view || GetPageSelection(&selected, &controls, &range, view) != S_OK)
        return nullptr;
    // An object: down its first children.
    if (controls) {
        if (selected && FindChildByTag(selected, QStringLiteral("TD"), 0) == S_OK)
            return selected;
        return nullptr;
    }
    if (!range)
        return nullptr;
    // A caret or text: up to the innermost cell.
    for (engine::Element* e = range->parentElement(); e; e = e->parentElement()) {
        if (e->hasTag(QLatin1String("TD")))
            return engine::Ref<engine::Element>(e);
        if (e->hasTag(QLatin1String("TH")) || e->hasTag(QLatin1String("CAPTION")) ||
            e->hasTag(QLatin1String("TABLE")) || e->hasTag(QLatin1String("BODY")))
            break;
    }
    return nullptr;
}

std::vector<engine::Ref<engine::Element>> SelectedTables(CZQView* view, bool* control)
{
    std::vector<engine::Ref<engine::Element>> tables;
    engine::Ref<engine::Element> selected;
    std::optional<engine::ControlRange> controls;
    std::optional<engine::TextRange> range;
    if (control)
        *control = false;
    if (!view || GetPageSelection(&selected, &controls, &range, view) != S_OK)
        return tables;
    std::vector<engine::Ref<engine::Element>> starts;
    if (controls) {
        // Tables and their cells; a selected image in a cell is no table.
        for (const engine::Ref<engine::Element>& element : controls->elements()) {
            if (element->hasTag(QLatin1String("TABLE")) || element->hasTag(QLatin1String("TD")))
                starts.push_back(element);
        }
        if (control)
            *control = true;
    } else if (range) {
        starts.emplace_back(range->parentElement());
    }
    for (engine::Ref<engine::Element> table : starts) {
        if (FindParentByTag(table, QStringLiteral("TABLE")) != S_OK || HasTextId(table.get()))
            continue;
        if (std::find(tables.begin(), tables.end(), table) == tables.end())
            tables.push_back(table);
    }
    return tables;
}

QSize TableDialogBases(CZQView* view)
{
    const engine::PageView* page = view ? view->GetPageView() : nullptr;
    if (!page)
        return QSize(1, 1);
    const QSize visible = page->viewport()->size();
    return QSize(visible.width() - 37, visible.height() - 30);
}

QSize ElementClientSize(CZQView* view, engine::Element* element)
{
    engine::PageView* page = view ? view->GetPageView() : nullptr;
    if (!page || !element)
        return QSize(0, 0);
    engine::Geometry geometry(page->layout());
    return QSize(geometry.clientWidth(element), geometry.clientHeight(element));
}
