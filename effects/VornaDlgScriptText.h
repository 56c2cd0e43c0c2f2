#pragma once

#include "effects/ScriptTextModel.h"
#include "effects/VornaScriptPage.h"

class CColorPickerCB;
class CVornaComboBox;
class CVornaEdit;
class QRadioButton;
class QSpinBox;

// The text-pointer page of the script wizard (10018): the message that
// follows the pointer, its kind, face, size and colour. A typed message is
// previewed when the mouse next moves over the page.
class VornaDlgScriptText : public VornaScriptPage, public ScriptTextModel
{
    Q_OBJECT
public:
    unsigned int TitleId() const override;
    bool SaveData() override;
    void UpdatePreview();
    bool IsPreviewPending() const { return m_bPreviewPending; }

    void OnMessageChange();
    void OnSizeChange();
    void OnTextKind(int kind);

protected:
    void OnInitDialog() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CVornaEdit* m_editMessage = nullptr;    // 1006
    QSpinBox* m_editSize = nullptr;         // 1451 with its spin 1015
    CVornaComboBox* m_cbSizeStep = nullptr; // 1000, hidden
    CVornaComboBox* m_cbFont = nullptr;     // 1124
    CColorPickerCB* m_cbColor = nullptr;    // 1001
    QRadioButton* m_rbStandard = nullptr;   // 14001
    QRadioButton* m_rbWave = nullptr;       // 14002
    bool m_bEdited = false;
    bool m_bPreviewPending = false;
};
