#pragma once

#include <QSize>
#include <QString>

// The editor settings the main frame keeps under the product key of the
// current user and writes back when it closes.
struct EditorSettings
{
    quint8 soundEffect = 1;
    quint8 showGuide = 1;
    quint8 showArrange = 1;
    quint8 showTableToolbar = 1;
    int gridSize = 10;
    int gridStyle = 1;
    quint8 gridVisible = 1;
    quint8 snapOn = 0;
    QSize pageSize{800, 600};
    quint8 pageSizeVisible = 0;

    // Reads the values when the product key exists, each checked against its
    // range right after it is read (also when it is missing); a key that
    // cannot be opened leaves every field as it is. Switches stored as 0 stay off.
    bool load();
    // Creates the product key when needed and writes every value.
    bool save() const;

    static QString productKeyPath();
};

// The main window's normal rectangle and maximised state under
// "General Property\Window" of the product key.
struct WindowPlacement
{
    bool maximize = false;
    quint32 width = 0;
    quint32 height = 0;
    int x = 0;
    int y = 0;

    // False when the key is missing (nothing is restored then).
    bool load();
    // Creates the key when it is missing.
    bool save() const;
    // Whether the placement opens the window maximised on a screen of that size.
    bool startsMaximized(QSize screen) const;

    static QString keyPath();
};
