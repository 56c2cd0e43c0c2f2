#pragma once

// A page of positioned objects opened in the running program for the layout
// commands: objects made with a place, a size and a z-index, their style
// read back, and the page's own change mark.

#include "FormatPage.h"

#include "app/CZQDoc.h"

#include "engine/css/Style.h"

class LayoutPage : public FormatPage
{
protected:
    // An absolutely positioned picture with its place and size in its style
    // and, when given, a z-index.
    static QString object(const char* id, int x, int y, int w, int h, int z = 0)
    {
        const QString zIndex = z ? QStringLiteral("Z-INDEX: %1; ").arg(z) : QString();
        return QStringLiteral("<IMG id=%1 src=\"%1.gif\" border=0 style=\"%2POSITION: absolute; LEFT: %3px; TOP: "
                              "%4px; WIDTH: %5px; HEIGHT: %6px\">\n")
            .arg(QLatin1String(id), zIndex)
            .arg(x)
            .arg(y)
            .arg(w)
            .arg(h);
    }

    // Opens a page of these objects, in a window of its own; the page's
    // change mark starts clear.
    void openObjects(const QString& objects)
    {
        ASSERT_NE(open(QStringLiteral(">\n") + objects, "UTF-8", QStringLiteral("page%1").arg(++m_pages)), nullptr);
        view()->GetDocument()->m_bPageChanged = false;
    }
    int m_pages = 0;

    QString left(const char* id) const { return byId(id)->style().left(); }
    QString top(const char* id) const { return byId(id)->style().top(); }
    QString zIndex(const char* id) const { return byId(id)->style().value(QStringLiteral("z-index")); }
    QStringList lefts(std::initializer_list<const char*> ids) const
    {
        QStringList texts;
        for (const char* id : ids)
            texts << left(id);
        return texts;
    }
    QStringList tops(std::initializer_list<const char*> ids) const
    {
        QStringList texts;
        for (const char* id : ids)
            texts << top(id);
        return texts;
    }
    bool pageChanged() const { return view()->GetDocument()->m_bPageChanged; }
};
