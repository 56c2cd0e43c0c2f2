#include "platform/RecentFileList.h"

#include "platform/RegistryStore.h"

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

void RecentFileList::readFrom(const RegistryStore& store, const QString& keyPath)
{
    RegKey key;
    if (store.openKey(RegKey::root(Hive::CurrentUser), keyPath, &key) != RegError::Success)
        return;
    QStringList read;
    for (int i = 0; i < m_max; ++i) {
        RegValue value;
        if (store.queryValue(key, valueName(i), &value) == RegError::Success && value.type == RegType::String)
            read.append(value.text);
    }
    setEntries(read);
}

bool RecentFileList::writeTo(RegistryStore& store, const QString& keyPath) const
{
    RegKey key;
    if (store.createKey(RegKey::root(Hive::CurrentUser), keyPath, &key) != RegError::Success)
        return false;
    bool ok = true;
    for (int i = 0; i < m_max; ++i) {
        if (i < m_entries.size())
            ok = store.setValue(key, valueName(i), RegValue::fromString(m_entries[i])) == RegError::Success && ok;
        else
            store.deleteValue(key, valueName(i));
    }
    return store.closeKey(key) == RegError::Success && ok;
}

QString RecentFileList::valueName(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

} // namespace platform
