#include "frames/VornaDialogFrameSet.h"

#include "dialogs/DialogButtons.h"
#include "dialogs/DialogControls.h"
#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"
#include "web/VornaDirListCtrl.h"

#include "platform/DataRoot.h"
#include "platform/ModalRunner.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace dialogframeset_detail {

// The preview area: the picture drawn into the whole area.
class PreviewArea : public QWidget
{
public:
    PreviewArea(const CPicture& picture, QWidget* parent) : QWidget(parent), m_picture(picture)
    {
        setMinimumSize(200, 150);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        m_picture.Draw(painter, 0, 0, width(), height());
    }

private:
    const CPicture& m_picture;
};

QString defaultFolder()
{
    return platform::installPath(QStringLiteral("Template/FramesetTemplate")) + QLatin1Char('/');
}

} // namespace dialogframeset_detail

VornaDialogFrameSet::VornaDialogFrameSet(QWidget* parent, const QString& templateFolder)
    : QDialog(parent), m_strDescription(FramesetTemplateCatalogue::emptyValue()),
      m_strPreviewPath(FramesetTemplateCatalogue::emptyValue()),
      m_strTemplatePath(FramesetTemplateCatalogue::emptyValue()),
      m_strTemplateFolder(templateFolder.isEmpty() ? dialogframeset_detail::defaultFolder() : templateFolder),
      m_catalogue(m_strTemplateFolder)
{
    setObjectName(DialogControlName(IDD));
    setWindowTitle(LoadResString(IDS_FRAMESET_TEMPLATE_TITLE));
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns, 1);

    auto* left = new QVBoxLayout;
    columns->addLayout(left, 1);
    m_list = Named(new VornaDirListCtrl(this), IDC_FRAMESET_TEMPLATE_LIST);
    m_list->setViewMode(QListView::ListMode);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    left->addWidget(BuddyLabel(LoadResString(IDS_FRAMESET_TEMPLATE_KINDS), m_list));
    left->addWidget(m_list, 1);

    auto* right = new QVBoxLayout;
    columns->addLayout(right, 1);
    auto* descriptionBox = new QGroupBox(LoadResString(IDS_FRAMESET_TEMPLATE_DESCRIPTION), this);
    auto* descriptionLayout = new QVBoxLayout(descriptionBox);
    m_description = Named(new QLabel(descriptionBox), IDC_FRAMESET_TEMPLATE_TEXT);
    m_description->setWordWrap(true);
    m_description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_description->setMinimumHeight(48);
    descriptionLayout->addWidget(m_description);
    right->addWidget(descriptionBox);
    auto* previewBox = new QGroupBox(LoadResString(IDS_FRAMESET_TEMPLATE_PREVIEW), this);
    auto* previewLayout = new QVBoxLayout(previewBox);
    m_preview = Named(new dialogframeset_detail::PreviewArea(m_picture, previewBox), IDC_FRAMESET_TEMPLATE_PREVIEW);
    previewLayout->addWidget(m_preview);
    right->addWidget(previewBox, 1);
    AddOkCancelButtons(*this, layout);

    connect(m_list, &QListWidget::currentRowChanged, this, &VornaDialogFrameSet::OnItemChanged);
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { OnDoubleClick(item ? m_list->row(item) : -1); });
}

VornaDialogFrameSet::~VornaDialogFrameSet() = default;

int VornaDialogFrameSet::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, IDD);
}

void VornaDialogFrameSet::OnInitDialog()
{
    // 1.-3.
    m_strCataloguePath = m_catalogue.cataloguePath();
    m_list->clear();
    const int count = m_catalogue.count();
    for (int i = 0; i < count; ++i)
        m_list->addItem(m_catalogue.title(i));
    // 4. The stored index, selected and shown (the defaults of the first
    // section when the list is empty).
    if (m_nSelected < count) {
        const QSignalBlocker quiet(m_list);
        m_list->setCurrentRow(m_nSelected);
    }
    ShowTemplate(m_nSelected);
}

void VornaDialogFrameSet::ShowTemplate(int index)
{
    // 1.-3.
    m_nSelected = index;
    m_strTemplatePath = m_catalogue.templatePath(index);
    m_strDescription = m_catalogue.description(index);
    // 4. A picture that cannot be read (or lies outside the folder) leaves the area empty.
    m_strPreviewPath = m_catalogue.previewPath(index);
    m_picture.Free();
    if (m_catalogue.hasPreview(index))
        m_picture.Load(m_strPreviewPath);
    // 5.
    m_preview->update();
    m_description->setText(m_strDescription);
}

void VornaDialogFrameSet::OnItemChanged(int index)
{
    if (index >= 0 && index != m_nSelected)
        ShowTemplate(index);
}

void VornaDialogFrameSet::OnDoubleClick(int index)
{
    if (index != -1)
        OnOK();
}

void VornaDialogFrameSet::accept()
{
    OnOK();
}

void VornaDialogFrameSet::OnOK()
{
    // A template without a page of its own in the folder cannot be made.
    if (!m_catalogue.hasTemplate(m_nSelected)) {
        MessageBoxById(IDS_CHOOSE_FRAMESET);
        return;
    }
    QDialog::accept();
}
