#pragma once

// What the tests of the image windows (the insert-image dialog and the
// image browser) share: the folder they remember and their thumbnail lists.

#include "images/CVornaImageListCtrl.h"
#include "util/CRegistryEx.h"

#include <QElapsedTimer>
#include <QStringList>
#include <QTest>

namespace imagewindowtest {

inline QString recentKey()
{
    return QStringLiteral("Software\\Vornasoft\\Vorna-Paginor 2002(TEV)\\Recent Opened Dir");
}

// The value both windows start from and leave their folder in.
inline void RememberImageFolder(const QString& value)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (reg.Create(HKEY_CURRENT_USER, recentKey()))
        reg.WriteString(QStringLiteral("Recent Opened Image"), value);
}

inline QString RememberedImageFolder()
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    QString text;
    if (reg.Open(HKEY_CURRENT_USER, recentKey()))
        reg.ReadLongString(QStringLiteral("Recent Opened Image"), text);
    return text;
}

inline QStringList ItemTexts(const CVornaImageListCtrl* list)
{
    QStringList names;
    for (int i = 0; i < list->GetItemCount(); ++i)
        names << list->GetItemText(i);
    return names;
}

// Lets the list's loading run end (at most the given time).
inline void WaitForThumbnails(const CVornaImageListCtrl* list, int ms = 20000)
{
    QElapsedTimer timer;
    timer.start();
    while (list->IsLoading() && timer.elapsed() < ms)
        QTest::qWait(20);
}

} // namespace imagewindowtest
