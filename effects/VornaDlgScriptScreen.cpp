#include "effects/VornaDlgScriptScreen.h"

#include "controls/CColorPickerCB.h"
#include "controls/CVornaComboBox.h"
#include "res/resource.h"
#include "util/StringResources.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>

unsigned int VornaDlgScriptScreen::TitleId() const
{
    return IDS_SCRIPT_TITLE_START + 3;
}

void VornaDlgScriptScreen::OnInitDialog()
{
    m_pControlsLayout->addWidget(new QLabel(LoadResString(IDS_SCRIPT_KIND_LABEL), m_pControls));
    QStringList rows;
    for (int effect = 0; effect < EffectCount; ++effect)
        rows.append(EffectText(effect));
    m_listEffect = MakeValueList(rows);
    m_pControlsLayout->addWidget(m_listEffect, 1);

    auto* properties = new QGroupBox(LoadResString(IDS_SCRIPT_PROPERTIES), m_pControls);
    auto* form = new QFormLayout(properties);
    m_cbSpeed = MakeControl<CVornaComboBox>(1002, properties);
    for (int step = 1; step <= 9; ++step)
        m_cbSpeed->addItem(QString::number(step));
    m_cbSpeed->setCurrentIndex(DefaultSpeedStep);
    m_cbStartColor = MakeControl<CColorPickerCB>(1000, properties);
    m_cbStartColor->SetDefaultColor(0x808080);
    m_cbStartColor->SetColor(0x808080);
    m_cbEndColor = MakeControl<CColorPickerCB>(1001, properties);
    m_cbEndColor->SetDefaultColor(0xFFFFFF);
    m_cbEndColor->SetColor(0xFFFFFF);
    m_strStartColor = m_cbStartColor->GetColorString();
    m_strEndColor = m_cbEndColor->GetColorString();
    form->addRow(LoadResString(IDS_SCRIPT_SPEED), m_cbSpeed);
    form->addRow(LoadResString(IDS_SCRIPT_START_COLOR), m_cbStartColor);
    form->addRow(LoadResString(IDS_SCRIPT_END_COLOR), m_cbEndColor);
    m_pControlsLayout->addWidget(properties);
    for (QWidget* control : std::initializer_list<QWidget*>{m_cbSpeed, m_cbStartColor, m_cbEndColor})
        control->setEnabled(false);
    SetNextEnabled(false);

    connect(m_listEffect, &QListWidget::currentRowChanged, this, &VornaDlgScriptScreen::OnItemChanged);
    connect(m_cbSpeed, &QComboBox::currentIndexChanged, this, &VornaDlgScriptScreen::OnSpeedChange);
    for (CColorPickerCB* picker : {m_cbStartColor, m_cbEndColor})
        connect(picker, &CColorPickerCB::colorChosen, this,
                [this](platform::ColorRef, int controlId) { OnColorChosen(controlId); });
}

void VornaDlgScriptScreen::OnItemChanged(int row)
{
    SetNextEnabled(row >= 0);
    m_nEffect = row;
    if (row < 0 || row >= EffectCount)
        return;
    SetDescription(EffectDescription(row));
    m_cbSpeed->setEnabled(UsesSpeed(row));
    m_cbStartColor->setEnabled(UsesStartColor(row));
    m_cbEndColor->setEnabled(UsesEndColor(row));
    ShowPreviewPicture(EffectPicture(row));
}

void VornaDlgScriptScreen::OnSpeedChange()
{
    m_nSpeed = SpeedOf(m_cbSpeed->currentIndex());
}

void VornaDlgScriptScreen::OnColorChosen(int controlId)
{
    if (controlId == 1000)
        m_strStartColor = m_cbStartColor->GetColorString();
    else if (controlId == 1001)
        m_strEndColor = m_cbEndColor->GetColorString();
}
