#pragma once

#include "controls/ImeComposition.h"
#include "controls/ListDispInfo.h"

#include <QLineEdit>
#include <QPointer>

// A text editor laid over one cell of a list for one edit. It tells the list
// that editing began (on taking the focus) and ended (on losing it), and then
// deletes itself. Escape cancels (the end carries no text); Enter confirms; an
// open input-method composition counts as typed where the caret stood. The box
// widens to the right as the text grows, up to the list's right edge. Enter,
// Escape, Delete and Control shortcuts act on the text, never on the window's
// commands.
class CListEditCtrl : public QLineEdit
{
    Q_OBJECT
public:
    // The list is the parent; the editor belongs to it until it deletes itself.
    CListEditCtrl(int item, int subItem, const QString& initText, QWidget* list, int id = 4660);

    // Places the editor over the cell (list coordinates), takes the list's font
    // and the initial text, shows it and takes the focus with the caret at the start.
    bool Create(const QRect& cellRect);

    int item() const { return m_nItem; }
    int subItem() const { return m_nSubItem; }
    bool isCancelled() const { return m_bEscape; }
    // The list refused the edit when it began: the editor closes and gives the
    // focus back to the list without telling an end.
    void Discard();

signals:
    void beginLabelEdit(const ListDispInfo& info);
    void endLabelEdit(const ListDispInfo& info);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void widenToText();
    ListDispInfo info() const;

    int m_nItem;
    int m_nSubItem;
    int m_id;
    QString m_strInitText;
    bool m_bEscape = false;
    bool m_bEnded = false;
    QPointer<QWidget> m_list;
    ImeComposition m_ime;
};
