#pragma once

// A page opened in the running program for the character-format commands:
// the commands are sent as the menus and bars send them, and the page, its
// undo history and the toolbar's state are read back.

#include "editor/EditorPage.h"

#include "platform/CommandRegistry.h"

#include "engine/markup/UndoManager.h"

#include <QAction>

class FormatPage : public EditorPage
{
protected:
    // Sends a command as a menu or bar would, then lets the page settle.
    void run(int id)
    {
        app->commands()->sendCommand(id);
        settle();
    }
    bool enabled(int id) { return app->commands()->updateCommand(id); }
    // The update pass of an idle moment after a command: every bar and box.
    void updateBars() { app->commands()->updateWidget(app->mainFrame(), true); }
    bool checked(int id)
    {
        app->commands()->updateCommand(id);
        QAction* action = app->commands()->findAction(id);
        return action && action->isChecked();
    }
    QString inner(const char* id) const { return byId(id)->innerHTML(); }
    int undoSteps() { return doc()->undoManager().undoCount(); }
    void undo()
    {
        doc()->undoManager().undo();
        settle();
    }

    // The TABLE of a text box, found by the id of its cell.
    engine::Element* boxOf(const char* cellId) const { return byId(cellId)->closest(QLatin1String("TABLE")); }
    // A click elsewhere ends a range of selected cells.
    void caretIn(const char* id, int offset = 0)
    {
        sink()->ClearCellRange();
        EditorPage::caretIn(id, offset);
    }
    void selectText(const char* id, int from, int to)
    {
        sink()->ClearCellRange();
        EditorPage::selectText(id, from, to);
    }
    void selectObjects(std::initializer_list<const char*> ids)
    {
        sink()->ClearCellRange();
        EditorPage::selectObjects(ids);
    }
    void selectBoxes(std::initializer_list<const char*> cellIds)
    {
        sink()->ClearCellRange();
        std::vector<engine::Ref<engine::Element>> tables;
        for (const char* id : cellIds)
            tables.emplace_back(boxOf(id));
        doc()->selection().setControlRange(tables);
        settle();
    }
    // The whole text of an element selected.
    void selectAllTextOf(const char* id)
    {
        sink()->ClearCellRange();
        engine::TextRange range(doc());
        range.moveToElementText(byId(id));
        range.select();
        settle();
    }

    // A cell range of a table, as the mouse makes it.
    void selectCells(const char* table, const char* anchor, const char* current)
    {
        CImpIDispatch* s = sink();
        s->m_pSelTable = byId(table);
        int row = 0, column = 0;
        ASSERT_EQ(s->GetCellGridPosition(byId(anchor), row, column, false), S_OK) << anchor;
        s->m_cellAnchor = {row, column};
        s->m_pAnchorCell = byId(anchor);
        ASSERT_EQ(s->GetCellGridPosition(byId(current), row, column, false), S_OK) << current;
        s->m_cellCurrent = {row, column};
        s->m_pCurrentCell = byId(current);
        s->UpdateCellHighlight();
        EditorPage::caretIn(anchor);
    }
};
