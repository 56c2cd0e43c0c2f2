#include "chrome/ULOToolBar.h"

#include "app/EditorSettings.h"
#include "app/MenuResource.h"
#include "chrome/ULOToolBarFormat.h"
#include "chrome/ULOToolBarImage.h"
#include "chrome/ULOToolBarObject.h"
#include "chrome/ULOToolBarStandard.h"
#include "platform/CommandRegistry.h"
#include "skins/ASMToolbar.h"
#include "skins/VornaSkinData.h"
#include "util/CRegistryEx.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QToolButton>
#include <QWidgetAction>

int ULOToolBar::s_instances = 0;
QList<QPixmap> ULOToolBar::s_lists[4];
QHash<int, int> ULOToolBar::s_imageOf;
QHash<int, QList<int>> ULOToolBar::s_dropDowns;
QHash<int, ULOToolBar*> ULOToolBar::s_owners;
QString ULOToolBar::s_pictureFolder = QStringLiteral(":/res/icons/16");

namespace {
// The two placeholders of the format bar, covered by the font boxes.
constexpr int kFontNamePlaceholder = 32928;
constexpr int kFontSizePlaceholder = 32929;
} // namespace

ULOToolBar::ULOToolBar(QWidget* parent) : QToolBar(parent)
{
    ++s_instances;
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setIconSize(QSize(16, 16));
    // Buttons dragged in customisation mode land here.
    setAcceptDrops(true);
}

ULOToolBar::~ULOToolBar()
{
    if (s_drag.source == this)
        s_drag.source = nullptr;
    if (s_drag.target == this)
        s_drag.target = nullptr;
    for (auto it = s_owners.begin(); it != s_owners.end();) {
        if (it.value() == this)
            it = s_owners.erase(it);
        else
            ++it;
    }
    if (--s_instances == 0) {
        for (QList<QPixmap>& list : s_lists)
            list.clear();
        s_imageOf.clear();
        s_dropDowns.clear();
        s_owners.clear();
    }
}

ULOToolBar* ULOToolBar::create(int resourceId, QWidget* parent)
{
    switch (resourceId) {
    case 601:
        return new ULOToolBarStandard(parent);
    case 602:
        return new ULOToolBarObject(parent);
    case 603:
        return new ULOToolBarFormat(parent);
    case 606:
        return new ULOToolBarImage(parent);
    default:
        return new ULOToolBar(parent);
    }
}

QList<int> ULOToolBar::parseButtons(const QString& text)
{
    QList<int> ids;
    for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        if (word == QLatin1String("|")) {
            ids.append(0);
            continue;
        }
        bool ok = false;
        const int id = word.toInt(&ok);
        if (ok && id > 0 && id <= 0xFFFF)
            ids.append(id);
    }
    return ids;
}

QList<int> ULOToolBar::buttonIds() const
{
    QList<int> ids;
    for (const Button& button : m_buttons)
        ids.append(button.id);
    return ids;
}

bool ULOToolBar::LoadToolBarEx(int resourceId, int firstBitmapId, platform::CommandRegistry& registry)
{
    QFile file(QStringLiteral(":/res/toolbars/%1.bar").arg(resourceId));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QList<int> ids = parseButtons(QString::fromUtf8(file.readAll()));
    if (ids.isEmpty())
        return false;
    m_resourceId = resourceId;
    m_registry = &registry;
    setObjectName(QStringLiteral("bar_%1").arg(resourceId));
    for (int id : ids) {
        m_buttons.append(Button{id, kPlainButton});
        if (id == 0) {
            m_actions.append(addSeparator());
        } else {
            m_actions.append(registry.action(id));
            addAction(m_actions.last());
        }
    }
    AddButtonImages(firstBitmapId);
    SetupDropDowns();
    return true;
}

QPixmap ULOToolBar::loadPicture(int id)
{
    return QPixmap(QStringLiteral("%1/%2.png").arg(s_pictureFolder).arg(id));
}

QPixmap ULOToolBar::disabledPicture(const QPixmap& normal)
{
    if (normal.isNull())
        return normal;
    QImage image = normal.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = 128 + qGray(line[x]) / 2;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) / 2);
        }
    }
    return QPixmap::fromImage(image);
}

QPixmap ULOToolBar::image(ImageList list, int index)
{
    const QList<QPixmap>& pictures = s_lists[list];
    return index >= 0 && index < pictures.size() ? pictures[index] : QPixmap();
}

void ULOToolBar::AddButtonImages(int firstBitmapId)
{
    // The pictures are kept one file per command rather than in strips, so
    // the strip id only names the set.
    Q_UNUSED(firstBitmapId);
    for (int i = 0; i < m_buttons.size(); ++i) {
        const int id = m_buttons[i].id;
        if (id == kFontNamePlaceholder || id == kFontSizePlaceholder)
            continue;
        // A separator's id (0) gets the index the next button takes.
        if (id == 0)
            s_imageOf.insert(id, int(s_lists[kNormal].size()));
        else
            m_actions[i]->setIcon(appendPicture(id));
    }
    // Under a skin, pressed and checked buttons show their pictures of list 2.
    ASMToolbar::EnterImageList(this,
                               SkinToolbarImageList{&s_lists[kPressed], [registry = m_registry](const QAction* action) {
                                                        return registry ? imageIndexOf(registry->idOf(action)) : -1;
                                                    }});
}

QIcon ULOToolBar::appendPicture(int id)
{
    s_imageOf.insert(id, int(s_lists[kNormal].size()));
    const QPixmap normal = loadPicture(id);
    s_lists[kNormal].append(normal);
    s_lists[kHot].append(normal);
    QPixmap pressed = normal;
    if (!pressed.isNull()) {
        QPainter painter(&pressed);
        painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        painter.fillRect(pressed.rect(), QColor(0, 0, 0, 50));
    }
    s_lists[kPressed].append(pressed);
    s_lists[kDisabled].append(disabledPicture(normal));
    // A command without a picture shows its text.
    QIcon icon;
    if (!normal.isNull()) {
        icon.addPixmap(normal, QIcon::Normal);
        icon.addPixmap(normal, QIcon::Active);
        icon.addPixmap(s_lists[kDisabled].last(), QIcon::Disabled);
    }
    return icon;
}

QWidget* ULOToolBar::buttonWidget(int index) const
{
    if (index < 0 || index >= m_actions.size())
        return nullptr;
    return widgetForAction(m_actions[index]);
}

QMenu* ULOToolBar::dropDownMenu(int index) const
{
    if (index < 0 || index >= m_buttons.size())
        return nullptr;
    return m_menus.value(m_buttons[index].id, nullptr);
}

void ULOToolBar::removeButton(int index)
{
    QAction* action = m_actions.takeAt(index);
    m_buttons.removeAt(index);
    removeAction(action);
    if (action->parent() == this)
        delete action; // a separator of this bar
}

void ULOToolBar::setButton(int index, const Button& button)
{
    QAction* old = m_actions[index];
    QAction* action = button.id == 0 ? nullptr : m_registry->action(button.id);
    if (action && action != old) {
        insertAction(old, action);
        removeAction(old);
        m_actions[index] = action;
    }
    m_buttons[index] = button;
    applyKind(index);
}

void ULOToolBar::fillDropDown(QMenu* menu, int id)
{
    menu->clear();
    const QList<int> list = s_dropDowns.value(id);
    for (int sub : list)
        menu->addAction(m_registry->action(sub));
}

void ULOToolBar::applyKind(int index)
{
    auto* button = qobject_cast<QToolButton*>(buttonWidget(index));
    if (!button)
        return;
    const Button& record = m_buttons[index];
    QMenu* menu = m_menus.value(record.id, nullptr);
    switch (record.kind) {
    case kSplitDropDown:
        button->setPopupMode(QToolButton::MenuButtonPopup);
        if (menu)
            button->setMenu(menu);
        break;
    case kListButton:
    case kMenuButton:
        button->setPopupMode(QToolButton::InstantPopup);
        if (menu)
            button->setMenu(menu);
        break;
    default:
        button->setMenu(nullptr);
        break;
    }
}

bool ULOToolBar::MakeMenuDropDown(int index, int menuId, bool split)
{
    if (index < 0 || index >= m_buttons.size() || m_buttons[index].id == 0)
        return false;
    const QList<MenuNode> nodes = MenuResource::load(menuId);
    if (nodes.isEmpty() || nodes.first().kind != MenuNode::Popup)
        return false;
    const QList<int> items = MenuResource::commandIds(nodes.first().children);
    const int id = m_buttons[index].id;
    QList<int> list;
    for (int i = int(m_buttons.size()) - 1; i >= 0; --i) {
        if (i == index || m_buttons[i].id == 0 || !items.contains(m_buttons[i].id))
            continue;
        list.prepend(m_buttons[i].id);
        if (split)
            s_owners.insert(m_buttons[i].id, this);
        removeButton(i);
        if (i < index)
            --index;
    }
    if (split) {
        list.prepend(id);
        s_owners.insert(id, this);
    }
    s_dropDowns.insert(id, list);
    m_buttons[index].kind = split ? kSplitDropDown : kListButton;
    attachMenu(index);
    return true;
}

void ULOToolBar::MakeColorDropDown(int index)
{
    if (index < 0 || index >= m_buttons.size() || m_buttons[index].id == 0)
        return;
    m_buttons[index].kind = kSplitDropDown;
    attachMenu(index);
}

void ULOToolBar::MakeMenuButton(int index, int menuId)
{
    if (index < 0 || index >= m_buttons.size() || m_buttons[index].id == 0)
        return;
    // The commands of the menu get their pictures as the buttons do.
    const QList<MenuNode> nodes = MenuResource::load(menuId);
    if (m_registry && !nodes.isEmpty() && nodes.first().kind == MenuNode::Popup) {
        for (int id : MenuResource::commandIds(nodes.first().children)) {
            if (!s_imageOf.contains(id))
                m_registry->action(id)->setIcon(appendPicture(id));
        }
    }
    s_dropDowns.insert(m_buttons[index].id, QList<int>{menuId});
    m_buttons[index].kind = kMenuButton;
    attachMenu(index);
}

void ULOToolBar::attachMenu(int index)
{
    const Button& button = m_buttons[index];
    if (QMenu* old = m_menus.take(button.id))
        old->deleteLater();
    QMenu* menu = nullptr;
    if (button.kind == kMenuButton) {
        // Without its menu the button stays a plain one.
        const QList<int> list = s_dropDowns.value(button.id);
        const QList<QMenu*> built = list.isEmpty()
                                        ? QList<QMenu*>()
                                        : MenuResource::buildMenus(MenuResource::load(list.first()), *m_registry, this);
        for (int i = 1; i < built.size(); ++i)
            delete built[i];
        menu = built.value(0, nullptr);
    } else if (button.kind == kSplitDropDown || button.kind == kListButton) {
        menu = new QMenu(this);
        if (s_dropDowns.contains(button.id)) {
            connect(menu, &QMenu::aboutToShow, this, [this, menu] {
                // The button carries one of the list's commands: find the list by it.
                for (const Button& each : m_buttons) {
                    if (m_menus.value(each.id) == menu)
                        fillDropDown(menu, each.id);
                }
            });
            fillDropDown(menu, button.id);
        } else {
            // A drop-down without a list: the arrow opens the subclass's own chooser.
            connect(menu, &QMenu::aboutToShow, this, [this, menu] {
                QMetaObject::invokeMethod(menu, &QMenu::close, Qt::QueuedConnection);
                for (int i = 0; i < m_buttons.size(); ++i) {
                    if (m_menus.value(m_buttons[i].id) == menu)
                        OnColorDropDown(i);
                }
            });
        }
    }
    if (menu)
        m_menus.insert(button.id, menu);
    applyKind(index);
}

bool ULOToolBar::SelectDropDownCommand(int id)
{
    for (int i = 0; i < m_buttons.size(); ++i) {
        const Button button = m_buttons[i];
        if (button.kind != kSplitDropDown || !s_dropDowns.contains(button.id))
            continue;
        QList<int> list = s_dropDowns.value(button.id);
        if (!list.contains(id))
            continue;
        if (button.id != id) {
            s_dropDowns.remove(button.id);
            s_dropDowns.insert(id, list);
            if (QMenu* menu = m_menus.take(button.id))
                m_menus.insert(id, menu);
            setButton(i, Button{id, kSplitDropDown});
        }
        return true;
    }
    return false;
}

bool ULOToolBar::PlaceControl(int index, int id, QWidget* control, QSize size)
{
    if (index < 0 || index >= m_actions.size() || !control)
        return false;
    control->setFixedSize(size);
    control->setObjectName(QStringLiteral("id_%1").arg(id));
    QAction* placeholder = m_actions[index];
    m_actions[index] = insertWidget(placeholder, control);
    m_buttons[index] = Button{id, kPlainButton};
    removeAction(placeholder);
    return true;
}

QMenu* ULOToolBar::CreateToolBarListMenu(platform::CommandRegistry& registry, QWidget* parent)
{
    const QList<MenuNode> nodes = MenuResource::load(507);
    if (nodes.size() < 3 || nodes[2].children.isEmpty() || nodes[2].children.first().kind != MenuNode::Popup)
        return nullptr;
    const QList<QMenu*> built = MenuResource::buildMenus({nodes[2].children.first()}, registry, parent);
    return built.value(0, nullptr);
}

void ULOToolBar::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    // While the toolbars are arranged the right button does nothing.
    if (!m_registry || IsCustomizing())
        return;
    std::unique_ptr<QMenu> menu(CreateToolBarListMenu(*m_registry, this));
    if (menu)
        menu->exec(event->globalPos());
}

QString ULOToolBar::layoutKeyPath()
{
    return EditorSettings::productKeyPath() + QStringLiteral("\\ToolBars");
}

ToolBarLayoutRecord::Rules ULOToolBar::layoutRules()
{
    static const QSet<int> commands = [] {
        QSet<int> ids;
        for (int bar = 601; bar <= 611; ++bar) {
            QFile file(QStringLiteral(":/res/toolbars/%1.bar").arg(bar));
            if (file.open(QIODevice::ReadOnly)) {
                for (int id : parseButtons(QString::fromUtf8(file.readAll())))
                    ids.insert(id);
            }
        }
        ids.remove(0);
        return ids;
    }();
    ToolBarLayoutRecord::Rules rules;
    // Any command with a toolbar picture can stand on a bar (customisation
    // offers those of the menus too).
    rules.isCommand = [](int id) { return commands.contains(id) || (id != 0 && s_imageOf.contains(id)); };
    rules.isMenu = [](int id) {
        const QList<MenuNode> nodes = MenuResource::load(id);
        return !nodes.isEmpty() && nodes.first().kind == MenuNode::Popup;
    };
    return rules;
}

ToolBarLayoutRecord ULOToolBar::layoutRecord() const
{
    ToolBarLayoutRecord record;
    for (const Button& button : m_buttons) {
        record.entries.append(ToolBarLayoutRecord::Entry{button.id, button.kind});
        if (button.kind != kPlainButton && s_dropDowns.contains(button.id))
            record.lists.insert(button.id, s_dropDowns.value(button.id));
    }
    record.flag = m_dwSavedFlag;
    return record;
}

void ULOToolBar::applyLayoutRecord(const ToolBarLayoutRecord& record)
{
    // The actions of the present buttons by id: placed controls stay over their ids.
    QHash<int, QAction*> present;
    for (int i = 0; i < m_actions.size(); ++i) {
        removeAction(m_actions[i]);
        if (m_buttons[i].id != 0)
            present.insert(m_buttons[i].id, m_actions[i]);
        else if (m_actions[i]->parent() == this)
            delete m_actions[i];
    }
    for (QMenu* menu : std::as_const(m_menus))
        menu->deleteLater();
    m_menus.clear();
    m_buttons.clear();
    m_actions.clear();
    for (auto it = record.lists.begin(); it != record.lists.end(); ++it)
        s_dropDowns.insert(it.key(), it.value());
    for (const ToolBarLayoutRecord::Entry& entry : record.entries) {
        m_buttons.append(Button{entry.id, entry.kind});
        if (entry.id == 0) {
            m_actions.append(addSeparator());
            continue;
        }
        QAction* action = present.take(entry.id);
        if (!action)
            action = m_registry->action(entry.id);
        m_actions.append(action);
        addAction(action);
        if (entry.kind != kPlainButton)
            attachMenu(int(m_buttons.size()) - 1);
    }
    // Controls the layout no longer holds go with their place.
    for (QAction* action : std::as_const(present)) {
        if (action->parent() == this)
            delete action;
    }
    m_dwSavedFlag = record.flag;
}

bool ULOToolBar::SaveState()
{
    if (m_resourceId == 0)
        return true;
    CRegistryEx reg(HKEY_CURRENT_USER);
    // Kept only when the settings file took it.
    return reg.Create(HKEY_CURRENT_USER, layoutKeyPath()) &&
           reg.WriteBinary(QStringLiteral("Setting%1").arg(m_resourceId), layoutRecord().write()) && reg.Close();
}

bool ULOToolBar::LoadState()
{
    if (m_resourceId == 0 || !m_registry)
        return false;
    CRegistryEx reg(HKEY_CURRENT_USER);
    QByteArray bytes;
    if (!reg.Open(HKEY_CURRENT_USER, layoutKeyPath()) ||
        !reg.ReadBinary(QStringLiteral("Setting%1").arg(m_resourceId), bytes))
        return false;
    const std::optional<ToolBarLayoutRecord> record = ToolBarLayoutRecord::read(bytes, layoutRules());
    if (!record)
        return false;
    applyLayoutRecord(*record);
    return true;
}
