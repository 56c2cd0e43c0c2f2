#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

// The program's string table: texts by numeric id, read from a UTF-8 file of
// "id<TAB>text" lines in which "\t", "\n", "\r" and "\\" stand for a tab, a
// line feed, a carriage return and a backslash.
namespace platform {

class StringTable
{
public:
    StringTable() = default;

    // Parses table text. Lines without an id and a tab, and repeated ids, are
    // skipped and reported in `problems` ("line N: ...").
    static StringTable parse(const QByteArray& utf8, QStringList* problems = nullptr);
    // Reads a table file (also from the Qt resource system); an unreadable
    // file gives an empty table.
    static StringTable fromFile(const QString& path, QStringList* problems = nullptr);

    // Reads every "*.tsv" file of a folder, in name order, into one table; an
    // id found in two files keeps its first text and is reported.
    static StringTable fromFolder(const QString& folder, QStringList* problems = nullptr);

    // The program's table, compiled in as the files of ":/res/strings/" (one
    // per subsystem); read once.
    static const StringTable& program();

    // The text of an id; empty when the table has none.
    QString text(quint32 id) const { return m_texts.value(id); }
    bool contains(quint32 id) const { return m_texts.contains(id); }
    qsizetype size() const { return m_texts.size(); }

    // "\t", "\n", "\r" and "\\" decoded; any other backslash stays as it is.
    static QString unescape(QStringView text);
    static QString escape(QStringView text);

private:
    QHash<quint32, QString> m_texts;
};

} // namespace platform
