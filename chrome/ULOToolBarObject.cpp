#include "chrome/ULOToolBarObject.h"

#include "app/CMainFrame.h"
#include "res/resource.h"

#include <QActionEvent>
#include <QCoreApplication>
#include <QMouseEvent>

void ULOToolBarObject::actionEvent(QActionEvent* event)
{
    ULOToolBar::actionEvent(event);
    // Every button (new ones too, when a saved layout replaces them) is
    // watched for the press on the table button.
    if (event->type() == QEvent::ActionAdded)
        if (QWidget* button = widgetForAction(event->action()))
            button->installEventFilter(this);
}

bool ULOToolBarObject::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        QWidget* table = buttonWidget(int(buttonIds().indexOf(ID_TABLE_INSERT)));
        if (table && watched == table && table->isEnabled() && OpenTablePicker(table))
            return true;
    }
    return ULOToolBar::eventFilter(watched, event);
}

bool ULOToolBarObject::OpenTablePicker(QWidget* button)
{
    CMainFrame* frame = CMainFrame::instance();
    if (!frame || !frame->InsertTargetView())
        return false;
    const QRect opener(button->mapToGlobal(QPoint(0, 0)), button->size());
    if (!m_dlgTableCreate.CreateAt(frame, QPoint(opener.left(), opener.top() + opener.height()), opener))
        return false;
    // The picker has the mouse from here on: the button no longer shows it
    // hovering (it would stay lit after the picker closes).
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(button, &leave);
    button->setAttribute(Qt::WA_UnderMouse, false);
    button->update();
    return true;
}
