#pragma once

#include "engine/dom/Ref.h"
#include "engine/dom/Variant.h"

#include <QPoint>

namespace engine {

class Element;

// The numbers of the events a document's sink receives.
namespace events {
enum : int {
    PageLoaded = 1034,
    MoveStart = 1038,
    Move = 1035,
    MoveEnd = 1039,
    ResizeStart = 1040,
    ResizeEnd = 1041,
    Click = -600,
    DblClick = -601,
    KeyDown = -602,
    KeyPress = -603,
    KeyUp = -604,
    MouseDown = -605,
    MouseMove = -606,
    MouseUp = -607,
    MouseOver = int(0x80010008u),
    MouseOut = int(0x80010009u),
    SelectStart = int(0x8001000Cu),
    SelectionChange = 1037,
    BeforeEditFocus = 1027,
    ControlSelect = 1036,
    Cut = int(0x8001001Au),
    Copy = int(0x8001001Bu),
    BeforePaste = int(0x8001001Fu),
    Paste = int(0x8001001Cu),
    DragEnter = int(0x80010016u),
    DragOver = int(0x80010017u),
    DragLeave = int(0x80010018u),
    Drop = int(0x80010019u),
    // The mouse capture ended otherwise than by releaseCapture: the view hid,
    // its window lost the activation, or a modal window or popup took the mouse.
    LoseCapture = int(0x80010024u),
};
} // namespace events

// Mouse buttons as events report them.
enum EventButton { NoButton = 0, LeftButton = 1, RightButton = 2, MiddleButton = 4 };

// The window's event object during one event: what the sink and the edit
// host read. Points are client coordinates (during capture they may lie
// outside the view); keyCode is a Windows virtual-key number.
struct EventObject
{
    int type = 0;
    Ref<Element> srcElement;
    int x = 0;
    int y = 0;
    int button = NoButton;
    int keyCode = 0;
    bool shiftKey = false;
    bool ctrlKey = false;
    bool altKey = false;
    Ref<Element> fromElement;
    Ref<Element> toElement;
    Variant returnValue;
    bool cancelBubble = false;

    QPoint point() const { return QPoint(x, y); }
};

// The Windows virtual-key number of a Qt key (0 when it has none).
int virtualKeyOf(int qtKey);

} // namespace engine
