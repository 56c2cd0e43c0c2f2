#pragma once

#include <QSize>
#include <QString>

// The markup of a roll-over image: the attributes that make an IMG swap its picture under the mouse through the
// page's VornaChangeImage script function.

// The attribute text the roll-over dialog builds for the IMG (with a blank in front): only the size when there is no
// roll-over picture, else the id, the name, the two event attributes and the size. An empty size (a picture that
// cannot be measured) is left out. Paths and the name are written as JavaScript strings (backslash and quote escaped)
// inside HTML attribute values.
QString RollOverAttributeText(const QString& name, const QString& normalPath, const QString& rollOverPath, QSize size);

// The JavaScript call an event attribute of a roll-over image holds.
QString RollOverCall(const QString& name, const QString& path);

// The picture an onmouseover attribute's roll-over call names: its quoted second argument with the escaped backslashes
// and quotes read (other backslashes stay, as in a Windows path written unescaped); empty when the text holds no such
// argument.
QString RollOverPathOf(const QString& onMouseOver);
