#include "controls/CColorPopup.h"

#include "controls/CColorSpace.h"
#include "controls/Draw3dRect.h"
#include "platform/ModalRunner.h"
#include "res/resource.h"
#include "controls/SkinContext.h"

#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

using platform::ColorRef;
using platform::Rect;
using platform::toQColor;

namespace colorpopup_detail {

// The platform's edge width (SM_CXEDGE): the margin of the layout.
constexpr int kEdge = 2;

QColor sysColor(int index)
{
    return toQColor(SkinContext::instance().sysColor(index));
}

} // namespace colorpopup_detail

CColorPopup::CColorPopup(int x, int y, int minimumWidth, ColorRef initialColor, ColorRef defaultColor, QWidget* notify)
    : QDialog(notify, Qt::Popup), m_model(initialColor, defaultColor), m_result(initialColor), m_position(x, y),
      m_minimumWidth(minimumWidth), m_notify(notify)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD_COLOR_POPUP));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    OnInitDialog();
}

CColorPopup::~CColorPopup() = default;

void CColorPopup::OnInitDialog()
{
    m_model.SetUserColors(LoadCustomColors());
    m_model.pressed = false;
    m_model.hover = ColorPopupModel::kNoItem;
    m_model.LayoutWindow(m_minimumWidth, colorpopup_detail::kEdge);
    m_model.chosen = m_model.ItemOfColor(m_model.initialColor());

    const Rect& window = m_model.layout().window;
    QScreen* screen = QGuiApplication::screenAt(m_position);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const Rect screenRect = screen ? Rect::fromQRect(screen->geometry()) : Rect(0, 0, 1 << 20, 1 << 20);
    const int openerHeight = m_notify ? m_notify->frameGeometry().height() : 0;
    // The client layout sits inside a frame of kFrame pixels on every side.
    const QSize size(window.width(), window.height());
    const Rect placed = ColorPopupModel::PlaceWindow(m_position, size, screenRect, openerHeight);
    setFixedSize(size);
    move(placed.left, placed.top);
}

int CColorPopup::DoModal()
{
    return platform::runModal(*this, IDD_COLOR_POPUP);
}

QRect CColorPopup::ItemRect(int item) const
{
    Rect r = m_model.RectOfItem(item);
    r.offset(kFrame, kFrame);
    return r.toQRect();
}

QPoint CColorPopup::toClient(QPoint widgetPoint) const
{
    return widgetPoint - QPoint(kFrame, kFrame);
}

void CColorPopup::paintEvent(QPaintEvent* /*event*/)
{
    using colorpopup_detail::sysColor;
    QPainter dc(this);
    const Rect all(0, 0, width(), height());
    dc.fillRect(all.toQRect(), sysColor(COLOR_BTNFACE));
    // A raised dialog frame.
    Draw3dRect(dc, all, SkinContext::instance().sysColor(COLOR_3DLIGHT),
               SkinContext::instance().sysColor(COLOR_3DDKSHADOW));
    Draw3dRect(dc, ShrunkRect(all, 1), SkinContext::instance().sysColor(COLOR_BTNHIGHLIGHT),
               SkinContext::instance().sysColor(COLOR_BTNSHADOW));

    dc.translate(kFrame, kFrame);
    if (m_model.HasDefaultButton())
        PaintItem(dc, ColorPopupModel::kDefaultItem);
    for (int item = 0; item < ColorPopupModel::kItemCount; ++item)
        PaintItem(dc, item);
    if (m_model.HasCustomButton())
        PaintItem(dc, ColorPopupModel::kCustomItem);

    const ColorPopupModel::Layout& l = m_model.layout();
    dc.setFont(font());
    dc.setPen(Qt::black);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    if (!m_model.standardLabelText().isEmpty())
        dc.drawText(l.standardLabel.toQRect(), flags, m_model.standardLabelText());
    if (!m_model.userLabelText().isEmpty())
        dc.drawText(l.userLabel.toQRect(), flags, m_model.userLabelText());
    for (const Rect& divider : {l.divider1, l.divider2}) {
        dc.fillRect(QRect(divider.left, divider.top, divider.width(), 1), sysColor(COLOR_BTNSHADOW));
        dc.fillRect(QRect(divider.left, divider.top + 1, divider.width(), 1), sysColor(COLOR_BTNHIGHLIGHT));
    }
}

void CColorPopup::PaintItem(QPainter& dc, int item)
{
    using colorpopup_detail::sysColor;
    const bool button = item == ColorPopupModel::kDefaultItem || item == ColorPopupModel::kCustomItem;
    Rect r = m_model.RectOfItem(item);
    if (r.isEmpty())
        return;
    if (button)
        r = ShrunkRect(r, 1);
    const int hover = m_model.hover;
    const int chosen = m_model.chosen;

    dc.fillRect(r.toQRect(), sysColor(COLOR_BTNFACE));
    if (item == chosen && item != hover) {
        // The checked look of a chosen item that the pointer is not on.
        dc.fillRect(r.toQRect(), QBrush(sysColor(COLOR_BTNHIGHLIGHT), Qt::Dense4Pattern));
    }
    if (item == ColorPopupModel::kDefaultItem) {
        const Rect inner = ShrunkRect(r, 3);
        Draw3dRect(dc, inner, SkinContext::instance().sysColor(COLOR_BTNSHADOW),
                   SkinContext::instance().sysColor(COLOR_BTNSHADOW));
    }
    const ColorRef shadow = SkinContext::instance().sysColor(COLOR_BTNSHADOW);
    const ColorRef highlight = SkinContext::instance().sysColor(COLOR_BTNHIGHLIGHT);
    if (item == chosen)
        Draw3dRect(dc, r, shadow, highlight);
    else if (item == hover)
        m_model.pressed ? Draw3dRect(dc, r, shadow, highlight) : Draw3dRect(dc, r, highlight, shadow);

    const ColorRef color = m_model.ColorOfItem(item);
    if (!button) {
        FillOutlinedRect(dc, ShrunkRect(r, 3), color, shadow);
    } else if (!IsColorMarker(color)) {
        const int s = m_model.layout().cellSize;
        const Rect square(r.left + 3, r.top + (r.height() - s) / 2, r.left + 3 + s, r.top + (r.height() - s) / 2 + s);
        FillOutlinedRect(dc, ShrunkRect(square, 3), color, shadow);
    }
    if (button) {
        dc.setFont(font());
        dc.setPen(Qt::black);
        dc.drawText(r.toQRect(), Qt::AlignCenter | Qt::TextSingleLine, m_model.TextOfItem(item));
    }
}

bool CColorPopup::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const int item = m_model.HitTest(toClient(help->pos()));
        const QString text = item == ColorPopupModel::kNoItem ? QString() : m_model.TextOfItem(item);
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this, ItemRect(item));
        return true;
    }
    return QDialog::event(e);
}

void CColorPopup::MoveHover(int item)
{
    if (m_model.hover != ColorPopupModel::kNoItem) {
        update(ItemRect(m_model.hover));
        m_model.hover = ColorPopupModel::kNoItem;
    }
    m_model.hover = item;
    update(ItemRect(item));
    emit hoverColorChanged(m_model.ColorOfItem(item));
}

void CColorPopup::mouseMoveEvent(QMouseEvent* event)
{
    const int item = m_model.HitTest(toClient(event->position().toPoint()));
    if (item != m_model.hover)
        MoveHover(item);
}

void CColorPopup::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->position().toPoint();
    if (!rect().contains(p)) {
        FinishCancelled();
        return;
    }
    m_model.pressed = true;
    MoveHover(m_model.HitTest(toClient(p)));
}

void CColorPopup::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->position().toPoint();
    const bool wasPressed = m_model.pressed;
    m_model.pressed = false;
    // A release with no hover item ends a click that began before the popup
    // opened under the pointer: it chooses nothing.
    if (m_model.OnItemRegion(toClient(p)) && m_model.hover != ColorPopupModel::kNoItem) {
        m_model.chosen = m_model.hover;
        FinishOk(m_model.hover);
    } else if (wasPressed && !rect().contains(p)) {
        FinishCancelled();
    }
}

void CColorPopup::keyPressEvent(QKeyEvent* event)
{
    using Move = ColorPopupModel::Move;
    switch (event->key()) {
    case Qt::Key_Down:
        MoveHover(m_model.ItemAfterMove(m_model.hover, Move::Down));
        return;
    case Qt::Key_Up:
        MoveHover(m_model.ItemAfterMove(m_model.hover, Move::Up));
        return;
    case Qt::Key_Right:
        MoveHover(m_model.ItemAfterMove(m_model.hover, Move::Right));
        return;
    case Qt::Key_Left:
        MoveHover(m_model.ItemAfterMove(m_model.hover, Move::Left));
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        // With no item under the cursor, the item shown as chosen is committed:
        // the opening colour stays.
        if (m_model.hover != ColorPopupModel::kNoItem)
            m_model.chosen = m_model.hover;
        FinishOk(m_model.hover);
        return;
    case Qt::Key_Escape:
        FinishCancelled();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void CColorPopup::FinishOk(int item)
{
    if (m_finished)
        return;
    const ColorPopupModel::Commit commit = m_model.CommitItem(item);
    ColorRef result = commit.result;
    if (commit.openColorSpace) {
        // The popup steps aside (and lets go of the mouse) while the colour is mixed.
        hide();
        CColorSpace space(m_model.ColorSpaceStart(), parentWidget());
        if (space.DoModal() != platform::IDOK) {
            FinishCancelled();
            return;
        }
        result = space.GetColor();
    }
    m_finished = true;
    m_result = result;
    emit colorChosen(result);
    done(platform::IDOK);
}

void CColorPopup::FinishCancelled()
{
    if (m_finished)
        return;
    m_finished = true;
    m_result = m_model.initialColor();
    emit choiceCancelled(m_result);
    done(platform::IDCANCEL);
}

void CColorPopup::reject()
{
    FinishCancelled();
}
