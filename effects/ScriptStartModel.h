#pragma once

#include <QString>

// The script wizard's first page: the kind of effect (0 status bar, 1
// browser window, 2 screen, 3 mouse), each with its list text, description
// and preview picture.
class ScriptStartModel
{
public:
    static constexpr int KindCount = 4;

    int m_nKind = -1;

    static QString KindText(int kind);
    static QString KindDescription(int kind);
    // The picture's file name in the install folder's Other/script/scriptpreview/.
    static QString KindPicture(int kind);
};
