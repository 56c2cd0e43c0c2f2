#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <functional>
#include <optional>

// The saved button layout of a toolbar: 32-bit little-endian integers, the
// button count, one entry per button (-1 a separator; a drop-down's kind,
// its command id, optionally -2 and its list, then -3; else the command id)
// and the toolbar's flag.
struct ToolBarLayoutRecord
{
    static constexpr qint32 kSeparator = -1;
    static constexpr qint32 kListStart = -2;
    static constexpr qint32 kListEnd = -3;

    struct Entry
    {
        int id = 0;   // 0 for a separator
        int kind = 0; // 0, or a drop-down kind (-4, -5, -6)
        bool operator==(const Entry&) const = default;
    };

    QList<Entry> entries;
    // Lists of the drop-downs that carried one, by the drop-down's command id.
    QHash<int, QList<int>> lists;
    quint32 flag = 0;

    QByteArray write() const;

    // What a record may name: a command of the toolbars, and (for a menu
    // button) a menu resource.
    struct Rules
    {
        std::function<bool(int id)> isCommand;
        std::function<bool(int menuId)> isMenu;
    };
    // The whole record, or nothing when any part of it is damaged: cut
    // short, bytes left over, unknown kinds, ids or menus, lists without
    // their end.
    static std::optional<ToolBarLayoutRecord> read(const QByteArray& bytes, const Rules& rules);
};
