#include "web/VornaDialogCreateProject.h"

#include "controls/CVornaEdit.h"
#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"
#include "web/WebFolders.h"

#include "platform/DataRoot.h"
#include "platform/ModalRunner.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

VornaDialogCreateProject::VornaDialogCreateProject(QWidget* parent)
    : QDialog(parent), m_strRoot(platform::webRoot()), m_editName(new CVornaEdit(this))
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(LoadResString(IDS_CREATE_PROJECT_TITLE));
    auto* layout = new QVBoxLayout(this);
    auto* nameRow = new QFormLayout;
    m_editName->setObjectName(QStringLiteral("id_%1").arg(kNameEditId));
    m_editName->setMinimumWidth(240);
    auto* nameLabel = new QLabel(LoadResString(IDS_WEB_NAME_LABEL), this);
    nameLabel->setBuddy(m_editName);
    nameRow->addRow(nameLabel, m_editName);
    layout->addLayout(nameRow);

    auto* kinds = new QGroupBox(LoadResString(IDS_INDEX_PAGE_KIND), this);
    auto* kindLayout = new QVBoxLayout(kinds);
    auto* group = new QButtonGroup(this);
    const int ids[3] = {kBlankPageId, kFramesetPageId, kTemplatePageId};
    const int texts[3] = {IDS_INDEX_PAGE_BLANK, IDS_INDEX_PAGE_FRAMESET, IDS_INDEX_PAGE_TEMPLATE};
    for (int i = 0; i < 3; ++i) {
        m_kinds[i] = new QRadioButton(LoadResString(unsigned(texts[i])), kinds);
        m_kinds[i]->setObjectName(QStringLiteral("id_%1").arg(ids[i]));
        group->addButton(m_kinds[i], i);
        kindLayout->addWidget(m_kinds[i]);
    }
    layout->addWidget(kinds);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(LoadResString(IDS_WEB_OK), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("id_1"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(LoadResString(IDS_WEB_CANCEL), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("id_2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &VornaDialogCreateProject::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &VornaDialogCreateProject::reject);
    layout->addWidget(buttons);

    // Every change of the name reaches the members at once.
    connect(m_editName, &QLineEdit::textChanged, this, [this] { UpdateData(); });
    connect(group, &QButtonGroup::idToggled, this, [this] { UpdateData(); });
}

VornaDialogCreateProject::~VornaDialogCreateProject() = default;

int VornaDialogCreateProject::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, IDD);
}

void VornaDialogCreateProject::OnInitDialog()
{
    m_editName->clear();
    m_kinds[0]->setChecked(true);
    UpdateData();
    m_editName->setFocus();
}

void VornaDialogCreateProject::UpdateData()
{
    m_strName = m_editName->text();
    m_nPageKind = 0;
    for (int i = 0; i < 3; ++i) {
        if (m_kinds[i]->isChecked())
            m_nPageKind = i;
    }
}

void VornaDialogCreateProject::accept()
{
    UpdateData();
    const int refusal = NewWebNameRefusal(m_strName, m_strRoot);
    if (refusal != 0) {
        MessageBoxById(unsigned(refusal));
        m_editName->setFocus();
        if (refusal != IDS_ENTER_WEB_NAME)
            m_editName->selectAll();
        return;
    }
    done(platform::IDOK);
}
