#pragma once

#include "controls/ListDispInfo.h"

#include <QComboBox>
#include <QPointer>
#include <QStringList>

// A drop-down choice laid over one cell of a list for one choice. Closing its
// list, Enter or Escape ends the choice; on losing the focus it tells the list
// the chosen text and the entry's data (nothing when no entry is chosen; no text
// after Escape) and then deletes itself.
class CComboInListView : public QComboBox
{
    Q_OBJECT
public:
    CComboInListView(int item, int subItem, const QStringList& choices, QWidget* list, int id = 4661);

    // Places the box over the cell (list coordinates) with the list's font and
    // the choices, and takes the focus. The owner then picks the current text
    // and drops the list down.
    bool Create(const QRect& cellRect);

    int item() const { return m_nItem; }
    int subItem() const { return m_nSubItem; }

    void hidePopup() override;

signals:
    void endLabelEdit(const ListDispInfo& info);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void giveFocusToList();

    int m_nItem;
    int m_nSubItem;
    int m_id;
    QStringList m_lstItems;
    bool m_bEscape = false;
    bool m_bEnded = false;
    QPointer<QWidget> m_list;
};
