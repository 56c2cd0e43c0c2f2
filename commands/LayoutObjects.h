#pragma once

#include "engine/dom/Ref.h"

#include <QString>

#include <functional>
#include <vector>

class CMainFrame;
class CZQView;
class VornaFrameSet;

namespace engine {
class Element;
class Geometry;
} // namespace engine

// What the layout commands share on the live page: the selected objects, the
// positions and sizes of their inline styles, writing a position, and the
// page's change mark.

// The control-selected objects of the view's page, in the order of the
// range; empty without a control selection.
std::vector<engine::Ref<engine::Element>> SelectedObjects(CZQView* view);

// The style's left (horizontal) or top text; empty when it has none.
QString StylePositionText(const engine::Element* element, bool horizontal);

// Writes "%dpx" (see PositionText) into the style's left or top; true when
// the text changed.
bool WriteStylePosition(engine::Element* element, bool horizontal, qint64 position);

// The page's own change mark of the view's document (a command changed it).
void MarkPageChanged(CZQView* view);

// Calls `visit` with the pane view of every FRAME of a frame tree, from the
// node (the node, its first child's subtree, then its next sibling's).
void ForEachFrameView(VornaFrameSet* node, const std::function<void(CZQView*)>& visit);

// Calls `visit` with the views of the active page: every frame of a frameset
// page, else the active page view.
void ForEachActivePageView(CMainFrame& frame, const std::function<void(CZQView*)>& visit);
