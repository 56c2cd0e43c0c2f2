#include "chrome/CCoolDialogBar.h"

#include "app/CZQApp.h"
#include "chrome/CaptionGlyphs.h"
#include "chrome/CoolDialogBarPart.h"
#include "chrome/VornaShrinkMiniFrmSub.h"
#include "controls/Draw3dRect.h"
#include "skins/ASMMiniDockFrameBand.h"
#include "skins/VornaSkinManager.h"

#include "platform/ColorRef.h"

#include <QCloseEvent>
#include <QEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

using platform::Rect;
using platform::toQColor;

namespace coolbar_detail {

CaptionGlyph GlyphOf(coolbar::Arrow arrow)
{
    switch (arrow) {
    case coolbar::Arrow::Up:
        return CaptionGlyph::ArrowUp;
    case coolbar::Arrow::Down:
        return CaptionGlyph::ArrowDown;
    case coolbar::Arrow::Left:
        return CaptionGlyph::ArrowLeft;
    case coolbar::Arrow::Right:
        break;
    }
    return CaptionGlyph::ArrowRight;
}

// The face of the hot unroll strip: the light 3-D colour, or a light grey
// where that is the face colour itself.
platform::ColorRef HotStripFace()
{
    const platform::ColorRef light = GetSkinSysColor(COLOR_3DLIGHT);
    return light == GetSkinSysColor(COLOR_BTNFACE) ? platform::rgb(227, 223, 219) : light;
}

} // namespace coolbar_detail

CCoolDialogBar::CCoolDialogBar(QWidget* parent) : QDockWidget(parent)
{
    m_caption = new CoolDialogBarPart(this, CoolDialogBarPart::Role::Caption);
    m_client = new CoolDialogBarPart(this, CoolDialogBarPart::Role::Client);
    auto* layout = new QVBoxLayout(m_client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setTitleBarWidget(m_caption);
    setWidget(m_client);
    setFeatures(DockWidgetMovable | DockWidgetFloatable | DockWidgetClosable);
    connect(this, &QDockWidget::dockLocationChanged, this, [this] { RecalcLayout(); });
    connect(this, &QDockWidget::topLevelChanged, this, [this] { RecalcLayout(); });
}

CCoolDialogBar::~CCoolDialogBar()
{
    // The hook lets go of the caption while both are whole, and the parts
    // (deleted after this bar has stopped being one) ask nothing more of it.
    m_pMiniFrmSub.reset();
    m_caption->ForgetBar();
    m_client->ForgetBar();
}

bool CCoolDialogBar::Create(QMainWindow* frame, QWidget* dialog, const QString& title, int id, quint32 style)
{
    if (!frame || !dialog)
        return false;
    setObjectName(QStringLiteral("bar_%1").arg(id));
    setWindowTitle(title);
    const quint32 sides = (style & CBRS_ALIGN_ANY) ? (style & CBRS_ALIGN_ANY) : CBRS_ALIGN_ANY;
    Qt::DockWidgetAreas allowed;
    if (sides & CBRS_ALIGN_LEFT)
        allowed |= Qt::LeftDockWidgetArea;
    if (sides & CBRS_ALIGN_TOP)
        allowed |= Qt::TopDockWidgetArea;
    if (sides & CBRS_ALIGN_RIGHT)
        allowed |= Qt::RightDockWidgetArea;
    if (sides & CBRS_ALIGN_BOTTOM)
        allowed |= Qt::BottomDockWidgetArea;
    setAllowedAreas(allowed);

    // The dialog's size gives the bar its sizes, the docked ones with room
    // for the edge and the border.
    m_pDialog = dialog;
    dialog->setParent(m_client);
    m_client->layout()->addWidget(dialog);
    dialog->show();
    const QSize size = dialog->sizeHint().expandedTo(QSize(coolbar::kMinWidth, coolbar::kMinHeight));
    m_sizeFloat = size;
    m_extents.horzHeight = size.height() + coolbar::kEdgeWidth + coolbar::kBorder;
    m_extents.vertWidth = size.width() + coolbar::kEdgeWidth + coolbar::kBorder;

    const Qt::DockWidgetArea area = (sides & CBRS_ALIGN_BOTTOM)  ? Qt::BottomDockWidgetArea
                                    : (sides & CBRS_ALIGN_RIGHT) ? Qt::RightDockWidgetArea
                                    : (sides & CBRS_ALIGN_LEFT)  ? Qt::LeftDockWidgetArea
                                                                 : Qt::TopDockWidgetArea;
    frame->addDockWidget(area, this);
    m_frameSize = frame->size();
    frame->installEventFilter(this);
    const bool horizontal = area == Qt::BottomDockWidgetArea || area == Qt::TopDockWidgetArea;
    frame->resizeDocks({this}, {m_extents.Extent(horizontal)}, horizontal ? Qt::Vertical : Qt::Horizontal);
    RecalcLayout();
    return true;
}

QWidget* CCoolDialogBar::captionBand() const
{
    return m_caption;
}

QMainWindow* CCoolDialogBar::frameWindow() const
{
    return qobject_cast<QMainWindow*>(parentWidget());
}

int CCoolDialogBar::CurrentDockId() const
{
    if (isFloating())
        return AFX_IDW_DOCKBAR_FLOAT;
    QMainWindow* frame = frameWindow();
    switch (frame ? frame->dockWidgetArea(const_cast<CCoolDialogBar*>(this)) : Qt::NoDockWidgetArea) {
    case Qt::LeftDockWidgetArea:
        return AFX_IDW_DOCKBAR_LEFT;
    case Qt::RightDockWidgetArea:
        return AFX_IDW_DOCKBAR_RIGHT;
    case Qt::TopDockWidgetArea:
        return AFX_IDW_DOCKBAR_TOP;
    case Qt::BottomDockWidgetArea:
        return AFX_IDW_DOCKBAR_BOTTOM;
    default:
        break;
    }
    return m_nDockId ? m_nDockId : AFX_IDW_DOCKBAR_BOTTOM;
}

void CCoolDialogBar::RecalcLayout()
{
    const int id = CurrentDockId();
    if (id != m_nDockId) {
        m_nDockId = id;
        // A bar rolled up on one side comes out unrolled afloat or turned
        // across: its strip fits only the side it was rolled up on.
        if (IsShrunk() && (id == AFX_IDW_DOCKBAR_FLOAT || coolbar::IsHorizontalDock(id) != m_bShrunkHorizontal))
            Unroll();
        // Docked again, a bar rolled up afloat comes back whole.
        if (id != AFX_IDW_DOCKBAR_FLOAT && m_pMiniFrmSub && m_pMiniFrmSub->IsRolledUp())
            m_pMiniFrmSub->Toggle();
        const bool vertical = coolbar::IsHorizontalDock(id);
        if (vertical != features().testFlag(DockWidgetVerticalTitleBar))
            setFeatures(features() ^ DockWidgetVerticalTitleBar);
        // The first time afloat, the caption gets its roll-up button.
        if (id == AFX_IDW_DOCKBAR_FLOAT && !m_pMiniFrmSub) {
            m_pMiniFrmSub = std::make_unique<VornaShrinkMiniFrmSub>();
            m_pMiniFrmSub->Attach(m_caption);
        }
        // Docked on another side, the bar keeps its extent for that kind of side.
        ApplyExtentLater();
    } else if (id != AFX_IDW_DOCKBAR_FLOAT && !IsShrunk() && isVisible()) {
        // The frame's separator dragged: the extent the bar keeps. The frame
        // resized squeezes the bar, which takes its extent back when there
        // is room again.
        QMainWindow* frame = frameWindow();
        if (frame && frame->size() == m_frameSize) {
            const bool horizontal = coolbar::IsHorizontalDock(id);
            m_extents.Resize(horizontal, horizontal ? height() : width());
        }
    }
    // The edge is the frame's separator; only the unroll strip is the bar's own.
    const int edge = IsShrunk() ? m_extents.edgeWidth : 0;
    m_frame = coolbar::LayoutFrame(m_nDockId, width(), height(), edge);
    // Afloat under a skin, the close button is the skin's, where the skin puts it.
    if (m_nDockId == AFX_IDW_DOCKBAR_FLOAT) {
        if (SkinDrawsFloatingFrame(this))
            m_frame.close = SkinFloatingCloseRect(this);
    }
    // Rolled up, the strip unrolls the bar: there is nothing more to roll up.
    if (IsShrunk())
        m_frame.rollUp = Rect();
    // The dialog fills the client rectangle (kept as it was while the
    // dialog is rolled away afloat: the caption alone has no room for it).
    if (m_client->isHidden()) {
        m_caption->update();
        return;
    }
    const QRect part = m_client->geometry();
    const Rect client = m_frame.client;
    m_client->layout()->setContentsMargins(std::max(0, client.left - part.left()), std::max(0, client.top - part.top()),
                                           std::max(0, part.left() + part.width() - client.right),
                                           std::max(0, part.top() + part.height() - client.bottom));
    m_caption->update();
    m_client->update();
}

void CCoolDialogBar::resizeEvent(QResizeEvent* event)
{
    QDockWidget::resizeEvent(event);
    RecalcLayout();
}

void CCoolDialogBar::showEvent(QShowEvent* event)
{
    QDockWidget::showEvent(event);
    // The frame lays a bar out anew when it shows it.
    ApplyExtentLater();
}

bool CCoolDialogBar::eventFilter(QObject* watched, QEvent* event)
{
    // The frame resized (after it laid the bars out): a bar it squeezed
    // takes its extent back once there is room.
    if (watched == frameWindow() && event->type() == QEvent::Resize) {
        m_frameSize = static_cast<QResizeEvent*>(event)->size();
        if (isVisible())
            ApplyExtentLater();
    }
    return QDockWidget::eventFilter(watched, event);
}

void CCoolDialogBar::ApplyExtentLater()
{
    if (m_nDockId == AFX_IDW_DOCKBAR_FLOAT || IsShrunk())
        return;
    const bool horizontal = coolbar::IsHorizontalDock(m_nDockId);
    QTimer::singleShot(0, this, [this, horizontal, extent = m_extents.Extent(horizontal)] {
        QMainWindow* frame = frameWindow();
        if (!frame || isFloating() || IsShrunk() || !isVisible() || coolbar::IsHorizontalDock(m_nDockId) != horizontal)
            return;
        if ((horizontal ? height() : width()) != extent)
            frame->resizeDocks({this}, {extent}, horizontal ? Qt::Vertical : Qt::Horizontal);
    });
}

void CCoolDialogBar::SetExtent(bool horizontal, int extent)
{
    m_extents.Resize(horizontal, extent);
    if (isVisible() && !isFloating() && coolbar::IsHorizontalDock(m_nDockId) == horizontal)
        ApplyExtentLater();
}

void CCoolDialogBar::closeEvent(QCloseEvent* event)
{
    QDockWidget::closeEvent(event);
    emit closedFromCaption();
}

// ---- rolling up and down ---------------------------------------------------------

void CCoolDialogBar::HoldExtent()
{
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (!IsShrunk())
        return;
    if (m_bShrunkHorizontal)
        setFixedHeight(m_extents.horzHeight);
    else
        setFixedWidth(m_extents.vertWidth);
}

void CCoolDialogBar::RollUp()
{
    if (IsShrunk() || m_nDockId == AFX_IDW_DOCKBAR_FLOAT)
        return;
    const bool horizontal = coolbar::IsHorizontalDock(m_nDockId);
    m_bShrunkHorizontal = horizontal;
    m_extents.RollUp(horizontal, horizontal ? height() : width());
    if (m_pDialog)
        m_pDialog->hide();
    HoldExtent();
    RecalcLayout();
}

void CCoolDialogBar::Unroll()
{
    if (!IsShrunk())
        return;
    const bool horizontal = m_bShrunkHorizontal;
    m_extents.Unroll(horizontal);
    // Taken before the bar is let go: its size on the way back is no extent to keep.
    const int extent = m_extents.Extent(horizontal);
    HoldExtent();
    if (m_pDialog)
        m_pDialog->show();
    if (isFloating())
        resize(horizontal ? width() : extent, horizontal ? extent : height());
    else if (QMainWindow* frame = frameWindow())
        frame->resizeDocks({this}, {extent}, horizontal ? Qt::Vertical : Qt::Horizontal);
    RecalcLayout();
}

void CCoolDialogBar::RestoreShrunkSize()
{
    Unroll();
    if (m_pMiniFrmSub && m_pMiniFrmSub->IsRolledUp())
        m_pMiniFrmSub->Toggle();
}

void CCoolDialogBar::RollUpFloating()
{
    if (!isFloating())
        return;
    // The caption and the frame around it, as they stand.
    const int below = height() - (m_client->y() + m_client->height());
    m_client->hide();
    setFixedSize(width(), m_caption->y() + m_caption->height() + std::max(0, below));
}

void CCoolDialogBar::UnrollFloating(QSize size)
{
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    m_client->show();
    if (isFloating() && size.isValid())
        resize(size);
    HoldExtent();
}

void CCoolDialogBar::CloseFromCaption()
{
    // Closing from the caption counts as a command: the idle pass updates everything.
    if (CZQApp* app = CZQApp::instance())
        app->m_bCommandRan = true;
    close();
}

// ---- painting ---------------------------------------------------------------------

void CCoolDialogBar::PaintPart(QPainter& dc, const CoolDialogBarPart* part) const
{
    // Afloat under a skin, the skin's frame shows the caption beneath the
    // band; only the close button's state is drawn over it.
    if (m_nDockId == AFX_IDW_DOCKBAR_FLOAT && part == m_caption) {
        if (SkinDrawsFloatingFrame(this)) {
            dc.translate(-part->pos());
            DrawSkinFloatingClose(dc, this, m_buttons.StateOf(HTCLOSE, m_nUnder));
            return;
        }
    }
    FillSkinBackgroundXY(dc, 0, 0, part->width(), part->height(), parentWidget(), const_cast<CoolDialogBarPart*>(part));
    dc.translate(-part->pos());
    const int close = m_buttons.StateOf(HTCLOSE, m_nUnder);
    const platform::ColorRef face = GetSkinSysColor(COLOR_BTNFACE);

    // 1. Afloat: the small caption with the title and the close button.
    if (m_nDockId == AFX_IDW_DOCKBAR_FLOAT) {
        if (part != m_caption)
            return;
        const Rect caption = m_frame.caption;
        dc.fillRect(caption.toQRect(), toQColor(GetSkinSysColor(COLOR_HIGHLIGHT)));
        QFont font = dc.font();
        font.setBold(true);
        dc.setFont(font);
        dc.setPen(toQColor(GetSkinSysColor(COLOR_HIGHLIGHTTEXT)));
        // The title ends before the roll-up button that the caption's hook adds.
        const int end = m_frame.close.left - (m_pMiniFrmSub ? m_frame.close.width() + 4 : 0);
        const QRect text(caption.left + 4, caption.top, end - caption.left - 8, caption.height());
        dc.drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                    dc.fontMetrics().elidedText(windowTitle(), Qt::ElideRight, text.width()));
        DrawCaptionButton(dc, m_frame.close, CaptionGlyph::Close, close, face);
        return;
    }

    // 2. Rolled up: the strip that unrolls the bar, its line, the close button.
    if (IsShrunk()) {
        const int state = m_buttons.StateOf(HTSIZE, m_nUnder);
        DrawCaptionButton(dc, m_frame.edge, coolbar_detail::GlyphOf(coolbar::UnrollArrow(m_nDockId)), state,
                          state == 1 ? coolbar_detail::HotStripFace() : face);
        if (!m_frame.edgeLine.isEmpty())
            dc.fillRect(m_frame.edgeLine.toQRect(), toQColor(GetSkinSysColor(m_frame.edgeLineColor)));
        DrawCaptionButton(dc, m_frame.close, CaptionGlyph::Close, close, face);
        return;
    }

    // 3. Docked: the gripper lines and the two buttons.
    for (const Rect& line : m_frame.grippers)
        Draw3dRect(dc, line, GetSkinSysColor(COLOR_3DHIGHLIGHT), GetSkinSysColor(COLOR_3DSHADOW));
    DrawCaptionButton(dc, m_frame.close, CaptionGlyph::Close, close, face);
    DrawCaptionButton(dc, m_frame.rollUp, coolbar_detail::GlyphOf(coolbar::RollUpArrow(m_nDockId)),
                      m_buttons.StateOf(HTMINBUTTON, m_nUnder), face);
}

void CCoolDialogBar::RepaintButtons()
{
    m_caption->update();
    m_client->update();
}

// ---- the mouse on the caption buttons ------------------------------------------

int CCoolDialogBar::HitPart(const CoolDialogBarPart* part, QPoint local) const
{
    const int code = coolbar::HitTest(m_frame, part->mapTo(this, local));
    switch (code) {
    case HTCLOSE:
    case HTMINBUTTON:
        return code;
    case HTSIZE:
        // Unrolled, the edge is the frame's separator.
        return IsShrunk() ? code : -1;
    default:
        return -1;
    }
}

bool CCoolDialogBar::MousePart(CoolDialogBarPart* part, QEvent* event)
{
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove: {
        const int code = HitPart(part, static_cast<QHoverEvent*>(event)->position().toPoint());
        if (m_buttons.pressed() == -1 && code != m_buttons.hot()) {
            m_buttons.Hover(code);
            m_nUnder = code;
            RepaintButtons();
        }
        return false;
    }
    case QEvent::HoverLeave:
        if (m_buttons.pressed() == -1 && m_buttons.hot() != -1) {
            m_buttons.Hover(-1);
            m_nUnder = -1;
            RepaintButtons();
        }
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        const int code = HitPart(part, mouse->position().toPoint());
        if (!m_buttons.Press(code))
            return false; // the caption: the frame drags or docks the bar
        m_nUnder = code;
        RepaintButtons();
        return true;
    }
    case QEvent::MouseMove: {
        if (m_buttons.pressed() == -1)
            return false;
        const int under = HitPart(part, static_cast<QMouseEvent*>(event)->position().toPoint());
        if (under != m_nUnder) {
            m_nUnder = under;
            RepaintButtons();
        }
        return true;
    }
    case QEvent::MouseButtonRelease: {
        if (m_buttons.pressed() == -1)
            return false;
        const int under = HitPart(part, static_cast<QMouseEvent*>(event)->position().toPoint());
        const int act = m_buttons.Release(under);
        m_nUnder = -1;
        RepaintButtons();
        switch (act) {
        case HTCLOSE:
            CloseFromCaption();
            break;
        case HTMINBUTTON:
            RollUp();
            break;
        case HTSIZE:
            Unroll();
            break;
        default:
            break;
        }
        return true;
    }
    default:
        return false;
    }
}
