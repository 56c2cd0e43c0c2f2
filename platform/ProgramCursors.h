#pragma once

#include <QCursor>
#include <QPoint>
#include <QString>

namespace platform {

// The program's own cursors, drawn as 32 x 32 images "<id>.png" in a cursor
// folder whose "cursors.json" gives each one's hot spot ({"529": [15, 15]}).
// The program's folder is compiled in as ":/res/cursors".
class ProgramCursors
{
public:
    static QString programFolder() { return QStringLiteral(":/res/cursors"); }

    // Whether the folder holds a picture and a hot spot for the id.
    static bool exists(int id, const QString& folder = programFolder());
    // The cursor of the id; the arrow when the folder has none. Loaded once
    // per folder and id.
    static QCursor cursor(int id, const QString& folder = programFolder());
    // The hot spot of the id; (-1, -1) when the table has none.
    static QPoint hotSpot(int id, const QString& folder = programFolder());
};

} // namespace platform
