#include "publish/CVornaDialogStatus.h"

#include "publish/PublishTextIds.h"
#include "util/StringResources.h"

#include <QLabel>
#include <QVBoxLayout>

CVornaDialogStatus::CVornaDialogStatus(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("id_%1").arg(DialogId));
    setWindowTitle(LoadResString(PublishTextIds::StatusCaption));
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("id_%1").arg(LabelId));
    m_label->setMinimumWidth(280);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
}

void CVornaDialogStatus::SetStatusText(const QString& text)
{
    m_label->setText(text);
    repaint();
}

QString CVornaDialogStatus::statusText() const
{
    return m_label->text();
}
