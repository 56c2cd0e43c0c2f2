#pragma once

#include <QDialog>
#include <QString>

class CVornaEdit;

// The customer information (dialog 412, "Vornasoft カスタマー情報"): the user's
// id and password with the hosting service whose bulletin board, guest book
// and counter go on pages. It opens on the stored values; OK stores both
// (neither may be empty); 登録 opens the service's sign-up page in the
// desktop's browser.
class VornaDialogRegister : public QDialog
{
    Q_OBJECT
public:
    // Ids and passwords up to this length are stored and read back whole.
    static constexpr int kMaxLength = 199;

    explicit VornaDialogRegister(QWidget* parent = nullptr);
    ~VornaDialogRegister() override;

    // IDOK (1) once both values were stored, else IDCANCEL (2).
    int DoModal();

    // "登録": the sign-up page in the browser; nothing is stored.
    void OnRegister();

    // The texts of the two boxes, kept as they are typed.
    QString m_strPassword;
    QString m_strUserId;

protected:
    void accept() override;

private:
    void OnInitDialog();

    CVornaEdit* m_editUserId = nullptr;
    CVornaEdit* m_editPassword = nullptr;
};
