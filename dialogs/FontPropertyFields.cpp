#include "dialogs/FontPropertyFields.h"

#include <QCollator>

#include <algorithm>

QStringList FontPropertyFields::FaceItems(const QStringList& faces, const QString& defaultText)
{
    QStringList items = faces;
    QCollator collator;
    std::sort(items.begin(), items.end(), collator);
    items.prepend(defaultText);
    return items;
}

QStringList FontPropertyFields::SizeItems(const QString& defaultText)
{
    return {defaultText,
            QStringLiteral("1(8pt)"),
            QStringLiteral("2(10pt)"),
            QStringLiteral("3(12pt)"),
            QStringLiteral("4(14pt)"),
            QStringLiteral("5(18pt)"),
            QStringLiteral("6(24pt)"),
            QStringLiteral("7(36pt)")};
}

int FontPropertyFields::SelectFace(const QStringList& items, bool machineHasFaces) const
{
    if (!machineHasFaces)
        return items.isEmpty() ? -1 : 0;
    if (m_strFace.isEmpty())
        return -1;
    if (m_strFace == QLatin1String("Default"))
        return 0;
    for (qsizetype i = 1; i < items.size(); ++i) {
        if (items[i].compare(m_strFace, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

int FontPropertyFields::SelectSize()
{
    if (m_nSize >= 0 && m_nSize <= 7)
        return m_nSize;
    m_nSize = kNoSize;
    return -1;
}

void FontPropertyFields::TakeFace(int index, const QString& text)
{
    if (index < 0)
        m_strFace.clear();
    else if (index == 0)
        m_strFace = QStringLiteral("Default");
    else
        m_strFace = text;
}

void FontPropertyFields::TakeSize(int index)
{
    m_nSize = index < 0 ? kNoSize : index;
}

void FontPropertyFields::ResetToDefaults()
{
    m_bBoldChanged = m_bItalicChanged = m_bUnderlineChanged = m_bFaceChanged = m_bSizeChanged = m_bTextColorChanged =
        m_bBackColorChanged = true;
    m_strFace = QStringLiteral("Default");
    m_nSize = 0;
    m_bBold = m_bItalic = m_bUnderline = false;
    m_crText = m_crBack = kColorDefault;
}
