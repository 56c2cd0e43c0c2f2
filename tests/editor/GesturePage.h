#pragma once

// A page in the running program driven as a user drives it: Qt's mouse and
// key events sent to the real view at client points, so that the engine's
// input, the sink's handlers and the main window's accelerators all run.

#include "ObjectsPage.h"

#include "engine/view/DesignModeInput.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>

class GesturePage : public ObjectsPage
{
protected:
    // The pointer comes to a client point (hovering, or dragging with the
    // buttons held).
    void move(QPoint at, Qt::MouseButtons held = Qt::NoButton, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        send(QEvent::MouseMove, at, Qt::NoButton, held, mods);
    }
    void press(QPoint at, Qt::KeyboardModifiers mods = Qt::NoModifier, Qt::MouseButton button = Qt::LeftButton)
    {
        send(QEvent::MouseButtonPress, at, button, button, mods);
    }
    void release(QPoint at, Qt::KeyboardModifiers mods = Qt::NoModifier, Qt::MouseButton button = Qt::LeftButton)
    {
        send(QEvent::MouseButtonRelease, at, button, Qt::NoButton, mods);
    }
    // A click as a hand makes it: the pointer arrives, then presses and lets go.
    void click(QPoint at, Qt::KeyboardModifiers mods = Qt::NoModifier, Qt::MouseButton button = Qt::LeftButton)
    {
        move(at, Qt::NoButton, mods);
        press(at, mods, button);
        release(at, mods, button);
        settle();
    }
    void doubleClick(QPoint at)
    {
        click(at);
        send(QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        release(at);
        settle();
    }
    // A drag in steps from one client point to another.
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = Qt::NoModifier, int steps = 4)
    {
        move(from, Qt::NoButton, mods);
        press(from, mods);
        for (int i = 1; i <= steps; ++i)
            move(from + (to - from) * i / steps, Qt::LeftButton, mods);
        release(to, mods);
        settle();
    }
    // Keys through the application, as typed: the main window's shortcuts
    // come first.
    void key(int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(page(), Qt::Key(qtKey), mods);
        settle();
    }
    void type(const QString& text)
    {
        QTest::keyClicks(page(), text);
        settle();
    }

    using ObjectsPage::clientBox;
    QRect clientBox(engine::Element* element) const
    {
        return engine::Geometry(page()->layout()).boundingClientRect(element);
    }
    Qt::CursorShape cursorShown() const { return page()->pageCursor().shape(); }
    QPoint center(const char* id) const { return clientBox(id).center(); }
    // A client point inside an element's first text, before its character `offset`.
    QPoint inText(const char* id, int offset) const
    {
        const QRect caret = page()->textGeometry().caretRectAt(textIn(id), offset);
        return caret.translated(-page()->scrollPosition()).center() + QPoint(1, 0);
    }

private:
    void send(QEvent::Type type, QPoint client, Qt::MouseButton button, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers mods)
    {
        QWidget* target = page()->viewport();
        const QPointF local = page()->clientToView(client);
        QMouseEvent event(type, local, target->mapToGlobal(local), button, buttons, mods);
        QCoreApplication::sendEvent(target, &event);
    }
};
