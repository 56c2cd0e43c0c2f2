#pragma once

#include <QDialog>
#include <QString>

class QFileDialog;

// The insert-image dialog (322 "画像の挿入"). The modeless instance of
// 挿入 > 画像ファイル hands the chosen image to the page being edited: Insert
// arms its insertion at the next click (CMainFrame::RunInsertForPageView)
// and closes the dialog, which then deletes itself and lets the main frame
// know. The image-library commands of the main frame show their folders in it.
//
// Until the dialog's own folder list and thumbnails come, the images are
// chosen in a plain file list of the current folder.
class VornaDialogOpenImage : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 322;

    explicit VornaDialogOpenImage(QWidget* parent = nullptr);
    ~VornaDialogOpenImage() override;

    // Set by 挿入 > 画像ファイル: the dialog inserts into the page and lives
    // beside it.
    bool m_bModeless = false;
    // The folder whose images are listed, and the chosen file's name.
    QString m_strCurrentFolder;
    QString m_strFileName;
    // The chosen image's full path, built by Insert.
    QString m_strResultPath;

    // The result path from the current folder and the file name.
    void BuildSelectedImagePath();
    // Insert: the image waits for its click in the page (modeless), or the
    // dialog ends with IDOK (modal).
    void OnOK();
    // Lists a folder's images.
    void ChangeFolder(const QString& folder);

    // The image library's folders.
    void OnImageClipArt();
    void OnImageFrame();
    void OnImageBanner();
    void OnImageStudy();
    // The open web's image folder, for a page of that web.
    void OnWebImageFolder();

private:
    void InsertIntoPage();

    QFileDialog* m_files = nullptr;
};
