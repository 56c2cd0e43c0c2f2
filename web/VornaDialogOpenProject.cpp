#include "web/VornaDialogOpenProject.h"

#include "controls/CVornaEdit.h"
#include "res/resource.h"
#include "util/FileHelpers.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"
#include "web/VornaDirListCtrl.h"
#include "web/WebFolders.h"

#include "platform/DataRoot.h"
#include "platform/FileOps.h"
#include "platform/ModalRunner.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

VornaDialogOpenProject::VornaDialogOpenProject(QWidget* parent)
    : QDialog(parent), m_strRoot(platform::webRoot()), m_editName(new CVornaEdit(this)),
      m_list(new VornaDirListCtrl(this))
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(LoadResString(IDS_OPEN_PROJECT_TITLE));
    auto* layout = new QVBoxLayout(this);
    auto* nameRow = new QFormLayout;
    m_editName->setObjectName(QStringLiteral("id_%1").arg(kNameEditId));
    auto* nameLabel = new QLabel(LoadResString(IDS_WEB_NAME_LABEL), this);
    nameLabel->setBuddy(m_editName);
    nameRow->addRow(nameLabel, m_editName);
    layout->addLayout(nameRow);
    auto* listLabel = new QLabel(LoadResString(IDS_WEB_LIST_LABEL), this);
    listLabel->setBuddy(m_list);
    layout->addWidget(listLabel);
    m_list->setObjectName(QStringLiteral("id_%1").arg(kListId));
    m_list->setMinimumSize(320, 200);
    layout->addWidget(m_list);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* open = buttons->addButton(LoadResString(IDS_OPEN_WEB_BUTTON), QDialogButtonBox::AcceptRole);
    open->setObjectName(QStringLiteral("id_1"));
    open->setDefault(true);
    QPushButton* remove = buttons->addButton(LoadResString(IDS_DELETE_WEB_BUTTON), QDialogButtonBox::ActionRole);
    remove->setObjectName(QStringLiteral("id_%1").arg(kDeleteId));
    QPushButton* cancel = buttons->addButton(LoadResString(IDS_WEB_CANCEL), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("id_2"));
    connect(open, &QPushButton::clicked, this, &VornaDialogOpenProject::accept);
    connect(remove, &QPushButton::clicked, this, &VornaDialogOpenProject::OnDelete);
    connect(cancel, &QPushButton::clicked, this, &VornaDialogOpenProject::reject);
    layout->addWidget(buttons);

    connect(m_editName, &QLineEdit::textChanged, this, [this](const QString& text) { m_strName = text; });
    connect(m_list, &QListWidget::currentRowChanged, this, [this] { OnSelectionChanged(); });
    // A row clicked again after its name was cleared gives its name again.
    connect(m_list, &QListWidget::itemClicked, this, [this] { OnSelectionChanged(); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { OnDoubleClick(); });
}

VornaDialogOpenProject::~VornaDialogOpenProject() = default;

int VornaDialogOpenProject::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, IDD);
}

void VornaDialogOpenProject::OnInitDialog()
{
    if (m_strRoot.isEmpty())
        m_strRoot = QDir::currentPath();
    m_list->InitImageList();
    FillFolderList(m_strRoot);
    m_nSel = 0;
    {
        const QSignalBlocker quiet(m_list);
        m_list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    }
    SetName(QString());
    m_editName->setFocus();
}

void VornaDialogOpenProject::FillFolderList(const QString& root)
{
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    m_list->setSortingEnabled(false);
    for (const QString& name : WebNamesOfRoot(root))
        m_list->AddItem(m_list->count(), WebFolderOf(name, root), true);
}

void VornaDialogOpenProject::SetName(const QString& name)
{
    m_editName->setText(name);
    m_strName = name;
}

void VornaDialogOpenProject::OnSelectionChanged()
{
    const int row = m_list->currentRow();
    const QListWidgetItem* item = m_list->item(row);
    if (!item || item->text().isEmpty()) {
        SetName(QString());
        return;
    }
    m_nSel = row;
    SetName(item->text());
}

void VornaDialogOpenProject::OnDoubleClick()
{
    const QListWidgetItem* item = m_list->currentItem();
    SetName(item ? item->text() : QString());
    if (!m_strName.isEmpty())
        accept();
}

void VornaDialogOpenProject::accept()
{
    if (m_strName.isEmpty()) {
        MessageBoxById(IDS_NO_WEB_SELECTED);
    } else {
        m_strFolder = WebFolderOf(m_strName, m_strRoot);
        // Only a web of the root opens: a typed path leads nowhere else.
        if (!IsWebOfRoot(m_strName, m_strRoot)) {
            MessageBoxById(IDS_WEB_NAME_NOT_FOUND);
        } else {
            m_strRoot = m_strFolder;
            done(platform::IDOK);
            return;
        }
    }
    m_editName->setFocus();
}

void VornaDialogOpenProject::OnDelete()
{
    const auto refocus = [this] { m_editName->setFocus(); };
    if (m_strName.isEmpty()) {
        MessageBoxById(IDS_NO_WEB_SELECTED);
        refocus();
        return;
    }
    // Only a listed web is deleted: its row, and its folder directly in the root.
    int row = -1;
    for (int i = 0; i < m_list->count() && row < 0; ++i) {
        if (m_list->item(i)->text() == m_strName)
            row = i;
    }
    m_strFolder = WebFolderOf(m_strName, m_strRoot);
    if (row < 0 || !IsWebOfRoot(m_strName, m_strRoot)) {
        MessageBoxById(IDS_WEB_NAME_NOT_FOUND);
        SetName(QString());
        refocus();
        return;
    }
    const QString question = LoadResString(IDS_DELETE_WEB_BEFORE) + m_strName + LoadResString(IDS_DELETE_WEB_AFTER);
    if (ShowMessageBox(question, 0, 0x40, 4) != platform::IDYES) {
        refocus();
        return;
    }
    // The web's files, then its folder; a link in the root goes as a link,
    // and nothing it leads to is touched.
    DeleteFolderTree(m_strFolder);
    platform::removePath(m_strFolder);
    if (platform::pathExists(m_strFolder)) {
        ShowMessageBox(LoadResString(IDS_WEB_NOT_DELETED).arg(QDir::toNativeSeparators(m_strFolder)));
        refocus();
        return;
    }
    {
        // No row stands selected while the name is empty.
        const QSignalBlocker quiet(m_list);
        delete m_list->takeItem(row);
        m_list->setCurrentRow(-1);
        m_list->clearSelection();
    }
    m_nSel = -1;
    SetName(QString());
    refocus();
}
