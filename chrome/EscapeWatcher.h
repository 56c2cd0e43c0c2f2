#pragma once

#include <QObject>
#include <functional>

// Sees Escape pressed anywhere in the program while it is installed on the
// application (during a drag, when the keyboard is with another window).
class EscapeWatcher : public QObject
{
public:
    // onEscape runs at the press; consumed, the press goes no further.
    explicit EscapeWatcher(std::function<void()> onEscape = {}, bool consume = false, QObject* parent = nullptr);
    ~EscapeWatcher() override;
    void install();
    void uninstall();
    bool escaped() const { return m_escaped; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_onEscape;
    bool m_consume = false;
    bool m_installed = false;
    bool m_escaped = false;
};
