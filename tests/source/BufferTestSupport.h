#pragma once

#include "source/CUpdateContext.h"
#include "source/SourceBufferView.h"
#include "source/VornaSourceTextBuffer.h"

#include <QTemporaryDir>

#include <string>
#include <vector>

// A view that records what the buffer tells it.
class RecordingBufferView : public SourceBufferView
{
public:
    struct Change
    {
        SourceBufferView* source;
        bool hasContext;
        uint32_t flags;
        int line;
    };
    struct EditAction
    {
        int action;
        std::string text;
    };

    void OnBufferChanged(SourceBufferView* source, CUpdateContext* context, uint32_t flags, int line) override
    {
        changes.push_back(Change{source, context != nullptr, flags, line});
        if (context)
            for (QPoint* point : tracked)
                context->AdjustPoint(*point);
    }
    void OnEditAction(int action, const std::string& text) override { actions.push_back(EditAction{action, text}); }

    std::vector<Change> changes;
    std::vector<EditAction> actions;
    std::vector<QPoint*> tracked;
};

// The buffer's lines, for comparisons.
inline std::vector<std::string> BufferLines(const VornaSourceTextBuffer& buffer)
{
    std::vector<std::string> lines;
    for (int i = 0; i < buffer.GetLineCount(); ++i)
        lines.emplace_back(buffer.GetLine(i));
    return lines;
}

// A buffer filled from bytes (UTF-8), in CR LF mode unless the bytes say otherwise.
inline void FillBuffer(VornaSourceTextBuffer& buffer, const std::string& text, int mode = -1)
{
    buffer.LoadFromBytes(text, mode);
}
