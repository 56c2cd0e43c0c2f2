#include "controls/CItemInfo.h"

void CItemInfo::SetSubItemText(int n, const QString& text)
{
    if (n < 0)
        return;
    while (m_subItems.size() <= n)
        m_subItems.append(QString());
    m_subItems[n] = text;
}

void CItemInfo::SetSubItemText(int n, const QString& text, int image)
{
    SetSubItemText(n, text);
    if (n >= 0)
        m_cellImages.insert(n, image);
}

QString CItemInfo::GetSubItem(int n) const
{
    return n >= 0 && n < m_subItems.size() ? m_subItems.at(n) : QString();
}

int CItemInfo::GetControlType(int column, CONTROLTYPE& type) const
{
    const auto found = m_controlTypes.constFind(column);
    if (found == m_controlTypes.constEnd()) {
        type = Edit;
        return 0;
    }
    type = CONTROLTYPE(found.value());
    return 1;
}

platform::ColorRef CItemInfo::GetCellColor(int column) const
{
    return m_cellColors.value(column, platform::ColorRef(-1));
}

bool CItemInfo::GetListData(int column, QStringList& list) const
{
    const auto found = m_choiceLists.constFind(column);
    if (found == m_choiceLists.constEnd())
        return false;
    list = found.value();
    return true;
}

void CItemInfo::CopyObjects(const CItemInfo& source)
{
    m_strItemText = source.m_strItemText;
    m_subItems = source.m_subItems;
    for (int n = 0; n < source.GetSubItemCount(); ++n) {
        CONTROLTYPE type = Edit;
        if (source.GetControlType(n, type))
            m_controlTypes.insert(n, type);
        QStringList choices;
        if (source.GetListData(n, choices))
            m_choiceLists.insert(n, choices);
    }
    for (auto it = source.m_cellColors.constBegin(); it != source.m_cellColors.constEnd(); ++it)
        m_cellColors.insert(it.key(), it.value());
    m_nCheck = source.m_nCheck;
    m_nImage = source.m_nImage;
    m_nUserNumber = source.m_nUserNumber;
    m_rowColor = source.m_rowColor;
    for (auto it = source.m_cellImages.constBegin(); it != source.m_cellImages.constEnd(); ++it) {
        if (it.value() != -1)
            m_cellImages.insert(it.key(), it.value());
    }
}
