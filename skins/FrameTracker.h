#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>

class QWidget;

// Moves or sizes a window with the mouse and the arrow keys, as the window
// menu's move and size entries do: the pointer and keys are held by the
// window until a click or Enter keeps the new place, or Esc puts the window
// back. Sizing moves the bottom-right corner. Deletes itself when done.
class FrameTracker : public QObject
{
    Q_OBJECT
public:
    enum class Mode { Move, Size };

    static FrameTracker* Start(QWidget* window, Mode mode);
    // The tracker running on the window, or null.
    static FrameTracker* Running(const QWidget* window);

    // Arrow keys move by this many pixels.
    static constexpr int kKeyStep = 8;
    // No window is sized smaller than this (nor than its own least size).
    static constexpr QSize kLeastSize{136, 39};

    // Applies a pointer moved by (dx, dy) since the start.
    void Follow(QPoint delta);
    // Ends, keeping the new place or going back to the old one.
    void End(bool keep);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FrameTracker(QWidget* window, Mode mode);

    QPointer<QWidget> m_window;
    Mode m_mode;
    QRect m_start;
    QPoint m_anchor;
    QPoint m_keyDelta;
    bool m_bEnded = false;
};
