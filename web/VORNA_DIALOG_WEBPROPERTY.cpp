#include "web/VORNA_DIALOG_WEBPROPERTY.h"

#include "publish/CVornaFtp.h"
#include "res/resource.h"
#include "util/CRegistryEx.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"
#include "web/VORNA_DIALOG_FTP.h"
#include "web/WebServerSettings.h"

#include "platform/ModalRunner.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

VORNA_DIALOG_WEBPROPERTY::VORNA_DIALOG_WEBPROPERTY(QWidget* parent, CVornaFtp* ftp)
    : QDialog(parent), m_list(new QListWidget(this))
{
    if (!ftp) {
        m_pOwnFtp = std::make_unique<CVornaFtp>();
        ftp = m_pOwnFtp.get();
    }
    m_pFtp = ftp;
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(LoadResString(IDS_WEB_PROPERTY_TITLE));
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* label = new QLabel(LoadResString(IDS_SERVER_LIST_LABEL), this);
    label->setBuddy(m_list);
    left->addWidget(label);
    m_list->setObjectName(QStringLiteral("id_%1").arg(kListId));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSortingEnabled(true);
    m_list->setMinimumSize(220, 160);
    m_list->setToolTip(LoadResString(IDS_SERVER_LIST_COLUMN));
    left->addWidget(m_list);
    layout->addLayout(left);

    auto* right = new QVBoxLayout;
    const auto button = [this, right](int id, int text) {
        auto* b = new QPushButton(LoadResString(unsigned(text)), this);
        b->setObjectName(QStringLiteral("id_%1").arg(id));
        right->addWidget(b);
        return b;
    };
    connect(button(kAddId, IDS_SERVER_ADD), &QPushButton::clicked, this, &VORNA_DIALOG_WEBPROPERTY::OnAdd);
    connect(button(kEditId, IDS_SERVER_EDIT), &QPushButton::clicked, this, &VORNA_DIALOG_WEBPROPERTY::OnEdit);
    connect(button(kDeleteId, IDS_SERVER_DELETE), &QPushButton::clicked, this, &VORNA_DIALOG_WEBPROPERTY::OnDelete);
    right->addStretch();
    QPushButton* ok = button(1, IDS_WEB_OK);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &VORNA_DIALOG_WEBPROPERTY::accept);
    layout->addLayout(right);

    // Every selection change is remembered as the selected row.
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) { m_nSel = row; });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &VORNA_DIALOG_WEBPROPERTY::OnEdit);
}

VORNA_DIALOG_WEBPROPERTY::~VORNA_DIALOG_WEBPROPERTY() = default;

int VORNA_DIALOG_WEBPROPERTY::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, IDD);
}

void VORNA_DIALOG_WEBPROPERTY::OnInitDialog()
{
    // 1, 3. One row per entry; the list keeps them sorted.
    m_list->clear();
    for (const QString& name : ServerEntryNames())
        m_list->addItem(name);
    // 5. The initial entry, else the first.
    const QList<QListWidgetItem*> found = m_list->findItems(m_strInitialServer, Qt::MatchExactly);
    SelectRow(found.isEmpty() || m_strInitialServer.isEmpty() ? 0 : m_list->row(found.first()));
}

void VORNA_DIALOG_WEBPROPERTY::SelectRow(int row)
{
    if (row < 0 || row >= m_list->count())
        return;
    m_list->setCurrentRow(row);
    m_list->scrollToItem(m_list->item(row), QAbstractItemView::EnsureVisible);
}

void VORNA_DIALOG_WEBPROPERTY::StoreEntry(const VORNA_DIALOG_FTP& entry, const QString& address)
{
    m_pFtp->SetFtpHost(entry.m_strHost);
    m_pFtp->SetFtpId(entry.m_strUserId);
    m_pFtp->SetFtpPassword(entry.m_strPassword);
    m_pFtp->SetFtpDir(NormalizeServerFolder(entry.m_strDir));
    m_pFtp->SetHttpUrl(address);
    m_pFtp->SetFtpPort(entry.m_strPort);
    m_pFtp->SetFtpTimeout(entry.m_strTimeout);
    m_pFtp->SetFtpPassive(entry.m_nPassive);
    m_pFtp->SaveWebSettings();
}

void VORNA_DIALOG_WEBPROPERTY::OnAdd()
{
    VORNA_DIALOG_FTP entry(this);
    if (entry.DoModal() != platform::IDOK)
        return;
    m_pFtp->SetWebName(entry.m_strName);
    StoreEntry(entry, NormalizeServerAddress(entry.m_strUrl));
    m_list->addItem(entry.m_strName);
    SelectRow(m_list->row(m_list->findItems(entry.m_strName, Qt::MatchExactly).value(0)));
}

void VORNA_DIALOG_WEBPROPERTY::OnEdit()
{
    // 1. A row must be chosen.
    if (m_nSel < 0 || m_nSel >= m_list->count()) {
        MessageBoxById(IDS_SELECT_SERVER);
        return;
    }
    // 2. The entry as stored.
    const QString selected = m_list->item(m_nSel)->text();
    m_pFtp->SetWebName(selected);
    m_pFtp->ResetWebSettings();
    m_pFtp->LoadWebSettings();
    // 3. Into the entry dialog.
    VORNA_DIALOG_FTP entry(this);
    entry.m_strName = m_pFtp->GetWebName();
    entry.m_strHost = m_pFtp->GetFtpHost();
    entry.m_strUserId = m_pFtp->GetFtpId();
    entry.m_strPassword = m_pFtp->GetFtpPassword();
    entry.m_strDir = m_pFtp->GetFtpDir();
    if (!entry.m_strDir.startsWith(QLatin1Char('/')))
        entry.m_strDir.prepend(QLatin1Char('/'));
    entry.m_strUrl = m_pFtp->GetHttpUrl();
    entry.m_strPort = m_pFtp->GetFtpPort();
    entry.m_strTimeout = m_pFtp->GetFtpTimeout();
    entry.m_nPassive = m_pFtp->GetFtpPassive() != 0 ? 1 : 0;
    entry.m_bEditing = 1;
    const QString storedAddress = m_pFtp->GetHttpUrl();
    if (entry.DoModal() != platform::IDOK)
        return;
    // 4. A new name: the old entry goes, its row takes the new name.
    if (entry.m_strName != m_pFtp->GetWebName()) {
        CRegistryEx reg(HKEY_CURRENT_USER);
        reg.DeleteKey(HKEY_CURRENT_USER, CVornaFtp::SettingsKey() + QLatin1Char('\\') + m_pFtp->GetWebName());
        m_pFtp->SetWebName(entry.m_strName);
        delete m_list->takeItem(m_nSel);
        m_list->addItem(entry.m_strName);
        SelectRow(m_list->row(m_list->findItems(entry.m_strName, Qt::MatchExactly).value(0)));
    }
    // 5-7. The hosting service's entry keeps its address below the service's.
    const bool hosting = selected.compare(LoadResString(IDS_HOSTING_SERVER_NAME), Qt::CaseInsensitive) == 0;
    StoreEntry(entry, hosting ? HostingServiceAddress(storedAddress, entry.m_strUserId)
                              : NormalizeServerAddress(entry.m_strUrl));
}

void VORNA_DIALOG_WEBPROPERTY::OnDelete()
{
    if (m_nSel < 0 || m_nSel >= m_list->count()) {
        MessageBoxById(IDS_SELECT_SERVER);
        return;
    }
    CRegistryEx reg(HKEY_CURRENT_USER);
    reg.DeleteKey(HKEY_CURRENT_USER, CVornaFtp::SettingsKey() + QLatin1Char('\\') + m_list->item(m_nSel)->text());
    delete m_list->takeItem(m_nSel);
    m_nSel = m_list->currentRow();
    SelectRow(m_nSel);
}

void VORNA_DIALOG_WEBPROPERTY::accept()
{
    const QListWidgetItem* item = m_list->item(m_nSel);
    CVornaFtp active;
    active.SetActiveWeb(item ? item->text() : QString());
    done(platform::IDOK);
}
