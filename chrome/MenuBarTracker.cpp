#include "chrome/MenuBarTracker.h"

#include <Qt>

CMenuItem* MenuBarTracker::item(int index) const
{
    return index >= 0 && index < count() ? m_items[size_t(index)].get() : nullptr;
}

void MenuBarTracker::changed(int index)
{
    if (m_onItemChanged && index >= 0)
        m_onItemChanged(index);
}

void MenuBarTracker::SetTrackingState(TrackingState state, int index)
{
    if (m_nTrackingState == TRACK_BUTTON_HOT)
        m_bIgnoreAlt = false;
    m_nTrackingState = state;
    if (CMenuItem* current = item(m_nCurrentIndex)) {
        current->ModifyState(CMenuItem::MISTATE_HOT | CMenuItem::MISTATE_PRESSED, 0);
        changed(m_nCurrentIndex);
    }
    m_nCurrentIndex = -1;
    if (state != TRACK_NONE) {
        if (CMenuItem* next = item(index)) {
            m_nCurrentIndex = index;
            next->ModifyState(0, state == TRACK_POPUP ? CMenuItem::MISTATE_PRESSED : CMenuItem::MISTATE_HOT);
            changed(index);
        }
    }
    m_bProcessRightArrow = true;
    m_bProcessLeftArrow = true;
}

int MenuBarTracker::HitTest(QPoint point) const
{
    for (int i = 0; i < count(); ++i) {
        const CMenuItem* candidate = item(i);
        if (candidate->IsSelectable() && !candidate->IsHidden() && candidate->m_rcItem.contains(point))
            return i;
    }
    return -1;
}

int MenuBarTracker::GetNextOrPrevButton(int from, bool backwards) const
{
    if (count() == 0)
        return -1;
    int index = from;
    for (int step = 0; step < count(); ++step) {
        index = backwards ? (index <= 0 ? count() - 1 : index - 1) : (index + 1 >= count() ? 0 : index + 1);
        const CMenuItem* candidate = item(index);
        if (candidate->IsSelectable() && !candidate->IsHidden())
            return index;
    }
    return from;
}

int MenuBarTracker::FindAccessKey(QChar key) const
{
    if (key.isNull())
        return -1;
    for (int i = 0; i < count(); ++i) {
        const CMenuItem* candidate = item(i);
        if (!candidate->m_cAccessKey.isNull() && candidate->m_cAccessKey.toUpper() == key)
            return i;
    }
    return -1;
}

int MenuBarTracker::FirstKeyboardItem() const
{
    if (!m_bMDI)
        return count() > 0 ? 0 : -1;
    for (int i = 1; i < count(); ++i) {
        const CMenuItem* candidate = item(i);
        if (candidate->IsSelectable() && !candidate->IsHidden())
            return i;
    }
    return -1;
}

QChar MenuBarTracker::AccessCharacter(int key, QChar text)
{
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return QChar(key);
    return text.isLetterOrNumber() ? text : QChar();
}

MenuBarTracker::Outcome MenuBarTracker::TranslateFrameKey(const FrameKey& key)
{
    Outcome outcome;
    // F10 alone counts as the Alt key.
    const bool altKey = key.key == Qt::Key_Alt || (key.key == Qt::Key_F10 && !key.shift && !key.ctrl && !key.alt);
    if (!altKey) {
        if (key.kind == FrameKey::SysKeyUp)
            return outcome;
        // Alt used with another key: its release opens no keyboard mode.
        if (key.alt)
            m_bIgnoreAlt = true;
        if (m_nTrackingState == TRACK_BUTTON) {
            const bool forward = m_bHorizontal ? key.key == Qt::Key_Right : key.key == Qt::Key_Down;
            const bool backward = m_bHorizontal ? key.key == Qt::Key_Left : key.key == Qt::Key_Up;
            const bool open =
                key.key == Qt::Key_Space || (m_bHorizontal ? key.key == Qt::Key_Up || key.key == Qt::Key_Down
                                                           : key.key == Qt::Key_Left || key.key == Qt::Key_Right);
            if (key.key == Qt::Key_Escape) {
                SetTrackingState(TRACK_NONE);
                outcome.swallow = true;
                return outcome;
            }
            if (open || key.key == Qt::Key_Return || key.key == Qt::Key_Enter) {
                outcome.trackItem = m_nCurrentIndex;
                outcome.swallow = true;
                return outcome;
            }
            if (forward || backward) {
                SetTrackingState(TRACK_BUTTON, GetNextOrPrevButton(m_nCurrentIndex, backward));
                outcome.swallow = true;
                return outcome;
            }
        }
        const QChar access = key.character;
        if ((key.alt || m_nTrackingState == TRACK_BUTTON) && !access.isNull()) {
            const int found = FindAccessKey(access);
            if (found >= 0) {
                SetTrackingState(TRACK_NONE);
                outcome.trackItem = found;
                outcome.swallow = true;
                return outcome;
            }
            if (m_nTrackingState == TRACK_BUTTON && !key.alt) {
                outcome.swallow = true;
                return outcome;
            }
        }
        if (m_nTrackingState != TRACK_NONE && m_nTrackingState != TRACK_BUTTON_HOT)
            SetTrackingState(TRACK_NONE);
        return outcome;
    }
    // The Alt key itself (or F10).
    if (key.kind == FrameKey::SysKeyUp) {
        if (m_nTrackingState == TRACK_NONE) {
            if (m_bIgnoreAlt)
                m_bIgnoreAlt = false;
            else
                SetTrackingState(TRACK_BUTTON, FirstKeyboardItem());
        } else if (m_nTrackingState == TRACK_BUTTON) {
            SetTrackingState(TRACK_NONE);
        }
    }
    outcome.swallow = true;
    return outcome;
}

void MenuBarTracker::MouseButtonElsewhere()
{
    if (m_nTrackingState != TRACK_NONE)
        SetTrackingState(TRACK_NONE);
}

void MenuBarTracker::OnMouseMove(QPoint point)
{
    const int hit = HitTest(point);
    if (hit < 0) {
        if (m_nTrackingState != TRACK_NONE)
            SetTrackingState(TRACK_NONE);
        return;
    }
    if (hit != m_nCurrentIndex)
        SetTrackingState(TRACK_BUTTON_HOT, hit);
}

MenuBarTracker::Outcome MenuBarTracker::OnPopupMouseDown(QPoint point)
{
    Outcome outcome;
    const int hit = HitTest(point);
    if (hit >= 0 && hit == m_nCurrentIndex) {
        outcome.closePopup = true;
        outcome.swallow = true;
        SetTrackingState(TRACK_BUTTON, hit);
        m_bRetrack = false;
    }
    return outcome;
}

MenuBarTracker::Outcome MenuBarTracker::OnPopupMouseMove(QPoint point, bool overBar)
{
    Outcome outcome;
    if (!overBar || point == m_ptMouse)
        return outcome;
    const int hit = HitTest(point);
    if (hit >= 0 && hit != m_nCurrentIndex) {
        outcome.closePopup = true;
        SetTrackingState(TRACK_NONE);
        m_nCurrentIndex = hit;
        m_bRetrack = true;
    }
    m_ptMouse = point;
    return outcome;
}

MenuBarTracker::Outcome MenuBarTracker::OnPopupKeyDown(int key, bool leftMoves, bool rightMoves)
{
    Outcome outcome;
    if (!m_bHorizontal)
        return outcome;
    m_bProcessLeftArrow = leftMoves;
    m_bProcessRightArrow = rightMoves;
    const bool left = key == Qt::Key_Left && m_bProcessLeftArrow;
    const bool right = key == Qt::Key_Right && m_bProcessRightArrow;
    if (!left && !right)
        return outcome;
    const int next = GetNextOrPrevButton(m_nCurrentIndex, left);
    outcome.closePopup = true;
    outcome.swallow = true;
    SetTrackingState(TRACK_NONE);
    m_nCurrentIndex = next;
    m_bRetrack = true;
    return outcome;
}
