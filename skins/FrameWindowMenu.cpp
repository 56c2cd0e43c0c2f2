#include "skins/FrameWindowMenu.h"

#include "res/ids/skins.h"
#include "skins/FrameTracker.h"
#include "util/StringResources.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QWidget>

namespace framemenu {

namespace {

int StringOf(Command command)
{
    switch (command) {
    case Command::Restore:
        return IDS_WINDOW_MENU_RESTORE;
    case Command::Move:
        return IDS_WINDOW_MENU_MOVE;
    case Command::Size:
        return IDS_WINDOW_MENU_SIZE;
    case Command::Minimise:
        return IDS_WINDOW_MENU_MINIMISE;
    case Command::Maximise:
        return IDS_WINDOW_MENU_MAXIMISE;
    case Command::Close:
        return IDS_WINDOW_MENU_CLOSE;
    }
    return 0;
}

} // namespace

WindowTraits TraitsOf(const QWidget* window)
{
    WindowTraits traits;
    if (!window)
        return traits;
    const Qt::WindowFlags flags = window->windowFlags();
    traits.minimised = window->isMinimized();
    traits.maximised = window->isMaximized();
    traits.resizable = window->minimumSize() != window->maximumSize();
    traits.hasMinimise = flags.testFlag(Qt::WindowMinimizeButtonHint);
    traits.hasMaximise = flags.testFlag(Qt::WindowMaximizeButtonHint);
    traits.hasClose = flags.testFlag(Qt::WindowCloseButtonHint);
    return traits;
}

std::vector<Entry> Entries(const WindowTraits& t)
{
    const bool sized = t.minimised || t.maximised;
    std::vector<Entry> entries;
    if (t.hasMinimise || t.hasMaximise)
        entries.push_back({Command::Restore, sized});
    entries.push_back({Command::Move, !sized});
    if (t.resizable)
        entries.push_back({Command::Size, !sized});
    if (t.hasMinimise)
        entries.push_back({Command::Minimise, !t.minimised});
    if (t.hasMaximise)
        entries.push_back({Command::Maximise, !t.maximised && t.resizable});
    entries.push_back({Command::Close, t.hasClose});
    return entries;
}

void Run(QWidget* window, Command command)
{
    if (!window)
        return;
    switch (command) {
    case Command::Restore:
        window->showNormal();
        break;
    case Command::Move:
        FrameTracker::Start(window, FrameTracker::Mode::Move);
        break;
    case Command::Size:
        FrameTracker::Start(window, FrameTracker::Mode::Size);
        break;
    case Command::Minimise:
        window->showMinimized();
        break;
    case Command::Maximise:
        window->showMaximized();
        break;
    case Command::Close:
        window->close();
        break;
    }
}

QMenu* BuildMenu(QWidget* window, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    for (const Entry& entry : Entries(TraitsOf(window))) {
        if (entry.command == Command::Close && !menu->isEmpty())
            menu->addSeparator();
        QAction* action = menu->addAction(LoadResString(StringOf(entry.command)));
        action->setEnabled(entry.enabled);
        QObject::connect(action, &QAction::triggered, menu,
                         [target = QPointer<QWidget>(window), command = entry.command] {
                             // After the menu has closed: a move holds the pointer.
                             QMetaObject::invokeMethod(
                                 target,
                                 [target, command] {
                                     if (target)
                                         Run(target, command);
                                 },
                                 Qt::QueuedConnection);
                         });
    }
    return menu;
}

void Show(QWidget* window, const QPoint& at)
{
    if (!window)
        return;
    QMenu* menu = BuildMenu(window, window);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(at);
}

} // namespace framemenu
