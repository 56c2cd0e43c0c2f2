#pragma once

#include "source/EditReplaceModel.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class VornaSourceEditView;

// The replace dialog of the source view: find what, replace with, match case,
// whole word, the scope (selection or whole text), and the buttons find
// next, replace, replace all and cancel. Each button first takes the
// controls' values into the model.
class CEditReplaceDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CEditReplaceDlg(VornaSourceEditView* view);
    ~CEditReplaceDlg() override;

    EditReplaceModel& Model() { return m_model; }
    // Shows the model's values and runs the dialog modally.
    int Run();

    // The model's values into the controls, or the controls' values into the model.
    void UpdateData(bool saveAndValidate);

public slots:
    void reject() override;

private:
    void OnInitDialog();
    void UpdateButtons();
    void OnEditSkip();
    void OnEditReplace();
    void OnEditReplaceAll();

    std::unique_ptr<EditReplaceTarget> m_pTarget;
    EditReplaceModel m_model;
    QLineEdit* m_pFindWhat = nullptr;
    QLineEdit* m_pReplaceWith = nullptr;
    QCheckBox* m_pMatchCase = nullptr;
    QCheckBox* m_pWholeWord = nullptr;
    QRadioButton* m_pScopeSelection = nullptr;
    QRadioButton* m_pScopeWholeText = nullptr;
    QPushButton* m_pFindNext = nullptr;
    QPushButton* m_pReplace = nullptr;
    QPushButton* m_pReplaceAll = nullptr;
};
