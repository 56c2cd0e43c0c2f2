#include "controls/VornaDlgBkimage.h"

#include "controls/CBitmapEx.h"
#include "controls/ProfileString.h"

#include <QLabel>
#include <QPixmap>

platform::Rect VornaDlgBkimage::LoadFromSkin(QLabel& control, CBitmapEx& bitmap, const QString& section,
                                             const QString& skinFolder, const QString& iniPath)
{
    bitmap.Detach();
    const QString value = ReadProfileString(iniPath, section, QStringLiteral("BkImage"), QString(), 256);
    if (!value.isEmpty() && !bitmap.LoadFromFile(skinFolder + value))
        return platform::Rect();
    control.setPixmap(bitmap.isNull() ? QPixmap() : QPixmap::fromImage(bitmap.m_bitmap));
    return platform::Rect(0, 0, bitmap.m_nWidth, bitmap.m_nHeight);
}
