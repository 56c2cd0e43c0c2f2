#include "effects/VornaDlgScriptStart.h"

#include "effects/VornaDlgScript.h"
#include "res/resource.h"

#include <QListWidget>

unsigned int VornaDlgScriptStart::TitleId() const
{
    return IDS_SCRIPT_TITLE_START;
}

void VornaDlgScriptStart::OnInitDialog()
{
    QStringList rows;
    for (int kind = 0; kind < KindCount; ++kind)
        rows.append(KindText(kind));
    m_listKind = MakeValueList(rows);
    m_pControlsLayout->addWidget(m_listKind, 1);
    connect(m_listKind, &QListWidget::currentRowChanged, this, &VornaDlgScriptStart::OnItemChanged);
    connect(m_listKind, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (item && m_pWizard)
            m_pWizard->PressNext();
    });
}

void VornaDlgScriptStart::OnItemChanged(int row)
{
    SetNextEnabled(row >= 0);
    m_nKind = row;
    if (row >= 0 && row < KindCount) {
        SetDescription(KindDescription(row));
        ShowPreviewPicture(KindPicture(row));
    }
}
