#include "source/EditReplaceModel.h"

#include "source/SourceTextSearch.h"
#include "util/CRegistryEx.h"

const char* const kEditReplaceProfileKey = "Software\\Vornasoft\\Vorna-Paginor 2002(TEV)\\ULO\\CrystalEdit\\Replace";

void EditReplaceModel::LoadProfile()
{
    CRegistryEx registry(HKEY_CURRENT_USER);
    if (!registry.Open(HKEY_CURRENT_USER, QString::fromLatin1(kEditReplaceProfileKey)))
        return;
    int value = 0;
    if (registry.ReadInt(QStringLiteral("MatchCase"), value))
        m_bMatchCase = value != 0;
    if (registry.ReadInt(QStringLiteral("WholeWord"), value))
        m_bWholeWord = value != 0;
    QString text;
    if (registry.ReadString(QStringLiteral("FindWhat"), text))
        m_sText = text;
    if (registry.ReadString(QStringLiteral("ReplaceWith"), text))
        m_sNewText = text;
}

void EditReplaceModel::SaveProfile() const
{
    CRegistryEx registry(HKEY_CURRENT_USER);
    if (!registry.Create(HKEY_CURRENT_USER, QString::fromLatin1(kEditReplaceProfileKey)))
        return;
    registry.WriteDWord(QStringLiteral("MatchCase"), m_bMatchCase ? 1 : 0);
    registry.WriteDWord(QStringLiteral("WholeWord"), m_bWholeWord ? 1 : 0);
    registry.WriteString(QStringLiteral("FindWhat"), m_sText);
    registry.WriteString(QStringLiteral("ReplaceWith"), m_sNewText);
}

void EditReplaceModel::OnFindNext()
{
    if (!m_bFound)
        m_ptCurrentPos = m_ptSearchStart;
    else
        m_ptCurrentPos.rx() += 1;
    DoSearch();
}

void EditReplaceModel::OnReplace()
{
    if (!CanReplace())
        return;
    if (m_bFound) {
        if (!DoReplaceOne())
            return;
    } else {
        m_ptCurrentPos = m_ptSearchStart;
    }
    DoSearch();
}

void EditReplaceModel::OnReplaceAll()
{
    if (!CanReplace())
        return;
    if (!m_bFound) {
        m_ptCurrentPos = m_ptSearchStart;
        DoSearch();
    }
    while (m_bFound) {
        if (!DoReplaceOne())
            return; // the view refused the change: searching again would find the same match
        DoSearch();
    }
}

bool EditReplaceModel::DoReplaceOne()
{
    const std::string newText = m_sNewText.toStdString();
    const int delta = static_cast<int>(newText.size()) - static_cast<int>(m_sText.toStdString().size());
    if (!m_pTarget->ReplaceSelection(newText)) {
        m_bFound = false;
        return false;
    }
    if (m_bEnableScopeSelection) {
        // The block's ends right of the match on its line move with the change of length.
        for (QPoint* end : {&m_ptBlockBegin, &m_ptBlockEnd})
            if (end->y() == m_ptCurrentPos.y() && end->x() > m_ptCurrentPos.x())
                end->rx() += delta;
    }
    m_ptCurrentPos.rx() += static_cast<int>(newText.size());
    return true;
}

void EditReplaceModel::DoSearch()
{
    const std::string what = m_sText.toStdString();
    uint32_t flags = 0;
    if (m_bMatchCase)
        flags |= FIND_MATCH_CASE;
    if (m_bWholeWord)
        flags |= FIND_WHOLE_WORD;
    QPoint found;
    const bool hit =
        m_nScope == 0 ? m_pTarget->FindInRange(what, m_ptCurrentPos, m_ptBlockBegin, m_ptBlockEnd, flags, false, found)
                      : m_pTarget->FindInText(what, m_ptCurrentPos, flags, false, found);
    if (hit) {
        m_ptCurrentPos = found;
        m_pTarget->SelectFoundText(found, static_cast<int>(what.size()));
        m_bFound = true;
        return;
    }
    m_pTarget->ReportNotFound(m_sText);
    m_ptSearchStart = m_nScope == 0 ? m_ptBlockBegin : QPoint(0, 0);
    m_bFound = false;
}
