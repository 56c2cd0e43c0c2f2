#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

// The roll-over image dialog (129 "ロールオーバーイメージ"): the normal picture (1003), the picture shown under the
// mouse (1005) and the link around the image (1387), OK, "ﾛｰﾙｵｰﾊﾞｰを削除(&E)" (4) and Cancel. The caller fills the
// fields (and m_bEdit when an existing image is edited) before DoModal and reads them after IDOK.
//
// Until the dialog's browse buttons, link dialog and preview come, the paths and the link are typed.
class VornaDlgRollOver : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 129;
    static constexpr int kRemoveButtonId = 4;

    explicit VornaDlgRollOver(QWidget* parent = nullptr);
    ~VornaDlgRollOver() override;

    int DoModal();

    QString m_strOriginal;
    QString m_strRollOver;
    QString m_strLink;
    QString m_strTarget;
    // The edited image's name.
    QString m_strName;
    bool m_bEdit = false;
    // Set by the remove button: the image is to become a plain one.
    bool m_bRemove = false;

    QLineEdit* m_edOriginal = nullptr;
    QLineEdit* m_edRollOver = nullptr;
    QLineEdit* m_edLink = nullptr;
    QPushButton* m_btnRemove = nullptr;

private:
    void OnRemove();
};
