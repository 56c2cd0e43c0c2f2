#pragma once

#include <QString>
#include <QStringList>

namespace platform {

class RegistryStore;

// The most-recently-used file list: newest first, at most maxEntries paths,
// each path once (paths compare exactly). Kept in the settings store by the
// application (values "File1".."FileN" of its "Recent File List" key).
class RecentFileList
{
public:
    explicit RecentFileList(int maxEntries = 4);

    int maxEntries() const { return m_max; }
    int size() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    QString at(int index) const { return m_entries.value(index); }
    const QStringList& entries() const { return m_entries; }

    // Puts the path first; an entry of the same path moves up; the oldest
    // entry falls off a full list. Empty paths are ignored.
    void add(const QString& path);
    void remove(int index);
    void remove(const QString& path);
    void clear() { m_entries.clear(); }
    // Replaces the list (as read back from the settings store): empty and
    // repeated entries are dropped, the rest cut to maxEntries.
    void setEntries(const QStringList& entries);

    // The list in the settings store: string values "File1".."FileN" of the
    // current user's key (for example "Software\Vornasoft\Vorna-Paginor
    // 2002(TEV)\Recent File List"). Writing replaces every entry value, so
    // entries removed from the list leave the store too.
    void readFrom(const RegistryStore& store, const QString& keyPath);
    bool writeTo(RegistryStore& store, const QString& keyPath) const;

    // The value name of entry index (0-based) in the settings store: "File1"...
    static QString valueName(int index);

private:
    int m_max;
    QStringList m_entries;
};

} // namespace platform
