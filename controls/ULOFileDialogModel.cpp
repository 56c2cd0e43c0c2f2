#include "controls/ULOFileDialogModel.h"

#include "controls/RecentFolders.h"

#include "res/resource.h"
#include "util/AppContext.h"
#include "util/PathText.h"
#include "util/StringResources.h"

#include "platform/DataRoot.h"

#include <QDir>
#include <QFileInfo>

#include <array>

ULOFileDialogModel::Place ULOFileDialogModel::Place::Current()
{
    const AppContext& context = AppContext::instance();
    Place place;
    place.installFolder = context.installFolder();
    place.webFolder = context.webFolder();
    if (CZQView* view = context.activeView()) {
        const AppContext::OpenDocument page = context.viewPage(view);
        place.activePageName = page.displayName;
        place.activePagePath = page.path;
    }
    place.activePageInWeb = !place.activePageName.isEmpty() && context.isPageInWeb(place.activePageName);
    return place;
}

ULOFileDialogModel::ULOFileDialogModel(int nMode, const QString& fileName, const QString& defExt, const Place& place)
    : m_strDefExt(defExt.isEmpty() ? QStringLiteral("html") : defExt), m_strFileName(fileName), m_nMode(nMode)
{
    // 1. The active page and the mode's home folder.
    m_strActivePage = place.activePageName;
    m_strHomeFolder = HomeFolderOf(nMode, place);

    // 2. The remembered folder: saves start in the open web, else beside the
    // active page's file, else where the last save went.
    QString remembered;
    if ((nMode == 1 || nMode == 2) && !place.webFolder.isEmpty()) {
        remembered = place.webFolder;
    } else if ((nMode == 1 || nMode == 2) && !place.activePagePath.isEmpty()) {
        remembered = GetFolderOfPath(place.activePagePath);
    } else {
        remembered = ReadRecentFolder(RememberedValueName(nMode));
    }
    m_strInitialDir = UsableFolder(remembered);

    // 3. Nothing usable remembered: the home folder.
    if (m_strInitialDir.isEmpty())
        m_strInitialDir = m_strHomeFolder;

    if (nMode == 3)
        m_strTitle = LoadResString(IDS_NEW_FROM_TEMPLATE_TITLE);
}

QString ULOFileDialogModel::RememberedValueName(int mode)
{
    switch (mode) {
    case 1:
    case 2:
        return QStringLiteral("Save File");
    case 3:
        return QStringLiteral("New File");
    default:
        return QStringLiteral("Open File");
    }
}

QString ULOFileDialogModel::HomeFolderOf(int mode, const Place& place)
{
    const QString work = platform::resolveCaseBlind(place.installFolder, QStringLiteral("Work"));
    switch (mode) {
    case 3:
        return platform::resolveCaseBlind(place.installFolder, QStringLiteral("Template/Template"));
    case 4:
        return place.webFolder.isEmpty() ? work : place.webFolder;
    default:
        return place.activePageInWeb && !place.webFolder.isEmpty() ? place.webFolder : work;
    }
}

bool ULOFileDialogModel::TakeAddress(const QString& typedName)
{
    m_bURL = false;
    if (m_nMode != 0)
        return false;
    qsizetype start = 0;
    while (start < typedName.size() && typedName[start].isSpace())
        ++start;
    const QString name = typedName.mid(start);
    if (!name.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) &&
        !name.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
        return false;
    m_bURL = true;
    m_strURL = name;
    return true;
}

QString ULOFileDialogModel::ProposeFreeName(const QString& folder, const QString& name, const QString& defExt)
{
    // The name with its extension, the default one added when it has none.
    QString fileName = name;
    QString extension;
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot >= 0 && dot + 1 < fileName.size()) {
        extension = fileName.mid(dot);
    } else {
        extension = u'.' + defExt;
        if (dot + 1 == fileName.size())
            fileName.chop(1);
        fileName += extension;
    }

    // The names of new pages; the first that the name begins with counts.
    static const std::array<QLatin1String, 4> prefixes = {QLatin1String("UNTITLED"), QLatin1String("ULO"),
                                                          QLatin1String("FRAMESET"), QLatin1String("FRAME")};
    qsizetype prefixLength = 0;
    for (const QLatin1String& prefix : prefixes) {
        if (fileName.startsWith(prefix, Qt::CaseInsensitive)) {
            prefixLength = prefix.size();
            break;
        }
    }
    if (prefixLength == 0)
        return name;

    // The number after the prefix, 0 when none follows.
    qint64 number = 0;
    for (qsizetype i = prefixLength; i < fileName.size() && fileName[i].isDigit() && number < 1000000000; ++i)
        number = number * 10 + fileName[i].digitValue();

    const QDir dir(folder);
    QString proposal = fileName;
    QString path = dir.filePath(fileName);
    // Bounded, so that a strange folder never keeps the dialog waiting.
    for (int tries = 0; QFileInfo::exists(path) && tries < 100000; ++tries) {
        proposal = fileName.left(prefixLength) + QString::number(++number);
        path = dir.filePath(proposal + extension);
    }
    return proposal;
}

void ULOFileDialogModel::RememberFolder(const QString& chosenPath) const
{
    if (m_bURL || chosenPath.isEmpty())
        return;
    WriteRecentFolder(RememberedValueName(m_nMode), QFileInfo(chosenPath).absolutePath());
}
