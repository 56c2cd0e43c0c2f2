#include "images/VornaDlgImageFavoriteInfo.h"

#include "controls/CVornaEdit.h"
#include "images/BrowseForFolder.h"
#include "images/ImageBookmarks.h"
#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

VornaDlgImageFavoriteInfo::VornaDlgImageFavoriteInfo(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(LoadResString(IDS_FAVORITE_INFO_TITLE));
    m_editName = new CVornaEdit(this);
    m_editName->setObjectName(QStringLiteral("id_%1").arg(IDC_FAVORITE_INFO_NAME));
    m_editName->setMaxLength(ImageBookmarks::kMaxNameLength);
    m_editPath = new CVornaEdit(this);
    m_editPath->setObjectName(QStringLiteral("id_%1").arg(IDC_FAVORITE_INFO_PATH));
    auto* browse = new QPushButton(LoadResString(IDS_FAVORITE_INFO_BROWSE), this);
    browse->setObjectName(QStringLiteral("id_%1").arg(IDC_FAVORITE_INFO_BROWSE));
    browse->setAutoDefault(false);
    m_btnOK = new QPushButton(LoadResString(65101), this);
    m_btnOK->setObjectName(QStringLiteral("id_%1").arg(platform::IDOK));
    m_btnOK->setDefault(true);
    auto* cancel = new QPushButton(LoadResString(IDS_MSGBOX_CANCEL), this);
    cancel->setObjectName(QStringLiteral("id_%1").arg(platform::IDCANCEL));
    cancel->setAutoDefault(false);

    auto* nameLabel = new QLabel(LoadResString(IDS_FAVORITE_INFO_NAME), this);
    nameLabel->setBuddy(m_editName);
    auto* pathLabel = new QLabel(LoadResString(IDS_FAVORITE_INFO_PATH), this);
    pathLabel->setBuddy(m_editPath);
    auto* grid = new QGridLayout(this);
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(m_editName, 0, 1, 1, 2);
    grid->addWidget(pathLabel, 1, 0);
    grid->addWidget(m_editPath, 1, 1);
    grid->addWidget(browse, 1, 2);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_btnOK, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    grid->addWidget(buttons, 2, 0, 1, 3);
    grid->setColumnMinimumWidth(1, 260);

    connect(m_editName, &QLineEdit::textChanged, this, [this] { OnChangeName(); });
    connect(m_editPath, &QLineEdit::textChanged, this, [this] { OnChangePath(); });
    connect(browse, &QPushButton::clicked, this, [this] { OnBrowse(); });
    connect(m_btnOK, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
}

void VornaDlgImageFavoriteInfo::showEvent(QShowEvent* event)
{
    if (!m_bShownOnce) {
        m_bShownOnce = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void VornaDlgImageFavoriteInfo::OnInitDialog()
{
    // The caller's values; nothing is confirmed before the user changes them.
    m_strOldName = m_nEditMode == 1 ? m_strName : QString();
    m_strOldPath = m_nEditMode == 1 ? m_strPath : QString();
    PutValues();
    m_bNameValid = false;
    m_bPathValid = false;
    m_btnOK->setEnabled(false);
}

void VornaDlgImageFavoriteInfo::TakeValues()
{
    m_strName = m_editName->text();
    m_strPath = m_editPath->text();
}

void VornaDlgImageFavoriteInfo::PutValues()
{
    const QSignalBlocker nameQuiet(m_editName);
    const QSignalBlocker pathQuiet(m_editPath);
    m_editName->setText(m_strName);
    m_editPath->setText(m_strPath);
}

void VornaDlgImageFavoriteInfo::OnChangeName()
{
    TakeValues();
    m_bNameValid = !m_strName.isEmpty();
    UpdateOKButton();
}

void VornaDlgImageFavoriteInfo::OnChangePath()
{
    TakeValues();
    m_bPathValid = ImageBookmarks::IsValidFolder(m_strPath);
    UpdateOKButton();
}

void VornaDlgImageFavoriteInfo::UpdateOKButton()
{
    bool ok = false;
    if (m_nEditMode == 0) {
        ok = m_bNameValid && m_bPathValid;
    } else {
        // Something changed, and what stands there can be stored: a name,
        // and a folder that exists or the one the bookmark had.
        const bool changed = m_strName != m_strOldName || m_strPath != m_strOldPath;
        ok = changed && !m_strName.isEmpty() && (m_bPathValid || m_strPath == m_strOldPath);
    }
    m_btnOK->setEnabled(ok);
}

void VornaDlgImageFavoriteInfo::OnBrowse()
{
    TakeValues();
    QString folder;
    if (BrowseForFolder(folder, QString(), this, LoadResString(41551), LoadResString(41551)) && !folder.isEmpty()) {
        m_strPath = folder;
        m_bPathValid = true;
        PutValues();
        UpdateOKButton();
    }
}

void VornaDlgImageFavoriteInfo::OnOK()
{
    TakeValues();
    if (!m_btnOK->isEnabled())
        return;
    // Another bookmark of the name: the user names it again.
    if (ImageBookmarks::Clashes(m_strName, m_strOldName)) {
        MessageBoxById(IDS_BOOKMARK_NAME_TAKEN);
        m_editName->setFocus();
        m_editName->selectAll();
        return;
    }
    // A store that refused keeps the dialog open with what was entered.
    if (!ImageBookmarks::Store(m_strName, m_strPath, m_strOldName))
        return;
    done(platform::IDOK);
}
