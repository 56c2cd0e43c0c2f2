#pragma once

#include "dialogs/ImgCssPageModel.h"

#include <QWidget>

#include <vector>

class CVornaToolTipCtrl;
class QComboBox;
class VornaDialogImgCssComplex;

// One filter's property page of the image effects dialog, built from its table: a number box with its range tooltip,
// a list or a colour picker for each parameter, and デフォルト. It reads the image's filter text once, when it is
// made, and afterwards its values live in its controls.
class VornaDialogImgCssPage : public QWidget
{
    Q_OBJECT
public:
    VornaDialogImgCssPage(int filterIndex, VornaDialogImgCssComplex* dialog, QWidget* parent);

    int filterIndex() const { return m_model.filterIndex(); }

    // The controls from the values (false) or the values from the controls (true).
    void UpdateData(bool save);
    // The filter's text as the controls stand.
    QString GetFilterText();
    const ImgCssPageModel& model() const { return m_model; }

    // デフォルト: every control back to its default; the preview follows when the filter is checked.
    void OnDefault();

private:
    void CreateControls();
    // The phase list's typed text taken as the entry of its tens.
    static void TakeTypedPhase(QComboBox* phase);
    // A number box left: its value comes into its range.
    void OnNumberLeft(int field);

    VornaDialogImgCssComplex* m_pDialog;
    ImgCssPageModel m_model;
    std::vector<QWidget*> m_controls; // one for each field of the model
    CVornaToolTipCtrl* m_pToolTip = nullptr;
};
