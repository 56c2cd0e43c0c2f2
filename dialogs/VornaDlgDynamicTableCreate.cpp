#include "dialogs/VornaDlgDynamicTableCreate.h"

#include "app/CMainFrame.h"
#include "app/CZQView.h"
#include "controls/SysColors.h"
#include "editor/CImpIDispatch.h"
#include "skins/VornaSkinManager.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace tablepicker_detail {

constexpr platform::ColorRef kLit = 0xFF8080; // a light blue
constexpr platform::ColorRef kUnlit = 0xFFFFFF;

// The picker's window: a frameless popup that hands its events to the picker.
class PickerWindow : public QWidget
{
public:
    PickerWindow(VornaDlgDynamicTableCreate& owner, QWidget* parent)
        : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint), m_owner(owner)
    {
        setObjectName(QStringLiteral("id_%1").arg(VornaDlgDynamicTableCreate::IDD));
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void mouseMoveEvent(QMouseEvent* event) override { m_owner.OnMouseMove(event->position().toPoint()); }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            m_owner.OnLButtonDown(event->position().toPoint());
        else
            QWidget::mousePressEvent(event); // closes the popup when outside it
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            m_owner.OnLButtonUp(event->position().toPoint());
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape) {
            m_owner.OnEscape();
            return;
        }
        QWidget::keyPressEvent(event);
    }
    void paintEvent(QPaintEvent*) override
    {
        QPainter dc(this);
        m_owner.Paint(dc, mapFromGlobal(QCursor::pos()));
    }
    void closeEvent(QCloseEvent* event) override
    {
        QWidget::closeEvent(event);
        if (m_owner.window() == this)
            m_owner.OnClosed();
    }

private:
    VornaDlgDynamicTableCreate& m_owner;
};

QColor sysColor(int index)
{
    return platform::toQColor(GetSkinSysColor(index));
}

// A frame one pixel wide inside the rectangle: top and left in one colour,
// bottom and right in the other.
void drawFrame(QPainter& dc, const QRect& box, const QColor& topLeft, const QColor& bottomRight)
{
    dc.setPen(topLeft);
    dc.drawLine(box.topLeft(), box.topRight());
    dc.drawLine(box.topLeft(), box.bottomLeft());
    dc.setPen(bottomRight);
    dc.drawLine(box.bottomLeft(), box.bottomRight());
    dc.drawLine(box.topRight(), box.bottomRight());
}

} // namespace tablepicker_detail

VornaDlgDynamicTableCreate::VornaDlgDynamicTableCreate(QWidget* parent) : m_pParent(parent) {}

VornaDlgDynamicTableCreate::~VornaDlgDynamicTableCreate()
{
    delete m_pWindow.data();
}

bool VornaDlgDynamicTableCreate::CreateAt(QWidget* parent, QPoint screenPoint, QRect openerRect)
{
    DestroyWindow();
    if (parent)
        m_pParent = parent;
    QScreen* screen = QGuiApplication::screenAt(screenPoint);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    m_picker.Open(screenPoint, openerRect, screen ? screen->availableGeometry() : QRect());
    m_pWindow = new tablepicker_detail::PickerWindow(*this, m_pParent);
    m_pWindow->setGeometry(m_picker.window());
    m_pWindow->show();
    return true;
}

void VornaDlgDynamicTableCreate::OnMouseMove(QPoint cursor)
{
    if (!m_pWindow)
        return;
    if (m_picker.MouseMove(cursor))
        m_pWindow->setGeometry(m_picker.window());
    m_pWindow->update();
}

void VornaDlgDynamicTableCreate::OnLButtonDown(QPoint cursor)
{
    if (m_picker.MousePress(cursor))
        MakeChoice();
    else if (m_pWindow)
        m_pWindow->update();
}

void VornaDlgDynamicTableCreate::OnLButtonUp(QPoint cursor)
{
    if (m_picker.MouseRelease(cursor))
        MakeChoice();
    else if (m_pWindow)
        m_pWindow->update();
}

void VornaDlgDynamicTableCreate::OnEscape()
{
    // A pending insertion ends, and the page lets go of the mouse.
    CMainFrame* frame = CMainFrame::instance();
    CZQView* view = frame ? frame->GetActiveView() : nullptr;
    if (view) {
        frame->m_strInsertHtml.clear();
        frame->BeginInsertObject(0);
        if (CImpIDispatch* sink = view->GetSink())
            sink->ReleaseDocumentCapture();
    }
    DestroyWindow();
}

void VornaDlgDynamicTableCreate::OnClosed()
{
    DestroyWindow();
}

void VornaDlgDynamicTableCreate::MakeChoice()
{
    DestroyWindow();
    const QSize chosen = m_picker.Chosen();
    if (chosen.width() <= 0 || chosen.height() <= 0)
        return;
    // Only into a page being edited; without one the picker just closes.
    CMainFrame* frame = CMainFrame::instance();
    CZQView* view = frame ? frame->InsertTargetView() : nullptr;
    if (!view)
        return;
    const TablePicker::Insertion insertion = TablePicker::InsertionFor(chosen, view->frameGeometry().width());
    frame->m_strInsertHtml = insertion.html;
    frame->m_sizeInsertTable = insertion.size;
    frame->BeginInsertObject(4);
}

void VornaDlgDynamicTableCreate::DestroyWindow()
{
    m_picker.Close();
    QWidget* window = m_pWindow.data();
    m_pWindow = nullptr;
    if (!window)
        return;
    // Its own events may be running: it goes once they are done.
    window->hide();
    window->deleteLater();
}

void VornaDlgDynamicTableCreate::Paint(QPainter& dc, QPoint cursor)
{
    namespace detail = tablepicker_detail;
    const QRect client(QPoint(0, 0), m_picker.window().size());
    const QColor highlight = detail::sysColor(COLOR_BTNHIGHLIGHT);
    const QColor shadow = detail::sysColor(COLOR_BTNSHADOW);
    FillSkinBackgroundXY(dc, 0, 0, client.width(), client.height(), nullptr, m_pWindow);
    detail::drawFrame(dc, client, highlight, shadow);

    for (const QRect& square : m_picker.Squares()) {
        const bool lit = m_picker.IsLit(square, cursor);
        dc.fillRect(square, platform::toQColor(lit ? detail::kLit : detail::kUnlit));
        dc.setPen(shadow);
        dc.setBrush(Qt::NoBrush);
        dc.drawRect(square.adjusted(0, 0, -1, -1));
    }

    m_picker.Track(cursor);
    const QRect label = m_picker.LabelRect();
    detail::drawFrame(dc, label, shadow, highlight);
    if (m_pWindow)
        dc.setFont(m_pWindow->font());
    dc.setPen(Qt::black);
    dc.drawText(label.adjusted(1, 1, -1, -1), Qt::AlignCenter, m_picker.Label());
}
