#pragma once

#include "effects/ScriptImageModel.h"
#include "effects/VornaScriptPage.h"

class CVornaEdit;
class QCheckBox;
class QListWidget;
class QRadioButton;
class VornaImageButton;

// The image-pointer page of the script wizard (10019): a built-in trail or
// the user's picture, its size and trail.
class VornaDlgScriptImg : public VornaScriptPage, public ScriptImageModel
{
    Q_OBJECT
public:
    unsigned int TitleId() const override;
    bool SaveData() override;
    // Refuses a user's picture without a readable size, with a message.
    bool CheckValues() override;
    void UpdatePreview();
    void UpdateControls();
    void SetNextEnabled(bool enabled) { VornaScriptPage::SetNextEnabled(enabled); }

    void OnItemChanged(int row);
    void OnBuiltIn();
    void OnUserImage();
    void OnPathChange();
    void OnBrowse();
    void OnTrail();
    void OnTrailSizeChange();
    void OnNaturalSize();

protected:
    void OnInitDialog() override;

private:
    void ReadControls();

    QRadioButton* m_rbBuiltIn = nullptr;     // 1494
    QRadioButton* m_rbUser = nullptr;        // 1323
    QListWidget* m_listBuiltIn = nullptr;    // 14000
    CVornaEdit* m_editPath = nullptr;        // 1006
    VornaImageButton* m_btnBrowse = nullptr; // 1007
    QCheckBox* m_chkNatural = nullptr;       // 1009
    QCheckBox* m_chkTrail = nullptr;         // 1010
    QCheckBox* m_chkTrailSize = nullptr;     // 1013
};
