#include "app/MenuResource.h"

#include "platform/CommandRegistry.h"

#include <QAction>
#include <QFile>
#include <QMenu>

namespace menuresource_detail {

QString readResourceText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

void fillMenu(QMenu* menu, const QList<MenuNode>& nodes, platform::CommandRegistry& registry)
{
    for (const MenuNode& node : nodes) {
        switch (node.kind) {
        case MenuNode::Separator:
            menu->addSeparator();
            break;
        case MenuNode::Command: {
            QAction* action = registry.action(node.id);
            action->setText(node.text.section(QLatin1Char('\t'), 0, 0));
            menu->addAction(action);
            break;
        }
        case MenuNode::Popup: {
            QMenu* sub = menu->addMenu(node.text);
            registry.watchMenu(sub);
            fillMenu(sub, node.children, registry);
            break;
        }
        }
    }
}

void collectIds(const QList<MenuNode>& nodes, QList<int>& out)
{
    for (const MenuNode& node : nodes) {
        if (node.kind == MenuNode::Command)
            out.append(node.id);
        collectIds(node.children, out);
    }
}

} // namespace menuresource_detail

QList<MenuNode> MenuResource::parse(const QString& text, QStringList* problems)
{
    QList<MenuNode> roots;
    // The chain of open submenus: stack[level] is the list that receives items of that level.
    QList<QList<MenuNode>*> stack{&roots};
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        QString line = lines[n];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString body = line.trimmed();
        if (body.isEmpty() || body.startsWith(QLatin1Char('#')))
            continue;
        int blanks = 0;
        while (blanks < line.size() && line[blanks] == QLatin1Char(' '))
            ++blanks;
        const auto report = [&](const QString& what) {
            if (problems)
                problems->append(QStringLiteral("line %1: %2").arg(n + 1).arg(what));
        };
        if (blanks % 2 != 0 || blanks / 2 >= stack.size()) {
            report(QStringLiteral("bad indent"));
            continue;
        }
        const int level = blanks / 2;
        stack.resize(level + 1);
        QList<MenuNode>* into = stack[level];

        MenuNode node;
        if (body == QLatin1String("-")) {
            node.kind = MenuNode::Separator;
            into->append(node);
            continue;
        }
        const int space = body.indexOf(QLatin1Char(' '));
        bool isNumber = false;
        const int id = space > 0 ? body.left(space).toInt(&isNumber) : 0;
        if (isNumber && id > 0) {
            node.kind = MenuNode::Command;
            node.id = id;
            node.text = body.mid(space + 1).replace(QLatin1String("\\t"), QLatin1String("\t"));
            into->append(node);
            continue;
        }
        node.kind = MenuNode::Popup;
        node.text = body;
        into->append(node);
        stack.append(&into->last().children);
    }
    return roots;
}

QList<MenuNode> MenuResource::load(int id, QStringList* problems)
{
    return parse(menuresource_detail::readResourceText(QStringLiteral(":/res/menus/%1.menu").arg(id)), problems);
}

QMap<int, QKeySequence> MenuResource::parseAccelerators(const QString& text, QStringList* problems)
{
    QMap<int, QKeySequence> table;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QString body = lines[n].trimmed();
        if (body.isEmpty() || body.startsWith(QLatin1Char('#')))
            continue;
        const int space = body.indexOf(QLatin1Char(' '));
        bool ok = false;
        const int id = space > 0 ? body.left(space).toInt(&ok) : 0;
        const QKeySequence keys =
            ok ? QKeySequence(body.mid(space + 1).trimmed(), QKeySequence::PortableText) : QKeySequence();
        if (!ok || id <= 0 || keys.isEmpty()) {
            if (problems)
                problems->append(QStringLiteral("line %1: not an accelerator").arg(n + 1));
            continue;
        }
        table.insert(id, keys);
    }
    return table;
}

QMap<int, QKeySequence> MenuResource::loadAccelerators(int id)
{
    return parseAccelerators(menuresource_detail::readResourceText(QStringLiteral(":/res/menus/%1.acc").arg(id)));
}

QList<QMenu*> MenuResource::buildMenus(const QList<MenuNode>& nodes, platform::CommandRegistry& registry,
                                       QWidget* parent)
{
    QList<QMenu*> menus;
    for (const MenuNode& node : nodes) {
        if (node.kind != MenuNode::Popup)
            continue;
        auto* menu = new QMenu(node.text, parent);
        registry.watchMenu(menu);
        menuresource_detail::fillMenu(menu, node.children, registry);
        menus.append(menu);
    }
    return menus;
}

void MenuResource::applyAccelerators(const QMap<int, QKeySequence>& table, platform::CommandRegistry& registry)
{
    for (auto it = table.begin(); it != table.end(); ++it) {
        QAction* action = registry.action(it.key());
        action->setShortcut(it.value());
        action->setShortcutContext(Qt::WindowShortcut);
    }
}

QList<int> MenuResource::commandIds(const QList<MenuNode>& nodes)
{
    QList<int> ids;
    menuresource_detail::collectIds(nodes, ids);
    return ids;
}
