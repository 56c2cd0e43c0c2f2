#pragma once

#include "effects/ScriptStatusModel.h"
#include "effects/VornaScriptPage.h"

class CVornaEdit;
class QListWidget;

// The status-bar page of the script wizard (10015): the effect and its texts.
class VornaDlgScriptStatus : public VornaScriptPage, public ScriptStatusModel
{
    Q_OBJECT
public:
    unsigned int TitleId() const override;
    bool SaveData() override;
    void OnItemChanged(int row);
    void EnableAllTexts();
    void EnableFirstTextOnly();

protected:
    void OnInitDialog() override;

private:
    QListWidget* m_listEffect = nullptr;
    CVornaEdit* m_editText1 = nullptr; // 1340
    CVornaEdit* m_editText2 = nullptr; // 1006
    CVornaEdit* m_editText3 = nullptr; // 1007
};
