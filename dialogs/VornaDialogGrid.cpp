#include "dialogs/VornaDialogGrid.h"

#include "controls/NumberEdit.h"
#include "dialogs/DialogButtons.h"
#include "res/resource.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QComboBox>
#include <QFormLayout>
#include <QVBoxLayout>

VornaDialogGrid::VornaDialogGrid(QWidget* parent) : QDialog(parent)
{
    setObjectName(DialogControlName(IDD));
    setWindowTitle(LoadResString(IDS_GRID_TITLE));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    m_cbKind = new QComboBox(this);
    m_cbKind->setObjectName(DialogControlName(IDC_GRID_KIND));
    for (const int id : {IDS_GRID_KIND_NONE, IDS_GRID_KIND_DOTS, IDS_GRID_KIND_LINES, IDS_GRID_KIND_DOTTED_LINES})
        m_cbKind->addItem(LoadResString(id));
    form->addRow(LoadResString(IDS_GRID_KIND_LABEL), m_cbKind);
    m_edSpacing = new NumberEdit(this);
    m_edSpacing->setObjectName(DialogControlName(IDC_GRID_SPACING));
    m_edSpacing->setRange(3, 100);
    form->addRow(LoadResString(IDS_GRID_SPACING_LABEL), m_edSpacing);
    AddOkCancelButtons(*this, layout);
}

VornaDialogGrid::~VornaDialogGrid() = default;

void VornaDialogGrid::SetInitialValues(int kind, int spacing)
{
    m_nKind = kind;
    m_strSpacing = QString::number(spacing);
}

int VornaDialogGrid::DoModal()
{
    m_cbKind->setCurrentIndex(m_nKind >= 0 && m_nKind < m_cbKind->count() ? m_nKind : 0);
    m_edSpacing->setText(m_strSpacing);
    return platform::runModal(*this, IDD);
}

void VornaDialogGrid::accept()
{
    m_nKind = m_cbKind->currentIndex();
    m_strSpacing = m_edSpacing->text();
    QDialog::accept();
}
