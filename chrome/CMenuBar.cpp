#include "chrome/CMenuBar.h"

#include "app/MenuResource.h"
#include "chrome/CMenuButton.h"
#include "chrome/CMenuControl.h"
#include "chrome/CMenuIcon.h"
#include "chrome/MenuBarLayout.h"
#include "chrome/MenuBarMetrics.h"
#include "skins/VornaSkinManager.h"
#include "util/StringResources.h"

#include "platform/CommandRegistry.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QTimer>

int CMenuBar::s_nLastOpened = -1;

// The widget inside the bar that draws the items and takes the mouse.
class MenuBarStrip : public QWidget
{
public:
    explicit MenuBarStrip(CMenuBar* bar) : QWidget(bar), m_bar(bar)
    {
        setMouseTracking(true);
        setFocusPolicy(Qt::NoFocus);
        setObjectName(QStringLiteral("menuBarItems"));
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }
    QSize sizeHint() const override { return m_size; }
    // The frame may be made narrower than the bar: the bar then wraps.
    QSize minimumSizeHint() const override { return m_minimum; }

    QSize m_size{1, 1};
    QSize m_minimum{1, 1};

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        m_bar->PaintStrip(painter);
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        m_bar->OnStripMouse(event->type(), event->position().toPoint());
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            m_bar->OnStripMouse(event->type(), event->position().toPoint());
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            m_bar->OnStripMouse(event->type(), event->position().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            m_bar->OnStripMouse(event->type(), event->position().toPoint());
    }
    void leaveEvent(QEvent* event) override { m_bar->OnStripMouse(event->type(), QPoint(-1, -1)); }

private:
    CMenuBar* m_bar;
};

CMenuBar::CMenuBar(QWidget* parent) : QToolBar(parent), m_hookFrame(this), m_hookMDIClient(this)
{
    setWindowTitle(QStringLiteral("MenuBar"));
    setFloatable(true);
    setMovable(true);
    auto* strip = new MenuBarStrip(this);
    m_strip = strip;
    addWidget(strip);
    m_hoverTimer = new QTimer(this);
    m_hoverTimer->setInterval(100);
    connect(m_hoverTimer, &QTimer::timeout, this, [this] { OnHoverTimer(); });
    connect(this, &QToolBar::orientationChanged, this, [this](Qt::Orientation) { RecalcLayout(); });
    connect(this, &QToolBar::topLevelChanged, this, [this](bool) { RecalcLayout(); });
    m_tracker.m_onItemChanged = [this](int) { Repaint(); };
}

CMenuBar::~CMenuBar()
{
    if (m_hoverTimer)
        m_hoverTimer->stop();
    qApp->removeEventFilter(this);
    m_hookFrame.Attach(nullptr);
    m_hookMDIClient.Attach(nullptr);
}

bool CMenuBar::CreateUnhooked(QMainWindow* frame, quint32 style, int id)
{
    if (!frame)
        return false;
    m_frame = frame;
    m_dwStyle = style;
    setParent(frame);
    setObjectName(QStringLiteral("bar_%1").arg(id));
    setMovable(style & CBRS_GRIPPER);
    return true;
}

bool CMenuBar::Create(QMainWindow* frame, quint32 style, int id)
{
    if (!CreateUnhooked(frame, style, id))
        return false;
    m_hookFrame.Attach(frame);
    if (auto* area = qobject_cast<QMdiArea*>(frame->centralWidget())) {
        m_bMDIApp = true;
        m_pMDIClient = area;
        m_hookMDIClient.Attach(area->viewport());
        for (QMdiSubWindow* child : area->subWindowList())
            m_hookMDIClient.WatchChild(child);
        connect(area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow*) { UpdateMaximizedChild(); });
    }
    m_tracker.m_bMDI = m_bMDIApp;
    return true;
}

bool CMenuBar::LoadMenuBar(int resourceId, platform::CommandRegistry& registry)
{
    m_registry = &registry;
    QStringList problems;
    const QList<MenuNode> nodes = MenuResource::load(resourceId, &problems);
    if (!problems.isEmpty())
        return false;
    QWidget* owner = m_frame ? static_cast<QWidget*>(m_frame.data()) : this;
    const QList<QMenu*> menus = MenuResource::buildMenus(nodes, registry, owner);
    if (menus.isEmpty())
        return false;
    m_hMenuLoaded = menus;
    SetMenu(menus, FindWindowMenu(menus));
    return true;
}

QList<QMenu*> CMenuBar::SetMenu(const QList<QMenu*>& menu, QMenu* windowMenu)
{
    // The frame keeps no menu bar of its own.
    if (m_frame && m_frame->menuWidget())
        m_frame->setMenuWidget(nullptr);
    const QList<QMenu*> previous = m_hMenu;
    m_hMenu = menu;
    if (!menu.isEmpty() && windowMenu != m_hWindowMenu) {
        if (m_hWindowMenu)
            disconnect(m_hWindowMenu, &QMenu::aboutToShow, this, nullptr);
        m_hWindowMenu = windowMenu;
        if (windowMenu) {
            connect(windowMenu, &QMenu::aboutToShow, this, [this] {
                if (m_hWindowMenu && m_pMDIClient)
                    BuildWindowMenu(m_hWindowMenu, m_pMDIClient);
            });
        }
    }
    RefreshMenuItems();
    return previous;
}

void CMenuBar::EnableDockingEx(Qt::ToolBarAreas areas)
{
    setAllowedAreas(areas == Qt::NoToolBarArea ? Qt::AllToolBarAreas : areas);
}

void CMenuBar::DockIn(Qt::ToolBarArea area)
{
    if (!m_frame)
        return;
    m_frame->addToolBar(area, this);
    // The bars docked after it start the next row.
    m_frame->addToolBarBreak(area);
    RecalcLayout();
}

QMdiSubWindow* CMenuBar::activeChild() const
{
    if (!m_pMDIClient)
        return nullptr;
    QMdiSubWindow* active = m_pMDIClient->activeSubWindow();
    return active ? active : m_pMDIClient->currentSubWindow();
}

bool CMenuBar::IsHorizontalBar() const
{
    return orientation() == Qt::Horizontal;
}

void CMenuBar::RefreshMenuItems()
{
    const MenuBarMetrics& metrics = MenuBarMetrics::Current();
    m_tracker.m_nCurrentIndex = -1;
    m_tracker.m_nTrackingState = MenuBarTracker::TRACK_NONE;
    m_tracker.m_items.clear();
    m_pMenuIcon = nullptr;
    m_pMenuControl = nullptr;
    if (m_bMDIApp) {
        auto icon = std::make_unique<CMenuIcon>(this);
        m_pMenuIcon = icon.get();
        m_tracker.m_items.push_back(std::move(icon));
    }
    for (QMenu* menu : std::as_const(m_hMenu)) {
        if (menu)
            m_tracker.m_items.push_back(std::make_unique<CMenuButton>(menu->title(), menu, -1, metrics));
    }
    if (m_bMDIApp) {
        auto control = std::make_unique<CMenuControl>(this);
        m_pMenuControl = control.get();
        m_tracker.m_items.push_back(std::move(control));
    }
    m_bMDIMaximized = false;
    UpdateMaximizedChild();
    if (m_pMenuIcon)
        m_pMenuIcon->OnActivateChildWnd();
    if (m_pMenuControl)
        m_pMenuControl->OnActivateChildWnd();
    for (auto& item : m_tracker.m_items)
        item->ModifyState(CMenuItem::MISTATE_INACTIVE, m_bFrameActive ? 0 : CMenuItem::MISTATE_INACTIVE);
    RecalcLayout();
}

void CMenuBar::RefreshMetrics()
{
    MenuBarMetrics::Refresh();
    RefreshMenuItems();
}

void CMenuBar::UpdateMaximizedChild()
{
    QMdiSubWindow* child = activeChild();
    const bool maximized = child && child->isMaximized();
    if (maximized == m_bMDIMaximized && child == m_pActiveChild)
        return;
    m_bMDIMaximized = maximized;
    m_pActiveChild = child;
    if (m_pMenuIcon)
        m_pMenuIcon->OnActivateChildWnd();
    if (m_pMenuControl)
        m_pMenuControl->OnActivateChildWnd();
    RecalcLayout();
}

int CMenuBar::FrameLength(bool horizontal) const
{
    if (!m_frame)
        return MenuBarLayout::kOneRow;
    const QStyle* s = style();
    int extras = 2 * (s->pixelMetric(QStyle::PM_ToolBarItemMargin, nullptr, this) +
                      s->pixelMetric(QStyle::PM_ToolBarFrameWidth, nullptr, this)) +
                 s->pixelMetric(QStyle::PM_ToolBarItemSpacing, nullptr, this) + 8;
    if (isMovable())
        extras += s->pixelMetric(QStyle::PM_ToolBarHandleExtent, nullptr, this);
    const int length = horizontal ? m_frame->width() : m_frame->height();
    return qMax(0, length - extras);
}

QSize CMenuBar::CalcLayout() const
{
    auto* self = const_cast<CMenuBar*>(this);
    const MenuBarLayout::Items& items = self->m_tracker.m_items;
    const bool horizontal = IsHorizontalBar();
    const bool docked = !isFloating();
    const int border = MenuBarMetrics::Current().borderUnitY;
    self->m_tracker.m_bHorizontal = horizontal;
    QSize size;
    if (horizontal) {
        const int length = docked ? FrameLength(true) : MenuBarLayout::kOneRow;
        MenuBarLayout::Wrap(items, length);
        size = MenuBarLayout::Size(items, true, border);
        if (docked)
            size.setWidth(qMax(size.width(), length));
    } else {
        size = MenuBarLayout::Size(items, false, border);
    }
    MenuBarLayout::Place(items, horizontal, border);
    if (m_pMenuControl && !m_pMenuControl->IsHidden()) {
        // Against the right end of its row, or the bar's bottom-right corner.
        const QPoint anchor = horizontal && docked ? QPoint(size.width() - 1, m_pMenuControl->m_rcItem.bottom())
                                                   : QPoint(size.width() - 1, size.height() - 1);
        m_pMenuControl->DelayLayoutAndDraw(anchor, horizontal);
    }
    return size.expandedTo(QSize(1, 1));
}

void CMenuBar::RecalcLayout()
{
    auto* strip = static_cast<MenuBarStrip*>(m_strip);
    const QSize size = CalcLayout();
    // The least: the widest item, in a bar as long as the bar's thickness allows.
    QSize least(1, 1);
    for (const auto& item : m_tracker.m_items)
        least = least.expandedTo(item->GetSize(IsHorizontalBar()));
    least = IsHorizontalBar() ? QSize(least.width(), size.height()) : QSize(size.width(), least.height());
    if (size != strip->m_size || least != strip->m_minimum) {
        strip->m_size = size;
        strip->m_minimum = least;
        strip->updateGeometry();
        strip->resize(size);
        // The frame gives the bar the new thickness at once.
        if (layout())
            layout()->invalidate();
        updateGeometry();
    }
    Repaint();
}

void CMenuBar::Repaint()
{
    if (m_strip)
        m_strip->update();
}

void CMenuBar::PaintStrip(QPainter& painter)
{
    FillSkinBackgroundXY(painter, 0, 0, m_strip->width(), m_strip->height(), nullptr, nullptr);
    for (auto& item : m_tracker.m_items)
        item->Draw(painter);
    if (m_pMenuControl)
        m_pMenuControl->DrawControl(painter);
}

QRect CMenuBar::ItemScreenRect(const CMenuItem& item) const
{
    return QRect(m_strip->mapToGlobal(item.m_rcItem.topLeft()), item.m_rcItem.size());
}

void CMenuBar::OnFrameActivation(bool active)
{
    if (active == m_bFrameActive)
        return;
    m_bFrameActive = active;
    for (auto& item : m_tracker.m_items)
        item->ModifyState(CMenuItem::MISTATE_INACTIVE, active ? 0 : CMenuItem::MISTATE_INACTIVE);
    Repaint();
}

void CMenuBar::SendCommand(int id)
{
    platform::CommandRegistry* registry = m_registry ? m_registry : platform::CommandRegistry::instance();
    if (registry && id > 0)
        registry->action(id)->trigger();
}

// --- mouse on the bar ----------------------------------------------------

void CMenuBar::OnStripMouse(QEvent::Type type, QPoint point)
{
    if (m_pMenuControl && type != QEvent::Leave && m_pMenuControl->OnMouseMsg(type, point))
        return;
    switch (type) {
    case QEvent::MouseMove:
        m_tracker.OnMouseMove(point);
        if (m_tracker.m_nTrackingState == MenuBarTracker::TRACK_BUTTON_HOT && !m_hoverTimer->isActive())
            m_hoverTimer->start();
        break;
    case QEvent::MouseButtonPress: {
        const int hit = m_tracker.HitTest(point);
        if (hit >= 0)
            TrackPopup(hit);
        break;
    }
    case QEvent::Leave:
        if (m_pMenuControl)
            m_pMenuControl->OnMouseMsg(type, point);
        break;
    default:
        break;
    }
}

void CMenuBar::OnHoverTimer()
{
    if (m_tracker.m_nTrackingState != MenuBarTracker::TRACK_BUTTON_HOT) {
        m_hoverTimer->stop();
        return;
    }
    const QRect area(mapToGlobal(QPoint(0, 0)), size());
    if (!area.contains(QCursor::pos())) {
        m_tracker.SetTrackingState(MenuBarTracker::TRACK_NONE);
        m_hoverTimer->stop();
    }
}

// --- popups --------------------------------------------------------------

void CMenuBar::TrackPopup(int index)
{
    if (!m_tracker.item(index))
        return;
    if (m_tracker.m_nTrackingState == MenuBarTracker::TRACK_POPUP) {
        // Already tracking: the loop reopens at this item.
        m_tracker.m_nCurrentIndex = index;
        m_tracker.m_bRetrack = true;
        ClosePopups();
        return;
    }
    const QPointer<CMenuBar> self(this);
    m_tracker.m_nCurrentIndex = index;
    m_tracker.m_bRetrack = true;
    while (self && m_tracker.m_bRetrack) {
        const int current = m_tracker.m_nCurrentIndex;
        CMenuItem* item = m_tracker.item(current);
        if (!item)
            break;
        m_tracker.SetTrackingState(MenuBarTracker::TRACK_POPUP, current);
        m_tracker.m_bRetrack = false;
        m_tracker.m_ptMouse = QPoint(-1, -1);
        s_nLastOpened = current;
        m_strip->repaint();
        qApp->installEventFilter(this);
        item->TrackPopup(this, window());
        if (!self)
            return;
        qApp->removeEventFilter(this);
    }
    if (self)
        m_tracker.SetTrackingState(MenuBarTracker::TRACK_NONE);
}

void CMenuBar::ExecPopup(QMenu* menu, QPoint screenPoint)
{
    m_openPopup = menu;
    menu->exec(screenPoint);
    m_openPopup = nullptr;
}

void CMenuBar::ClosePopups()
{
    // The innermost popup first, up to the bar's own.
    for (int guard = 0; guard < 32; ++guard) {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!popup)
            break;
        popup->close();
    }
    if (m_openPopup && m_openPopup->isVisible())
        m_openPopup->close();
}

bool CMenuBar::eventFilter(QObject* watched, QEvent* event)
{
    if (m_tracker.m_nTrackingState == MenuBarTracker::TRACK_POPUP && qobject_cast<QMenu*>(watched))
        return OnPopupInput(watched, event);
    return QToolBar::eventFilter(watched, event);
}

bool CMenuBar::OnPopupInput(QObject* receiver, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint global = mouse->globalPosition().toPoint();
        const QPoint point = m_strip->mapFromGlobal(global);
        const bool overBar =
            m_strip->rect().contains(point) &&
            !static_cast<QWidget*>(receiver)->rect().contains(static_cast<QWidget*>(receiver)->mapFromGlobal(global));
        MenuBarTracker::Outcome outcome;
        if (event->type() == QEvent::MouseButtonPress && overBar) {
            outcome = m_tracker.OnPopupMouseDown(point);
            // Another item: as if the mouse had moved there.
            if (!outcome.closePopup) {
                m_tracker.m_ptMouse = QPoint(-1, -1);
                outcome = m_tracker.OnPopupMouseMove(point, true);
                outcome.swallow = outcome.closePopup;
            }
        } else if (event->type() == QEvent::MouseMove) {
            outcome = m_tracker.OnPopupMouseMove(point, overBar);
        }
        if (outcome.closePopup)
            ClosePopups();
        return outcome.swallow;
    }
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Alt || (key->modifiers() & Qt::AltModifier)) {
            m_tracker.OnPopupSysKeyDown();
            return false;
        }
        auto* menu = static_cast<QMenu*>(receiver);
        const QAction* active = menu->activeAction();
        const bool rightMoves = !active || !active->menu() || !active->isEnabled();
        const bool leftMoves = menu == m_openPopup;
        const MenuBarTracker::Outcome outcome = m_tracker.OnPopupKeyDown(key->key(), leftMoves, rightMoves);
        if (outcome.closePopup)
            ClosePopups();
        return outcome.swallow;
    }
    default:
        return false;
    }
}

// --- keys of the frame ---------------------------------------------------

bool CMenuBar::TranslateFrameMessage(QObject* receiver, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        if (m_tracker.m_nTrackingState != MenuBarTracker::TRACK_NONE && receiver != m_strip)
            m_tracker.MouseButtonElsewhere();
        return false;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        break;
    default:
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers();
    const bool alt = mods & Qt::AltModifier;
    const bool altKey = key->key() == Qt::Key_Alt || (key->key() == Qt::Key_F10 && !(mods & ~Qt::KeypadModifier));
    MenuBarTracker::FrameKey frameKey;
    frameKey.key = key->key();
    frameKey.alt = alt && key->key() != Qt::Key_Alt;
    frameKey.shift = mods & Qt::ShiftModifier;
    frameKey.ctrl = mods & Qt::ControlModifier;
    frameKey.character = MenuBarTracker::AccessCharacter(key->key(), key->text().isEmpty() ? QChar() : key->text()[0]);
    if (event->type() == QEvent::KeyPress) {
        if (altKey && key->isAutoRepeat())
            return true;
        frameKey.kind = alt || altKey ? MenuBarTracker::FrameKey::SysKeyDown : MenuBarTracker::FrameKey::KeyDown;
    } else {
        if (key->isAutoRepeat() || !(alt || altKey))
            return false;
        frameKey.kind = MenuBarTracker::FrameKey::SysKeyUp;
    }
    const MenuBarTracker::Outcome outcome = m_tracker.TranslateFrameKey(frameKey);
    if (outcome.trackItem >= 0) {
        // Opened from the keyboard: its first entry is selected, as users expect.
        if (auto* button = dynamic_cast<CMenuButton*>(m_tracker.item(outcome.trackItem))) {
            if (QMenu* menu = button->m_hSubMenu) {
                QTimer::singleShot(0, menu, [menu] {
                    if (menu->isVisible() && !menu->activeAction()) {
                        for (QAction* action : menu->actions()) {
                            if (!action->isSeparator() && action->isVisible() && action->isEnabled()) {
                                menu->setActiveAction(action);
                                break;
                            }
                        }
                    }
                });
            }
        }
        TrackPopup(outcome.trackItem);
    }
    return outcome.swallow;
}
