#pragma once

#include "engine/dom/Ref.h"

#include <QSize>

#include <vector>

class CZQView;

namespace engine {
class Element;
}

// Where the table commands work: the cell and table of the page's selection.

// The cell of the view's selection: the TD that holds a caret or text
// selection, when no TH, CAPTION or TABLE stands between them (a caret in a
// heading or caption of a nested table is in no cell of the outer table), or
// the first TD down the first children of an element selected as an object.
// Null when there is none.
engine::Ref<engine::Element> SelectedTableCell(CZQView* view);

// The ordinary tables (not text boxes) the table properties command works
// on: each selected object's TABLE, or the TABLE around a caret or text
// selection. `control` tells whether they were selected as objects.
std::vector<engine::Ref<engine::Element>> SelectedTables(CZQView* view, bool* control = nullptr);

// An element's client width and height as the page lays it out; 0 x 0
// without a page.
QSize ElementClientSize(CZQView* view, engine::Element* element);

// The pixels that 100 % of a table's width and height stand for in the table
// dialog: the page's visible area less 37 and 30.
QSize TableDialogBases(CZQView* view);
