#pragma once

#include <QDialog>

// The image browser: the folders and image files of one folder as
// thumbnails, from which images go into the page being edited. It lives in a
// dialog bar of the main frame.
//
// Least body until the browser is built: an empty pane (dialog 560).
class VornaDlgImageBrowser : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 560;

    explicit VornaDlgImageBrowser(QWidget* parent = nullptr);
    ~VornaDlgImageBrowser() override;
};
