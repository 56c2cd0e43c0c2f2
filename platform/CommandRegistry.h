#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <map>

class QAction;
class QMenu;
class QWidget;

namespace platform {

class CmdUI;
class CommandTarget;

// The program's commands: one QAction per command id, shared by menus,
// toolbars and shortcuts, and the routing of a command through the command
// targets of the moment (active view, its document, its child frame, the main
// frame, the application), which the application supplies as the route.
//
// A triggered action and a command sent by id take the same route; a command
// sent by id runs even when its action is disabled. Update handlers run when
// the application asks (normally from its idle processing): the first target
// in the route with an update handler decides; when no update handler sets
// the enabled state, a command that some target handles is enabled and one
// that nobody handles is disabled.
class CommandRegistry : public QObject
{
    Q_OBJECT
public:
    explicit CommandRegistry(QObject* parent = nullptr);
    ~CommandRegistry() override;

    // The registry made last and still alive, or null.
    static CommandRegistry* instance();

    // The action of a command, made on first use. Its status-bar prompt and
    // tooltip come from the string loader (the text of the command's own id:
    // "prompt\ntooltip").
    QAction* action(int id);
    QAction* findAction(int id) const;
    // The command id of an action of this registry, or 0.
    int idOf(const QAction* action) const;
    QList<int> ids() const;

    void setStringLoader(std::function<QString(int id)> loader);
    void setRoute(std::function<QList<CommandTarget*>()> route);
    QList<CommandTarget*> route() const;

    // Called with each command before it is routed (the main frame's command
    // hook); returning true consumes the command.
    void setCommandHook(std::function<bool(int id)> hook);

    // Routes the command now, whatever its action's state. True when a
    // target handled it.
    bool sendCommand(int id);
    // Queues the command; it is routed when the event loop delivers it.
    void postCommand(int id);

    // Runs the update of one command; returns its enabled state.
    bool updateCommand(int id);
    // Updates every command that has an action.
    void updateAll();
    // Updates the commands of these actions (actions of other owners are left alone).
    void updateActions(const QList<QAction*>& actions);
    // Updates the commands on a widget (its actions() list), and on all its
    // descendants when asked: a full update of the main window, or only the
    // bars a light update refreshes.
    void updateWidget(QWidget* widget, bool descendants);
    // Updates a menu's commands each time it is about to be shown.
    void watchMenu(QMenu* menu);

    // Commands that no target handles are disabled by the update (default).
    void setDisableIfNoHandler(bool disable) { m_disableIfNoHandler = disable; }

signals:
    // After a command ran (handled or not).
    void commandRouted(int id, bool handled);

protected:
    bool event(QEvent* event) override;

private:
    bool updateOne(int id, QAction* action);
    void applyPrompt(int id, QAction* action);

    std::map<int, QAction*> m_actions;
    std::function<QString(int)> m_loader;
    std::function<QList<CommandTarget*>()> m_route;
    std::function<bool(int)> m_hook;
    bool m_disableIfNoHandler = true;
};

} // namespace platform
