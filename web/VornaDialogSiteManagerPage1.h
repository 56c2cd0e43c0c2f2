#pragma once

#include "frames/FrameEnvironment.h"
#include "publish/PublishedWebModel.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <memory>

class CVornaFtp;
class CVornaSiteGridCtrl;
class CVornaToolTipCtrl;
class CZQView;
class QLabel;
class VornaImageButton;

// The site manager page: the page of the site manager window that lists the
// open web's files in its site list, and the model of the open web that the
// rest of the program asks: which pages the web has, their titles, which row
// shows a file, which pages changed since they were last published, and how
// frame pages hang under their frameset pages. Its buttons import a page,
// delete the selected files, reload the list and open the quick-publish
// settings.
class VornaDialogSiteManagerPage1 : public QWidget, public FrameSiteRows, public PublishedWebModel
{
    Q_OBJECT
public:
    static constexpr int IDD = 673;

    explicit VornaDialogSiteManagerPage1(QWidget* parent = nullptr);
    ~VornaDialogSiteManagerPage1() override;

    CVornaSiteGridCtrl* siteList() const { return m_list; }

    // ---- the web model ----
    // Empties the list and fills it from the open web's folder; false when no web is open.
    bool LoadWeb();
    // The file names (titles) of the page rows, in list order.
    QStringList GetPageFileNames() const;
    QStringList GetPageTitles() const;
    // The row that shows the file (a path relative to the web folder, "\"
    // read as "/", or a full path inside it), or -1; with a view, -1 also
    // when the view's page lies outside the web folder.
    int FindFileRow(const QString& file) override;
    int FindFileRow(const QString& file, CZQView* view);
    int GetSiteListCount() const override;
    int GetSiteListSelectionMark() const override;
    void SelectRow(int row, bool select) override;
    // Selects (or clears) the row of the file, or of its frameset page when it is a frame page.
    void SelectFile(const QString& file, bool select);
    // The rows of the active page and of its frameset page (-1 when none);
    // false when the active page has no row.
    bool FindActivePageRows(int& pageRow, int& framesetRow, QString* name = nullptr);
    // Opens the row's file in the editor.
    void OpenItem(int row);
    // Registers a page of the web by its path or name and gives its row; -1
    // when the user declined (a name clash, or no title given).
    int AddPageToWeb(const QString& path, const QString& titleFile, const QString& title, const QString& framesetName,
                     bool frame) override;
    // Links the row of the file to the frameset page, adding a row when there is none.
    void AddOrUpdateFileRow(const QString& fileName, const QString& framesetName) override;
    void RenameFileRow(const QString& oldName, const QString& newName) override;
    void SetPageTitle(const QString& page, const QString& title) override;
    void RemoveFileRow(const QString& path) override;
    void UnlinkRow(const QString& fileName, int row = -1) override;
    void UnlinkChildRows(const QString& framesetName) override;
    bool SetItemTag(int row, const QString& tag) override;
    bool SetItemKind(int row, int kind) override;
    // The site list's own operations, for the frame code.
    bool AddRootItem(const QString& text) override;
    bool SetCellText(int row, int column, const QString& text) override;
    bool ClearSelection() override;
    void SetBodyAttributes(const QString& background, const QString& bgColor, const QString& text, const QString& link,
                           const QString& aLink, const QString& vLink);
    // Writes the stored BODY attributes into the page of the view.
    void ApplyBodyAttributes(CZQView* view);

    // ---- files to publish ----
    // The saved page (its path relative to the web folder) goes to the head
    // of the list unless it is listed.
    void AddModifiedFile(const QString& fileName);
    bool RemoveModifiedFile(const QString& fileName) override;
    // The list, "project.ini" at its head while the web's structure changed;
    // none when it is empty.
    const QStringList* GetModifiedFiles();
    void ClearModifiedFiles();
    void ClearProjectFilePending() override { m_bWebChanged = 0; }

    // ---- the buttons ----
    void OnImport();
    void OnDelete();
    void OnRefresh();
    void OnQuickPublishProperties();
    // Publishes the open web to the active server with the stored options.
    void OnQuickPublish();

    // The page's FTP engine, made on first use; whether it transfers now.
    CVornaFtp& GetFtp();
    bool IsTransferRunning() const;

    // Shows the open web's name and active server.
    void ShowWebName();
    void ShowServerName();

    // The web's structure changed since it was published: "project.ini" goes with the next upload.
    quint8 m_bWebChanged = 0;
    int m_nLastFrameRow = -1;
    // 0 idle, 1 while files are deleted, 2 while a page is registered.
    int m_nBusy = 0;
    QString m_strWork;
    QString m_strBackground, m_strBgColor, m_strText, m_strLink, m_strALink, m_strVLink;
    bool m_bCloseAfterPublish = false;
    bool m_bCtrlDown = false;

    // The web name shortened to a width: the last two characters become
    // "...", then characters before it go until the text fits.
    static QString ShortenToWidth(const QString& text, const QFontMetrics& metrics, int width);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ensureFilled();
    void openPath(const QString& path);
    void closeDocumentBeforeDelete(const QString& path);
    bool deleteFolderContents(const QString& folder);

    QLabel* m_webName = nullptr;
    QLabel* m_serverName = nullptr;
    VornaImageButton* m_btnImport = nullptr;
    VornaImageButton* m_btnDelete = nullptr;
    VornaImageButton* m_btnRefresh = nullptr;
    VornaImageButton* m_btnQuickPublish = nullptr;
    VornaImageButton* m_btnQuickPublishProperties = nullptr;
    CVornaSiteGridCtrl* m_list = nullptr;
    CVornaToolTipCtrl* m_toolTips = nullptr;
    std::unique_ptr<CVornaFtp> m_pFtp;
    std::unique_ptr<QStringList> m_pModifiedFiles;
};
