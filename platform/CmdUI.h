#pragma once

#include <QString>

class QAction;

namespace platform {

// What an update handler sets for one command: enabled, check state, text.
// Applied to the command's QAction at once (menus, toolbars and shortcuts
// share it). An update handler that wants the next target in the route to
// decide as well calls continueRouting().
class CmdUI
{
public:
    explicit CmdUI(int id, QAction* action = nullptr) : m_id(id), m_action(action) {}

    int id() const { return m_id; }
    QAction* action() const { return m_action; }

    void enable(bool on = true);
    // 0 unchecked, 1 checked, 2 indeterminate (shown as checked).
    void setCheck(int check = 1);
    void setRadio(bool on = true);
    void setText(const QString& text);

    void continueRouting() { m_continueRouting = true; }
    bool routingContinued() const { return m_continueRouting; }
    void resetRouting() { m_continueRouting = false; }

    // Whether a handler called enable() during this update.
    bool enableChanged() const { return m_enableChanged; }
    bool isEnabled() const { return m_enabled; }
    int check() const { return m_check; }

private:
    int m_id;
    QAction* m_action;
    bool m_enabled = true;
    bool m_enableChanged = false;
    int m_check = 0;
    bool m_continueRouting = false;
};

} // namespace platform
