#pragma once

#include <QString>

// The browser page of the script wizard: the window opens as a blind, shakes
// and moves from one of eight start positions (0 top left, 1 top centre, 2
// top right, 3 middle left, 4 middle right, 5 bottom left, 6 bottom centre,
// 7 bottom right).
class ScriptBrowserModel
{
public:
    bool m_bBlind = false;
    bool m_bMove = false;
    bool m_bShake = false;
    int m_nStartPosition = 0;

    // Something is chosen: the wizard may finish.
    bool HasEffect() const { return m_bBlind || m_bMove || m_bShake; }
    // The description and preview picture of the combination; an empty
    // description when nothing is chosen.
    QString Description() const;
    QString Picture() const;
};
