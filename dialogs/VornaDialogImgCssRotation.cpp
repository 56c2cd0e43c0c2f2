#include "dialogs/VornaDialogImgCssRotation.h"

#include "controls/CVornaEdit.h"
#include "controls/VornaFontListBox.h"
#include "dialogs/DialogControls.h"

#include <QComboBox>
#include <QVBoxLayout>

VornaDialogImgCssRotation::VornaDialogImgCssRotation(QWidget* parent) : ImgCssPopup(IDD, parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    m_pEdit = Named(new CVornaEdit(this), 1408);
    m_pList = Named(new VornaFontListBox(this), 1407);
    for (int angle = 45; angle < 360; angle += 45)
        m_pList->addItem(QString::number(angle) + QChar(0x00B0));
    auto* hidden = Named(new QComboBox(this), 1003);
    hidden->hide();
    layout->addWidget(m_pEdit);
    layout->addWidget(m_pList);
    connect(m_pList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { m_pEdit->setText(item->text()); });
    connect(m_pList, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        m_pEdit->setText(item->text());
        accept();
    });
    connect(m_pEdit, &QLineEdit::textEdited, this, &VornaDialogImgCssRotation::OnTyped);
    connect(m_pEdit, &QLineEdit::returnPressed, this, &VornaDialogImgCssRotation::accept);
}

void VornaDialogImgCssRotation::OnTyped(const QString& text)
{
    m_pList->setCurrentRow(-1);
    if (text.isEmpty())
        return;
    for (int row = 0; row < m_pList->count(); ++row) {
        if (m_pList->item(row)->text().startsWith(text)) {
            m_pList->setCurrentRow(row);
            return;
        }
    }
}

void VornaDialogImgCssRotation::accept()
{
    m_strAngle = m_pEdit->text();
    ImgCssPopup::accept();
}
