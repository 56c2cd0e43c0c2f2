#pragma once

#include <QStringList>

// The faces of this machine that the font choosers offer: the smoothly
// scalable families of the font database (bitmap faces are left out), no
// vertical-writing "@" faces, each family once with its " [foundry]" suffix
// dropped, in the database's order.
QStringList ListFontFaces();

// The same list made once for the program's life: the font list the font
// dialog and the other choosers read.
const QStringList& FontList();

// A family name without the " [foundry]" suffix the database adds when two
// foundries make a family of the same name.
QString FontFamilyName(const QString& family);
