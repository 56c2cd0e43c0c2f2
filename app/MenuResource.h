#pragma once

#include <QKeySequence>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class QMenu;
class QWidget;

namespace platform {
class CommandRegistry;
}

// A menu resource of res/menus: a tree of submenus, commands and separators.
struct MenuNode
{
    enum Kind { Popup, Command, Separator };
    Kind kind = Popup;
    int id = 0;   // Command only
    QString text; // Popup and Command
    QList<MenuNode> children;
};

// The menus and accelerators kept as data in the program's resources.
class MenuResource
{
public:
    // Parses the menu text format: two blanks of indent per level, "<id> <text>"
    // for a command, a text alone for a submenu, "-" for a separator, "#" for a
    // comment. Lines that break the format are reported in `problems`.
    static QList<MenuNode> parse(const QString& text, QStringList* problems = nullptr);
    // The menu resource of the id (":/res/menus/<id>.menu"); empty when
    // missing. Lines that break the format are reported in `problems`.
    static QList<MenuNode> load(int id, QStringList* problems = nullptr);

    // Accelerators: "<id> <key sequence>" lines.
    static QMap<int, QKeySequence> parseAccelerators(const QString& text, QStringList* problems = nullptr);
    static QMap<int, QKeySequence> loadAccelerators(int id);

    // Builds the top-level menus of a resource, owned by `parent`; each
    // command is the registry's action of its id, whose text becomes the
    // menu text (without an accelerator part after a tab).
    static QList<QMenu*> buildMenus(const QList<MenuNode>& nodes, platform::CommandRegistry& registry, QWidget* parent);
    // Gives each command of the table its shortcut.
    static void applyAccelerators(const QMap<int, QKeySequence>& table, platform::CommandRegistry& registry);

    // Every command id of a menu tree, in menu order.
    static QList<int> commandIds(const QList<MenuNode>& nodes);
};
