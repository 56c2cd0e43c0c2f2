#include "controls/CComboInListView.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>

CComboInListView::CComboInListView(int item, int subItem, const QStringList& choices, QWidget* list, int id)
    : QComboBox(list), m_nItem(item), m_nSubItem(subItem), m_id(id), m_lstItems(choices), m_list(list)
{
    setObjectName(QStringLiteral("id_%1").arg(id));
    setMaxVisibleItems(10);
}

bool CComboInListView::Create(const QRect& cellRect)
{
    if (!m_list)
        return false;
    setGeometry(cellRect);
    setFont(m_list->font());
    addItems(m_lstItems);
    show();
    setFocus(Qt::OtherFocusReason);
    return true;
}

void CComboInListView::hidePopup()
{
    QComboBox::hidePopup();
    // Closing the list ends the choice, once the entry picked in it (if any) is
    // the current one.
    QMetaObject::invokeMethod(this, &CComboInListView::giveFocusToList, Qt::QueuedConnection);
}

void CComboInListView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        m_bEscape = true;
        [[fallthrough]];
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        giveFocusToList();
        return;
    default:
        QComboBox::keyPressEvent(event);
    }
}

void CComboInListView::focusOutEvent(QFocusEvent* event)
{
    // The drop-down list takes the focus while it is open: that is no end.
    if (event->reason() == Qt::PopupFocusReason || view()->isVisible() || m_bEnded) {
        QComboBox::focusOutEvent(event);
        return;
    }
    const int selection = currentIndex();
    QComboBox::focusOutEvent(event);
    m_bEnded = true;
    if (selection >= 0) {
        ListDispInfo end;
        end.idFrom = m_id;
        end.item = m_nItem;
        end.subItem = m_nSubItem;
        const QString chosen = currentText();
        end.hasText = !m_bEscape;
        end.text = m_bEscape ? QString() : chosen;
        end.textMax = int(chosen.size());
        end.hasParam = true;
        end.param = itemData(selection);
        emit endLabelEdit(end);
    }
    hide();
    deleteLater();
}

void CComboInListView::giveFocusToList()
{
    if (m_list && !m_bEnded)
        m_list->setFocus(Qt::OtherFocusReason);
}
