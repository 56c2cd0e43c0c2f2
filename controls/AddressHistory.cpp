#include "controls/AddressHistory.h"

#include "util/CRegistryEx.h"

#include <QComboBox>

namespace addresshistory_detail {

QString valueName(int number)
{
    return QStringLiteral("History%1").arg(number);
}

int findInCombo(const QComboBox& combo, const QString& text)
{
    return combo.findText(text, Qt::MatchFixedString); // whole text, case ignored
}

} // namespace addresshistory_detail

AddressHistory::AddressHistory(const QString& keyName) : m_keyPath(productKey() + u'\\' + keyName) {}

QString AddressHistory::productKey()
{
    return QStringLiteral("Software\\Vornasoft\\Vorna-Paginor 2002(TEV)");
}

int AddressHistory::FindEntry(const QStringList& entries, const QString& text)
{
    for (int i = 0; i < entries.size(); ++i) {
        if (entries[i].compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QStringList AddressHistory::Load() const
{
    QStringList entries;
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Open(HKEY_CURRENT_USER, m_keyPath))
        return entries;
    // Oldest first onto the top, so that number 1 ends first.
    for (int n = kMaxEntries; n >= 1; --n) {
        QString value;
        if (reg.ReadLongString(addresshistory_detail::valueName(n), value) && !value.isEmpty() &&
            FindEntry(entries, value) < 0)
            entries.prepend(value);
    }
    return entries;
}

bool AddressHistory::Save(const QStringList& entries) const
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Create(HKEY_CURRENT_USER, m_keyPath))
        return false;
    bool ok = true;
    for (int n = 1; n <= kMaxEntries; ++n)
        ok = reg.WriteString(addresshistory_detail::valueName(n), entries.value(n - 1)) && ok;
    return ok;
}

void AddressHistory::MoveToTop(QStringList& entries, const QString& address)
{
    if (address.isEmpty())
        return;
    const int found = FindEntry(entries, address);
    if (found >= 0)
        entries.removeAt(found);
    entries.prepend(address);
}

bool AddressHistory::Add(const QString& address) const
{
    QStringList entries = Load();
    MoveToTop(entries, address);
    return Save(entries);
}

void AddressHistory::FillComboBox(QComboBox& combo) const
{
    const QStringList entries = Load();
    for (auto it = entries.crbegin(); it != entries.crend(); ++it) {
        if (addresshistory_detail::findInCombo(combo, *it) < 0)
            combo.insertItem(0, *it);
    }
}

bool AddressHistory::AddFromComboBox(QComboBox& combo, const QString& address) const
{
    if (!address.isEmpty()) {
        const int found = addresshistory_detail::findInCombo(combo, address);
        if (found >= 0)
            combo.removeItem(found);
        combo.insertItem(0, address);
        combo.setCurrentIndex(0);
    }
    QStringList entries;
    for (int i = 0; i < combo.count() && i < kMaxEntries; ++i)
        entries << combo.itemText(i);
    return Save(entries);
}
