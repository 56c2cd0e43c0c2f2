#include "chrome/VornaChildFrmTabCtrlViewHook.h"

#include "chrome/CaptionGlyphs.h"
#include "controls/SysColors.h"

#include <QEvent>
#include <QPainter>
#include <QRegion>
#include <QWidget>

namespace viewhook_detail {

// The border itself: a ring as wide as the border, through which the mouse
// reaches the view.
class ViewBorder : public QWidget
{
public:
    explicit ViewBorder(QWidget* view) : QWidget(view)
    {
        setObjectName(QStringLiteral("viewBorder"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void resizeEvent(QResizeEvent*) override
    {
        const int b = VornaChildFrmTabCtrlViewHook::kBorder;
        setMask(QRegion(rect()).subtracted(QRegion(rect().adjusted(b, b, -b, -b))));
    }
    void paintEvent(QPaintEvent*) override
    {
        QPainter dc(this);
        DrawDouble3dRect(dc, platform::Rect::fromQRect(rect()), COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DDKSHADOW,
                         COLOR_3DLIGHT);
    }
};

} // namespace viewhook_detail

VornaChildFrmTabCtrlViewHook::~VornaChildFrmTabCtrlViewHook()
{
    Attach(nullptr);
}

void VornaChildFrmTabCtrlViewHook::OnAttachChanged(QObject*, QObject* current)
{
    delete m_border.data();
    if (auto* view = qobject_cast<QWidget*>(current)) {
        m_border = new viewhook_detail::ViewBorder(view);
        PlaceBorder();
        m_border->show();
    }
}

void VornaChildFrmTabCtrlViewHook::PlaceBorder()
{
    auto* view = qobject_cast<QWidget*>(hookedWindow());
    if (!view || !m_border)
        return;
    m_border->setGeometry(view->rect());
    m_border->raise();
}

bool VornaChildFrmTabCtrlViewHook::WindowProc(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::ChildAdded:
    case QEvent::Show:
        PlaceBorder();
        break;
    default:
        break;
    }
    return CSubclassWnd::WindowProc(event);
}
