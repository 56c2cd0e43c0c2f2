#include "frames/FramesetPropertyModel.h"

#include "dialogs/PagePropertyModel.h"

#include <algorithm>

// The frameset page offers the encodings of the page properties.
QString FramesetPropertyModel::CharsetToDisplayName(const QString& charset)
{
    return PagePropertyModel::CharsetToDisplayName(charset);
}

QString FramesetPropertyModel::DisplayNameToCharset(const QString& displayName)
{
    return PagePropertyModel::DisplayNameToCharset(displayName);
}

QStringList FramesetPropertyModel::EncodingNames()
{
    return PagePropertyModel::EncodingNames();
}

int FramesetPropertyModel::LayoutGap(int oldSpacing, int newSpacing, int border)
{
    return oldSpacing - (newSpacing + (border == 0 ? 1 : border));
}

int FramesetPropertyModel::InitialEncodingIndex(const QStringList& names) const
{
    QString wanted = m_strEncoding.trimmed();
    if (wanted.isEmpty() || !names.contains(wanted, Qt::CaseInsensitive))
        wanted = CharsetToDisplayName(QStringLiteral("shift_jis"));
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names[i].compare(wanted, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

void FramesetPropertyModel::OnEncodingChosen(const QString& displayName)
{
    m_strEncoding = DisplayNameToCharset(displayName);
    m_bEncodingChosen = true;
}

void FramesetPropertyModel::OnSpacingLeft()
{
    m_nFrameSpacing = std::clamp(m_nFrameSpacing, 0, kMaxSpacing);
}

void FramesetPropertyModel::OnOK(const QString& selectedDisplayName)
{
    OnSpacingLeft();
    // A charset the list does not name is kept while no entry was picked.
    if (!m_bEncodingChosen && !m_strCharset.isEmpty() && CharsetToDisplayName(m_strCharset).isEmpty())
        m_strEncoding = m_strCharset;
    else
        m_strEncoding = DisplayNameToCharset(selectedDisplayName);
}
