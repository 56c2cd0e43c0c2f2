#pragma once

#include <QDialog>
#include <QString>

class CVornaComboBox;
class CVornaEdit;
class QCheckBox;
class QPushButton;
class QRadioButton;

// The quick-publish settings: the server quick publish sends the open web to
// (the active server) and four options of the upload, kept as DWORD values
// beside the server entries. The server's host, port, folder and user id are
// shown, not edited: they change in the server list behind 設定. OK stores the
// chosen server as the active one and the options; Cancel stores nothing.
// The options can be read without showing the dialog (LoadOptions).
class CVornaDialogQuickPublish : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 14083;
    static constexpr int kUserIdId = 1001;
    static constexpr int kHostId = 1005;
    static constexpr int kDirId = 1006;
    static constexpr int kPortId = 1010;
    static constexpr int kServerSettingsId = 1016;
    static constexpr int kHidePropertyId = 1239;
    static constexpr int kOverwriteId = 1489;
    static constexpr int kDeleteFirstId = 1490;
    static constexpr int kSaveFirstId = 1491;
    static constexpr int kOnlyModifiedId = 1492;
    static constexpr int kServerId = 1493;

    explicit CVornaDialogQuickPublish(QWidget* parent = nullptr);
    ~CVornaDialogQuickPublish() override;

    // IDOK or IDCANCEL.
    int DoModal();

    // Reads the four options; false, changing nothing, when their key does
    // not exist. A stored value other than 0 or 1 counts as the option's
    // default, so a damaged value never deletes the server's files nor hides
    // this dialog.
    bool LoadOptions();
    // Writes the four options; makes their key (writing nothing) when it is missing.
    bool SaveOptions();
    // Fills the server box with the server entries.
    bool LoadServerList();
    // Shows the active server and its settings.
    void ShowActiveServer();

    void OnServerSettings();
    void OnOverwriteAll();
    void OnDeleteBeforeUpload();
    void OnSelChangeServer();

    QString m_strDir;
    QString m_strHost;
    QString m_strPort;
    QString m_strUserId;
    int m_bHidePublishProperty = 0;
    int m_bSaveBeforeUpload = 0;
    int m_bPublishOnlyModifiedFiles = 0;
    // 0 overwrite every file on the server, 1 delete them all before the upload; -1 none chosen.
    int m_nOverwriteOrDelete = -1;
    QString m_strServer;

protected:
    void accept() override;

private:
    void OnInitDialog();
    // The members from the controls (true) or to them (false).
    void UpdateData(bool save);
    void SetDefaultOptions();
    // The shown settings of the named server.
    void ShowServer(const QString& name);

    CVornaEdit* m_editUserId;
    CVornaEdit* m_editPort;
    CVornaEdit* m_editHost;
    CVornaEdit* m_editDir;
    CVornaComboBox* m_comboServer;
    QPushButton* m_btnSettings;
    QPushButton* m_btnOk;
    QRadioButton* m_radioOverwrite;
    QRadioButton* m_radioDelete;
    QCheckBox* m_chkSaveFirst;
    QCheckBox* m_chkOnlyModified;
    QCheckBox* m_chkHide;
};
