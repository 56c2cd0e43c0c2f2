#pragma once

#include <QDialog>
#include <QString>

class CVornaEdit;
class QCheckBox;

// The server entry dialog: the name of a web server entry and its FTP and
// HTTP settings. The caller fills the fields (and the editing flag) before
// DoModal and reads them after IDOK; OK refuses a name that is empty, holds a
// "\" or is another entry's, keeping the dialog open. Leaving the time-out
// box holds its number between 0 and 100.
class VORNA_DIALOG_FTP : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 399;
    static constexpr int kNameId = 1001;
    static constexpr int kDirId = 1002;
    static constexpr int kPortId = 1004;
    static constexpr int kHostId = 1005;
    static constexpr int kUserId = 1006;
    static constexpr int kPasswordId = 1007;
    static constexpr int kTimeoutId = 1008;
    static constexpr int kPassiveId = 1009;
    static constexpr int kUrlId = 1013;
    static constexpr int kTimeoutSpinId = 1014;

    explicit VORNA_DIALOG_FTP(QWidget* parent = nullptr);
    ~VORNA_DIALOG_FTP() override;

    // IDOK or IDCANCEL.
    int DoModal();

    // The fields, with the defaults of a new entry.
    QString m_strName;
    QString m_strHost;
    QString m_strUserId;
    QString m_strPassword;
    QString m_strDir = QStringLiteral("/");
    QString m_strPort = QStringLiteral("21");
    QString m_strTimeout = QStringLiteral("10");
    int m_nPassive = 1;
    QString m_strUrl = QStringLiteral("http://");
    // 1 while an existing entry is edited.
    int m_bEditing = 0;
    // The name when the dialog opened.
    QString m_strNameAtOpening;

    void OnKillfocusTimeout();

protected:
    void accept() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();
    // Fields from the controls (true) or to them (false).
    void UpdateData(bool save);

    CVornaEdit* m_editName;
    CVornaEdit* m_editHost;
    CVornaEdit* m_editUserId;
    CVornaEdit* m_editPassword;
    CVornaEdit* m_editDir;
    CVornaEdit* m_editPort;
    CVornaEdit* m_editTimeout;
    QCheckBox* m_chkPassive;
    CVornaEdit* m_editUrl;
};
