#pragma once

#include <functional>
#include <vector>

namespace platform {

class CmdUI;

// A receiver of commands with its table of {id or id range, handler, update
// handler}. Views, documents, frames and the application derive from it and
// fill their table in their constructor. An id's own entry takes precedence
// over a range that contains it; among entries of the same kind the first
// added wins.
class CommandTarget
{
public:
    virtual ~CommandTarget();

    // Handler that runs and always counts as handled.
    void onCommand(int id, std::function<void()> handler);
    void onCommandRange(int first, int last, std::function<void(int id)> handler);
    // Handler that says whether it handled the command; when it returns false,
    // routing goes on to the next target.
    void onCommandEx(int first, int last, std::function<bool(int id)> handler);

    void onUpdate(int id, std::function<void(CmdUI&)> update);
    void onUpdateRange(int first, int last, std::function<void(CmdUI&)> update);

    // Runs this target's handler of the id; true when one handled it.
    virtual bool runCommand(int id);
    // Runs this target's update handler of the id; true when there was one
    // and it did not ask to continue routing.
    virtual bool runUpdate(CmdUI& ui);

    bool hasCommand(int id) const;
    bool hasUpdate(int id) const;

private:
    struct CommandEntry
    {
        int first;
        int last;
        std::function<bool(int)> run;
    };
    struct UpdateEntry
    {
        int first;
        int last;
        std::function<void(CmdUI&)> update;
    };
    const CommandEntry* findCommand(int id) const;
    const UpdateEntry* findUpdate(int id) const;

    std::vector<CommandEntry> m_commands;
    std::vector<UpdateEntry> m_updates;
};

} // namespace platform
