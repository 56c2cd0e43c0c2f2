#pragma once

#include <QChar>
#include <QRect>
#include <QSize>

class CMenuBar;
class QPainter;
class QWidget;

// One item of the menu bar: a button of a top-level menu, the maximised
// page's icon, or its minimise, restore and close buttons.
class CMenuItem
{
public:
    enum Style : quint8 {
        MISTYLE_SELECTABLE = 0x01,
        MISTYLE_WRAPPABLE = 0x02,
    };
    enum State : quint8 {
        MISTATE_HOT = 0x01,
        MISTATE_PRESSED = 0x02,
        MISTATE_HORZ = 0x04,
        MISTATE_HIDDEN = 0x08,
        MISTATE_WRAP = 0x10,
        MISTATE_INACTIVE = 0x20,
    };

    virtual ~CMenuItem();

    virtual void Draw(QPainter& painter) = 0;
    // Sets the horizontal bit and the rectangle: the origin plus the size, or
    // plus the size turned on its side for a vertical bar; hidden: empty.
    virtual void Layout(QPoint origin, bool horizontal);
    // Opens what the item opens; returns when it is closed again.
    virtual void TrackPopup(CMenuBar* bar, QWidget* owner);

    // The size in a horizontal bar; 0 x 0 while hidden.
    QSize GetHorizontalSize() const;
    // The size the item takes in a bar of that orientation.
    QSize GetSize(bool horizontal) const;
    // Removes and adds state bits; true when the state changed.
    bool ModifyState(quint8 remove, quint8 add);

    bool IsSelectable() const { return m_fsStyle & MISTYLE_SELECTABLE; }
    bool IsWrappable() const { return m_fsStyle & MISTYLE_WRAPPABLE; }
    bool IsHidden() const { return m_fsState & MISTATE_HIDDEN; }
    bool IsHorizontal() const { return m_fsState & MISTATE_HORZ; }

    quint8 m_fsStyle = 0;
    quint8 m_fsState = MISTATE_HORZ;
    QRect m_rcItem;
    QSize m_sizeHorz;
    QChar m_cAccessKey;
};
