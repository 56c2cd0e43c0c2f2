#include "dialogs/SymbolTable.h"

#include "util/AppContext.h"

#include "engine/html/HtmlSerializer.h"

#include "platform/DataRoot.h"

#include <QFile>

#include <algorithm>
#include <climits>

namespace symboltable_detail {

constexpr qsizetype kMaxBytes = 10000;

// A decimal number as the C library reads it: leading blanks skipped, digits
// up to the first other character; 0 without digits. Clamped to int.
int readNumber(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    qint64 value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = std::min<qint64>(value * 10 + (text[i].unicode() - u'0'), INT_MAX);
    return int(value);
}

} // namespace symboltable_detail

QString SymbolEntry::glyph() const
{
    if (m_nCode <= 0 || m_nCode > 0xFFFF)
        return QString();
    const QChar unit{char16_t(m_nCode)};
    if (unit.isSurrogate())
        return QString();
    return QString(unit);
}

QList<SymbolEntry> ParseSymbolTable(const QByteArray& bytes)
{
    using symboltable_detail::readNumber;
    const QString text = QString::fromUtf8(bytes.left(symboltable_detail::kMaxBytes));
    QList<SymbolEntry> entries;
    qsizetype at = text.indexOf(u';');
    if (at < 0)
        return entries;
    const int count = readNumber(text.left(at).remove(u';'));
    ++at;
    while (entries.size() < count) {
        while (at < text.size() && (text[at] == u'\r' || text[at] == u'\n'))
            ++at;
        const qsizetype blank = text.indexOf(u' ', at);
        if (blank < 0)
            break;
        const qsizetype end = text.indexOf(u';', blank + 1);
        if (end < 0)
            break;
        SymbolEntry entry;
        entry.m_nCode = readNumber(text.mid(at, blank - at).remove(u' '));
        entry.m_strHtml = text.mid(blank + 1, end + 1 - (blank + 1));
        entries.append(entry);
        at = end + 1;
    }
    return entries;
}

QList<SymbolEntry> ReadSymbolTable(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ParseSymbolTable(file.read(symboltable_detail::kMaxBytes));
}

QString SymbolTablePath()
{
    return platform::resolveCaseBlind(AppContext::instance().installFolder(),
                                      QStringLiteral("Other/script/symbol.dat"));
}

QString SymbolInsertHtml(const QString& face, const QString& html)
{
    return QStringLiteral("<font %1>%2</font>")
        .arg(engine::HtmlSerializer::attributeText(QStringLiteral("face"), face, true), html);
}
