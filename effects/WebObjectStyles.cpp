#include "effects/WebObjectStyles.h"

#include "app/CMainFrame.h"
#include "frames/VornaFrameSet.h"

#include "platform/DataRoot.h"

#include <QDir>

#include <algorithm>

namespace webobjectstyles {

namespace webobjectstyles_detail {

bool lessForList(const QString& a, const QString& b)
{
    const int blind = QString::compare(a, b, Qt::CaseInsensitive);
    return blind != 0 ? blind < 0 : a < b;
}

void addFrameNames(const VornaFrameSet* node, QStringList& names)
{
    for (; node; node = node->m_pNext.get()) {
        const QString name = node->GetName();
        if (!name.isEmpty() && name != QLatin1String("noname"))
            names.append(name);
        addFrameNames(node->m_pFirstChild.get(), names);
    }
}

} // namespace webobjectstyles_detail

QString StyleFolder(const QString& name)
{
    const CMainFrame* frame = CMainFrame::instance();
    const QString install = frame ? frame->m_strInstallFolder : platform::installPath();
    return platform::resolveCaseBlind(install, QStringLiteral("Other/") + name);
}

QStringList StyleNames(const QString& folder, const QString& extension)
{
    QStringList names;
    if (folder.isEmpty())
        return names;
    const QDir dir(folder);
    const QString suffix = QLatin1Char('.') + extension;
    for (const QString& file : dir.entryList(QDir::Files | QDir::Readable)) {
        if (!file.endsWith(suffix, Qt::CaseInsensitive))
            continue;
        const QString name = file.left(file.lastIndexOf(QLatin1Char('.')));
        if (name.isEmpty())
            continue;
        names.insert(SortedInsertIndex(names, name), name);
    }
    return names;
}

qsizetype SortedInsertIndex(const QStringList& sorted, const QString& text)
{
    return std::upper_bound(sorted.begin(), sorted.end(), text, webobjectstyles_detail::lessForList) - sorted.begin();
}

qsizetype IndexOfCaseBlind(const QStringList& texts, const QString& text)
{
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (texts.at(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int ArrowKeyItem(int current, int count, bool down)
{
    if (count <= 0)
        return -1;
    if (!down)
        return current > 0 ? std::min(current - 1, count - 1) : 0;
    return current < 0 ? 0 : std::min(current + 1, count - 1);
}

QStringList LinkTargets(const VornaFrameSet* root)
{
    QStringList targets{QStringLiteral("_self"), QStringLiteral("_blank"), QStringLiteral("_parent"),
                        QStringLiteral("_top")};
    webobjectstyles_detail::addFrameNames(root, targets);
    return targets;
}

} // namespace webobjectstyles
