#include "publish/VornaDialogProgress.h"

#include "controls/VornaProgress.h"
#include "platform/ModalRunner.h"
#include "publish/PublishTextIds.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

VornaDialogProgress::VornaDialogProgress(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("id_%1").arg(DialogId));
    setWindowTitle(LoadResString(PublishTextIds::ProgressCaption));
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("id_%1").arg(LabelId));
    m_label->setMinimumWidth(300);
    m_label->setMinimumHeight(m_label->fontMetrics().lineSpacing() * 2);
    m_bar = new VornaProgress(this);
    m_bar->setObjectName(QStringLiteral("id_%1").arg(BarId));
    m_bar->SetRange(0, 100);
    m_bar->SetStep(1);
    m_cancel = new QPushButton(LoadResString(PublishTextIds::CancelButton), this);
    m_cancel->setObjectName(QStringLiteral("id_%1").arg(CancelId));
    connect(m_cancel, &QPushButton::clicked, this, &VornaDialogProgress::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    layout->addLayout(buttons);
}

void VornaDialogProgress::SetProgress(int percent, const QString& label)
{
    m_bar->SetPos(percent);
    m_label->setText(label);
}

int VornaDialogProgress::percent() const
{
    return m_bar->GetPos();
}

QString VornaDialogProgress::labelText() const
{
    return m_label->text();
}

void VornaDialogProgress::reject()
{
    if (m_cancelRequested)
        return;
    if (MessageBoxById(CancelQuestion, 0, 0x40, 4) == platform::IDYES) {
        m_cancelRequested = true;
        m_cancel->setEnabled(false);
    }
}
