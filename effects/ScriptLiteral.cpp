#include "effects/ScriptLiteral.h"

QString ScriptStringText(const QString& text, QChar quote)
{
    QString result;
    result.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\' || c == quote) {
            result += u'\\';
            result += c;
        } else if (c == u'\n') {
            result += QLatin1String("\\n");
        } else if (c == u'\r') {
            result += QLatin1String("\\r");
        } else if (c == QChar(0x2028) || c == QChar(0x2029)) {
            result += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else if (c == u'<' && (QStringView(text).mid(i + 1).startsWith(u'/') ||
                                 QStringView(text).mid(i + 1).startsWith(QLatin1String("!--")))) {
            result += QLatin1String("<\\");
        } else {
            result += c;
        }
    }
    return result;
}

QString UnescapeScriptString(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\' || i + 1 == text.size()) {
            result += text[i];
            continue;
        }
        const QChar next = text[++i];
        if (next == u'n') {
            result += u'\n';
        } else if (next == u'r') {
            result += u'\r';
        } else if (next == u't') {
            result += u'\t';
        } else if (next == u'u' && i + 4 < text.size()) {
            bool ok = false;
            const ushort code = text.mid(i + 1, 4).toUShort(&ok, 16);
            if (ok) {
                result += QChar(code);
                i += 4;
            } else {
                result += next;
            }
        } else {
            result += next;
        }
    }
    return result;
}

QString LocalPathAsSrc(const QString& path)
{
    QString src = path;
    src.replace(u'%', QLatin1String("%25"));
    src.replace(u'#', QLatin1String("%23"));
    src.replace(u'?', QLatin1String("%3F"));
    return src;
}

QString SrcAsLocalPath(const QString& src)
{
    QString path;
    path.reserve(src.size());
    for (qsizetype i = 0; i < src.size(); ++i) {
        const QStringView code = QStringView(src).mid(i, 3);
        if (code.compare(QLatin1String("%25"), Qt::CaseInsensitive) == 0) {
            path += u'%';
        } else if (code.compare(QLatin1String("%23"), Qt::CaseInsensitive) == 0) {
            path += u'#';
        } else if (code.compare(QLatin1String("%3F"), Qt::CaseInsensitive) == 0) {
            path += u'?';
        } else {
            path += src[i];
            continue;
        }
        i += 2;
    }
    return path;
}

QString ScriptImageValue(const QString& path, QChar quote)
{
    return ScriptStringText(LocalPathAsSrc(path), quote);
}

QString ScriptVariableLine(const QString& name, const QString& value)
{
    return QStringLiteral("var %1 = \"%2\"").arg(name, ScriptStringText(value, u'"'));
}

QString ScriptImageVariableLine(const QString& name, const QString& path)
{
    return QStringLiteral("var %1 = \"%2\"").arg(name, ScriptImageValue(path, u'"'));
}
