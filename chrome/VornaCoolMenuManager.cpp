#include "chrome/VornaCoolMenuManager.h"

#include "skins/SkinStyle.h"

#include "platform/CommandRegistry.h"

#include <QAction>
#include <QChildEvent>
#include <QIcon>
#include <QMenu>
#include <QTimer>
#include <QWidget>

namespace {

// Marks an entry whose text carries accelerator names while its menu is open.
constexpr const char* kNamedProperty = "paginorAcceleratorNames";

QString cutAtTab(const QString& text)
{
    const int tab = text.indexOf(QLatin1Char('\t'));
    return tab > 0 ? text.left(tab) : text;
}

} // namespace

VornaCoolMenuManager::VornaCoolMenuManager() = default;

VornaCoolMenuManager::~VornaCoolMenuManager()
{
    for (const QPointer<QMenu>& menu : std::as_const(m_menusConverted)) {
        if (menu)
            OnMenuClosed(menu);
    }
    Destroy();
}

void VornaCoolMenuManager::Install(QWidget* frame)
{
    m_pFrame = frame;
    AttachWnd(frame);
    if (frame) {
        for (QMenu* menu : frame->findChildren<QMenu*>())
            Watch(menu);
    }
}

void VornaCoolMenuManager::SetImageLists(const QHash<int, int>* commandMap, const QList<QPixmap>* normal,
                                         const QList<QPixmap>* disabled)
{
    m_commandMap = commandMap;
    m_normalImages = normal;
    m_disabledImages = disabled;
    if (normal && !normal->isEmpty()) {
        m_szButton = normal->first().deviceIndependentSize().toSize();
        m_szImageBox = m_szButton + QSize(4, 4);
    }
}

void VornaCoolMenuManager::Destroy()
{
    m_commandMap = nullptr;
    m_normalImages = nullptr;
    m_disabledImages = nullptr;
    m_szButton = QSize();
    m_szImageBox = QSize();
}

void VornaCoolMenuManager::Refresh()
{
    for (const QPointer<QMenu>& menu : std::as_const(m_watched)) {
        if (menu && menu->isVisible())
            OnInitMenuPopup(menu);
    }
}

bool VornaCoolMenuManager::WindowProc(QEvent* event)
{
    if (event->type() == QEvent::ChildAdded) {
        // A menu made later: followed once it is built.
        const QPointer<QObject> child = static_cast<QChildEvent*>(event)->child();
        QTimer::singleShot(0, this, [this, child] {
            if (auto* menu = qobject_cast<QMenu*>(child.data())) {
                Watch(menu);
                for (QMenu* sub : menu->findChildren<QMenu*>())
                    Watch(sub);
            }
        });
    }
    return CSubclassWnd::WindowProc(event);
}

void VornaCoolMenuManager::Watch(QMenu* menu)
{
    if (!menu || m_watched.contains(menu))
        return;
    m_watched.append(menu);
    // After the menu's own update of the command states.
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { OnInitMenuPopup(menu); });
    connect(menu, &QMenu::aboutToHide, this, [this, menu] { OnMenuClosed(menu); });
}

QIcon VornaCoolMenuManager::PictureOf(int id) const
{
    if (!m_commandMap || !m_normalImages)
        return {};
    const auto it = m_commandMap->constFind(id);
    if (it == m_commandMap->constEnd() || it.value() < 0 || it.value() >= m_normalImages->size())
        return {};
    QIcon icon(m_normalImages->at(it.value()));
    if (m_disabledImages && it.value() < m_disabledImages->size())
        icon.addPixmap(m_disabledImages->at(it.value()), QIcon::Disabled);
    return icon;
}

void VornaCoolMenuManager::OnInitMenuPopup(QMenu* menu)
{
    platform::CommandRegistry* registry = m_registry ? m_registry : platform::CommandRegistry::instance();
    if (!menu || !registry)
        return;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator() || action->menu())
            continue;
        // Entries of other owners (the Window menu's page list) are left alone.
        const int id = registry->idOf(action);
        if (id == 0)
            continue;
        if (m_bShowButtons) {
            const QIcon picture = PictureOf(id);
            if (!picture.isNull())
                action->setIcon(picture);
        }
        if (m_bAutoAccel && !action->shortcuts().isEmpty()) {
            const QString named = WithAcceleratorNames(action->text(), action->shortcuts());
            if (named != action->text())
                action->setText(named);
            action->setProperty(kNamedProperty, true);
        }
    }
    if (!m_menusConverted.contains(menu))
        m_menusConverted.prepend(menu);
}

void VornaCoolMenuManager::OnMenuClosed(QMenu* menu)
{
    m_menusConverted.removeAll(menu);
    for (QAction* action : menu->actions()) {
        if (!action->property(kNamedProperty).toBool())
            continue;
        action->setProperty(kNamedProperty, QVariant());
        const QString plain = cutAtTab(action->text());
        if (plain != action->text())
            action->setText(plain);
    }
}

QString VornaCoolMenuManager::AcceleratorName(const QKeySequence& key)
{
    if (key.isEmpty())
        return {};
    const QKeyCombination chord = key[0];
    const Qt::KeyboardModifiers mods = chord.keyboardModifiers();
    QString name;
    if (mods & Qt::AltModifier)
        name += QStringLiteral("Alt+");
    if (mods & Qt::ControlModifier)
        name += QStringLiteral("Ctrl+");
    if (mods & Qt::ShiftModifier)
        name += QStringLiteral("Shift+");
    return name + QKeySequence(chord.key()).toString(QKeySequence::NativeText);
}

QString VornaCoolMenuManager::WithAcceleratorNames(const QString& text, const QList<QKeySequence>& keys)
{
    QString out = cutAtTab(text);
    bool first = true;
    for (auto it = keys.crbegin(); it != keys.crend(); ++it) {
        const QString name = AcceleratorName(*it);
        if (name.isEmpty())
            continue;
        out += first ? QStringLiteral("\t") : QStringLiteral(", ");
        out += name;
        first = false;
    }
    return out;
}
