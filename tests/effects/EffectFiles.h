#pragma once

#include <QString>
#include <QStringList>

// What the effect writers copy from the install folder's Other/script/ and
// what the script wizard shows from its scriptpreview/ folder.
struct EffectScript
{
    QString fileName;
    QStringList entryFunctions; // the functions the writers' call lines name
};

QList<EffectScript> effectScripts();
QStringList effectPictureNames();
QStringList effectPreviewNames();
// The effect files as committed: share/Other/script/ of the source tree.
QString committedEffectFolder();
