#include "controls/CListEditCtrl.h"

#include "controls/InPlaceEditGeometry.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>

CListEditCtrl::CListEditCtrl(int item, int subItem, const QString& initText, QWidget* list, int id)
    : QLineEdit(list), m_nItem(item), m_nSubItem(subItem), m_id(id), m_strInitText(initText), m_list(list)
{
    setObjectName(QStringLiteral("id_%1").arg(id));
    connect(this, &QLineEdit::textEdited, this, &CListEditCtrl::widenToText);
}

bool CListEditCtrl::Create(const QRect& cellRect)
{
    if (!m_list)
        return false;
    setGeometry(cellRect);
    setFont(m_list->font());
    setText(m_strInitText);
    show();
    setFocus(Qt::OtherFocusReason);
    deselect();
    setCursorPosition(0);
    return true;
}

ListDispInfo CListEditCtrl::info() const
{
    ListDispInfo info;
    info.idFrom = m_id;
    info.item = m_nItem;
    info.subItem = m_nSubItem;
    return info;
}

bool CListEditCtrl::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const int k = key->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Escape || k == Qt::Key_Delete ||
            (key->modifiers() & Qt::ControlModifier)) {
            // The key is the editor's: no accelerator of the window may take it.
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CListEditCtrl::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        m_bEscape = true;
        [[fallthrough]];
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        if (m_list)
            m_list->setFocus(Qt::OtherFocusReason);
        return;
    default:
        QLineEdit::keyPressEvent(event);
        event->accept();
    }
}

void CListEditCtrl::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    ListDispInfo begin = info();
    begin.hasText = !m_bEscape;
    begin.text = m_bEscape ? QString() : text();
    begin.textMax = int(text().size());
    emit beginLabelEdit(begin);
}

void CListEditCtrl::Discard()
{
    if (m_bEnded)
        return;
    m_bEnded = true;
    hide();
    if (m_list)
        m_list->setFocus(Qt::OtherFocusReason);
    deleteLater();
}

void CListEditCtrl::focusOutEvent(QFocusEvent* event)
{
    // The editor's own context menu takes the focus for a moment: that is no end.
    if (event->reason() == Qt::PopupFocusReason || m_bEnded) {
        QLineEdit::focusOutEvent(event);
        return;
    }
    m_ime.complete(*this);
    QLineEdit::focusOutEvent(event);
    m_bEnded = true;
    ListDispInfo end = info();
    const QString result = text();
    end.hasText = !m_bEscape;
    end.text = m_bEscape ? QString() : result;
    end.textMax = int(result.size());
    // Gone from the screen before the list acts on the end (it may ask the user).
    hide();
    emit endLabelEdit(end);
    deleteLater();
}

void CListEditCtrl::inputMethodEvent(QInputMethodEvent* event)
{
    m_ime.observe(*event);
    QLineEdit::inputMethodEvent(event);
}

void CListEditCtrl::widenToText()
{
    if (!m_list)
        return;
    const int textWidth = QFontMetrics(m_list->font()).horizontalAdvance(text());
    const QRect now = geometry();
    const int right = InPlaceEditGeometry::widenedRight(now.x(), now.width(), textWidth, m_list->rect().right() + 1);
    if (right != now.x() + now.width())
        setGeometry(now.x(), now.y(), right - now.x(), now.height());
}
