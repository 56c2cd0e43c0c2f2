#include "effects/VornaDlgScriptMouse.h"

#include "app/VornaHTMLViewer.h"
#include "controls/CColorPickerCB.h"
#include "controls/CVornaComboBox.h"
#include "effects/MousePreview.h"
#include "effects/VornaDlgScript.h"
#include "effects/VornaDlgScriptImg.h"
#include "effects/VornaDlgScriptText.h"
#include "res/resource.h"
#include "util/StringResources.h"

#include "platform/ColorRef.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QRadioButton>

unsigned int VornaDlgScriptMouse::TitleId() const
{
    return IDS_SCRIPT_TITLE_START + 4;
}

void VornaDlgScriptMouse::OnInitDialog()
{
    m_chkClick = MakeControl<QCheckBox>(1012);
    m_chkClick->setText(LoadResString(IDS_SCRIPT_CLICK_EFFECT));
    m_cbClickKind = MakeControl<CVornaComboBox>(1000);
    for (int kind = 0; kind < ClickKindCount; ++kind)
        m_cbClickKind->addItem(ClickKindText(kind));
    m_chkCrosshair = MakeControl<QCheckBox>(1013);
    m_chkCrosshair->setText(LoadResString(IDS_SCRIPT_CROSSHAIR));
    m_cbLineColor = MakeControl<CColorPickerCB>(1001);
    m_chkPointer = MakeControl<QCheckBox>(1007);
    m_chkPointer->setText(LoadResString(IDS_SCRIPT_POINTER_EFFECT));
    m_rbText = MakeControl<QRadioButton>(14001);
    m_rbText->setText(LoadResString(IDS_SCRIPT_POINTER_TEXT));
    m_rbImage = MakeControl<QRadioButton>(14002);
    m_rbImage->setText(LoadResString(IDS_SCRIPT_POINTER_IMAGE));

    m_pControlsLayout->addWidget(m_chkClick);
    auto* click = new QFormLayout;
    click->addRow(LoadResString(IDS_SCRIPT_CLICK_KIND), m_cbClickKind);
    m_pControlsLayout->addLayout(click);
    m_pControlsLayout->addWidget(m_chkCrosshair);
    auto* colour = new QFormLayout;
    colour->addRow(LoadResString(IDS_SCRIPT_COLOR), m_cbLineColor);
    m_pControlsLayout->addLayout(colour);
    m_pControlsLayout->addWidget(m_chkPointer);
    m_pControlsLayout->addWidget(m_rbText);
    m_pControlsLayout->addWidget(m_rbImage);

    m_nPointerKind = 0;
    m_strPointerType = QStringLiteral("TEXT");
    m_rbText->setChecked(true);
    m_cbLineColor->SetDefaultColor(0);
    m_cbLineColor->SetColor(0);
    m_cbClickKind->setCurrentIndex(0);
    m_nClickKind = 0;
    ReadLineColor();
    for (QWidget* control : std::initializer_list<QWidget*>{m_cbClickKind, m_cbLineColor, m_rbText, m_rbImage})
        control->setEnabled(false);

    connect(m_chkCrosshair, &QCheckBox::clicked, this, &VornaDlgScriptMouse::OnCrosshair);
    connect(m_chkClick, &QCheckBox::clicked, this, &VornaDlgScriptMouse::OnClickEffect);
    connect(m_chkPointer, &QCheckBox::clicked, this, &VornaDlgScriptMouse::OnPointerEffect);
    connect(m_rbText, &QRadioButton::clicked, this, [this] { OnPointerKind(0); });
    connect(m_rbImage, &QRadioButton::clicked, this, [this] { OnPointerKind(1); });
    connect(m_cbClickKind, &QComboBox::currentIndexChanged, this, &VornaDlgScriptMouse::OnClickKindChange);
    connect(m_cbLineColor, &CColorPickerCB::colorChosen, this,
            [this](platform::ColorRef, int controlId) { OnColorChosen(controlId); });
}

bool VornaDlgScriptMouse::SaveData()
{
    if (!m_chkClick)
        return true;
    m_bClickEffect = m_chkClick->isChecked();
    m_bCrosshair = m_chkCrosshair->isChecked();
    m_bPointerEffect = m_chkPointer->isChecked();
    m_nPointerKind = m_rbImage->isChecked() ? 1 : 0;
    return true;
}

void VornaDlgScriptMouse::ReadLineColor()
{
    platform::ColorRef colour = m_cbLineColor->GetColor();
    if (colour == kColorDefault || colour == kColorNone)
        colour = m_cbLineColor->GetDefaultColor();
    m_strLineColor = LineColorText(platform::redOf(colour), platform::greenOf(colour), platform::blueOf(colour));
}

QString VornaDlgScriptMouse::BuildPreviewHtml() const
{
    const VornaScriptPage* second = m_pWizard ? m_pWizard->GetPage(2) : nullptr;
    return BuildMousePreviewHtml(*this, dynamic_cast<const VornaDlgScriptText*>(second),
                                 dynamic_cast<const VornaDlgScriptImg*>(second), ScriptTemplateFolder());
}

void VornaDlgScriptMouse::UpdatePreview()
{
    if (m_pViewer)
        m_pViewer->ShowHtmlPage(BuildPreviewHtml());
}

void VornaDlgScriptMouse::ShowWizardPreview(const VornaDlgScript* wizard, VornaHTMLViewer* viewer)
{
    const auto* mouse = wizard ? dynamic_cast<const VornaDlgScriptMouse*>(wizard->GetPage(1)) : nullptr;
    if (mouse && viewer)
        viewer->ShowHtmlPage(mouse->BuildPreviewHtml());
}

void VornaDlgScriptMouse::OnCrosshair()
{
    SaveData();
    m_cbLineColor->setEnabled(m_bCrosshair);
    UpdateOptions();
}

void VornaDlgScriptMouse::OnClickEffect()
{
    SaveData();
    m_cbClickKind->setEnabled(m_bClickEffect);
    UpdateOptions();
}

void VornaDlgScriptMouse::OnPointerEffect()
{
    SaveData();
    m_rbText->setEnabled(m_bPointerEffect);
    m_rbImage->setEnabled(m_bPointerEffect);
    if (m_pWizard) {
        if (m_bPointerEffect) {
            // The place of the pointer's page, made when the user goes on.
            if (m_pWizard->GetPageCount() < 3)
                m_pWizard->AddPage(nullptr, IDD_SCRIPT_START);
            m_pWizard->SetNextText(false);
            m_strPointerType = m_nPointerKind != 0 ? QStringLiteral("IMG") : QStringLiteral("TEXT");
        } else {
            m_pWizard->TruncatePages(2);
            m_pWizard->SetNextText(true);
        }
    }
    UpdateOptions();
}

void VornaDlgScriptMouse::OnPointerKind(int kind)
{
    m_strPointerType = kind == 0 ? QStringLiteral("TEXT") : QStringLiteral("IMG");
    UpdatePreview();
}

void VornaDlgScriptMouse::UpdateOptions()
{
    SetNextEnabled(HasEffect());
    SetDescription(Description());
    UpdatePreview();
}

void VornaDlgScriptMouse::OnClickKindChange()
{
    m_nClickKind = m_cbClickKind->currentIndex();
    UpdatePreview();
}

void VornaDlgScriptMouse::OnColorChosen(int controlId)
{
    if (controlId != 1001)
        return;
    ReadLineColor();
    UpdatePreview();
}
