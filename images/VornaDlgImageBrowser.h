#pragma once

#include <QDialog>
#include <QString>

// The image browser: the folders and image files of one folder as
// thumbnails, from which images go into the page being edited. It lives in a
// dialog bar of the main frame, which steers it: the image-library commands,
// the bookmarks and the folder of freshly scanned pages.
//
// Least body until the browser is built: an empty pane (dialog 560) that
// keeps the folder it was asked to show.
class VornaDlgImageBrowser : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 560;

    explicit VornaDlgImageBrowser(QWidget* parent = nullptr);
    ~VornaDlgImageBrowser() override;

    // Shows a folder's images.
    void OpenFolder(const QString& folder);
    // The image library's folders.
    void OnImageClipArt();
    void OnImageFrame();
    void OnImageBanner();
    void OnImageStudy();
    // The open web's image folder.
    void OnWebImageFolder();

    // The image bookmarks menu: its manage entry, and an entry (commands 162-181) opening its folder. Until the
    // browser keeps bookmarks there are none, and both do nothing.
    void OnManageBookmarks();
    void OpenBookmark(unsigned commandId);

    // The folder shown.
    QString m_strCurrentFolder;
};
