// Customisation mode of the application toolbars: buttons dragged between
// toolbars while the customisation dialog is open.
#include "chrome/ULOToolBar.h"

#include "chrome/EscapeWatcher.h"

#include "dialogs/VornaDialogCustomizeToolbox.h"
#include "platform/CommandRegistry.h"

#include <QAction>
#include <QActionEvent>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QToolButton>

ULOToolBar::ButtonDrag ULOToolBar::s_drag;

namespace {

// A three-pixel dotted frame over a button.
class DragFrame : public QWidget
{
public:
    explicit DragFrame(QWidget* button) : QWidget(button)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(button->rect());
        show();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        for (int inset = 0; inset < 3; ++inset)
            painter.drawRect(rect().adjusted(inset, inset, -1 - inset, -1 - inset));
    }
};

void hideMarker()
{
    if (!g_pCustomizeToolbox)
        return;
    g_pCustomizeToolbox->m_rcMarker = QRect();
    g_pCustomizeToolbox->DrawInsertMarker();
}

} // namespace

bool ULOToolBar::IsCustomizing()
{
    return g_pCustomizeToolbox != nullptr;
}

int ULOToolBar::HitTestButton(const QPoint& point) const
{
    for (int i = 0; i < m_actions.size(); ++i) {
        if (m_buttons[i].id != 0 && actionGeometry(m_actions[i]).contains(point))
            return i;
    }
    return -1;
}

QRect ULOToolBar::GetItemRect(int index) const
{
    return index >= 0 && index < m_actions.size() ? actionGeometry(m_actions[index]) : QRect();
}

bool ULOToolBar::InsertButton(int index, const Button& button)
{
    if (!m_registry || button.id < 0 || button.id > 0xFFFF)
        return false;
    index = std::clamp(index, 0, int(m_buttons.size()));
    QAction* action = nullptr;
    if (button.id != 0) {
        action = m_registry->action(button.id);
        // A bar shows a command once: one already here moves to the new place.
        const int present = int(m_actions.indexOf(action));
        if (present >= 0) {
            m_actions.removeAt(present);
            m_buttons.removeAt(present);
            removeAction(action);
            if (present < index)
                --index;
        }
    }
    QAction* before = m_actions.value(index, nullptr);
    if (!action) {
        action = before ? insertSeparator(before) : addSeparator();
    } else if (before) {
        insertAction(before, action);
    } else {
        addAction(action);
    }
    m_actions.insert(index, action);
    m_buttons.insert(index, button);
    if (button.kind == kSplitDropDown) {
        // This bar's button now carries the commands of its list.
        for (int id : s_dropDowns.value(button.id))
            s_owners.insert(id, this);
    }
    if (button.kind != kPlainButton)
        attachMenu(index);
    return true;
}

void ULOToolBar::DeleteButton(int index)
{
    if (index < 0 || index >= m_buttons.size())
        return;
    const int id = m_buttons[index].id;
    removeButton(index);
    if (id != 0 && !buttonIds().contains(id)) {
        if (QMenu* menu = m_menus.take(id))
            menu->deleteLater();
    }
}

void ULOToolBar::BeginButtonDrag(int index)
{
    s_drag = ButtonDrag{this, index};
    if (g_pCustomizeToolbox) {
        g_pCustomizeToolbox->m_rcMarker = QRect();
        g_pCustomizeToolbox->m_tbbDrag = m_buttons.value(index);
    }
}

void ULOToolBar::EndButtonDrag(bool cancelled)
{
    const ButtonDrag drag = std::exchange(s_drag, ButtonDrag{});
    hideMarker();
    update();
    if (drag.source != this || cancelled || drag.onItself)
        return;
    // Inserted on this bar, the button has moved already (a bar shows a
    // command once); otherwise it leaves this bar.
    if (drag.target == this && drag.insertedAt >= 0)
        return;
    DeleteButton(drag.index);
}

void ULOToolBar::runButtonDrag(int index)
{
    BeginButtonDrag(index);
    auto* drag = new QDrag(this); // the drag manager deletes it when the drag ends
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kCommandMimeType), QByteArray::number(m_buttons[index].id));
    drag->setMimeData(data);
    // The dragged button is framed while it is dragged.
    // (The button itself goes when the drop moves it within this bar.)
    QPointer<QWidget> frame;
    if (QWidget* button = buttonWidget(index)) {
        drag->setPixmap(button->grab());
        drag->setHotSpot(button->mapFromGlobal(QCursor::pos()));
        frame = new DragFrame(button);
    }
    // Qt ends a drag cancelled by Escape and one dropped off every window
    // alike. The watcher goes in once the drag's own filter is there, so it
    // sees the keys first.
    EscapeWatcher watcher;
    QTimer::singleShot(0, &watcher, [&watcher] { watcher.install(); });
    drag->exec(Qt::MoveAction);
    watcher.uninstall();
    delete frame.data();
    EndButtonDrag(watcher.escaped());
}

void ULOToolBar::actionEvent(QActionEvent* event)
{
    QToolBar::actionEvent(event);
    if (event->type() == QEvent::ActionAdded)
        if (auto* button = qobject_cast<QToolButton*>(widgetForAction(event->action())))
            button->installEventFilter(this);
}

bool ULOToolBar::eventFilter(QObject* watched, QEvent* event)
{
    // Right-click on a button, a disabled one too, is a right-click on the bar.
    if (event->type() == QEvent::ContextMenu && qobject_cast<QToolButton*>(watched)) {
        contextMenuEvent(static_cast<QContextMenuEvent*>(event));
        return true;
    }
    if (!IsCustomizing())
        return QToolBar::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            for (int i = 0; i < m_actions.size(); ++i) {
                if (m_buttons[i].id != 0 && widgetForAction(m_actions[i]) == watched) {
                    // Once the press is delivered: the drop may move the
                    // button, and its widget with it.
                    QMetaObject::invokeMethod(
                        this, [this, i] { runButtonDrag(i); }, Qt::QueuedConnection);
                    break;
                }
            }
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        // The buttons send no commands while they are being arranged.
        return true;
    default:
        return QToolBar::eventFilter(watched, event);
    }
}

bool ULOToolBar::acceptsCommandDrag(const QMimeData* data) const
{
    return IsCustomizing() && data && data->hasFormat(QString::fromLatin1(kCommandMimeType));
}

void ULOToolBar::dragEnterEvent(QDragEnterEvent* event)
{
    if (!acceptsCommandDrag(event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void ULOToolBar::dragMoveEvent(QDragMoveEvent* event)
{
    if (!acceptsCommandDrag(event->mimeData())) {
        event->ignore();
        return;
    }
    g_pCustomizeToolbox->TrackDragOverToolbar(mapToGlobal(event->position().toPoint()));
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void ULOToolBar::dragLeaveEvent(QDragLeaveEvent* event)
{
    hideMarker();
    event->accept();
}

void ULOToolBar::dropEvent(QDropEvent* event)
{
    if (!acceptsCommandDrag(event->mimeData())) {
        event->ignore();
        return;
    }
    const QPoint point = event->position().toPoint();
    if (s_drag.source == this && HitTestButton(point) == s_drag.index) {
        s_drag.onItself = true;
    } else {
        const int at = g_pCustomizeToolbox->DropButtonOnToolbar(mapToGlobal(point));
        if (s_drag.source) {
            s_drag.target = this;
            s_drag.insertedAt = at;
        }
    }
    hideMarker();
    update();
    event->setDropAction(Qt::MoveAction);
    event->accept();
}
