#include "frames/FramesetTemplateCatalogue.h"

#include "controls/ProfileString.h"

#include <QDir>
#include <QFileInfo>

namespace templatecatalogue_detail {

// Values of the catalogue are read up to this length, as the program's INI reader reads them.
constexpr int kValueLength = 1023;

} // namespace templatecatalogue_detail

FramesetTemplateCatalogue::FramesetTemplateCatalogue(QString folder) : m_folder(std::move(folder)) {}

QString FramesetTemplateCatalogue::cataloguePath() const
{
    return m_folder + QStringLiteral("frame_template.inf");
}

int FramesetTemplateCatalogue::count() const
{
    const QString text = ReadProfileString(cataloguePath(), QStringLiteral("Templates"), QStringLiteral("NUMBER"),
                                           QStringLiteral("0"), templatecatalogue_detail::kValueLength)
                             .trimmed();
    // A number as the INI reader takes it: leading digits with a sign, 0 without any.
    qsizetype end = 0;
    if (end < text.size() && (text[end] == QLatin1Char('-') || text[end] == QLatin1Char('+')))
        ++end;
    while (end < text.size() && text[end].isDigit() && end < 12)
        ++end;
    bool ok = false;
    const qlonglong number = text.left(end).toLongLong(&ok);
    if (!ok || number < 0)
        return 0;
    return int(std::min<qlonglong>(number, kMaxTemplates));
}

QString FramesetTemplateCatalogue::value(int index, const char* key, const QString& defaultValue) const
{
    return ReadProfileString(cataloguePath(), QString::number(index), QLatin1String(key), defaultValue,
                             templatecatalogue_detail::kValueLength);
}

QString FramesetTemplateCatalogue::pathOf(const QString& name) const
{
    QString relative = name;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return m_folder + relative;
}

QString FramesetTemplateCatalogue::title(int index) const
{
    return value(index, "TITLE", QStringLiteral("Body"));
}

QString FramesetTemplateCatalogue::description(int index) const
{
    return value(index, "DESCRIPTION", emptyValue());
}

QString FramesetTemplateCatalogue::templatePath(int index) const
{
    return pathOf(value(index, "HTM", emptyValue()));
}

QString FramesetTemplateCatalogue::previewPath(int index) const
{
    return pathOf(value(index, "BMP", emptyValue()));
}

bool FramesetTemplateCatalogue::staysInside(const QString& name) const
{
    if (QDir::isAbsolutePath(name) || name.startsWith(QLatin1Char('\\')))
        return false;
    const QString inside = QDir::cleanPath(m_folder) + QLatin1Char('/');
    return QDir::cleanPath(pathOf(name)).startsWith(inside);
}

bool FramesetTemplateCatalogue::hasPreview(int index) const
{
    const QString name = value(index, "BMP", QString());
    return !name.isEmpty() && staysInside(name);
}

bool FramesetTemplateCatalogue::hasTemplate(int index) const
{
    const QString name = value(index, "HTM", QString());
    if (name.isEmpty() || !staysInside(name))
        return false;
    // A preview that leads out of the folder makes the whole entry suspect.
    const QString picture = value(index, "BMP", QString());
    if (!picture.isEmpty() && !staysInside(picture))
        return false;
    return QFileInfo(QDir::cleanPath(pathOf(name))).isFile();
}
