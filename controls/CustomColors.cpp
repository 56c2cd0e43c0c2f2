#include "controls/CustomColors.h"

#include "util/CRegistryEx.h"

namespace customcolors_detail {

QString valueName(int slot)
{
    return QStringLiteral("CustomColor%1").arg(slot);
}

} // namespace customcolors_detail

QString CustomColorsKey()
{
    return QStringLiteral("Software\\Vornasoft\\Vorna-Paginor 2002\\Colors");
}

CustomColorTable LoadCustomColors()
{
    CustomColorTable colors;
    colors.fill(kMissingCustomColor);
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Open(HKEY_CURRENT_USER, CustomColorsKey()) && !reg.Create(HKEY_CURRENT_USER, CustomColorsKey()))
        return colors;
    for (int slot = 1; slot <= 16; ++slot) {
        quint32 value = 0;
        // Only the colour's three bytes count: a stored value is never taken
        // for the default or no-colour marker.
        if (reg.ReadDWord(customcolors_detail::valueName(slot), value))
            colors[size_t(slot - 1)] = value & 0xFFFFFFu;
        else
            reg.WriteDWord(customcolors_detail::valueName(slot), kMissingCustomColor);
    }
    return colors;
}

bool SaveCustomColors(const CustomColorTable& colors)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Open(HKEY_CURRENT_USER, CustomColorsKey()) && !reg.Create(HKEY_CURRENT_USER, CustomColorsKey()))
        return false;
    bool written = true;
    for (int slot = 1; slot <= 16; ++slot)
        written = reg.WriteDWord(customcolors_detail::valueName(slot), colors[size_t(slot - 1)]) && written;
    return written;
}
