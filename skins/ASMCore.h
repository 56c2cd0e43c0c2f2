#pragma once

#include <QObject>
#include <QPointer>

class QEvent;
class QWidget;

// A skin object: attached by the skin manager to one widget, it watches the
// widget's events and, while a skin is on, draws the widget in the skin. It
// never owns its widget; the manager owns it and drops it when the widget goes.
class ASMCore : public QObject
{
    Q_OBJECT
public:
    ASMCore();
    ~ASMCore() override;

    // Starts watching the widget.
    virtual void Attach(QWidget* window);
    // Stops watching it (the widget keeps its own handling only).
    void RestoreWndProc();
    QWidget* window() const { return m_window; }

    // The skin's handling of an event of the widget while a skin is on; true
    // when the widget must not see the event.
    virtual bool WindowProc(QEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    QPointer<QWidget> m_window;
};
