#pragma once

#include "effects/ScriptScreenModel.h"
#include "effects/VornaScriptPage.h"

class CColorPickerCB;
class CVornaComboBox;
class QListWidget;

// The screen page of the script wizard (10017): the page-opening effect, its
// speed and colours.
class VornaDlgScriptScreen : public VornaScriptPage, public ScriptScreenModel
{
    Q_OBJECT
public:
    unsigned int TitleId() const override;
    void OnItemChanged(int row);
    void OnSpeedChange();
    void OnColorChosen(int controlId);

protected:
    void OnInitDialog() override;

private:
    QListWidget* m_listEffect = nullptr;
    CVornaComboBox* m_cbSpeed = nullptr;      // 1002
    CColorPickerCB* m_cbStartColor = nullptr; // 1000
    CColorPickerCB* m_cbEndColor = nullptr;   // 1001
};
