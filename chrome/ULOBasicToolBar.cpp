#include "chrome/ULOBasicToolBar.h"

#include "app/CMainFrame.h"
#include "app/MenuResource.h"
#include "chrome/MenuBarMetrics.h"
#include "chrome/ULOToolBar.h"
#include "controls/Draw3dRect.h"
#include "skins/SkinStyle.h"
#include "skins/VornaSkinManager.h"
#include "util/StringResources.h"

#include "platform/CommandRegistry.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>

QString ULOBasicToolBar::s_pictureFolder = QStringLiteral(":/res/icons");

namespace {

constexpr int kTitleString = 57762;

platform::Rect winRect(const QRect& r)
{
    return platform::Rect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

} // namespace

// --- CToolBarButton ------------------------------------------------------

CToolBarButton::CToolBarButton(ULOBasicToolBar* owner, int index, const QString& text, QMenu* submenu, int commandId)
    : CMenuButton(text, submenu, commandId, MenuBarMetrics::Current()), m_pOwner(owner), m_nIndex(index)
{
    m_sizeHorz = ULOBasicToolBar::kButtonSize;
}

int CToolBarButton::Look() const
{
    if (IsDisabled())
        return 3;
    if (m_fsState & MISTATE_HOT)
        return 1;
    if (m_fsState & MISTATE_PRESSED)
        return 2;
    return 0;
}

void CToolBarButton::Draw(QPainter& painter)
{
    if (IsHidden())
        return;
    const QRect rect = m_rcItem;
    const int look = Look();
    const bool skin = VornaSkinManager::GetInstance().IsSkinOn();
    if ((look == 1 || look == 2) && skin) {
        VornaSkinManager::GetInstance().imageButton().DrawSkinButtonImage(painter, rect.x(), rect.y(), rect.width(),
                                                                          rect.height(), look);
    } else {
        FillSkinBackgroundXY(painter, rect.x(), rect.y(), rect.width(), rect.height(), nullptr, nullptr);
        if (look == 1)
            Draw3dRect(painter, winRect(rect), GetSkinSysColor(COLOR_BTNHIGHLIGHT), GetSkinSysColor(COLOR_BTNSHADOW));
        else if (look == 2)
            Draw3dRect(painter, winRect(rect), GetSkinSysColor(COLOR_BTNSHADOW), GetSkinSysColor(COLOR_BTNHIGHLIGHT));
    }
    const QPixmap picture = m_pOwner->buttonImage(look, m_nIndex);
    if (!picture.isNull()) {
        painter.drawPixmap(rect.topLeft() + QPoint(0, 2), picture);
        return;
    }
    // Without its picture the button shows its entry's text.
    painter.save();
    painter.setPen(platform::toQColor(GetSkinSysColor(look == 3 ? COLOR_GRAYTEXT : COLOR_MENUTEXT)));
    painter.drawText(rect, Qt::AlignCenter | Qt::TextShowMnemonic, m_strBtn);
    painter.restore();
}

void CToolBarButton::TrackPopup(CMenuBar* bar, QWidget* owner)
{
    // Command buttons send their command on the release (the bar's mouse handling).
    if (m_hSubMenu)
        CMenuButton::TrackPopup(bar, owner);
}

// --- ULOBasicToolBar -----------------------------------------------------

ULOBasicToolBar::ULOBasicToolBar(QWidget* parent) : CMenuBar(parent)
{
    m_openTablePicker = [this](const QRect& button) { return OpenTablePicker(button); };
}

ULOBasicToolBar::~ULOBasicToolBar() = default;

bool ULOBasicToolBar::Create(QMainWindow* frame, quint32 style, int id)
{
    if (!CreateUnhooked(frame, style, id))
        return false;
    setWindowTitle(LoadResString(kTitleString));
    // Unhooked, the bar still follows the frame's width to lay its buttons out.
    frame->installEventFilter(this);
    return true;
}

bool ULOBasicToolBar::eventFilter(QObject* watched, QEvent* event)
{
    // The type first: while the frame is destroyed its children leave through this filter, and the frame is no
    // longer a main window to compare with.
    if (event->type() == QEvent::Resize && watched == frame())
        RecalcLayout();
    return CMenuBar::eventFilter(watched, event);
}

bool ULOBasicToolBar::LoadMenuButtons(int menuId, int firstButtonBitmap, int popupBitmap,
                                      platform::CommandRegistry& registry)
{
    // The pictures are kept one file per button and per command; the bitmap
    // ids only name the sets.
    Q_UNUSED(firstButtonBitmap);
    Q_UNUSED(popupBitmap);
    m_registry = &registry;
    setRegistry(&registry);
    // 1. The menu.
    const QList<MenuNode> nodes = MenuResource::load(menuId);
    if (nodes.isEmpty())
        return false;
    // 2. The button pictures in four looks (the disabled one made from the normal).
    for (QList<QPixmap>& list : m_imageLists)
        list.clear();
    for (int i = 0; i < nodes.size(); ++i) {
        const QPixmap normal(QStringLiteral("%1/basic/%2.png").arg(s_pictureFolder).arg(i));
        m_imageLists[0].append(normal);
        m_imageLists[1].append(normal);
        m_imageLists[2].append(normal);
        m_imageLists[3].append(ULOToolBar::disabledPicture(normal));
    }
    // 3. The popup pictures, numbered over the submenus' entries in order.
    m_popupImages.clear();
    m_popupImageOf.clear();
    for (const MenuNode& node : nodes) {
        for (const MenuNode& entry : node.children) {
            if (entry.kind == MenuNode::Command) {
                m_popupImageOf.insert(entry.id, int(m_popupImages.size()));
                m_popupImages.append(QPixmap(QStringLiteral("%1/24/%2.png").arg(s_pictureFolder).arg(entry.id)));
            } else {
                m_popupImages.append(QPixmap());
            }
        }
    }
    // 4. The buttons.
    for (QAction* action : std::as_const(m_commandActions)) {
        if (action) {
            itemStrip()->removeAction(action);
            disconnect(action, nullptr, this, nullptr);
        }
    }
    m_commandActions.clear();
    m_nPressedItem = -1;
    MenuBarTracker& items = tracker();
    items.m_items.clear();
    items.m_nCurrentIndex = -1;
    items.m_nTrackingState = MenuBarTracker::TRACK_NONE;
    for (int i = 0; i < nodes.size(); ++i) {
        const MenuNode& node = nodes[i];
        if (node.kind == MenuNode::Popup) {
            items.m_items.push_back(
                std::make_unique<CToolBarButton>(this, i, node.text, BuildPopup(node, registry), -1));
            m_commandActions.append(nullptr);
        } else {
            const int id = node.kind == MenuNode::Command ? node.id : 0;
            items.m_items.push_back(std::make_unique<CToolBarButton>(this, i, node.text, nullptr, id));
            QAction* action = id > 0 ? registry.action(id) : nullptr;
            m_commandActions.append(action);
            if (action) {
                // The frame's command updates reach the command through the bar.
                itemStrip()->addAction(action);
                connect(action, &QAction::changed, this, [this] { OnUpdateCmdUI(); });
            }
        }
    }
    OnUpdateCmdUI();
    RecalcLayout();
    return true;
}

QMenu* ULOBasicToolBar::BuildPopup(const MenuNode& node, platform::CommandRegistry& registry)
{
    auto* menu = new QMenu(node.text, this);
    // Rows of 32 pixels with 24 x 24 pictures.
    menu->setProperty(SkinStyle::kLargeMenuImagesProperty, true);
    QList<QAction*> sources;
    for (const MenuNode& entry : node.children) {
        if (entry.kind == MenuNode::Separator) {
            menu->addSeparator();
            continue;
        }
        if (entry.kind != MenuNode::Command)
            continue;
        // An entry of its own carrying the large picture, following the command's state.
        QAction* source = registry.action(entry.id);
        auto* proxy = new QAction(entry.text, menu);
        const QPixmap picture = popupImage(entry.id);
        if (!picture.isNull())
            proxy->setIcon(QIcon(picture));
        const auto follow = [proxy, source] {
            proxy->setEnabled(source->isEnabled());
            proxy->setCheckable(source->isCheckable());
            proxy->setChecked(source->isChecked());
        };
        follow();
        connect(source, &QAction::changed, proxy, follow);
        connect(proxy, &QAction::triggered, source, [source] { source->trigger(); });
        menu->addAction(proxy);
        sources.append(source);
    }
    // The popup opens with the states of the frame's command updates.
    connect(menu, &QMenu::aboutToShow, this, [this, sources] {
        if (m_registry)
            m_registry->updateActions(sources);
    });
    return menu;
}

QPixmap ULOBasicToolBar::buttonImage(int look, int index) const
{
    if (look < 0 || look > 3 || index < 0 || index >= m_imageLists[look].size())
        return {};
    return m_imageLists[look][index];
}

QPixmap ULOBasicToolBar::popupImage(int id) const
{
    const int index = popupImageIndex(id);
    return index >= 0 ? m_popupImages.value(index) : QPixmap();
}

CToolBarButton* ULOBasicToolBar::button(int index) const
{
    return dynamic_cast<CToolBarButton*>(tracker().item(index));
}

void ULOBasicToolBar::OnUpdateCmdUI()
{
    for (int i = 0; i < m_commandActions.size(); ++i) {
        CToolBarButton* item = button(i);
        QAction* action = m_commandActions[i];
        if (!item || !action)
            continue;
        const bool disabled = !action->isEnabled();
        if (item->ModifyState(CToolBarButton::kDisabled, disabled ? CToolBarButton::kDisabled : 0))
            Repaint();
    }
}

void ULOBasicToolBar::TrackPopup(int index)
{
    CToolBarButton* item = button(index);
    if (!item || item->IsDisabled())
        return;
    CMenuBar::TrackPopup(index);
}

void ULOBasicToolBar::SetPressed(int index, bool pressed)
{
    if (CToolBarButton* item = button(index)) {
        if (item->ModifyState(CMenuItem::MISTATE_PRESSED | CMenuItem::MISTATE_HOT,
                              pressed ? CMenuItem::MISTATE_PRESSED : 0))
            Repaint();
    }
}

bool ULOBasicToolBar::OpenTablePicker(const QRect& button)
{
    CMainFrame* frame = CMainFrame::instance();
    if (!frame || !frame->InsertTargetView())
        return false;
    return m_dlgTableCreate.CreateAt(frame, button.bottomLeft() + QPoint(0, 1), button);
}

void ULOBasicToolBar::OnStripMouse(QEvent::Type type, QPoint point)
{
    // While the toolbars are arranged the bar behaves as a plain menu bar.
    if (ULOToolBar::IsCustomizing()) {
        CMenuBar::OnStripMouse(type, point);
        return;
    }
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const int hit = tracker().HitTest(point);
        CToolBarButton* item = button(hit);
        if (!item) {
            CMenuBar::OnStripMouse(QEvent::MouseButtonPress, point);
            return;
        }
        if (item->m_hSubMenu) {
            TrackPopup(hit);
            return;
        }
        if (item->IsDisabled() || item->m_nID <= 0)
            return;
        if (item->m_nID == kTableCommand) {
            // The picker takes the mouse from here on.
            SetPressed(hit, true);
            m_openTablePicker(ItemScreenRect(*item));
            SetPressed(hit, false);
            return;
        }
        m_nPressedItem = hit;
        tracker().SetTrackingState(MenuBarTracker::TRACK_NONE);
        SetPressed(hit, true);
        return;
    }
    case QEvent::MouseMove:
        if (m_nPressedItem < 0) {
            CMenuBar::OnStripMouse(type, point);
            return;
        }
        // Held down: pressed while over its button.
        SetPressed(m_nPressedItem, tracker().HitTest(point) == m_nPressedItem);
        return;
    case QEvent::MouseButtonRelease: {
        if (m_nPressedItem < 0)
            return;
        const int pressed = std::exchange(m_nPressedItem, -1);
        SetPressed(pressed, false);
        CToolBarButton* item = button(pressed);
        if (item && tracker().HitTest(point) == pressed && !item->IsDisabled())
            SendCommand(item->m_nID);
        return;
    }
    default:
        CMenuBar::OnStripMouse(type, point);
        return;
    }
}
