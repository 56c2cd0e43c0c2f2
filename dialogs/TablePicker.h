#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// The rows × columns grid under the object toolbar's table button, without a
// window: where its squares and label stand, how the window grows while the
// mouse sweeps past its edges, which size the cursor picks, and what a press
// or release does in each state. Points are in the window's client
// coordinates unless said otherwise; sizes picked are (columns, rows).
class TablePicker
{
public:
    enum State {
        kClosed = 0,    // no window
        kFollowing = 1, // opened under a held button: a release or press chooses
        kWaiting = 2,   // opened by a click: squares light only inside the grid
        kPressed = 3,   // pressed inside the grid while waiting: the release chooses
    };

    static constexpr int kPitch = 20;
    static constexpr int kSquare = 18;
    static constexpr QSize kFirstSize{84, 123};

    // The window opens at a screen point, in state 1. `opener` is the
    // button's screen rectangle (a release over it hands the mouse to the
    // picker); `screen` the screen's available area, which the window does
    // not grow past.
    void Open(QPoint screenPoint, QRect opener, QRect screen);
    void Close() { m_state = kClosed; }
    State state() const { return m_state; }
    // The opener saw its button released: the picker waits for a click.
    void Wait() { m_state = kWaiting; }

    // The window in screen coordinates.
    QRect window() const { return QRect(m_origin, m_size); }
    QRect GridRect() const;
    QRect LabelRect() const;
    // The squares, column by column, each column top to bottom.
    QList<QRect> Squares() const;
    // Whether a square is drawn in the highlight colour with the cursor there.
    bool IsLit(const QRect& square, QPoint cursor) const;
    // The size under the cursor, counted from 1; (0, 0) outside the grid.
    QSize SizeAt(QPoint cursor) const;
    // The size picked at the last paint (or press and release).
    QSize Chosen() const { return m_chosen; }
    void Track(QPoint cursor) { m_chosen = SizeAt(cursor); }
    // "rows x columns" of the size picked, as the label shows it.
    QString Label() const;

    // The mouse moved: past the right or bottom edge the window grows by
    // whole squares (never shrinking), unless the picker waits for a click.
    // True when its size changed.
    bool MouseMove(QPoint cursor);
    // A press or release: true when it makes the choice (the picker closes).
    bool MousePress(QPoint cursor);
    bool MouseRelease(QPoint cursor);

    // What a choice inserts: the rest of the TABLE start tag and its empty
    // rows and cells, and the table's size in pixels.
    struct Insertion
    {
        QString html;
        QSize size;
    };
    // An empty table of a size (columns, rows) half as wide as a page view of
    // that window width.
    static Insertion InsertionFor(QSize chosen, int viewWidth);

private:
    State m_state = kClosed;
    QPoint m_origin;
    QSize m_size = kFirstSize;
    QRect m_opener;
    QRect m_screen;
    QSize m_chosen{0, 0};
};
