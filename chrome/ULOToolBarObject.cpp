#include "chrome/ULOToolBarObject.h"

#include "app/CMainFrame.h"
#include "chrome/EscapeWatcher.h"
#include "platform/ProgramCursors.h"
#include "res/resource.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QRubberBand>

namespace {
// The cursor of a text box being dragged.
constexpr int kTextBoxCursor = 271;
} // namespace

ULOToolBarObject::~ULOToolBarObject()
{
    delete m_outline.data();
}

bool ULOToolBarObject::eventFilter(QObject* watched, QEvent* event)
{
    if (m_bTextDrag || (event->type() == QEvent::MouseButtonPress && !IsCustomizing())) {
        auto* button = qobject_cast<QWidget*>(watched);
        if (TextDragEvent(button, event))
            return true;
    }
    if (!IsCustomizing() && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        QWidget* table = buttonWidget(int(buttonIds().indexOf(ID_TABLE_INSERT)));
        if (table && watched == table && table->isEnabled() && OpenTablePicker(table))
            return true;
    }
    return ULOToolBar::eventFilter(watched, event);
}

ULOToolBarObject::TextBoxDrop ULOToolBarObject::textBoxDrop() const
{
    if (m_textBoxDrop.canDrag && m_textBoxDrop.drop)
        return m_textBoxDrop;
    TextBoxDrop frameDrop;
    frameDrop.canDrag = [] {
        CMainFrame* frame = CMainFrame::instance();
        return frame && frame->InsertTargetView();
    };
    frameDrop.drop = [](const QPoint& screenPoint) {
        CMainFrame* frame = CMainFrame::instance();
        return frame && frame->DropTextBox(screenPoint);
    };
    return frameDrop;
}

bool ULOToolBarObject::TextDragEvent(QWidget* watched, QEvent* event)
{
    QWidget* textBox = buttonWidget(int(buttonIds().indexOf(kTextBox)));
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        // The button presses as usual; the drag is armed with it.
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!m_bTextDrag && textBox && watched == textBox && textBox->isEnabled() &&
            mouse->button() == Qt::LeftButton && textBoxDrop().canDrag()) {
            m_bTextDrag = true;
            // Escape goes to whichever window has the keyboard.
            if (!m_escape)
                m_escape = new EscapeWatcher([this] { CancelTextDrag(); }, true, this);
            m_escape->install();
        }
        return false;
    }
    case QEvent::MouseMove:
        if (watched == textBox) {
            MoveOutline(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
            textBox->setCursor(platform::ProgramCursors::cursor(kTextBoxCursor));
        }
        return false;
    case QEvent::MouseButtonRelease: {
        if (watched != textBox)
            return false;
        const QPoint screenPoint = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        EndTextDrag();
        // Released on the button itself it is an ordinary click; elsewhere
        // the text box goes in there (the button, released off it, sends nothing).
        if (!textBox->rect().contains(textBox->mapFromGlobal(screenPoint)))
            textBoxDrop().drop(screenPoint);
        return false;
    }
    default:
        return false;
    }
}

void ULOToolBarObject::MoveOutline(const QPoint& screenPoint)
{
    QWidget* host = parentWidget() ? parentWidget()->window() : window();
    if (!m_outline) {
        m_outline = new QRubberBand(QRubberBand::Rectangle, host);
        m_outline->setObjectName(QStringLiteral("textBoxOutline"));
        m_outline->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    m_outline->setGeometry(QRect(m_outline->parentWidget()->mapFromGlobal(screenPoint), kOutlineSize));
    m_outline->raise();
    m_outline->show();
}

void ULOToolBarObject::EndTextDrag()
{
    if (!m_bTextDrag)
        return;
    m_bTextDrag = false;
    m_escape->uninstall();
    if (m_outline)
        m_outline->hide();
    if (QWidget* textBox = buttonWidget(int(buttonIds().indexOf(kTextBox))))
        textBox->unsetCursor();
}

void ULOToolBarObject::CancelTextDrag()
{
    EndTextDrag();
    if (QWidget* textBox = buttonWidget(int(buttonIds().indexOf(kTextBox)))) {
        // The button lets go without sending its command.
        QMouseEvent away(QEvent::MouseButtonRelease, QPointF(-1, -1), textBox->mapToGlobal(QPointF(-1, -1)),
                         Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(textBox, &away);
    }
}

QWidget* ULOToolBarObject::dragOutline() const
{
    return m_outline && m_outline->isVisible() ? m_outline.data() : nullptr;
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
