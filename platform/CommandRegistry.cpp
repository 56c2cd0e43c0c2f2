#include "platform/CommandRegistry.h"

#include "platform/CmdUI.h"
#include "platform/CommandTarget.h"
#include "platform/WindowMessage.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QWidget>

namespace platform {

namespace {
QPointer<CommandRegistry> g_lastRegistry;
const char* const kCommandIdProperty = "platform_command_id";
} // namespace

CommandRegistry::CommandRegistry(QObject* parent) : QObject(parent)
{
    g_lastRegistry = this;
}

CommandRegistry::~CommandRegistry() = default;

CommandRegistry* CommandRegistry::instance()
{
    return g_lastRegistry.data();
}

QAction* CommandRegistry::action(int id)
{
    if (QAction* existing = findAction(id))
        return existing;
    auto* created = new QAction(this); // owned by the registry
    created->setProperty(kCommandIdProperty, id);
    applyPrompt(id, created);
    connect(created, &QAction::triggered, this, [this, id] { sendCommand(id); });
    m_actions.emplace(id, created);
    return created;
}

QAction* CommandRegistry::findAction(int id) const
{
    auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

int CommandRegistry::idOf(const QAction* action) const
{
    if (!action || action->parent() != this)
        return 0;
    return action->property(kCommandIdProperty).toInt();
}

QList<int> CommandRegistry::ids() const
{
    QList<int> result;
    for (const auto& entry : m_actions)
        result.append(entry.first);
    return result;
}

void CommandRegistry::setStringLoader(std::function<QString(int)> loader)
{
    m_loader = std::move(loader);
    for (const auto& [id, action] : m_actions)
        applyPrompt(id, action);
}

void CommandRegistry::applyPrompt(int id, QAction* action)
{
    if (!m_loader)
        return;
    const QString text = m_loader(id);
    if (text.isEmpty())
        return;
    const qsizetype newline = text.indexOf(QLatin1Char('\n'));
    action->setStatusTip(newline < 0 ? text : text.left(newline));
    if (newline >= 0)
        action->setToolTip(text.mid(newline + 1));
}

void CommandRegistry::setRoute(std::function<QList<CommandTarget*>()> route)
{
    m_route = std::move(route);
}

QList<CommandTarget*> CommandRegistry::route() const
{
    QList<CommandTarget*> targets = m_route ? m_route() : QList<CommandTarget*>();
    targets.removeAll(nullptr);
    return targets;
}

void CommandRegistry::setCommandHook(std::function<bool(int)> hook)
{
    m_hook = std::move(hook);
}

bool CommandRegistry::sendCommand(int id)
{
    bool handled = false;
    if (m_hook && m_hook(id)) {
        handled = true;
    } else {
        for (CommandTarget* target : route()) {
            if (target->runCommand(id)) {
                handled = true;
                break;
            }
        }
    }
    emit commandRouted(id, handled);
    return handled;
}

void CommandRegistry::postCommand(int id)
{
    postMessage(this, WM_COMMAND, quintptr(id));
}

bool CommandRegistry::event(QEvent* event)
{
    if (event->type() == WindowMessage::eventType()) {
        auto* message = static_cast<WindowMessage*>(event);
        if (message->message() == WM_COMMAND) {
            message->setResult(sendCommand(int(message->wParam())) ? 1 : 0);
            return true;
        }
    }
    return QObject::event(event);
}

bool CommandRegistry::updateOne(int id, QAction* action)
{
    CmdUI ui(id, action);
    const QList<CommandTarget*> targets = route();
    for (CommandTarget* target : targets) {
        if (target->runUpdate(ui))
            break;
    }
    // An update handler that only checks or renames the command leaves its
    // enabled state to the handlers, as when there is no update handler.
    if (ui.enableChanged())
        return ui.isEnabled();
    bool handled = false;
    for (CommandTarget* target : targets) {
        if (target->hasCommand(id)) {
            handled = true;
            break;
        }
    }
    if (handled || m_disableIfNoHandler)
        ui.enable(handled);
    return ui.isEnabled();
}

bool CommandRegistry::updateCommand(int id)
{
    return updateOne(id, findAction(id));
}

void CommandRegistry::updateAll()
{
    for (const auto& [id, action] : m_actions)
        updateOne(id, action);
}

void CommandRegistry::updateActions(const QList<QAction*>& actions)
{
    for (QAction* a : actions) {
        if (const int id = idOf(a))
            updateOne(id, a);
    }
}

void CommandRegistry::updateWidget(QWidget* widget, bool descendants)
{
    if (!widget)
        return;
    // A toolbar and its buttons share actions: each command is updated once.
    QList<QAction*> actions = widget->actions();
    if (descendants) {
        const auto children = widget->findChildren<QWidget*>();
        for (QWidget* child : children) {
            if (qobject_cast<QMenu*>(child))
                continue;
            for (QAction* a : child->actions()) {
                if (!actions.contains(a))
                    actions.append(a);
            }
        }
    }
    updateActions(actions);
}

void CommandRegistry::watchMenu(QMenu* menu)
{
    if (!menu)
        return;
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { updateActions(menu->actions()); });
}

} // namespace platform
