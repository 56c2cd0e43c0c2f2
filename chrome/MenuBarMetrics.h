#pragma once

#include <QFont>

// The sizes the menu bar lays its items out with, from the menu font: built
// once and again when the desktop's fonts or colours change.
struct MenuBarMetrics
{
    // The menu font, and the same running downwards for a bar docked left or right.
    QFont font;
    int fontHeight = 0;
    // The height of a bar item: the larger of a menu line and a small icon.
    int itemHeight = 0;
    // Space above and below the text: (item height - font height) / 2.
    int textOffset = 0;
    // Twice the width and height of a window border.
    int borderUnitX = 2;
    int borderUnitY = 2;

    // The metrics of the font (the application's menu font when none is given).
    static MenuBarMetrics FromFont(const QFont& font);
    static const MenuBarMetrics& Current();
    // Builds the metrics again from the application's menu font.
    static void Refresh();
};
