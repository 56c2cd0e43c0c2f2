#include "effects/ScriptManageList.h"

#include "res/resource.h"
#include "util/StringResources.h"

#include <algorithm>
#include <array>
#include <utility>

namespace scriptmanagelist_detail {

// The families the effect writers make, with their labels' string ids.
constexpr std::array<std::pair<const char*, unsigned>, 4> kFamilies{{
    {"statusbar", IDS_SCRIPT_KIND_STATUSBAR},
    {"browser", IDS_SCRIPT_KIND_BROWSER},
    {"screen", IDS_SCRIPT_KIND_SCREEN},
    {"mouse", IDS_SCRIPT_KIND_MOUSE},
}};

} // namespace scriptmanagelist_detail

QString ScriptManageList::LabelOf(const QString& family)
{
    for (const auto& [key, label] : scriptmanagelist_detail::kFamilies) {
        if (family == QLatin1String(key))
            return LoadResString(label);
    }
    return family;
}

void ScriptManageList::Fill(const QString& familyList)
{
    m_rows.clear();
    // Every tab ends a key; a piece after the last one is none.
    QStringList keys = familyList.split(u'\t');
    keys.removeLast();
    for (const QString& key : keys)
        m_rows.append({key, LabelOf(key)});
}

QStringList ScriptManageList::labels() const
{
    QStringList list;
    for (const Row& row : m_rows)
        list.append(row.label);
    return list;
}

void ScriptManageList::RemoveByLabel(const QString& label)
{
    for (const auto& [key, text] : scriptmanagelist_detail::kFamilies) {
        if (label == LoadResString(text)) {
            m_removed.append(QLatin1String(key));
            return;
        }
    }
    // Differs from ignoring a label of none of the four families: the row
    // showed that family's key, and deleting it must hand the key back.
    if (!label.isEmpty())
        m_removed.append(label);
}

void ScriptManageList::RemoveRows(QList<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // The topmost first; each removal moves the rows below it up by one.
    int removed = 0;
    for (const int row : rows) {
        const int at = row - removed;
        if (row < 0 || at >= m_rows.size())
            continue;
        RemoveByLabel(m_rows.at(at).label);
        m_rows.removeAt(at);
        ++removed;
    }
}

void ScriptManageList::RemoveAll()
{
    while (!m_rows.isEmpty()) {
        RemoveByLabel(m_rows.first().label);
        m_rows.removeFirst();
    }
}
