#include "source/SourcePageSetupModel.h"

#include "util/CRegistryEx.h"

namespace {

const char* const kPageSetupProfileKey = "Software\\Vornasoft\\Vorna-Paginor 2002(TEV)\\ULO\\CrystalEdit\\PageSetup";

int readMargin(CRegistryEx& registry, const char* name)
{
    int value = 0;
    if (registry.ReadInt(QString::fromLatin1(name), value) && value >= 0)
        return value;
    return SourcePageSetupModel::DefaultMargin;
}

} // namespace

void SourcePageSetupModel::LoadProfile()
{
    m_nLeftMargin = m_nRightMargin = m_nTopMargin = m_nBottomMargin = DefaultMargin;
    CRegistryEx registry(HKEY_CURRENT_USER);
    if (!registry.Open(HKEY_CURRENT_USER, QString::fromLatin1(kPageSetupProfileKey)))
        return;
    m_nLeftMargin = readMargin(registry, "LeftMargin");
    m_nRightMargin = readMargin(registry, "RightMargin");
    m_nTopMargin = readMargin(registry, "TopMargin");
    m_nBottomMargin = readMargin(registry, "BottomMargin");
}

void SourcePageSetupModel::SaveProfile() const
{
    CRegistryEx registry(HKEY_CURRENT_USER);
    if (!registry.Create(HKEY_CURRENT_USER, QString::fromLatin1(kPageSetupProfileKey)))
        return;
    registry.WriteDWord(QStringLiteral("LeftMargin"), static_cast<quint32>(m_nLeftMargin));
    registry.WriteDWord(QStringLiteral("RightMargin"), static_cast<quint32>(m_nRightMargin));
    registry.WriteDWord(QStringLiteral("TopMargin"), static_cast<quint32>(m_nTopMargin));
    registry.WriteDWord(QStringLiteral("BottomMargin"), static_cast<quint32>(m_nBottomMargin));
}
