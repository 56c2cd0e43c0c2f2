#include "effects/VornaDlgScriptImg.h"

#include "controls/CVornaEdit.h"
#include "controls/VornaImageButton.h"
#include "dialogs/DialogControls.h"
#include "effects/VornaDlgScript.h"
#include "effects/VornaDlgScriptMouse.h"
#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QRadioButton>

namespace vornadlgscriptimg_detail {

QString imageDescription(int row)
{
    return LoadResString(IDS_SCRIPT_IMG_DESCRIPTION + unsigned(row));
}

} // namespace vornadlgscriptimg_detail

using vornadlgscriptimg_detail::imageDescription;

unsigned int VornaDlgScriptImg::TitleId() const
{
    return IDS_SCRIPT_TITLE_START + 6;
}

void VornaDlgScriptImg::OnInitDialog()
{
    m_rbBuiltIn = MakeControl<QRadioButton>(1494);
    m_rbBuiltIn->setText(LoadResString(IDS_SCRIPT_IMG_BUILT_IN));
    m_pControlsLayout->addWidget(m_rbBuiltIn);
    m_listBuiltIn = MakeValueList({BuiltInText(0), BuiltInText(1)});
    m_pControlsLayout->addWidget(m_listBuiltIn, 1);
    m_rbUser = MakeControl<QRadioButton>(1323);
    m_rbUser->setText(LoadResString(IDS_SCRIPT_IMG_USER));
    m_pControlsLayout->addWidget(m_rbUser);
    auto* path = new QHBoxLayout;
    m_editPath = MakeControl<CVornaEdit>(1006);
    m_btnBrowse = MakeControl<VornaImageButton>(1007);
    m_btnBrowse->SetBitmap(QStringLiteral(":/res/bitmaps/%1.png").arg(IDB_BROWSE));
    path->addWidget(m_editPath, 1);
    path->addWidget(m_btnBrowse);
    m_pControlsLayout->addLayout(path);
    m_chkNatural = MakeControl<QCheckBox>(1009);
    m_chkNatural->setText(LoadResString(IDS_SCRIPT_IMG_NATURAL));
    m_chkTrail = MakeControl<QCheckBox>(1010);
    m_chkTrail->setText(LoadResString(IDS_SCRIPT_IMG_TRAIL));
    m_chkTrailSize = MakeControl<QCheckBox>(1013);
    m_chkTrailSize->setText(LoadResString(IDS_SCRIPT_IMG_TRAIL_SIZE));
    for (QCheckBox* box : {m_chkNatural, m_chkTrail, m_chkTrailSize})
        m_pControlsLayout->addWidget(box);

    m_nImageSource = 0;
    m_rbBuiltIn->setChecked(true);
    connect(m_listBuiltIn, &QListWidget::currentRowChanged, this, &VornaDlgScriptImg::OnItemChanged);
    connect(m_rbBuiltIn, &QRadioButton::clicked, this, &VornaDlgScriptImg::OnBuiltIn);
    connect(m_rbUser, &QRadioButton::clicked, this, &VornaDlgScriptImg::OnUserImage);
    connect(m_editPath, &QLineEdit::textChanged, this, &VornaDlgScriptImg::OnPathChange);
    connect(m_btnBrowse, &QPushButton::clicked, this, &VornaDlgScriptImg::OnBrowse);
    connect(m_chkTrail, &QCheckBox::clicked, this, &VornaDlgScriptImg::OnTrail);
    connect(m_chkTrailSize, &QCheckBox::clicked, this, &VornaDlgScriptImg::OnTrailSizeChange);
    connect(m_chkNatural, &QCheckBox::clicked, this, &VornaDlgScriptImg::OnNaturalSize);
    m_listBuiltIn->setCurrentRow(0);
    UpdateControls();
}

void VornaDlgScriptImg::ReadControls()
{
    if (!m_rbUser)
        return;
    m_nImageSource = m_rbUser->isChecked() ? 1 : 0;
    m_strImagePath = m_editPath->text();
    m_bNaturalSize = m_chkNatural->isChecked();
    m_bTrail = m_chkTrail->isChecked();
    m_bTrailSizeChange = m_chkTrailSize->isChecked();
}

bool VornaDlgScriptImg::SaveData()
{
    ReadControls();
    return true;
}

bool VornaDlgScriptImg::CheckValues()
{
    // Differs from taking any file: a picture without a readable size would
    // be sized by dividing by its width.
    if (m_nImageSource != 1 || IsUserImageUsable())
        return true;
    ShowMessageBox(LoadResString(IDS_SCRIPT_BAD_IMAGE).arg(QDir::toNativeSeparators(m_strImagePath)), 0, 0x40, 1);
    return false;
}

void VornaDlgScriptImg::UpdatePreview()
{
    ReadControls();
    VornaDlgScriptMouse::ShowWizardPreview(m_pWizard, m_pViewer);
}

void VornaDlgScriptImg::UpdateControls()
{
    ReadControls();
    const bool user = m_nImageSource == 1;
    m_listBuiltIn->setEnabled(!user);
    m_btnBrowse->setEnabled(user);
    m_editPath->setEnabled(user);
    const bool file = user && !m_strImagePath.isEmpty() && QFileInfo(m_strImagePath).isFile();
    m_chkTrail->setEnabled(file);
    m_chkNatural->setEnabled(file);
    m_chkTrailSize->setEnabled(file && m_bTrail);
}

void VornaDlgScriptImg::OnItemChanged(int row)
{
    SetNextEnabled(row >= 0);
    m_nBuiltInKind = row;
    if (row == 0 || row == 1)
        SetDescription(imageDescription(row));
    UpdatePreview();
}

void VornaDlgScriptImg::OnBuiltIn()
{
    UpdateControls();
    SetNextEnabled(m_nBuiltInKind >= 0);
    if (m_nBuiltInKind >= 0)
        UpdatePreview();
    SetDescription(imageDescription(2));
}

void VornaDlgScriptImg::OnUserImage()
{
    UpdateControls();
    OnPathChange();
    SetDescription(imageDescription(3));
}

void VornaDlgScriptImg::OnPathChange()
{
    ReadControls();
    SetDescription(imageDescription(4));
    const bool file = !m_strImagePath.isEmpty() && QFileInfo(m_strImagePath).isFile();
    UpdateControls();
    const bool usable = file && IsUserImageUsable();
    if (file && !usable)
        SetDescription(LoadResString(IDS_SCRIPT_BAD_IMAGE).arg(QDir::toNativeSeparators(m_strImagePath)));
    if (usable)
        UpdatePreview();
    SetNextEnabled(usable);
}

void VornaDlgScriptImg::OnBrowse()
{
    SetDescription(imageDescription(5));
    // The image dialog at the wallpapers of the image library.
    const QString chosen = BrowseWallpaper(this);
    if (chosen.isEmpty())
        return;
    m_editPath->setText(chosen);
    OnPathChange();
    if (!IsUserImageUsable())
        CheckValues();
}

void VornaDlgScriptImg::OnTrail()
{
    ReadControls();
    m_chkTrailSize->setEnabled(m_bTrail);
    SetDescription(imageDescription(6));
    UpdatePreview();
}

void VornaDlgScriptImg::OnTrailSizeChange()
{
    SetDescription(imageDescription(7));
    UpdatePreview();
}

void VornaDlgScriptImg::OnNaturalSize()
{
    SetDescription(imageDescription(8));
    UpdatePreview();
}
