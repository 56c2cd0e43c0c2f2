#include "chrome/CMenuBar.h"
#include "util/StringResources.h"

#include "platform/CommandRegistry.h"
#include "platform/ModalRunner.h"

#include <QAction>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace {

// Marks the entries the Window menu gets for the pages.
constexpr const char* kPageEntryProperty = "paginorWindowListEntry";
// Titles longer than this lose their middle.
constexpr int kLongestTitle = 64;
// The commands that only the Window menu carries (cascade, tile, arrange icons).
constexpr int kWindowCommands[] = {57649, 57650, 57651};

QString pageTitle(const QMdiSubWindow* child)
{
    QString title = child->windowTitle();
    title.replace(QLatin1String("[*]"), child->isWindowModified() ? QStringLiteral("*") : QString());
    return title;
}

} // namespace

QMenu* CMenuBar::FindWindowMenu(const QList<QMenu*>& menus)
{
    const platform::CommandRegistry* registry = platform::CommandRegistry::instance();
    if (!registry)
        return nullptr;
    for (QMenu* menu : menus) {
        for (const QAction* action : menu->actions()) {
            if (std::find(std::begin(kWindowCommands), std::end(kWindowCommands), registry->idOf(action)) !=
                std::end(kWindowCommands))
                return menu;
        }
    }
    return nullptr;
}

QString CMenuBar::WindowMenuEntryText(int number, const QString& title)
{
    QString shown = title;
    if (shown.size() > kLongestTitle) {
        const int keep = (kLongestTitle - 3) / 2;
        shown = shown.left(keep) + QStringLiteral("...") + shown.right(keep);
    }
    // An "&" of the title is text, not an access key.
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    return QStringLiteral("&%1 %2").arg(number).arg(shown);
}

void CMenuBar::BuildWindowMenu(QMenu* menu, QMdiArea* area)
{
    if (!menu)
        return;
    // The entries from the last time go, with the separator before them.
    for (QAction* action : menu->actions()) {
        if (action->property(kPageEntryProperty).toBool()) {
            menu->removeAction(action);
            delete action;
        }
    }
    if (!area)
        return;
    const QList<QMdiSubWindow*> children = area->subWindowList(QMdiArea::CreationOrder);
    if (children.isEmpty())
        return;
    QMdiSubWindow* active = area->activeSubWindow() ? area->activeSubWindow() : area->currentSubWindow();
    menu->addSeparator()->setProperty(kPageEntryProperty, true);
    for (int i = 0; i < children.size() && i < 10; ++i) {
        QMdiSubWindow* child = children[i];
        QAction* entry = nullptr;
        if (i < 9) {
            entry = menu->addAction(WindowMenuEntryText(i + 1, pageTitle(child)));
            entry->setCheckable(true);
            entry->setChecked(child == active);
            QObject::connect(entry, &QAction::triggered, area, [area, child = QPointer<QMdiSubWindow>(child)] {
                if (!child)
                    return;
                area->setActiveSubWindow(child);
                // A page minimised to an icon is shown as its icon, selected.
                if (child->isMinimized() && child->isHidden())
                    child->show();
            });
        } else {
            entry = menu->addAction(LoadResString(kMoreWindowsId));
            QObject::connect(entry, &QAction::triggered, area, [area] { ShowMoreWindows(area); });
        }
        entry->setData(AFX_IDM_FIRST_MDICHILD + i);
        entry->setProperty(kPageEntryProperty, true);
    }
}

void CMenuBar::ShowMoreWindows(QMdiArea* area)
{
    if (!area)
        return;
    const QList<QMdiSubWindow*> children = area->subWindowList(QMdiArea::CreationOrder);
    QDialog dialog(area->window());
    dialog.setObjectName(QStringLiteral("id_%1").arg(kMoreWindowsId));
    dialog.setWindowTitle(LoadResString(kMoreWindowsId + 1));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(LoadResString(kMoreWindowsId + 2), &dialog);
    layout->addWidget(label);
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("id_%1").arg(kMoreWindowsId + 3));
    label->setBuddy(list);
    QMdiSubWindow* active = area->activeSubWindow() ? area->activeSubWindow() : area->currentSubWindow();
    for (QMdiSubWindow* child : children) {
        list->addItem(pageTitle(child));
        if (child == active)
            list->setCurrentRow(list->count() - 1);
    }
    layout->addWidget(list);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(LoadResString(65101), &dialog);
    ok->setObjectName(QStringLiteral("id_1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(LoadResString(65102), &dialog);
    cancel->setObjectName(QStringLiteral("id_2"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    QObject::connect(ok, &QPushButton::clicked, &dialog, [&dialog] { dialog.done(platform::IDOK); });
    QObject::connect(cancel, &QPushButton::clicked, &dialog, [&dialog] { dialog.done(platform::IDCANCEL); });
    QObject::connect(list, &QListWidget::itemActivated, &dialog, [&dialog] { dialog.done(platform::IDOK); });
    const int row = list->currentRow();
    const QPointer<QMdiArea> guard(area);
    if (platform::runModal(dialog, kMoreWindowsId) != platform::IDOK || !guard)
        return;
    const int chosen = list->currentRow() >= 0 ? list->currentRow() : row;
    // The page may have closed while the list was open.
    const QList<QMdiSubWindow*> now = area->subWindowList(QMdiArea::CreationOrder);
    if (chosen >= 0 && chosen < children.size() && now.contains(children[chosen]))
        area->setActiveSubWindow(children[chosen]);
}
