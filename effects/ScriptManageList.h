#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The rows of the script management dialog: the effect families a page
// includes, each shown by its label, and the families the user deletes, in
// the order of deletion. Tested without a window.
class ScriptManageList
{
public:
    struct Row
    {
        QString family;
        QString label;
    };

    // The rows of a family list ("statusbar\tmouse\t"): one per key, in its
    // order; text after the last tab is no key.
    void Fill(const QString& familyList);

    const QList<Row>& rows() const { return m_rows; }
    QStringList labels() const;
    // The families deleted so far, in the order of deletion: the dialog's result.
    const QStringList& removedFamilies() const { return m_removed; }

    // Deletes the rows, the topmost first (indexes as they stand before the call).
    void RemoveRows(QList<int> rows);
    void RemoveAll();
    // Records the family of a row label as deleted: one of the four known
    // labels gives its family; any other label is the key it shows.
    void RemoveByLabel(const QString& label);

    // The label of a family key: the script wizard's kind text for the four
    // families, the key itself for any other.
    static QString LabelOf(const QString& family);

private:
    QList<Row> m_rows;
    QStringList m_removed;
};
