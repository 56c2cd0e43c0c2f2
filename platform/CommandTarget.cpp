#include "platform/CommandTarget.h"

#include "platform/CmdUI.h"

namespace platform {

namespace {

// The entry for id: an exact entry first, then the first range holding it.
template <typename Entry> const Entry* findEntryFor(const std::vector<Entry>& entries, int id)
{
    const Entry* range = nullptr;
    for (const Entry& e : entries) {
        if (e.first == id && e.last == id)
            return &e;
        if (!range && e.first <= id && id <= e.last)
            range = &e;
    }
    return range;
}

} // namespace

CommandTarget::~CommandTarget() = default;

void CommandTarget::onCommand(int id, std::function<void()> handler)
{
    m_commands.push_back({id, id, [h = std::move(handler)](int) {
                              h();
                              return true;
                          }});
}

void CommandTarget::onCommandRange(int first, int last, std::function<void(int)> handler)
{
    m_commands.push_back({first, last, [h = std::move(handler)](int id) {
                              h(id);
                              return true;
                          }});
}

void CommandTarget::onCommandEx(int first, int last, std::function<bool(int)> handler)
{
    m_commands.push_back({first, last, std::move(handler)});
}

void CommandTarget::onUpdate(int id, std::function<void(CmdUI&)> update)
{
    m_updates.push_back({id, id, std::move(update)});
}

void CommandTarget::onUpdateRange(int first, int last, std::function<void(CmdUI&)> update)
{
    m_updates.push_back({first, last, std::move(update)});
}

const CommandTarget::CommandEntry* CommandTarget::findCommand(int id) const
{
    return findEntryFor(m_commands, id);
}

const CommandTarget::UpdateEntry* CommandTarget::findUpdate(int id) const
{
    return findEntryFor(m_updates, id);
}

bool CommandTarget::runCommand(int id)
{
    const CommandEntry* entry = findCommand(id);
    if (!entry)
        return false;
    // Copy: the handler may change this target's table.
    auto run = entry->run;
    return run(id);
}

bool CommandTarget::runUpdate(CmdUI& ui)
{
    const UpdateEntry* entry = findUpdate(ui.id());
    if (!entry)
        return false;
    auto update = entry->update;
    ui.resetRouting();
    update(ui);
    return !ui.routingContinued();
}

bool CommandTarget::hasCommand(int id) const
{
    return findCommand(id) != nullptr;
}

bool CommandTarget::hasUpdate(int id) const
{
    return findUpdate(id) != nullptr;
}

} // namespace platform
