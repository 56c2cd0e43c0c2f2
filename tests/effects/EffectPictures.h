#pragma once

#include <QImage>
#include <QList>
#include <QString>

// The pictures the effect scripts show, drawn for them: click bursts, pointer
// trails, leaves, rain, balloons and the transparent picture of the
// crosshair. Written as the install data in Other/script/ (see
// EffectFiles.PicturesHaveTheSizesTheScriptsGiveThem).
struct EffectPicture
{
    QString fileName;
    QImage image; // ARGB32; pixels of alpha below 128 are transparent
};

QList<EffectPicture> drawEffectPictures();
