#pragma once

#include "platform/ColorRef.h"

#include <QString>

#include <array>

// The sixteen user colours shared by the palette popup and the colour-space
// dialog, kept as DWORD values "CustomColor1" .. "CustomColor16" under the
// current user's key "Software\Vornasoft\Vorna-Paginor 2002\Colors".
using CustomColorTable = std::array<platform::ColorRef, 16>;

inline constexpr platform::ColorRef kMissingCustomColor = 0xFFFFFF;

QString CustomColorsKey();

// Opens (creating) the key and reads the sixteen values, each a plain colour
// (a high byte is dropped). A missing value is white and is written at once; when the key can be neither opened nor
// created every colour is white.
CustomColorTable LoadCustomColors();

// Writes all sixteen values, creating the key when it is missing. False when
// the store refused.
bool SaveCustomColors(const CustomColorTable& colors);
