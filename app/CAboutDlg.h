#pragma once

#include "app/AboutBoxModel.h"

#include <QDialog>

// The about box: the product picture, then version, telephone, e-mail and web
// addresses from the installation's information; missing ones leave their
// lines empty and give no link.
class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 100;

    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

    QString versionText() const { return m_model.version; }
    const AboutBoxModel& model() const { return m_model; }

private:
    AboutBoxModel m_model;
};
