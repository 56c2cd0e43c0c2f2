#pragma once

#include "chrome/CMenuItem.h"

#include <QChar>
#include <QPoint>

#include <functional>
#include <memory>
#include <vector>

// The menu bar's items and how the keyboard and the mouse move among them:
// keyboard mode after Alt or F10, access keys, the popup that is open and the
// moves from it to the neighbouring items. Plain logic over the items; the
// bar widget draws and opens what this decides.
class MenuBarTracker
{
public:
    enum TrackingState {
        TRACK_NONE = 0,
        // Keyboard mode: an item is hot after Alt or F10.
        TRACK_BUTTON = 1,
        TRACK_POPUP = 2,
        // The mouse hovers over an item.
        TRACK_BUTTON_HOT = 3,
    };

    // A key as the frame sees it: a plain key down, a key down while Alt is
    // held (or F10), or a key up while Alt is held (Alt itself included).
    struct FrameKey
    {
        enum Kind { KeyDown, SysKeyDown, SysKeyUp };
        Kind kind = KeyDown;
        int key = 0; // Qt::Key
        bool alt = false;
        bool shift = false;
        bool ctrl = false;
        QChar character; // the key's character, for access keys
    };
    // What the bar does next: swallow the key, and open an item's popup.
    struct Outcome
    {
        bool swallow = false;
        int trackItem = -1;
        // While a popup is open: close it (the tracking loop reopens at the
        // current item when retrack is set).
        bool closePopup = false;
    };

    std::vector<std::unique_ptr<CMenuItem>> m_items;
    int m_nCurrentIndex = -1;
    bool m_bRetrack = false;
    bool m_bIgnoreAlt = false;
    TrackingState m_nTrackingState = TRACK_NONE;
    QPoint m_ptMouse{-1, -1};
    bool m_bProcessRightArrow = true;
    bool m_bProcessLeftArrow = true;
    // Docked along the top or the bottom, or floating.
    bool m_bHorizontal = true;
    // The bar of an MDI frame: item 0 is the page icon.
    bool m_bMDI = false;
    // Called for an item whose look changed.
    std::function<void(int index)> m_onItemChanged;

    int count() const { return int(m_items.size()); }
    CMenuItem* item(int index) const;

    void SetTrackingState(TrackingState state, int index = -1);
    // The first selectable item whose rectangle holds the point, or -1.
    int HitTest(QPoint point) const;
    // One step forwards or backwards with wrap-around to a selectable, shown item.
    int GetNextOrPrevButton(int from, bool backwards) const;
    // The first item whose access key is the key (upper-cased), or -1.
    int FindAccessKey(QChar key) const;
    // The item that Alt or F10 makes hot.
    int FirstKeyboardItem() const;

    // A key the frame receives; see Outcome.
    Outcome TranslateFrameKey(const FrameKey& key);
    // A mouse button pressed on another window.
    void MouseButtonElsewhere();
    // The mouse moved over the bar (bar coordinates).
    void OnMouseMove(QPoint point);

    // Input while a popup is open, the point in bar coordinates (overBar:
    // the point lies on this bar).
    Outcome OnPopupMouseDown(QPoint point);
    Outcome OnPopupMouseMove(QPoint point, bool overBar);
    // Left or Right in the open popup: leftMoves and rightMoves say whether the
    // popup lets the key go to the bar (its own top-level popup, an entry
    // without a submenu).
    Outcome OnPopupKeyDown(int key, bool leftMoves, bool rightMoves);
    void OnPopupSysKeyDown() { m_bIgnoreAlt = true; }

    // The key of a Qt key code and text as an access key, or a null QChar.
    static QChar AccessCharacter(int key, QChar text);

private:
    void changed(int index);
};
