#pragma once

#include <QDialog>

class QLabel;

// The about box: version, telephone, e-mail and web addresses from the
// installation's information; missing ones leave their lines empty.
class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 100;

    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

    QString versionText() const { return m_strVersion; }

private:
    QString m_strVersion;
};
