#pragma once

// What the font combo keeps per face name: whether the face also stands in
// the recent section, and its kind (1 for an outline face, 0 otherwise).
class CFontObj
{
public:
    explicit CFontObj(int type) : m_nType(type) {}

    bool m_bRecent = false;
    int m_nType = 0;
};
