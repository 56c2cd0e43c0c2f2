#include "effects/VornaDlgScriptStatus.h"

#include "controls/CVornaEdit.h"
#include "res/resource.h"
#include "util/StringResources.h"

#include <QLabel>
#include <QListWidget>

unsigned int VornaDlgScriptStatus::TitleId() const
{
    return IDS_SCRIPT_TITLE_START + 1;
}

void VornaDlgScriptStatus::OnInitDialog()
{
    m_pControlsLayout->addWidget(new QLabel(LoadResString(IDS_SCRIPT_KIND_LABEL), m_pControls));
    QStringList rows;
    for (int effect = 0; effect < EffectCount; ++effect)
        rows.append(EffectText(effect));
    m_listEffect = MakeValueList(rows);
    m_pControlsLayout->addWidget(m_listEffect, 1);
    m_pControlsLayout->addWidget(new QLabel(LoadResString(IDS_SCRIPT_OUTPUT_TEXTS), m_pControls));
    m_editText1 = MakeControl<CVornaEdit>(1340);
    m_editText2 = MakeControl<CVornaEdit>(1006);
    m_editText3 = MakeControl<CVornaEdit>(1007);
    for (CVornaEdit* edit : {m_editText1, m_editText2, m_editText3}) {
        edit->setEnabled(false);
        m_pControlsLayout->addWidget(edit);
    }
    SetNextEnabled(false);
    connect(m_listEffect, &QListWidget::currentRowChanged, this, &VornaDlgScriptStatus::OnItemChanged);
}

bool VornaDlgScriptStatus::SaveData()
{
    if (!m_editText1)
        return true;
    m_strText1 = m_editText1->text();
    m_strText2 = m_editText2->text();
    m_strText3 = m_editText3->text();
    return true;
}

void VornaDlgScriptStatus::OnItemChanged(int row)
{
    SetNextEnabled(row >= 0);
    m_nEffect = row;
    if (row < 0 || row >= EffectCount)
        return;
    SetDescription(EffectDescription(row));
    if (UsesAllTexts(row))
        EnableAllTexts();
    else
        EnableFirstTextOnly();
    ShowPreviewPicture(EffectPicture(row));
}

void VornaDlgScriptStatus::EnableAllTexts()
{
    for (CVornaEdit* edit : {m_editText1, m_editText2, m_editText3})
        edit->setEnabled(true);
}

void VornaDlgScriptStatus::EnableFirstTextOnly()
{
    m_editText1->setEnabled(true);
    m_editText2->setEnabled(false);
    m_editText3->setEnabled(false);
}
