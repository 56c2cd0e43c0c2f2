#pragma once

#include <QDialog>

class QCheckBox;
class QRadioButton;

// The source conversion question (632 "ソース変換"): whether a page's source
// is to be converted for this editor (1508) or left as it is (1509), and
// whether the question is to be asked again (1239). Only OK closes it with
// an answer; after IDOK m_nConvert is 0 (convert) or 1 (leave), and
// m_bNoShowAgain 1 when the box is ticked.
class VornaDialogSourceConversion : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 632;
    enum Answer { kNoAnswer = -1, kConvert = 0, kKeepOriginal = 1 };

    explicit VornaDialogSourceConversion(QWidget* parent = nullptr);
    ~VornaDialogSourceConversion() override;

    // IDOK (1), or IDCANCEL (2) when the window was closed without OK.
    int DoModal();

    int m_nConvert = kNoAnswer;
    int m_bNoShowAgain = 0;

protected:
    void accept() override;

private:
    QRadioButton* m_rbConvert = nullptr;
    QRadioButton* m_rbKeep = nullptr;
    QCheckBox* m_chkNoShowAgain = nullptr;
};
