#pragma once

#include <QString>

// The screen page of the script wizard: one of ten page-opening effects, its
// speed (8 to 32 in steps of 3) and its start and end colours ("#rrggbb").
class ScriptScreenModel
{
public:
    static constexpr int EffectCount = 10;
    static constexpr int DefaultSpeedStep = 4;

    QString m_strStartColor = QStringLiteral("#808080");
    QString m_strEndColor = QStringLiteral("#ffffff");
    int m_nSpeed = SpeedOf(DefaultSpeedStep);
    int m_nEffect = -1;

    // The speed of the speed list's row (0 for "1" to 8 for "9").
    static int SpeedOf(int step) { return 8 + 3 * step; }
    static QString EffectText(int effect);
    static QString EffectDescription(int effect);
    static QString EffectPicture(int effect);
    // The effect's script file without ".js", which names its call too.
    static QString EffectScript(int effect);
    // Which controls the effect uses: the speed, the start and the end colour.
    static bool UsesSpeed(int effect) { return effect >= 0 && effect <= 6; }
    static bool UsesStartColor(int effect) { return effect >= 0 && effect <= 6; }
    static bool UsesEndColor(int effect) { return effect == 6; }
};
