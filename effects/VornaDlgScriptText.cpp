#include "effects/VornaDlgScriptText.h"

#include "controls/CColorPickerCB.h"
#include "controls/CVornaComboBox.h"
#include "controls/CVornaEdit.h"
#include "controls/FontFaces.h"
#include "effects/VornaDlgScript.h"
#include "effects/VornaDlgScriptMouse.h"
#include "res/resource.h"
#include "util/StringResources.h"

#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

unsigned int VornaDlgScriptText::TitleId() const
{
    return IDS_SCRIPT_TITLE_START + 5;
}

void VornaDlgScriptText::OnInitDialog()
{
    m_pControlsLayout->addWidget(new QLabel(LoadResString(IDS_SCRIPT_MESSAGE), m_pControls));
    m_editMessage = MakeControl<CVornaEdit>(1006);
    m_pControlsLayout->addWidget(m_editMessage);
    m_rbStandard = MakeControl<QRadioButton>(14001);
    m_rbStandard->setText(LoadResString(IDS_SCRIPT_TEXT_STANDARD));
    m_rbWave = MakeControl<QRadioButton>(14002);
    m_rbWave->setText(LoadResString(IDS_SCRIPT_TEXT_WAVE));
    m_pControlsLayout->addWidget(m_rbStandard);
    m_pControlsLayout->addWidget(m_rbWave);

    // The faces of the font list, the default first.
    m_cbFont = MakeControl<CVornaComboBox>(1124);
    m_cbFont->addItem(LoadResString(IDS_SCRIPT_DEFAULT_FACE));
    m_cbFont->addItems(FontList());
    m_cbFont->setCurrentIndex(0);
    m_cbSizeStep = MakeControl<CVornaComboBox>(1000);
    for (unsigned int row = 0; row < 8; ++row)
        m_cbSizeStep->addItem(LoadResString(IDS_SCRIPT_SIZE_STEP + row));
    m_cbSizeStep->setCurrentIndex(0);
    m_cbSizeStep->hide();
    m_editSize = MakeControl<QSpinBox>(1451);
    m_editSize->setRange(MinFontSize, MaxFontSize);
    m_cbColor = MakeControl<CColorPickerCB>(1001);
    m_cbColor->SetDefaultColor(0x808080);
    m_cbColor->SetColor(0x808080);
    auto* form = new QFormLayout;
    form->addRow(LoadResString(IDS_SCRIPT_FONT), m_cbFont);
    form->addRow(LoadResString(IDS_SCRIPT_FONT_SIZE), m_editSize);
    form->addRow(LoadResString(IDS_SCRIPT_COLOR), m_cbColor);
    m_pControlsLayout->addLayout(form);

    m_nTextKind = 0;
    m_rbStandard->setChecked(true);
    SetFontSize(15);
    m_editSize->setValue(m_nFontSize);
    m_strFontColor = m_cbColor->GetColorString();

    connect(m_editMessage, &QLineEdit::textChanged, this, &VornaDlgScriptText::OnMessageChange);
    connect(m_editSize, &QSpinBox::valueChanged, this, &VornaDlgScriptText::OnSizeChange);
    connect(m_cbFont, &QComboBox::currentIndexChanged, this, [this] {
        m_strFontFace = m_cbFont->currentText();
        UpdatePreview();
    });
    connect(m_cbSizeStep, &QComboBox::currentIndexChanged, this, [this](int row) {
        SetSizeStep(row);
        UpdatePreview();
    });
    connect(m_rbStandard, &QRadioButton::clicked, this, [this] { OnTextKind(0); });
    connect(m_rbWave, &QRadioButton::clicked, this, [this] { OnTextKind(1); });
    connect(m_cbColor, &CColorPickerCB::colorChosen, this, [this] {
        m_strFontColor = m_cbColor->GetColorString();
        UpdatePreview();
    });
    // Descriptions as the controls take the focus; the preview of a typed
    // message when the mouse moves over the page.
    for (QWidget* control : std::initializer_list<QWidget*>{m_editMessage, m_cbFont, m_cbSizeStep, m_cbColor})
        control->installEventFilter(this);
    for (QWidget* area : std::initializer_list<QWidget*>{this, m_pControls}) {
        area->setMouseTracking(true);
        area->installEventFilter(this);
    }
}

bool VornaDlgScriptText::SaveData()
{
    if (!m_editMessage)
        return true;
    m_strMessage = m_editMessage->text();
    m_nTextKind = m_rbWave->isChecked() ? 1 : 0;
    SetFontSize(m_editSize->value());
    return true;
}

bool VornaDlgScriptText::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_editMessage)
            SetDescription(LoadResString(IDS_SCRIPT_TEXT_DESCRIPTION + 2));
        else if (watched == m_cbFont)
            SetDescription(LoadResString(IDS_SCRIPT_TEXT_DESCRIPTION + 3));
        else if (watched == m_cbSizeStep)
            SetDescription(LoadResString(IDS_SCRIPT_TEXT_DESCRIPTION + 4));
        else if (watched == m_cbColor)
            SetDescription(LoadResString(IDS_SCRIPT_TEXT_DESCRIPTION + 5));
    } else if (event->type() == QEvent::MouseMove && (watched == this || watched == m_pControls) && m_bPreviewPending) {
        m_bPreviewPending = false;
        UpdatePreview();
    }
    return VornaScriptPage::eventFilter(watched, event);
}

void VornaDlgScriptText::UpdatePreview()
{
    SaveData();
    VornaDlgScriptMouse::ShowWizardPreview(m_pWizard, m_pViewer);
}

void VornaDlgScriptText::OnMessageChange()
{
    SaveData();
    SetNextEnabled(HasMessage());
    m_bPreviewPending = true;
    m_bEdited = true;
}

void VornaDlgScriptText::OnSizeChange()
{
    if (!m_bEdited)
        return;
    SetFontSize(m_editSize->value());
    UpdatePreview();
}

void VornaDlgScriptText::OnTextKind(int kind)
{
    SaveData();
    m_nTextKind = kind;
    SetDescription(LoadResString(IDS_SCRIPT_TEXT_DESCRIPTION + unsigned(kind)));
    UpdatePreview();
}
