#include "platform/FtpListParser.h"

#include <QRegularExpression>

namespace platform {

namespace ftplist {

struct Token
{
    qsizetype begin = 0;
    qsizetype end = 0;
};

QList<Token> tokenize(const QByteArray& line)
{
    QList<Token> tokens;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n) {
        while (i < n && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i >= n)
            break;
        Token t;
        t.begin = i;
        while (i < n && line[i] != ' ' && line[i] != '\t')
            ++i;
        t.end = i;
        tokens.append(t);
    }
    return tokens;
}

bool isDigits(const QByteArray& s)
{
    if (s.isEmpty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

bool isMonth(const QByteArray& s)
{
    static const char* const months[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                         "jul", "aug", "sep", "oct", "nov", "dec"};
    const QByteArray lower = s.toLower();
    for (const char* m : months)
        if (lower == m)
            return true;
    return false;
}

bool isTimeOrYear(const QByteArray& s)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{1,2}:\\d{2}(:\\d{2})?|\\d{4})$"));
    return re.match(QString::fromLatin1(s)).hasMatch();
}

QString decodeName(const QByteArray& bytes)
{
    QString text = QString::fromUtf8(bytes);
    if (text.contains(QChar::ReplacementCharacter) && !bytes.contains("\xEF\xBF\xBD"))
        return QString::fromLatin1(bytes);
    return text;
}

bool parseUnixLine(const QByteArray& line, FtpEntry* entry)
{
    const QList<Token> tokens = tokenize(line);
    if (tokens.size() < 5)
        return false;
    const QByteArray perms = line.mid(tokens[0].begin, tokens[0].end - tokens[0].begin);
    if (perms.size() < 10 || !QByteArray("-dlbcps").contains(perms[0]))
        return false;
    for (int i = 1; i < 10; ++i)
        if (!QByteArray("rwxsStTl-").contains(perms[i]))
            return false;
    const char kind = perms[0];
    if (kind != '-' && kind != 'd' && kind != 'l')
        return false;

    auto text = [&](int i) { return line.mid(tokens[i].begin, tokens[i].end - tokens[i].begin); };

    // The date is "Mon DD HH:MM" or "Mon DD YYYY"; the size stands right before
    // it and the name right after it. Owner and group may be missing.
    int month = -1;
    for (int i = 2; i + 2 < tokens.size(); ++i) {
        const QByteArray day = text(i + 1);
        if (isMonth(text(i)) && isDigits(day) && day.size() <= 2 && isTimeOrYear(text(i + 2)) &&
            isDigits(text(i - 1))) {
            month = i;
            break;
        }
    }
    qsizetype nameStart = -1;
    QByteArray size;
    if (month > 0) {
        size = text(month - 1);
        nameStart = tokens[month + 2].end + 1;
    } else if (tokens.size() >= 9 && isDigits(text(4))) {
        // A date in another language: the classic nine fields.
        size = text(4);
        nameStart = tokens[7].end + 1;
    }
    if (nameStart < 0 || nameStart >= line.size())
        return false;
    QByteArray name = line.mid(nameStart);
    if (kind == 'l') {
        const qsizetype arrow = name.indexOf(" -> ");
        if (arrow > 0)
            name.truncate(arrow);
    }
    entry->name = decodeName(name);
    entry->isFolder = kind == 'd';
    entry->size = entry->isFolder ? 0 : size.toLongLong();
    return true;
}

bool parseDosLine(const QByteArray& line, FtpEntry* entry)
{
    static const QRegularExpression re(QStringLiteral(
        "^(\\d{2})-(\\d{2})-(\\d{2}|\\d{4})\\s+(\\d{1,2}):(\\d{2})\\s*([AaPp][Mm])?\\s+(<DIR>|\\d+)\\s"));
    const QRegularExpressionMatch m = re.match(QString::fromLatin1(line));
    if (!m.hasMatch())
        return false;
    // The match ran on Latin-1 text, one character per byte: offsets are bytes.
    const QByteArray name = line.mid(m.capturedEnd(0)).trimmed();
    if (name.isEmpty())
        return false;
    entry->name = decodeName(name);
    entry->isFolder = m.captured(7) == QLatin1String("<DIR>");
    entry->size = entry->isFolder ? 0 : m.captured(7).toLongLong();
    return true;
}

} // namespace ftplist

bool parseFtpListLine(const QByteArray& rawLine, FtpEntry* entry)
{
    QByteArray line = rawLine;
    while (line.endsWith('\r') || line.endsWith('\n'))
        line.chop(1);
    if (line.isEmpty())
        return false;
    return ftplist::parseUnixLine(line, entry) || ftplist::parseDosLine(line, entry);
}

QList<FtpEntry> parseFtpListing(const QByteArray& listing)
{
    QList<FtpEntry> entries;
    for (const QByteArray& line : listing.split('\n')) {
        FtpEntry entry;
        if (parseFtpListLine(line, &entry) && isSafeFtpEntryName(entry.name))
            entries.append(entry);
    }
    return entries;
}

bool isSafeFtpEntryName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (QChar c : name)
        if (c == u'/' || c == u'\\' || c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    return true;
}

} // namespace platform
