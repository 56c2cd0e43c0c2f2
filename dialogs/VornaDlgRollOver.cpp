#include "dialogs/VornaDlgRollOver.h"

#include "app/VornaHTMLViewer.h"
#include "chrome/ULOToolBar.h"
#include "commands/RollOverText.h"
#include "controls/CVornaEdit.h"
#include "controls/VornaImageButton.h"
#include "dialogs/VornaDialogHyperlink.h"
#include "effects/CScriptUtility.h"
#include "images/ImageFiles.h"
#include "images/ImageLibraryFolders.h"
#include "images/VornaDialogOpenImage.h"
#include "res/resource.h"
#include "util/AppContext.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace rollover_detail {

const QString kRollOverName = QStringLiteral("VornaRollImage");

QString controlName(int id)
{
    return QStringLiteral("id_%1").arg(id);
}

VornaImageButton* pictureButton(QWidget* parent, int id)
{
    auto* button = new VornaImageButton(parent);
    button->setObjectName(controlName(id));
    button->SetBitmap(QStringLiteral(":/res/bitmaps/%1.png").arg(IDB_BROWSE));
    button->setFixedSize(24, 22);
    return button;
}

// The link button shows the toolbars' pictures of Insert > Hyperlink; without
// toolbars, the browse picture.
void setLinkPictures(VornaImageButton* button)
{
    const int index = ULOToolBar::imageIndexOf(ID_INSERT_HYPERLINK);
    if (index < 0)
        return;
    QImage pictures[4];
    for (int list = ULOToolBar::kNormal; list <= ULOToolBar::kDisabled; ++list)
        pictures[list] = ULOToolBar::image(ULOToolBar::ImageList(list), index).toImage();
    if (!pictures[0].isNull())
        button->SetIcons(pictures[0], pictures[1], pictures[2], pictures[3]);
}

} // namespace rollover_detail

VornaDlgRollOver::VornaDlgRollOver(QWidget* parent) : QDialog(parent)
{
    setObjectName(rollover_detail::controlName(IDD));
    setWindowTitle(LoadResString(IDS_ROLLOVER_TITLE));
    CreateControls();
}

VornaDlgRollOver::~VornaDlgRollOver() = default;

void VornaDlgRollOver::CreateControls()
{
    using rollover_detail::pictureButton;
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    const auto addRow = [&](int row, unsigned labelId, CVornaEdit*& edit, int editId, VornaImageButton* button) {
        auto* label = new QLabel(LoadResString(labelId), this);
        edit = new CVornaEdit(this);
        edit->setObjectName(rollover_detail::controlName(editId));
        edit->setMinimumWidth(300);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(button, row, 2);
    };
    m_btnBrowseImage = pictureButton(this, kImageBrowseId);
    m_btnBrowseRoll = pictureButton(this, kRollBrowseId);
    m_btnLink = pictureButton(this, kLinkButtonId);
    rollover_detail::setLinkPictures(m_btnLink);
    addRow(0, IDS_ROLLOVER_IMAGE_LABEL, m_editImage, kImageBoxId, m_btnBrowseImage);
    addRow(1, IDS_ROLLOVER_ROLL_LABEL, m_editRollImage, kRollBoxId, m_btnBrowseRoll);
    addRow(2, IDS_ROLLOVER_LINK_LABEL, m_editLink, kLinkBoxId, m_btnLink);
    m_editLink->setEnabled(false);

    // The preview over its frame, the hint beside its icon.
    auto* previewBox = new QGroupBox(LoadResString(IDS_ROLLOVER_PREVIEW), this);
    auto* previewLayout = new QVBoxLayout(previewBox);
    m_stPreview = new QWidget(previewBox);
    m_stPreview->setObjectName(rollover_detail::controlName(kPreviewFrameId));
    m_stPreview->setFixedSize(360, 220);
    previewLayout->addWidget(m_stPreview, 0, Qt::AlignHCenter);
    auto* hint = new QHBoxLayout;
    auto* icon = new QLabel(previewBox);
    icon->setPixmap(QPixmap(QStringLiteral(":/res/icons/%1.png").arg(IDI_ROLLOVER_HINT)));
    hint->addWidget(icon, 0, Qt::AlignTop);
    hint->addWidget(new QLabel(LoadResString(IDS_ROLLOVER_HINT), previewBox), 1);
    previewLayout->addLayout(hint);
    layout->addWidget(previewBox);

    auto* buttons = new QDialogButtonBox(this);
    m_btnOK = buttons->addButton(LoadResString(IDS_MSGBOX_OK), QDialogButtonBox::AcceptRole);
    m_btnOK->setObjectName(rollover_detail::controlName(platform::IDOK));
    m_btnOK->setDefault(true);
    m_btnRemove = buttons->addButton(LoadResString(IDS_ROLLOVER_REMOVE), QDialogButtonBox::ActionRole);
    m_btnRemove->setObjectName(rollover_detail::controlName(kRemoveButtonId));
    m_btnCancel = buttons->addButton(LoadResString(IDS_MSGBOX_CANCEL), QDialogButtonBox::RejectRole);
    m_btnCancel->setObjectName(rollover_detail::controlName(platform::IDCANCEL));
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &VornaDlgRollOver::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &VornaDlgRollOver::reject);
    connect(m_btnRemove, &QPushButton::clicked, this, &VornaDlgRollOver::OnRemoveRollOver);
    connect(m_btnBrowseImage, &QPushButton::clicked, this, &VornaDlgRollOver::OnBrowseImage);
    connect(m_btnBrowseRoll, &QPushButton::clicked, this, &VornaDlgRollOver::OnBrowseRollImage);
    connect(m_btnLink, &QPushButton::clicked, this, &VornaDlgRollOver::OnHyperlink);
    connect(m_editImage, &QLineEdit::textChanged, this, [this] {
        if (!m_bWriting)
            OnChangeImage();
    });
    connect(m_editRollImage, &QLineEdit::textChanged, this, [this] {
        if (!m_bWriting)
            OnChangeRollImage();
    });

    // The preview window over the frame.
    m_pPreview = new VornaHTMLViewer(m_stPreview);
    m_pPreview->Create(QRect(QPoint(0, 0), m_stPreview->size()), m_stPreview);
}

int VornaDlgRollOver::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, IDD);
}

QString VornaDlgRollOver::LinkAddress() const
{
    return UnquotedLink(m_strLink);
}

void VornaDlgRollOver::OnInitDialog()
{
    AppContext& app = AppContext::instance();
    const QString page = app.viewPage(app.activeView()).path;
    m_strPageFolder = page.isEmpty() ? QString() : QFileInfo(page).absolutePath();
    // The link shows in quotes ("#" stands alone).
    m_strLink = QuotedLink(m_strLink);
    // The template's states: only the base picture.
    m_controls = Controls();
    m_bRemoveRollOver = false;
    m_bImageShown = m_bRollShown = false;
    WriteControls();
    if (m_bEdit) {
        m_bNoRollImage = !m_strImage.isEmpty() && m_strRollImage.isEmpty();
        UpdateControlStates();
        m_bImageShown = IsValidImagePath(ImageFile());
        m_bRollShown = IsValidImagePath(RollImageFile());
    }
    // The preview stands before the dialog shows (an empty page for a new image).
    UpdatePreview();
    if (m_bEdit)
        m_controls.remove = !m_bNoRollImage;
    ApplyControls();
}

void VornaDlgRollOver::WriteControls()
{
    m_bWriting = true;
    m_editImage->setText(m_strImage);
    m_editRollImage->setText(m_strRollImage);
    m_editLink->setText(m_strLink);
    m_bWriting = false;
}

void VornaDlgRollOver::ReadControls()
{
    m_strImage = m_editImage->text();
    m_strRollImage = m_editRollImage->text();
    m_strLink = m_editLink->text();
}

void VornaDlgRollOver::ApplyControls()
{
    const Controls& c = m_controls;
    m_editImage->setEnabled(c.imageBox);
    m_btnBrowseImage->setEnabled(c.imageBrowse);
    m_editRollImage->setEnabled(c.rollBox);
    m_btnBrowseRoll->setEnabled(c.rollBrowse);
    m_btnLink->setEnabled(c.link);
    m_btnOK->setEnabled(c.ok);
    m_btnRemove->setEnabled(c.remove);
}

QString VornaDlgRollOver::BrowseForImage()
{
    VornaDialogOpenImage dialog(this);
    // The wallpapers of the image library, unless a folder is remembered.
    dialog.m_strDefaultFolder = InstallSubFolder(IDS_IMAGE_WALLPAPER_FOLDER);
    dialog.m_strRememberedFolder = dialog.m_strDefaultFolder;
    if (platform::runModal(dialog, VornaDialogOpenImage::IDD) != platform::IDOK)
        return QString();
    return dialog.m_strResultPath;
}

void VornaDlgRollOver::OnBrowseImage()
{
    const QString path = BrowseForImage();
    if (path.isEmpty())
        return;
    m_strImage = path;
    WriteControls();
    if (ImageChanged())
        UpdatePreview();
    ApplyControls();
}

void VornaDlgRollOver::OnBrowseRollImage()
{
    const QString path = BrowseForImage();
    if (!path.isEmpty()) {
        m_strRollImage = path;
        WriteControls();
        if (RollImageChanged())
            UpdatePreview();
    } else {
        UpdateControlStates();
    }
    ApplyControls();
}

void VornaDlgRollOver::OnChangeImage()
{
    const QString before = m_strImage;
    ReadControls();
    if (m_strImage == before)
        return;
    if (ImageChanged())
        UpdatePreview();
    ApplyControls();
}

void VornaDlgRollOver::OnChangeRollImage()
{
    const QString before = m_strRollImage;
    ReadControls();
    if (m_strRollImage == before)
        return;
    if (RollImageChanged())
        UpdatePreview();
    ApplyControls();
}

QSize VornaDlgRollOver::GetPreviewImageSize() const
{
    return PreviewImageSize(m_stPreview->size(), GetImageFileSize(ImageFile()));
}

QString VornaDlgRollOver::RollOverName() const
{
    if (m_bEdit && !m_strName.isEmpty())
        return m_strName;
    return CScriptUtility::MakeUniqueElementName(rollover_detail::kRollOverName);
}

QString VornaDlgRollOver::BuildRollOverAttributes() const
{
    return RollOverAttributeText(RollOverName(), m_strImage, m_strRollImage, GetImageFileSize(ImageFile()));
}

void VornaDlgRollOver::UpdatePreview()
{
    // Drawn from the buttons' states: a valid base picture unlocks the roll-over one.
    if (!m_controls.rollBrowse) {
        m_strPreviewHtml.clear();
    } else if (m_controls.link) {
        // The preview page stands in a folder of its own: the pictures by their full paths.
        const QString attributes =
            RollOverAttributeText(RollOverName(), ImageFile(), RollImageFile(), GetImageFileSize(ImageFile()));
        m_strPreviewHtml = PreviewHtml(ImageFile(), GetPreviewImageSize(), attributes,
                                       CScriptUtility::GetRollOverScriptText(rollover_detail::kRollOverName));
    } else {
        m_strPreviewHtml = PreviewHtml(ImageFile(), GetPreviewImageSize(), QString(), QString());
    }
    m_pPreview->ShowHtmlBody(m_strPreviewHtml);
}

void VornaDlgRollOver::OnHyperlink()
{
    AppContext& app = AppContext::instance();
    CZQView* view = app.activeView();
    if (!view)
        return;
    VornaDialogHyperlink dialog(this);
    dialog.m_bEnableRemoveUnderline = false;
    dialog.m_strTarget = m_strTarget;
    dialog.m_bPageInWeb = app.isPageInWeb(app.viewPage(view).displayName);
    const LinkStart start = LinkForHyperlinkDialog(m_strLink, dialog.m_bPageInWeb);
    if (start.editLink) {
        dialog.m_strURL = start.url;
        dialog.m_nScheme = start.scheme;
        dialog.m_bEditLink = true;
    } else {
        dialog.m_strTarget.clear();
    }
    if (dialog.DoModal() != platform::IDOK)
        return;
    TakeHyperlink(dialog.m_bDeleteLink, dialog.m_strURL, dialog.m_strTargetFrame);
    WriteControls();
}

void VornaDlgRollOver::OnRemoveRollOver()
{
    RemoveRollOver();
    WriteControls();
    UpdatePreview();
    ApplyControls();
}

void VornaDlgRollOver::OnOK()
{
    ReadControls();
    // A file that is there but is no picture the decoders read is refused,
    // as the insert-image dialog refuses it: the dialog stays for another.
    for (const QString& file : {ImageFile(), RollImageFile()}) {
        if (IsValidImagePath(file) && RefuseUnreadableImage(file))
            return;
    }
    done(platform::IDOK);
}
