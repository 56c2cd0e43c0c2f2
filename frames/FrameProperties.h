#pragma once

#include <QString>

#include <functional>

class FramePane;
class FramePropertyModel;
class FramesetPropertyModel;
class FrameSetHost;
class VornaFrameSet;

// What the frame properties command asks of the program beyond the child frame.
struct FramePropertyServices
{
    QString installFolder;
    QString webFolder;         // the open web's folder; empty when none is open
    int* frameCount = nullptr; // numbers the title of a new frame page
    // The save dialog for a changed page without a file, starting at the
    // proposed path: the chosen path, or empty when cancelled.
    std::function<QString(const QString& proposed)> askSavePath;
    // Copies a page file into the web folder under its name, asking for
    // another name when that one is taken there: the copy's path, or empty
    // when the user declined or the copy failed (the user has been told).
    std::function<QString(const QString& path)> copyIntoWeb;
};

// Fills the dialog's values from the frame and its pane's page: the path,
// the name, scrolling and resizing, and the size from the frame's entry in
// its parent's list (the size across the split disabled beside a nested
// frameset).
void ReadFrameProperties(VornaFrameSet* frame, FramePane* pane, FramePropertyModel* model);

// Writes the values of the dialog after OK into the frame, its pane's page
// and the site list; `before` holds the values it was filled with. The
// frameset page becomes modified unless the page could not be brought into
// the web (the new src then stays, nothing else changes).
void ApplyFrameProperties(FrameSetHost* host, VornaFrameSet* frame, FramePane* pane, const FramePropertyModel& before,
                          const FramePropertyModel& after, const FramePropertyServices& services);

// Fills the frameset properties dialog's values from the child frame's root
// FRAMESET and the frameset page. False when the root is no FRAMESET.
bool ReadFramesetProperties(FrameSetHost* host, FramesetPropertyModel* model);

// Writes the values of the frameset properties dialog after OK: borders and
// spacing into the root (the panes laid out again when they changed), the
// title into the frameset page and the site list, the charset into the
// frameset document; the frameset page becomes modified.
void ApplyFramesetProperties(FrameSetHost* host, const FramesetPropertyModel& before,
                             const FramesetPropertyModel& after);
