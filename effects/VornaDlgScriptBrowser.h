#pragma once

#include "effects/ScriptBrowserModel.h"
#include "effects/VornaScriptPage.h"

#include <array>

class QCheckBox;
class QRadioButton;

// The browser page of the script wizard (10020): blind, shake and move, and
// where the window starts moving from.
class VornaDlgScriptBrowser : public VornaScriptPage, public ScriptBrowserModel
{
    Q_OBJECT
public:
    // The radio buttons' ids in the order of the start positions 0 to 7.
    static constexpr std::array<int, 8> PositionIds = {14001, 14002, 14003, 14004, 14008, 14005, 14006, 14007};

    unsigned int TitleId() const override;
    bool SaveData() override;
    void UpdatePreview();
    void EnablePositions();

protected:
    void OnInitDialog() override;

private:
    QCheckBox* m_chkBlind = nullptr; // 1013
    QCheckBox* m_chkMove = nullptr;  // 1014
    QCheckBox* m_chkShake = nullptr; // 1012
    std::array<QRadioButton*, 8> m_radios{};
};
