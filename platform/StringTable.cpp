#include "platform/StringTable.h"

#include <QDir>
#include <QFile>
#include <QtDebug>

namespace platform {

QString StringTable::unescape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\\') || i + 1 >= text.size()) {
            out += c;
            continue;
        }
        const QChar next = text[i + 1];
        if (next == QLatin1Char('t'))
            out += QLatin1Char('\t');
        else if (next == QLatin1Char('n'))
            out += QLatin1Char('\n');
        else if (next == QLatin1Char('r'))
            out += QLatin1Char('\r');
        else if (next == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        else {
            out += c;
            continue;
        }
        ++i;
    }
    return out;
}

QString StringTable::escape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\t'))
            out += QLatin1String("\\t");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else
            out += c;
    }
    return out;
}

StringTable StringTable::parse(const QByteArray& utf8, QStringList* problems)
{
    StringTable table;
    const QString all = QString::fromUtf8(utf8);
    const QStringList lines = all.split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QStringView line = lines[n];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        bool ok = false;
        const quint32 id = tab > 0 ? line.left(tab).toUInt(&ok) : 0;
        if (!ok) {
            if (problems)
                *problems << QStringLiteral("line %1: no id and tab").arg(n + 1);
            continue;
        }
        if (table.m_texts.contains(id)) {
            if (problems)
                *problems << QStringLiteral("line %1: id %2 repeated").arg(n + 1).arg(id);
            continue;
        }
        table.m_texts.insert(id, unescape(line.mid(tab + 1)));
    }
    return table;
}

StringTable StringTable::fromFile(const QString& path, QStringList* problems)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (problems)
            *problems << QStringLiteral("%1: cannot be read").arg(path);
        return {};
    }
    return parse(file.readAll(), problems);
}

StringTable StringTable::fromFolder(const QString& folder, QStringList* problems)
{
    StringTable table;
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name);
    for (const QString& name : files) {
        QStringList fileProblems;
        const StringTable part = fromFile(folder + QLatin1Char('/') + name, &fileProblems);
        for (auto it = part.m_texts.cbegin(); it != part.m_texts.cend(); ++it) {
            if (table.m_texts.contains(it.key()))
                fileProblems << QStringLiteral("id %1 is in another file too").arg(it.key());
            else
                table.m_texts.insert(it.key(), it.value());
        }
        if (problems) {
            for (const QString& p : fileProblems)
                *problems << name + QStringLiteral(": ") + p;
        }
    }
    return table;
}

const StringTable& StringTable::program()
{
    static const StringTable table = [] {
        QStringList problems;
        StringTable t = fromFolder(QStringLiteral(":/res/strings"), &problems);
        for (const QString& p : problems)
            qWarning("String table: %s", qUtf8Printable(p));
        return t;
    }();
    return table;
}

} // namespace platform
