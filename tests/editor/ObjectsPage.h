#pragma once

// A page in the running program on which the tests of positioned objects
// work: events made current as the engine makes them for the sink, and the
// page's style texts and undo steps.

#include "EditorPage.h"

#include "engine/markup/UndoManager.h"
#include "engine/view/EventDispatcher.h"
#include "engine/view/EventObject.h"

class ObjectsPage : public EditorPage
{
protected:
    struct Keys
    {
        bool shift = false;
        bool ctrl = false;
    };

    // Runs `body` while an event at a client point is under way.
    template <class Body> auto during(QPoint at, Body&& body, Keys keys = {})
    {
        engine::EventObject event;
        event.x = at.x();
        event.y = at.y();
        event.button = engine::LeftButton;
        event.shiftKey = keys.shift;
        event.ctrlKey = keys.ctrl;
        engine::EventDispatcher::Scope scope(page()->events(), event);
        return body();
    }

    // An absolutely positioned picture with its size in its style.
    static QString image(const char* id, int x, int y, int w = 40, int h = 30, const char* more = "")
    {
        return QStringLiteral("<IMG id=%1 src=\"%1.gif\" border=0 %6 style=\"POSITION: absolute; LEFT: %2px; TOP: "
                              "%3px; WIDTH: %4px; HEIGHT: %5px\">\n")
            .arg(QLatin1String(id))
            .arg(x)
            .arg(y)
            .arg(w)
            .arg(h)
            .arg(QLatin1String(more));
    }

    QString styleOf(const char* id) const { return byId(id)->style().cssText(); }
    int undoSteps() const { return doc()->undoManager().undoCount(); }
    CMainFrame* frame() const { return app->mainFrame(); }
    std::vector<engine::Ref<engine::Element>> selected() const
    {
        return doc()->selection().type() == engine::Selection::Type::Control
                   ? doc()->selection().controlElements()
                   : std::vector<engine::Ref<engine::Element>>();
    }
    QStringList selectedIds() const
    {
        QStringList ids;
        for (const auto& e : selected())
            ids << e->id();
        return ids;
    }
};
