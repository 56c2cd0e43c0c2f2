#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CVornaComboBox;
class CVornaFtp;
class CVornaToolTipCtrl;
class CVornaTreeCtrl;
class QLabel;
class QPushButton;
class QTreeWidgetItem;
class VornaImageButton;
struct ServerListing;

// The two-pane publishing window: one local web's folder on the left and the
// chosen server's folder on the right, both as check trees. The user picks a
// web and a server, connects, ticks files on either side and uploads,
// downloads or deletes them, renames files and folders in place, and
// previews the web. Everything on the server goes through the window's own
// FTP engine, one piece of work at a time.
//
// Items: picture 0 a root, 1 a file, 2 a folder; a file carries its size in
// SizeRole. A server folder not listed yet holds one placeholder child (empty
// text, picture 0, no check box), replaced by its contents when it opens.
// "project.ini" is never shown, nor hidden files or links out of the web.
class VornaDialogPublish : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 14081;
    static constexpr int SizeRole = Qt::UserRole + 1;
    // The server folders a deep listing descends at most (a server whose
    // links make a folder loop would otherwise list without end).
    static constexpr int MaxListingDepth = 64;
    // Control ids.
    static constexpr int kCloseId = 1;
    static constexpr int kLocalAreaId = 1002;
    static constexpr int kServerAreaId = 1003;
    static constexpr int kDownloadId = 1004;
    static constexpr int kUploadId = 1008;
    static constexpr int kWebSettingsId = 1009;
    static constexpr int kLocalSelectAllId = 1010;
    static constexpr int kLocalSelectNoneId = 1011;
    static constexpr int kLocalSelectModifiedId = 1013;
    static constexpr int kServerSelectAllId = 1015;
    static constexpr int kServerSelectNoneId = 1016;
    static constexpr int kLocalDeleteId = 1017;
    static constexpr int kServerDeleteId = 1018;
    static constexpr int kLocalSelectInsertedId = 1019;
    static constexpr int kConnectId = 1235;
    static constexpr int kLocalTreeId = 10204;
    static constexpr int kServerTreeId = 10205;
    static constexpr int kServerComboId = 10206;
    static constexpr int kWebComboId = 10207;
    static constexpr int kBrowserPreviewId = 10208;
    static constexpr int kPreviewId = 10209;

    explicit VornaDialogPublish(QWidget* parent = nullptr);
    ~VornaDialogPublish() override;

    // Sets the window up and runs it; IDOK or IDCANCEL.
    int DoModal();
    // The set-up before the window shows (DoModal runs it).
    void OnInitDialog();

    // ---- trees and connection ----
    void FillLocalTree();
    bool AddLocalFolder(const QString& folder, QTreeWidgetItem* parent);
    // Lists the server's start folder; bDeep lists every level below it.
    void FillServerTree(bool bDeep);
    // Lists one server folder under its item (deep: with everything below).
    // False when the listing could not run or was cancelled.
    bool AddServerFolder(const QString& dir, QTreeWidgetItem* parent, bool bDeep);
    bool LoadServerList();
    bool SelectActiveServer();
    bool SaveActiveServer(const QString& name);
    void OnConnect();
    void OnWebSettings();
    // The local path of the selected item ("/" separators; a folder's ends in
    // "/"), empty when nothing is selected.
    QString GetLocalItemPath() const;
    // The server path of an item, empty for none.
    QString GetServerItemPath(QTreeWidgetItem* item) const;

    // ---- tree actions ----
    void OnClickLocalTree(QTreeWidgetItem* item);
    void OnClickServerTree(QTreeWidgetItem* item);
    void OnItemExpandingServerTree(QTreeWidgetItem* item);
    void OnEndLabelEditLocal(QTreeWidgetItem* item, const QString& text);
    void OnEndLabelEditServer(QTreeWidgetItem* item, const QString& text);
    void OnLocalSelectAll();
    void OnLocalSelectNone();
    void OnSelectModifiedFiles();
    // Walks the item and its following siblings: counts the ticked ones,
    // sums the sizes of ticked files into m_dwCheckedSize and lists their
    // paths (prefix + names, folders ending in "/") in m_pFileList. Mode 1
    // lists only fully ticked folders; partly ticked ones are only entered.
    void CollectCheckedLocal(const QString& prefix, QTreeWidgetItem* first, int mode);
    void CollectCheckedServer(const QString& prefix, QTreeWidgetItem* first, int mode);
    // Empties a local folder (never following links); stops at the first
    // failure after telling the user.
    bool DeleteLocalFolder(const QString& folder);

    // ---- transfers and deletion ----
    void OnDownload();
    void OnUpload();
    void OnLocalDelete();
    void OnServerDelete();

    // ---- selections, information texts, previews, combos ----
    void OnServerSelectAll();
    void OnServerSelectNone();
    void OnLocalSelectInserted();
    void UpdateLocalInfo();
    void UpdateServerInfo();
    void OnPreview();
    void OnBrowserPreview();
    bool FillWebCombo();
    bool SelectInitialWeb();
    void OnSelChangeWeb();
    void OnSelChangeWebServer();
    // The application became active again: the local tree is read afresh.
    void OnActivateApp();

    CVornaTreeCtrl* localTree() const { return m_treeLocal; }
    CVornaTreeCtrl* serverTree() const { return m_treeServer; }
    CVornaFtp& ftp() const { return *m_pFtp; }

    // The check that the computer is online before connecting to the host;
    // by default the system's network reachability (loopback hosts always
    // pass, and so does every host when the system cannot tell).
    using OnlineCheck = std::function<bool(const QString& host)>;
    static void setOnlineCheck(OnlineCheck check); // empty restores the default

    QString m_strServer;
    bool m_bServerFullyListed = false;
    QString m_strWebName;
    QString m_strLocalRoot;  // the local web folder, ending in "/"
    QString m_strRemoteRoot; // the server's start folder as the server reports it
    QString m_strLocalInfo;
    QString m_strServerInfo;
    bool m_bConnected = false;
    quint64 m_dwCheckedSize = 0;
    int m_nLocalChecked = 0;
    int m_nServerChecked = 0;
    int m_nServerIndex = 0;
    QStringList m_pFileList;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void buildControls();
    void loadButtonPictures();
    QTreeWidgetItem* insertItem(CVornaTreeCtrl* tree, QTreeWidgetItem* parent, const QString& name, int image,
                                qint64 size);
    void insertServerListing(QTreeWidgetItem* parent, const ServerListing& listing);
    QTreeWidgetItem* localRoot() const;
    QTreeWidgetItem* serverRoot() const;
    void clearServerTree();
    void clearLocalTree();
    // Disables (or enables again) the controls a running transfer keeps out.
    void EnableBusySet(bool enable);
    void showConnected(bool connected);
    void collectChecked(CVornaTreeCtrl* tree, const QString& prefix, QTreeWidgetItem* first, int mode, int* count,
                        QStringList* list);
    void updateInfo(CVornaTreeCtrl* tree, int* count, QString* text, QLabel* label);
    // The guards of the commands, each telling the user why it stops.
    bool webChosen();
    bool connectedToServer();
    bool somethingTicked(CVornaTreeCtrl* tree);
    bool renameRefused(QTreeWidgetItem* item, const QString& text);
    bool isLocalWebOpenInEditor() const;

    std::unique_ptr<CVornaFtp> m_pFtp;
    CVornaComboBox* m_comboWeb = nullptr;
    CVornaComboBox* m_comboServer = nullptr;
    CVornaTreeCtrl* m_treeLocal = nullptr;
    CVornaTreeCtrl* m_treeServer = nullptr;
    QLabel* m_staticLocalArea = nullptr;
    QLabel* m_staticServerArea = nullptr;
    VornaImageButton* m_btnLocalSelectAll = nullptr;
    VornaImageButton* m_btnLocalSelectNone = nullptr;
    VornaImageButton* m_btnLocalSelectModified = nullptr;
    VornaImageButton* m_btnLocalSelectInserted = nullptr;
    VornaImageButton* m_btnLocalDelete = nullptr;
    VornaImageButton* m_btnConnect = nullptr;
    VornaImageButton* m_btnServerSelectAll = nullptr;
    VornaImageButton* m_btnServerSelectNone = nullptr;
    VornaImageButton* m_btnServerDelete = nullptr;
    QPushButton* m_btnUpload = nullptr;
    QPushButton* m_btnDownload = nullptr;
    QPushButton* m_btnPreview = nullptr;
    QPushButton* m_btnBrowserPreview = nullptr;
    QPushButton* m_btnWebSettings = nullptr;
    QPushButton* m_btnClose = nullptr;
    CVornaToolTipCtrl* m_tooltip = nullptr;
    QTreeWidgetItem* m_hLastItem = nullptr;
    bool m_bInitialised = false;
};
