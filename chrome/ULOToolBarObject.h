#pragma once

#include "chrome/ULOToolBar.h"
#include "dialogs/VornaDlgDynamicTableCreate.h"

#include <QPointer>
#include <functional>

class EscapeWatcher;
class QRubberBand;

// The object toolbar: the web-object and advanced-object buttons list the
// objects of their kind; while a page is edited, the text-box button can be
// dragged onto the page (a 100 x 25 outline follows the pointer and a text
// box goes in where it is released; Escape cancels) and a press on the table
// button drops the table picker under it.
class ULOToolBarObject : public ULOToolBar
{
    Q_OBJECT
public:
    static constexpr int kTextBox = 33128;
    static constexpr QSize kOutlineSize{100, 25};

    using ULOToolBar::ULOToolBar;
    ~ULOToolBarObject() override;
    bool SetupDropDowns() override
    {
        MakeMenuDropDown(10, 586, false);
        MakeMenuDropDown(11, 587, false);
        return true;
    }

    // Where a dragged text box goes: whether a page is edited in its editing
    // view, and the insertion at a screen point (false when no page is
    // there). The main frame's unless set.
    struct TextBoxDrop
    {
        std::function<bool()> canDrag;
        std::function<bool(const QPoint& screenPoint)> drop;
    };
    void SetTextBoxDrop(TextBoxDrop drop) { m_textBoxDrop = std::move(drop); }
    // The outline shown while the text box is dragged, or null.
    QWidget* dragOutline() const;

    // Set while the text-box button is dragged onto a page.
    bool m_bTextDrag = false;
    // The table picker of the table button; open while its window exists.
    VornaDlgDynamicTableCreate m_dlgTableCreate;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Opens the picker under the button; false (the button sends its
    // command) without a page being edited.
    bool OpenTablePicker(QWidget* button);
    TextBoxDrop textBoxDrop() const;
    bool TextDragEvent(QWidget* button, QEvent* event);
    void MoveOutline(const QPoint& screenPoint);
    void EndTextDrag();
    // Escape: the drag ends and the button lets go without its command.
    void CancelTextDrag();

    TextBoxDrop m_textBoxDrop;
    QPointer<QRubberBand> m_outline;
    EscapeWatcher* m_escape = nullptr; // owned by the bar
};
