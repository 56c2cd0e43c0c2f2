#include "web/VornaDialogSiteManagerPage1.h"

#include "util/AppContext.h"
#include "util/FileHelpers.h"
#include "util/PathText.h"

#include <QDir>

namespace sitemanagerpage_detail {

QString webFolder()
{
    QString web = AppContext::instance().webFolder();
    while (web.endsWith(QLatin1Char('/')))
        web.chop(1);
    return web;
}

} // namespace sitemanagerpage_detail

VornaDialogSiteManagerPage1::VornaDialogSiteManagerPage1(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
}

VornaDialogSiteManagerPage1::~VornaDialogSiteManagerPage1() = default;

bool VornaDialogSiteManagerPage1::LoadWeb()
{
    const QString web = sitemanagerpage_detail::webFolder();
    if (web.isEmpty())
        return false;
    m_fileRows.clear();
    const QStringList pages = QDir(web).entryList({QStringLiteral("*.htm"), QStringLiteral("*.html")},
                                                  QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& page : pages)
        m_fileRows.append(page);
    return true;
}

QStringList VornaDialogSiteManagerPage1::GetPageFileNames() const
{
    QStringList names;
    for (const QString& row : m_fileRows)
        names.append(GetFileNamePart(row));
    return names;
}

QStringList VornaDialogSiteManagerPage1::GetPageTitles() const
{
    const QString web = sitemanagerpage_detail::webFolder();
    QStringList titles;
    for (const QString& row : m_fileRows)
        titles.append(GetHtmlFileTitle(web + QLatin1Char('/') + row));
    return titles;
}

int VornaDialogSiteManagerPage1::FindFileRow(const QString& file) const
{
    QString name = QString(file).replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.startsWith(QLatin1Char('/'))) {
        const QString web = sitemanagerpage_detail::webFolder();
        if (web.isEmpty() || !name.startsWith(web + QLatin1Char('/')))
            return -1;
        name = name.mid(web.size() + 1);
    }
    return name.isEmpty() ? -1 : int(m_fileRows.indexOf(name));
}

int VornaDialogSiteManagerPage1::AddPageToWeb(const QString& path, const QString& titleFile, const QString& title,
                                              const QString& framesetName, bool frame)
{
    Q_UNUSED(titleFile);
    Q_UNUSED(title);
    Q_UNUSED(frame);
    const QString name = GetFileNamePart(path);
    if (name.isEmpty())
        return -1;
    AddOrUpdateFileRow(name, framesetName);
    return FindFileRow(name);
}

void VornaDialogSiteManagerPage1::AddOrUpdateFileRow(const QString& fileName, const QString& framesetName)
{
    Q_UNUSED(framesetName);
    if (!fileName.isEmpty() && FindFileRow(fileName) < 0)
        m_fileRows.append(QString(fileName).replace(QLatin1Char('\\'), QLatin1Char('/')));
}

void VornaDialogSiteManagerPage1::RemoveFileRow(const QString& path)
{
    const int row = FindFileRow(path);
    if (row >= 0)
        m_fileRows.removeAt(row);
}

void VornaDialogSiteManagerPage1::RenameFileRow(const QString& oldName, const QString& newName)
{
    const int shown = FindFileRow(newName);
    if (shown >= 0 && oldName != newName)
        m_fileRows.removeAt(shown);
    for (QString& row : m_fileRows) {
        if (row == oldName)
            row = newName;
    }
}

void VornaDialogSiteManagerPage1::SetPageTitle(const QString& page, const QString& title)
{
    Q_UNUSED(page);
    Q_UNUSED(title);
}

void VornaDialogSiteManagerPage1::ClearModifiedFiles()
{
    m_bWebChanged = 0;
}

void VornaDialogSiteManagerPage1::ApplyBodyAttributes(CZQView* view)
{
    Q_UNUSED(view);
}
