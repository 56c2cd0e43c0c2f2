#pragma once

#include <QString>
#include <QStringList>

class QComboBox;

// The last ten addresses a dialog's address box was used with, kept in the
// settings store under a key of the product key ("Hyperlink History", "BGSound
// History", "Flash History", ...): string values "History1" (the newest) to
// "History10", an empty string for an empty slot. The chosen address moves to
// the top; equal addresses are found without regard to case.
class AddressHistory
{
public:
    static constexpr int kMaxEntries = 10;

    // keyName: the key below the product key, e.g. "Hyperlink History".
    explicit AddressHistory(const QString& keyName);

    static QString productKey();
    const QString& keyPath() const { return m_keyPath; }

    // The entries, newest first: the non-empty values, each address once. An
    // absent key gives none.
    QStringList Load() const;
    // Writes the first ten entries to the values 1 to 10, empty strings beyond
    // the list, creating the key when needed.
    bool Save(const QStringList& entries) const;
    // Puts the address on top, removing an equal entry. An empty address changes nothing.
    static void MoveToTop(QStringList& entries, const QString& address);
    // Load, move the address to the top, save.
    bool Add(const QString& address) const;

    // Inserts the stored entries at the top of the combo box's list, newest
    // first, leaving out those already in the list.
    void FillComboBox(QComboBox& combo) const;
    // Moves the address to the top of the combo box's list (an equal entry
    // goes) and saves the list's first ten entries.
    bool AddFromComboBox(QComboBox& combo, const QString& address) const;

    // Index of the entry equal to the text without regard to case, or -1.
    static int FindEntry(const QStringList& entries, const QString& text);

private:
    QString m_keyPath;
};
