#pragma once

#include "effects/ScriptMouseModel.h"
#include "effects/VornaScriptPage.h"

class CColorPickerCB;
class CVornaComboBox;
class QCheckBox;
class QRadioButton;

// The mouse page of the script wizard (10016): crosshair, clicks and a
// changed pointer, previewed live with the real effect scripts. Switching
// the pointer on adds the wizard's page 2, switching it off drops it.
class VornaDlgScriptMouse : public VornaScriptPage, public ScriptMouseModel
{
    Q_OBJECT
public:
    unsigned int TitleId() const override;
    bool SaveData() override;

    // The preview page's body from this page and the wizard's page 2.
    QString BuildPreviewHtml() const;
    void UpdatePreview();
    // Shows the preview of the wizard's mouse pages in a viewer of a page.
    static void ShowWizardPreview(const VornaDlgScript* wizard, VornaHTMLViewer* viewer);

    void OnCrosshair();
    void OnClickEffect();
    void OnPointerEffect();
    void OnPointerKind(int kind);
    void OnClickKindChange();
    void OnColorChosen(int controlId);

protected:
    void OnInitDialog() override;

private:
    void UpdateOptions();
    void ReadLineColor();

    QCheckBox* m_chkClick = nullptr;         // 1012
    CVornaComboBox* m_cbClickKind = nullptr; // 1000
    QCheckBox* m_chkCrosshair = nullptr;     // 1013
    CColorPickerCB* m_cbLineColor = nullptr; // 1001
    QCheckBox* m_chkPointer = nullptr;       // 1007
    QRadioButton* m_rbText = nullptr;        // 14001
    QRadioButton* m_rbImage = nullptr;       // 14002
};
