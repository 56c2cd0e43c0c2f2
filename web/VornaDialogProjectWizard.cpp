#include "web/VornaDialogProjectWizard.h"

#include "controls/CVornaComboBox.h"
#include "controls/CVornaEdit.h"
#include "images/CVornaListCtrlImage.h"
#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"
#include "web/WebTemplates.h"

#include "platform/DataRoot.h"
#include "platform/Desktop.h"
#include "platform/ModalRunner.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

VornaDialogProjectWizard::VornaDialogProjectWizard(QWidget* parent)
    : QDialog(parent), m_strTemplatesRoot(platform::installPath(QStringLiteral("Template/Home"))),
      m_strWebRoot(platform::webRoot()), m_editName(new CVornaEdit(this)), m_comboCategory(new CVornaComboBox(this)),
      m_list(new CVornaListCtrlImage(this))
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(LoadResString(IDS_WEB_WIZARD_TITLE));
    auto* layout = new QVBoxLayout(this);
    auto* rows = new QFormLayout;
    m_editName->setObjectName(QStringLiteral("id_%1").arg(kNameEditId));
    auto* nameLabel = new QLabel(LoadResString(IDS_WEB_NAME_LABEL), this);
    nameLabel->setBuddy(m_editName);
    rows->addRow(nameLabel, m_editName);
    m_comboCategory->setObjectName(QStringLiteral("id_%1").arg(kCategoryComboId));
    auto* categoryLabel = new QLabel(LoadResString(IDS_WEB_TEMPLATE_KIND_LABEL), this);
    categoryLabel->setBuddy(m_comboCategory);
    rows->addRow(categoryLabel, m_comboCategory);
    layout->addLayout(rows);

    m_list->setObjectName(QStringLiteral("id_%1").arg(kTemplateListId));
    m_list->SetThumbnailWidth(kThumbnailWidth);
    m_list->SetThumbnailHeight(kThumbnailHeight);
    m_list->setMinimumSize(3 * kSpacingX + 24, kSpacingY + 24);
    m_list->viewport()->installEventFilter(this);
    layout->addWidget(m_list, 1);

    // Enter presses the button that has the focus; elsewhere it presses OK.
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* preview = buttons->addButton(LoadResString(IDS_WEB_TEMPLATE_PREVIEW), QDialogButtonBox::ActionRole);
    preview->setObjectName(QStringLiteral("id_%1").arg(kPreviewId));
    QPushButton* ok = buttons->addButton(LoadResString(IDS_WEB_OK), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("id_1"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(LoadResString(IDS_WEB_CANCEL), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("id_2"));
    for (QPushButton* button : {preview, ok, cancel})
        button->setAutoDefault(true);
    connect(preview, &QPushButton::clicked, this, &VornaDialogProjectWizard::OnPreview);
    connect(ok, &QPushButton::clicked, this, &VornaDialogProjectWizard::OnOK);
    connect(cancel, &QPushButton::clicked, this, &VornaDialogProjectWizard::reject);
    layout->addWidget(buttons);

    connect(m_editName, &QLineEdit::textChanged, this, [this](const QString& text) { m_strWebName = text; });
    connect(m_comboCategory, &QComboBox::currentIndexChanged, this, [this] { OnSelchangeCategory(); });
    // The template followed by the keyboard as by the mouse.
    connect(m_list, &CVornaListCtrlImage::itemChanged, this, [this](int item) {
        if (item >= 0)
            OnClickTemplate(item);
    });
    connect(m_list, &CVornaListCtrlImage::itemDoubleClicked, this, &VornaDialogProjectWizard::OnDblclkTemplate);
}

VornaDialogProjectWizard::~VornaDialogProjectWizard() = default;

int VornaDialogProjectWizard::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, IDD);
}

void VornaDialogProjectWizard::OnInitDialog()
{
    // 1.
    if (m_strTemplatesRoot.isEmpty())
        m_strTemplatesRoot = QDir::currentPath();
    // 2.
    FillCategoryList(m_strTemplatesRoot);
    // 3, 4.
    m_list->setGridSize(QSize(kSpacingX, kSpacingY));
    FillTemplateList();
    // 5.
    SelectFirstTemplate();
    m_editName->setFocus();
}

void VornaDialogProjectWizard::FillCategoryList(const QString& root)
{
    const QSignalBlocker quiet(m_comboCategory);
    m_comboCategory->clear();
    m_comboCategory->addItems(WebTemplateCategories(root));
    m_comboCategory->setCurrentIndex(m_comboCategory->count() > 0 ? 0 : -1);
    m_strCategory = m_comboCategory->currentText();
    SetCategory();
}

void VornaDialogProjectWizard::SetCategory()
{
    m_strCategoryFolder = m_strCategory.isEmpty() ? QString() : m_strTemplatesRoot + QLatin1Char('/') + m_strCategory;
}

void VornaDialogProjectWizard::FillTemplateList()
{
    const QSignalBlocker quiet(m_list);
    m_list->DeleteAllItems();
    m_list->m_strFolder = m_strCategoryFolder.isEmpty() ? QString() : m_strCategoryFolder + QLatin1Char('/');
    const QStringList names = WebTemplateNames(m_strCategoryFolder);
    for (const QString& name : names)
        m_list->InsertItem(m_list->GetItemCount(), name);
    if (m_list->GetItemCount() > 0)
        m_list->scrollTo(m_list->model()->index(0, 0));
}

void VornaDialogProjectWizard::SelectFirstTemplate()
{
    {
        const QSignalBlocker quiet(m_list);
        m_list->SelectItem(0);
    }
    m_nSelected = 0;
    m_strTemplateName = m_list->GetItemCount() > 0 ? m_list->GetItemText(0) : QString();
    m_strTemplateFolder = m_strTemplateName.isEmpty() ? QString() : TemplateFolderOf(m_strTemplateName);
}

QString VornaDialogProjectWizard::TemplateFolderOf(const QString& name) const
{
    return m_strTemplatesRoot + QLatin1Char('/') + m_strCategory + QLatin1Char('/') + name;
}

void VornaDialogProjectWizard::OnSelchangeCategory()
{
    m_strCategory = m_comboCategory->currentText();
    SetCategory();
    FillTemplateList();
    SelectFirstTemplate();
    m_list->setFocus();
}

void VornaDialogProjectWizard::OnClickTemplate(int item)
{
    m_strTemplateName = item >= 0 && item < m_list->GetItemCount() ? m_list->GetItemText(item) : QString();
    // A click beside the items leaves none chosen, and none shown chosen.
    if (m_strTemplateName.isEmpty()) {
        const QSignalBlocker quiet(m_list);
        m_list->SelectItem(-1);
        return;
    }
    if (item != m_nSelected) {
        m_nSelected = item;
        m_strTemplateFolder = TemplateFolderOf(m_strTemplateName);
    }
}

void VornaDialogProjectWizard::OnDblclkTemplate(int item)
{
    m_strTemplateName = item >= 0 && item < m_list->GetItemCount() ? m_list->GetItemText(item) : QString();
    if (m_strTemplateName.isEmpty())
        return;
    m_strTemplateFolder = TemplateFolderOf(m_strTemplateName);
    OnOK();
}

void VornaDialogProjectWizard::OnPreview()
{
    // 1.
    if (m_strTemplateName.isEmpty() || m_strCategory.isEmpty()) {
        MessageBoxById(IDS_SELECT_TEMPLATE);
        return;
    }
    // 2. The template's home page in the user's browser.
    const QString home = platform::resolveCaseBlind(TemplateFolderOf(m_strTemplateName), QStringLiteral("index.html"));
    if (!QFileInfo(home).isFile()) {
        MessageBoxById(IDS_TEMPLATE_NOT_FOUND);
        return;
    }
    // The user is told when no browser starts.
    if (!platform::openWithDesktop(home))
        ShowMessageBox(LoadResString(IDS_BROWSER_NOT_STARTED).arg(QDir::toNativeSeparators(home)));
}

void VornaDialogProjectWizard::accept()
{
    OnOK();
}

void VornaDialogProjectWizard::OnOK()
{
    const int refusal = WebWizardRefusal(m_strTemplateName, m_strWebName, m_strWebRoot);
    // 1. No template.
    if (refusal == IDS_SELECT_TEMPLATE) {
        MessageBoxById(IDS_SELECT_TEMPLATE);
        return;
    }
    // 2, 3. A name that cannot make a new web.
    m_strTemplateFolder = TemplateFolderOf(m_strTemplateName);
    if (refusal != 0) {
        MessageBoxById(unsigned(refusal));
        m_editName->setFocus();
        if (refusal != IDS_ENTER_NEW_WEB_NAME)
            m_editName->selectAll();
        return;
    }
    done(platform::IDOK);
}

bool VornaDialogProjectWizard::eventFilter(QObject* watched, QEvent* event)
{
    // A click of the list, on an item or beside the items.
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            const QModelIndex index = m_list->indexAt(mouse->position().toPoint());
            OnClickTemplate(index.isValid() ? index.row() : -1);
        }
    }
    return QDialog::eventFilter(watched, event);
}
