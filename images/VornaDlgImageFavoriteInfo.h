#pragma once

#include <QDialog>
#include <QString>

class CVornaEdit;
class QPushButton;

// The bookmark's name and folder (570 "ブックマークの情報"): a new bookmark
// (edit mode 0) or an existing one (1, opened with its name and folder). OK
// is on once the entries can be stored: for a new bookmark a name and a
// folder that exists; for an existing one something changed, a name, and a
// folder that exists or is the one it had. OK stores the bookmark unless
// another bookmark has the name (told, the dialog stays) and ends with IDOK.
class VornaDlgImageFavoriteInfo : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 570;

    explicit VornaDlgImageFavoriteInfo(QWidget* parent = nullptr);

    int m_nEditMode = 0;
    QString m_strName;
    QString m_strPath;
    QString m_strOldName;
    bool m_bNameValid = false;
    bool m_bPathValid = false;

    void OnChangeName();
    void OnChangePath();
    void OnBrowse();
    void UpdateOKButton();
    void OnOK();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnInitDialog();
    // The controls' texts into the members, and back.
    void TakeValues();
    void PutValues();

    CVornaEdit* m_editName = nullptr;
    CVornaEdit* m_editPath = nullptr;
    QPushButton* m_btnOK = nullptr;
    QString m_strOldPath;
    bool m_bShownOnce = false;
};
