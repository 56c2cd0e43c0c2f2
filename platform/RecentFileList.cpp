#include "platform/RecentFileList.h"

namespace platform {

RecentFileList::RecentFileList(int maxEntries) : m_max(qMax(1, maxEntries)) {}

void RecentFileList::add(const QString& path)
{
    if (path.isEmpty())
        return;
    m_entries.removeAll(path);
    m_entries.prepend(path);
    while (m_entries.size() > m_max)
        m_entries.removeLast();
}

void RecentFileList::remove(int index)
{
    if (index >= 0 && index < m_entries.size())
        m_entries.removeAt(index);
}

void RecentFileList::remove(const QString& path)
{
    m_entries.removeAll(path);
}

void RecentFileList::setEntries(const QStringList& entries)
{
    m_entries.clear();
    for (const QString& path : entries) {
        if (!path.isEmpty() && !m_entries.contains(path) && m_entries.size() < m_max)
            m_entries.append(path);
    }
}

QString RecentFileList::valueName(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

} // namespace platform
