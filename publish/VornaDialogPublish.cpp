#include "publish/VornaDialogPublish.h"

#include "controls/CVornaComboBox.h"
#include "controls/CheckTreeState.h"
#include "controls/CVornaStatic.h"
#include "controls/CVornaToolTipCtrl.h"
#include "controls/CVornaTreeCtrl.h"
#include "controls/VornaImageButton.h"
#include "platform/FtpClient.h"
#include "platform/ModalRunner.h"
#include "publish/CVornaFtp.h"
#include "publish/FtpTransferHost.h"
#include "publish/FtpTransferPaths.h"
#include "publish/PublishDialogTexts.h"
#include "publish/VornaDialogProgress.h"
#include "res/resource.h"
#include "util/CRegistryEx.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"
#include "web/VORNA_DIALOG_WEBPROPERTY.h"
#include "web/WebServerSettings.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHostAddress>
#include <QLabel>
#include <QMouseEvent>
#include <QNetworkInformation>
#include <QPushButton>
#include <QVBoxLayout>

// What a background listing of the server brings back to the window.
struct ServerListing
{
    QString name;
    bool isFolder = false;
    qint64 size = 0;
    bool listed = false; // a folder whose contents are below
    QList<ServerListing> children;
};

namespace publishdialog_detail {

constexpr unsigned kFileNotFound = 41782;
constexpr unsigned kNotOnline = 41491;
constexpr unsigned kConnectTip = 41830;
constexpr unsigned kDisconnectTip = 41832;
constexpr int kConnectPicture = 615;
constexpr int kDisconnectPicture = 620;

VornaDialogPublish::OnlineCheck& onlineCheck()
{
    static VornaDialogPublish::OnlineCheck check;
    return check;
}

// The system's view of the network: offline only when it knows it is.
bool systemSaysOnline(const QString& host)
{
    const QHostAddress address(host);
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0 ||
        (!address.isNull() && address.isLoopback()))
        return true;
    if (!QNetworkInformation::instance() &&
        !QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability))
        return true;
    QNetworkInformation* info = QNetworkInformation::instance();
    return !info || info->reachability() != QNetworkInformation::Reachability::Disconnected;
}

QPixmap iconPicture(int id)
{
    return QPixmap(QStringLiteral(":/res/icons/%1.png").arg(id));
}

// Lists a server folder into the listing; deep, also every folder below it
// down to the depth left. Stops between folders when the user cancels.
void listServerFolder(platform::FtpClient& client, FtpTransferHost& host, const QString& dir, bool deep, int depthLeft,
                      ServerListing& into)
{
    if (host.cancelRequested())
        return; // not listed: it can be opened again later
    // A folder the server refuses to list shows nothing.
    into.listed = true;
    QList<platform::FtpEntry> entries;
    if (!client.list(dir, &entries))
        return;
    for (const platform::FtpEntry& entry : entries) {
        ServerListing child;
        child.name = entry.name;
        child.isFolder = entry.isFolder;
        child.size = entry.size;
        into.children.append(child);
    }
    if (!deep || depthLeft <= 0)
        return;
    for (ServerListing& child : into.children) {
        if (!child.isFolder)
            continue;
        if (host.cancelRequested())
            return;
        const QString path = MakeServerPath(dir, child.name);
        host.setProgress(0, path);
        listServerFolder(client, host, path, true, depthLeft - 1, child);
    }
}

} // namespace publishdialog_detail

void VornaDialogPublish::setOnlineCheck(OnlineCheck check)
{
    publishdialog_detail::onlineCheck() = std::move(check);
}

VornaDialogPublish::VornaDialogPublish(QWidget* parent) : QDialog(parent), m_pFtp(std::make_unique<CVornaFtp>())
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(LoadResString(IDS_PUBLISH_CAPTION));
    // The skin manager draws this window with its own skin.
    setProperty("skinName", QStringLiteral("DIALOGSKIN_PUBLISH"));
    buildControls();
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive && isVisible())
            OnActivateApp();
    });
}

VornaDialogPublish::~VornaDialogPublish()
{
    if (m_bConnected)
        m_pFtp->Disconnect();
}

void VornaDialogPublish::buildControls()
{
    auto named = [](auto* widget, int id) {
        widget->setObjectName(QStringLiteral("id_%1").arg(id));
        return widget;
    };
    auto imageButton = [this, named](int id, const char* text) {
        auto* button = named(new VornaImageButton(this), id);
        button->setText(QLatin1String(text));
        button->setAutoDefault(true); // Enter presses the focused picture button
        return button;
    };
    auto tree = [this, named](int id) {
        auto* t = named(new CVornaTreeCtrl(this), id);
        t->setRootIsDecorated(true);
        t->setSelectionBehavior(QAbstractItemView::SelectRows);
        t->setMinimumSize(260, 300);
        for (int picture : {10009, 682, 10011, 10012})
            t->m_imageNormal.append(publishdialog_detail::iconPicture(picture));
        return t;
    };

    m_comboWeb = named(new CVornaComboBox(this), kWebComboId);
    m_comboWeb->setEditable(false);
    m_btnLocalSelectAll = imageButton(kLocalSelectAllId, "03");
    m_btnLocalSelectNone = imageButton(kLocalSelectNoneId, "04");
    m_btnLocalSelectModified = imageButton(kLocalSelectModifiedId, "05");
    m_btnLocalSelectInserted = imageButton(kLocalSelectInsertedId, "06");
    m_btnLocalDelete = imageButton(kLocalDeleteId, "07");
    m_treeLocal = tree(kLocalTreeId);
    m_staticLocalArea = named(new CVornaStatic(LoadResString(IDS_PUBLISH_LOCAL_AREA), this), kLocalAreaId);
    m_comboServer = named(new CVornaComboBox(this), kServerComboId);
    m_comboServer->setEditable(false);
    for (QComboBox* combo : {static_cast<QComboBox*>(m_comboWeb), static_cast<QComboBox*>(m_comboServer)}) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(14);
    }
    m_btnConnect = imageButton(kConnectId, "01");
    m_btnWebSettings = named(new QPushButton(LoadResString(IDS_QUICK_PUBLISH_SETTINGS), this), kWebSettingsId);
    m_btnServerSelectAll = imageButton(kServerSelectAllId, "08");
    m_btnServerSelectNone = imageButton(kServerSelectNoneId, "09");
    m_btnServerDelete = imageButton(kServerDeleteId, "10");
    m_treeServer = tree(kServerTreeId);
    m_staticServerArea = named(new CVornaStatic(LoadResString(IDS_PUBLISH_SERVER_AREA), this), kServerAreaId);
    m_btnUpload = named(new QPushButton(LoadResString(IDS_PUBLISH_UPLOAD), this), kUploadId);
    m_btnDownload = named(new QPushButton(LoadResString(IDS_PUBLISH_DOWNLOAD), this), kDownloadId);
    m_btnBrowserPreview = named(new QPushButton(LoadResString(IDS_PUBLISH_BROWSER_PREVIEW), this), kBrowserPreviewId);
    m_btnPreview = named(new QPushButton(LoadResString(IDS_PUBLISH_PREVIEW), this), kPreviewId);
    m_btnClose = named(new QPushButton(LoadResString(IDS_PUBLISH_CLOSE), this), kCloseId);
    m_btnClose->setDefault(true);
    for (QLabel* area : {m_staticLocalArea, m_staticServerArea}) {
        area->setMinimumHeight(area->fontMetrics().lineSpacing() * 2 + 4);
        area->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    // Left: the web and its tree; middle: the transfers and previews; right:
    // the server and its tree; Close under them.
    auto* left = new QVBoxLayout;
    auto* webRow = new QHBoxLayout;
    auto* webLabel = new QLabel(LoadResString(IDS_PUBLISH_WEB_LABEL), this);
    webLabel->setBuddy(m_comboWeb);
    webRow->addWidget(webLabel);
    webRow->addWidget(m_comboWeb, 1);
    left->addLayout(webRow);
    auto* localButtons = new QHBoxLayout;
    for (QWidget* button : {static_cast<QWidget*>(m_btnLocalSelectAll), static_cast<QWidget*>(m_btnLocalSelectNone),
                            static_cast<QWidget*>(m_btnLocalSelectModified),
                            static_cast<QWidget*>(m_btnLocalSelectInserted), static_cast<QWidget*>(m_btnLocalDelete)})
        localButtons->addWidget(button);
    localButtons->addStretch();
    left->addLayout(localButtons);
    left->addWidget(m_treeLocal, 1);
    left->addWidget(m_staticLocalArea);

    auto* middle = new QVBoxLayout;
    middle->addStretch();
    for (QPushButton* button : {m_btnUpload, m_btnDownload})
        middle->addWidget(button);
    middle->addSpacing(24);
    for (QPushButton* button : {m_btnBrowserPreview, m_btnPreview})
        middle->addWidget(button);
    middle->addStretch();

    auto* right = new QVBoxLayout;
    auto* serverRow = new QHBoxLayout;
    auto* serverLabel = new QLabel(LoadResString(IDS_PUBLISH_SERVER_LABEL), this);
    serverLabel->setBuddy(m_comboServer);
    serverRow->addWidget(serverLabel);
    serverRow->addWidget(m_comboServer, 1);
    serverRow->addWidget(m_btnConnect);
    serverRow->addWidget(m_btnWebSettings);
    right->addLayout(serverRow);
    auto* serverButtons = new QHBoxLayout;
    for (QWidget* button : {static_cast<QWidget*>(m_btnServerSelectAll), static_cast<QWidget*>(m_btnServerSelectNone),
                            static_cast<QWidget*>(m_btnServerDelete)})
        serverButtons->addWidget(button);
    serverButtons->addStretch();
    right->addLayout(serverButtons);
    right->addWidget(m_treeServer, 1);
    right->addWidget(m_staticServerArea);

    auto* panes = new QHBoxLayout;
    panes->addLayout(left, 1);
    panes->addLayout(middle);
    panes->addLayout(right, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panes, 1);
    layout->addLayout(bottom);

    // Commands.
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnConnect, &QPushButton::clicked, this, &VornaDialogPublish::OnConnect);
    connect(m_btnWebSettings, &QPushButton::clicked, this, &VornaDialogPublish::OnWebSettings);
    connect(m_btnLocalSelectAll, &QPushButton::clicked, this, &VornaDialogPublish::OnLocalSelectAll);
    connect(m_btnLocalSelectNone, &QPushButton::clicked, this, &VornaDialogPublish::OnLocalSelectNone);
    connect(m_btnLocalSelectModified, &QPushButton::clicked, this, &VornaDialogPublish::OnSelectModifiedFiles);
    connect(m_btnLocalSelectInserted, &QPushButton::clicked, this, &VornaDialogPublish::OnLocalSelectInserted);
    connect(m_btnLocalDelete, &QPushButton::clicked, this, &VornaDialogPublish::OnLocalDelete);
    connect(m_btnServerSelectAll, &QPushButton::clicked, this, &VornaDialogPublish::OnServerSelectAll);
    connect(m_btnServerSelectNone, &QPushButton::clicked, this, &VornaDialogPublish::OnServerSelectNone);
    connect(m_btnServerDelete, &QPushButton::clicked, this, &VornaDialogPublish::OnServerDelete);
    connect(m_btnUpload, &QPushButton::clicked, this, &VornaDialogPublish::OnUpload);
    connect(m_btnDownload, &QPushButton::clicked, this, &VornaDialogPublish::OnDownload);
    connect(m_btnPreview, &QPushButton::clicked, this, &VornaDialogPublish::OnPreview);
    connect(m_btnBrowserPreview, &QPushButton::clicked, this, &VornaDialogPublish::OnBrowserPreview);
    connect(m_comboWeb, &QComboBox::activated, this, &VornaDialogPublish::OnSelChangeWeb);
    connect(m_comboServer, &QComboBox::activated, this, &VornaDialogPublish::OnSelChangeWebServer);
    // Tree notifications: a click on a check box arrives after the tree changed the ticks.
    m_treeLocal->viewport()->installEventFilter(this);
    m_treeServer->viewport()->installEventFilter(this);
    connect(m_treeServer, &QTreeWidget::itemExpanded, this, &VornaDialogPublish::OnItemExpandingServerTree);
    connect(m_treeLocal, &CVornaTreeCtrl::endLabelEdit, this, &VornaDialogPublish::OnEndLabelEditLocal);
    connect(m_treeServer, &CVornaTreeCtrl::endLabelEdit, this, &VornaDialogPublish::OnEndLabelEditServer);
}

int VornaDialogPublish::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, IDD);
}

void VornaDialogPublish::OnInitDialog()
{
    if (m_bInitialised)
        return;
    m_bInitialised = true;
    // 1. Tool tips.
    m_tooltip = new CVornaToolTipCtrl(this);
    const std::pair<QWidget*, unsigned> tips[] = {
        {m_btnLocalSelectAll, 41823},      {m_btnLocalSelectNone, 41824}, {m_btnLocalSelectModified, 41825},
        {m_btnLocalSelectInserted, 41826}, {m_btnLocalDelete, 41827},     {m_btnServerSelectAll, 41823},
        {m_btnServerSelectNone, 41824},    {m_btnServerDelete, 41827},    {m_btnConnect, 41830},
        {m_btnWebSettings, 41831}};
    for (const auto& [control, text] : tips)
        m_tooltip->AddTool(control, LoadResString(text));
    // 2, 3. The trees' pictures are set when they are made; the check boxes are the style's.
    // 4. The webs, and the open or most recent one.
    FillWebCombo();
    if (SelectInitialWeb())
        FillLocalTree();
    // 5, 6. The servers, and the active one.
    LoadServerList();
    SelectActiveServer();
    // 7. The button pictures.
    loadButtonPictures();
}

void VornaDialogPublish::loadButtonPictures()
{
    const std::pair<VornaImageButton*, int> pictures[] = {{m_btnServerSelectNone, 621},
                                                          {m_btnServerSelectAll, 619},
                                                          {m_btnServerDelete, 616},
                                                          {m_btnLocalDelete, 616},
                                                          {m_btnLocalSelectInserted, 622},
                                                          {m_btnLocalSelectModified, 617},
                                                          {m_btnLocalSelectNone, 621},
                                                          {m_btnLocalSelectAll, 619},
                                                          {m_btnConnect, publishdialog_detail::kConnectPicture}};
    for (const auto& [button, picture] : pictures)
        button->SetBitmap(QStringLiteral(":/res/bitmaps/%1.png").arg(picture));
}

void VornaDialogPublish::done(int result)
{
    // The tear-down: the connection ends with the window.
    if (m_pFtp->IsBusy())
        return; // a transfer still uses the connection; it ends first
    if (m_bConnected) {
        m_pFtp->Disconnect();
        m_bConnected = false;
    }
    QDialog::done(result);
}

// ---- the trees --------------------------------------------------------------

QTreeWidgetItem* VornaDialogPublish::localRoot() const
{
    return m_treeLocal->topLevelItemCount() > 0 ? m_treeLocal->topLevelItem(0) : nullptr;
}

QTreeWidgetItem* VornaDialogPublish::serverRoot() const
{
    return m_treeServer->topLevelItemCount() > 0 ? m_treeServer->topLevelItem(0) : nullptr;
}

void VornaDialogPublish::clearLocalTree()
{
    m_hLastItem = nullptr;
    m_treeLocal->clear();
}

void VornaDialogPublish::clearServerTree()
{
    m_hLastItem = nullptr;
    m_treeServer->clear();
}

QTreeWidgetItem* VornaDialogPublish::insertItem(CVornaTreeCtrl* tree, QTreeWidgetItem* parent, const QString& name,
                                                int image, qint64 size)
{
    auto* item = new QTreeWidgetItem(QStringList(name));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
    if (!parent) {
        tree->insertTopLevelItem(0, item);
    } else {
        QTreeWidgetItem* after = tree->FindInsertPosition(parent, name, image);
        parent->insertChild(after ? parent->indexOfChild(after) + 1 : 0, item);
    }
    tree->SetItemImage(item, image);
    if (image == 2 && tree->m_imageNormal.size() > 3) {
        // A folder opens its picture while it is selected.
        QIcon icon(tree->m_imageNormal.at(2));
        icon.addPixmap(tree->m_imageNormal.at(3), QIcon::Selected);
        item->setIcon(0, icon);
    }
    tree->SetStateImage(item, checktree::kCleared);
    if (image == 1)
        item->setData(0, SizeRole, size);
    return item;
}

void VornaDialogPublish::FillLocalTree()
{
    // 1. The web's folder.
    m_strLocalRoot = CVornaFtp::LocalWebFolder(m_strWebName) + u'/';
    // 2. The root.
    QTreeWidgetItem* root = insertItem(m_treeLocal, nullptr, u'[' + m_strWebName + u']', 0, 0);
    m_hLastItem = root;
    // 3, 4. Everything below it, to full depth.
    if (AddLocalFolder(m_strLocalRoot, root))
        root->setExpanded(true);
}

bool VornaDialogPublish::AddLocalFolder(const QString& folder, QTreeWidgetItem* parent)
{
    // 1. No web chosen: nothing to show.
    if (m_comboWeb->currentIndex() < 0 || m_comboWeb->currentText() == LoadResString(IDS_PUBLISH_SELECT_WEB)) {
        clearLocalTree();
        return false;
    }
    // 2. The folder must be there to be listed.
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable()) {
        MessageBoxById(publishdialog_detail::kFileNotFound);
        return false;
    }
    // 3, 4. Its entries: folders with their contents, then files. Hidden
    // entries, "project.ini" and links leading out of the web are not
    // published, so they are not shown.
    const QString webFolder = QFileInfo(m_strLocalRoot).canonicalFilePath();
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink()) {
            const QString target = entry.canonicalFilePath();
            if (entry.isDir() || target.isEmpty() || !target.startsWith(webFolder + u'/'))
                continue;
        }
        if (entry.isDir()) {
            QTreeWidgetItem* item = insertItem(m_treeLocal, parent, entry.fileName(), 2, 0);
            m_hLastItem = item;
            AddLocalFolder(prefix + entry.fileName(), item);
        } else if (entry.isFile() && entry.fileName().compare(QLatin1String("project.ini"), Qt::CaseInsensitive) != 0) {
            m_hLastItem = insertItem(m_treeLocal, parent, entry.fileName(), 1, entry.size());
        }
    }
    // 5.
    return true;
}

void VornaDialogPublish::FillServerTree(bool bDeep)
{
    // 1. The server's start folder, as the server names it.
    const QString startFolder = m_pFtp->GetFtpDir();
    QString remoteRoot;
    if (!m_pFtp->RunOnConnection([&](platform::FtpClient& client, FtpTransferHost&) {
            if (!startFolder.isEmpty())
                client.cwd(startFolder);
            remoteRoot = client.pwd();
        }))
        return;
    m_strRemoteRoot = remoteRoot.isEmpty() ? QStringLiteral("/") : remoteRoot;
    // Transfers go to and from the folder the tree shows.
    m_pFtp->SetFtpDir(m_strRemoteRoot);
    // 2. The root.
    QTreeWidgetItem* root =
        insertItem(m_treeServer, nullptr, m_pFtp->GetWebName() + u'[' + m_strRemoteRoot + u']', 0, 0);
    m_hLastItem = root;
    // 3, 4. Its contents.
    const bool complete = AddServerFolder(m_strRemoteRoot, root, bDeep);
    root->setExpanded(true);
    if (bDeep && complete)
        m_bServerFullyListed = true;
}

bool VornaDialogPublish::AddServerFolder(const QString& dir, QTreeWidgetItem* parent, bool bDeep)
{
    ServerListing listing;
    bool ran = false;
    // A deep listing may take long: it shows the progress window, whose Cancel stops it.
    std::unique_ptr<VornaDialogProgress> progress;
    if (bDeep)
        progress = std::make_unique<VornaDialogProgress>(this);
    ran = m_pFtp->RunOnConnection(
        [&](platform::FtpClient& client, FtpTransferHost& host) {
            publishdialog_detail::listServerFolder(client, host, dir, bDeep, MaxListingDepth, listing);
        },
        progress.get());
    const bool cancelled = progress && progress->cancelRequested();
    if (!ran)
        return false;
    insertServerListing(parent, listing);
    return !cancelled;
}

void VornaDialogPublish::insertServerListing(QTreeWidgetItem* parent, const ServerListing& listing)
{
    for (const ServerListing& entry : listing.children) {
        if (!entry.isFolder) {
            if (entry.name.compare(QLatin1String("project.ini"), Qt::CaseInsensitive) != 0)
                m_hLastItem = insertItem(m_treeServer, parent, entry.name, 1, entry.size);
            continue;
        }
        QTreeWidgetItem* folder = insertItem(m_treeServer, parent, entry.name, 2, 0);
        m_hLastItem = folder;
        if (entry.listed) {
            insertServerListing(folder, entry);
            continue;
        }
        // Not listed yet: a placeholder stands for the contents until it opens.
        auto* placeholder = new QTreeWidgetItem(QStringList(QString()));
        placeholder->setFlags(Qt::ItemIsEnabled);
        folder->addChild(placeholder);
        m_treeServer->SetItemImage(placeholder, 0);
        m_treeServer->SetStateImage(placeholder, checktree::kNoCheckBox);
    }
}

QString VornaDialogPublish::GetLocalItemPath() const
{
    QTreeWidgetItem* item = m_treeLocal->currentItem();
    if (!item)
        return QString();
    QString path;
    for (QTreeWidgetItem* at = item; at && at->parent(); at = at->parent())
        path.prepend(at->text(0) + u'/');
    if (m_treeLocal->GetItemImage(item) == 1 && path.endsWith(u'/'))
        path.chop(1);
    return m_strLocalRoot + path;
}

QString VornaDialogPublish::GetServerItemPath(QTreeWidgetItem* item) const
{
    if (!item)
        return QString();
    QString path;
    for (QTreeWidgetItem* at = item; at && at->parent(); at = at->parent())
        path.prepend(at->text(0) + u'/');
    if (m_treeServer->GetItemImage(item) == 1 && path.endsWith(u'/'))
        path.chop(1);
    return MakeServerPath(m_strRemoteRoot, path);
}

// ---- the server list and the connection --------------------------------------

bool VornaDialogPublish::LoadServerList()
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Open(HKEY_CURRENT_USER, CVornaFtp::SettingsKey())) {
        CRegistryEx create(HKEY_CURRENT_USER);
        create.Create(HKEY_CURRENT_USER, CVornaFtp::SettingsKey());
        return false;
    }
    reg.Close();
    QStringList names = ServerEntryNames();
    names.sort(Qt::CaseInsensitive);
    m_comboServer->clear();
    m_comboServer->addItems(names);
    return true;
}

bool VornaDialogPublish::SelectActiveServer()
{
    const QString active = m_pFtp->GetActiveWeb();
    for (int i = 0; i < m_comboServer->count(); ++i) {
        if (!active.isEmpty() && m_comboServer->itemText(i).compare(active, Qt::CaseInsensitive) == 0) {
            m_nServerIndex = i;
            m_comboServer->setCurrentIndex(i);
            m_strServer = m_comboServer->currentText();
            return true;
        }
    }
    m_comboServer->setCurrentIndex(m_comboServer->count() > 0 ? 0 : -1);
    m_strServer = m_comboServer->currentText();
    return false;
}

bool VornaDialogPublish::SaveActiveServer(const QString& name)
{
    if (m_pFtp->SetActiveWeb(name))
        return true;
    CRegistryEx create(HKEY_CURRENT_USER);
    create.Create(HKEY_CURRENT_USER, CVornaFtp::SettingsKey());
    return false;
}

void VornaDialogPublish::showConnected(bool connected)
{
    using namespace publishdialog_detail;
    m_btnConnect->SetBitmap(
        QStringLiteral(":/res/bitmaps/%1.png").arg(connected ? kDisconnectPicture : kConnectPicture));
    m_tooltip->UpdateTipText(LoadResString(connected ? kDisconnectTip : kConnectTip), m_btnConnect);
}

void VornaDialogPublish::OnConnect()
{
    // 1. Not while work runs on the connection.
    if (m_pFtp->IsBusy())
        return;
    // 3. Connected: the connection ends and the server tree empties.
    if (m_bConnected) {
        m_pFtp->Disconnect();
        m_bConnected = false;
        showConnected(false);
        clearServerTree();
        UpdateServerInfo();
        return;
    }
    // 2a. A server must be chosen.
    if (m_comboServer->currentIndex() < 0) {
        MessageBoxById(IDS_NO_REGISTERED_SERVER);
        m_btnWebSettings->setFocus();
        return;
    }
    // 2b. Its settings.
    const QString server = m_comboServer->currentText();
    m_pFtp->SetWebName(server);
    m_pFtp->ResetWebSettings();
    m_pFtp->LoadWebSettings();
    // 2c. No attempt while the computer is known to be offline.
    const OnlineCheck& check = publishdialog_detail::onlineCheck();
    const QString host = m_pFtp->GetFtpHost();
    if (!(check ? check(host) : publishdialog_detail::systemSaysOnline(host))) {
        MessageBoxById(publishdialog_detail::kNotOnline);
        return;
    }
    // 2d, 2e. The engine tells the user why a connection fails.
    if (m_pFtp->Connect()) {
        m_bConnected = true;
        SaveActiveServer(server);
        m_bServerFullyListed = false;
        clearServerTree();
        FillServerTree(false);
        showConnected(true);
    }
    // 2f.
    UpdateServerInfo();
}

void VornaDialogPublish::OnWebSettings()
{
    if (m_pFtp->IsBusy())
        return;
    m_strServer = m_comboServer->currentText();
    VORNA_DIALOG_WEBPROPERTY servers(this);
    servers.m_strInitialServer = m_strServer;
    if (servers.DoModal() != platform::IDOK)
        return;
    // The list again; an open connection stays with its server.
    LoadServerList();
    SelectActiveServer();
    if (m_nServerIndex < m_comboServer->count())
        m_comboServer->setCurrentIndex(m_nServerIndex);
}

// ---- events -----------------------------------------------------------------

bool VornaDialogPublish::eventFilter(QObject* watched, QEvent* event)
{
    // A click on a check box: the tree has toggled the item on the press.
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            if (watched == m_treeLocal->viewport()) {
                if (QTreeWidgetItem* item = m_treeLocal->HitTestStateImage(mouse->position().toPoint()))
                    OnClickLocalTree(item);
            } else if (watched == m_treeServer->viewport()) {
                if (QTreeWidgetItem* item = m_treeServer->HitTestStateImage(mouse->position().toPoint()))
                    OnClickServerTree(item);
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
