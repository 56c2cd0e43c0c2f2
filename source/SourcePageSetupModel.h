#pragma once

// The four page margins of printed source text, in hundredths of a
// millimetre, kept in the user's profile (section CrystalEdit\PageSetup).
class SourcePageSetupModel
{
public:
    static constexpr int DefaultMargin = 1000; // 10 mm

    // Reads the margins; a value missing from the profile, or a negative
    // one, gives the default.
    void LoadProfile();
    void SaveProfile() const;

    int m_nLeftMargin = DefaultMargin;
    int m_nRightMargin = DefaultMargin;
    int m_nTopMargin = DefaultMargin;
    int m_nBottomMargin = DefaultMargin;
};
