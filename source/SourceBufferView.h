#pragma once

#include <cstdint>
#include <string>

class CUpdateContext;

// What the source text buffer calls on the views attached to it. The source
// text view implements it; the buffer itself knows no widget.
class SourceBufferView
{
public:
    virtual ~SourceBufferView() = default;

    // After every change: source is the view that made it (none for undo,
    // redo and loads), context tells how text points move (none for flag
    // changes and resets), flags are the buffer's ViewUpdate... values.
    virtual void OnBufferChanged(SourceBufferView* source, CUpdateContext* context, uint32_t flags, int line) = 0;

    // When an undo group that this view opened ends: the last step's action
    // code and text (UTF-8, lines joined by CR LF).
    virtual void OnEditAction(int action, const std::string& text) = 0;
};
