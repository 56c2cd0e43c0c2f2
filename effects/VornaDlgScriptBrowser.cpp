#include "effects/VornaDlgScriptBrowser.h"

#include "res/resource.h"
#include "util/StringResources.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QRadioButton>

unsigned int VornaDlgScriptBrowser::TitleId() const
{
    return IDS_SCRIPT_TITLE_START + 2;
}

void VornaDlgScriptBrowser::OnInitDialog()
{
    m_chkBlind = MakeControl<QCheckBox>(1013);
    m_chkBlind->setText(LoadResString(IDS_SCRIPT_BROWSER_BLIND));
    m_chkMove = MakeControl<QCheckBox>(1014);
    m_chkMove->setText(LoadResString(IDS_SCRIPT_BROWSER_MOVE));
    m_chkShake = MakeControl<QCheckBox>(1012);
    m_chkShake->setText(LoadResString(IDS_SCRIPT_BROWSER_SHAKE));
    for (QCheckBox* box : {m_chkBlind, m_chkMove, m_chkShake})
        m_pControlsLayout->addWidget(box);

    // The start positions around the window's place, the label in the middle.
    auto* positions = new QGroupBox(m_pControls);
    auto* grid = new QGridLayout(positions);
    const QPoint cells[8] = {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}};
    for (size_t i = 0; i < m_radios.size(); ++i) {
        m_radios[i] = MakeControl<QRadioButton>(PositionIds[i], positions);
        grid->addWidget(m_radios[i], cells[i].y(), cells[i].x(), Qt::AlignCenter);
    }
    grid->addWidget(new QLabel(LoadResString(IDS_SCRIPT_START_POSITION), positions), 1, 1, Qt::AlignCenter);
    m_pControlsLayout->addWidget(positions);

    auto* note = new QHBoxLayout;
    auto* icon = new QLabel(m_pControls);
    icon->setPixmap(QPixmap(QStringLiteral(":/res/icons/%1.png").arg(IDI_ROLLOVER_HINT)));
    note->addWidget(icon, 0, Qt::AlignTop);
    auto* text = MakeControl<QLabel>(1476);
    text->setText(LoadResString(IDS_SCRIPT_BROWSER_NOTE));
    text->setWordWrap(true);
    note->addWidget(text, 1);
    m_pControlsLayout->addLayout(note);

    ShowPreviewPicture(Picture());
    m_radios[0]->setChecked(true);
    m_nStartPosition = 0;
    EnablePositions();
    connect(m_chkMove, &QCheckBox::clicked, this, [this] {
        SaveData();
        UpdatePreview();
        EnablePositions();
    });
    for (QCheckBox* box : {m_chkBlind, m_chkShake}) {
        connect(box, &QCheckBox::clicked, this, [this] {
            SaveData();
            UpdatePreview();
        });
    }
}

bool VornaDlgScriptBrowser::SaveData()
{
    if (!m_chkMove)
        return true;
    m_bBlind = m_chkBlind->isChecked();
    m_bMove = m_chkMove->isChecked();
    m_bShake = m_chkShake->isChecked();
    for (size_t i = 0; i < m_radios.size(); ++i) {
        if (m_radios[i]->isChecked())
            m_nStartPosition = int(i);
    }
    return true;
}

void VornaDlgScriptBrowser::UpdatePreview()
{
    SaveData();
    SetNextEnabled(HasEffect());
    SetDescription(Description());
    ShowPreviewPicture(Picture());
}

void VornaDlgScriptBrowser::EnablePositions()
{
    for (QRadioButton* radio : m_radios)
        radio->setEnabled(m_bMove);
}
