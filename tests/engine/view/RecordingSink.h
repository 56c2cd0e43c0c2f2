#pragma once

#include "engine/view/EventObject.h"
#include "engine/view/EventSink.h"

#include <functional>
#include <map>
#include <vector>

// A sink that records every event it receives and cancels the events it is
// told to cancel; an optional hook runs inside the call.
class RecordingSink : public engine::EventSink
{
public:
    struct Seen
    {
        int id;
        engine::EventObject event;
    };
    bool invoke(int eventId, engine::EventObject& event) override
    {
        seen.push_back({eventId, event});
        if (hook)
            hook(eventId, event);
        return cancel.count(eventId) > 0;
    }
    std::vector<int> ids() const
    {
        std::vector<int> out;
        for (const auto& s : seen)
            out.push_back(s.id);
        return out;
    }
    // The ids without mouse moves and hover events.
    std::vector<int> mainIds() const
    {
        std::vector<int> out;
        for (const auto& s : seen)
            if (s.id != engine::events::MouseMove && s.id != engine::events::MouseOver &&
                s.id != engine::events::MouseOut)
                out.push_back(s.id);
        return out;
    }
    int count(int id) const
    {
        int n = 0;
        for (const auto& s : seen)
            n += s.id == id;
        return n;
    }
    std::vector<Seen> seen;
    std::map<int, bool> cancel;
    std::function<void(int, engine::EventObject&)> hook;
};
