#pragma once

#include <QString>

// The status-bar page of the script wizard: one of five text effects and up
// to three texts (the first three effects use one, the others all three).
class ScriptStatusModel
{
public:
    static constexpr int EffectCount = 5;

    int m_nEffect = -1;
    QString m_strText1; // edit box 1340
    QString m_strText2; // edit box 1006
    QString m_strText3; // edit box 1007

    static QString EffectText(int effect);
    static QString EffectDescription(int effect);
    static QString EffectPicture(int effect);
    // Whether the effect takes all three texts (else the first only).
    static bool UsesAllTexts(int effect) { return effect == 0 || effect == 1; }
    // The effect's script file and its call's function.
    static QString EffectScript(int effect);
};
