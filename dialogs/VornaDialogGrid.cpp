#include "dialogs/VornaDialogGrid.h"

#include "controls/NumberEdit.h"
#include "dialogs/DialogButtons.h"
#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QLineEdit>
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
    for (const int id : kKindStrings)
        m_cbKind->addItem(LoadResString(id));
    form->addRow(BuddyLabel(LoadResString(IDS_GRID_KIND_LABEL), m_cbKind), m_cbKind);
    m_edSpacing = new NumberEdit(this);
    m_edSpacing->setObjectName(DialogControlName(IDC_GRID_SPACING));
    m_edSpacing->setRange(kMinSpacing, kMaxSpacing);
    // Left, the box holds its leading number within 3 .. 100 (an empty box 3).
    m_edSpacing->setMayStayEmpty(false);
    form->addRow(BuddyLabel(LoadResString(IDS_GRID_SPACING_LABEL), m_edSpacing), m_edSpacing);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);
    connect(m_cbKind, &QComboBox::currentIndexChanged, this, [this](int index) { m_nKind = index; });
    connect(m_edSpacing, &NumberEdit::textChanged, this, [this](const QString& text) { m_strSpacing = text; });
    AddOkCancelButtons(*this, layout);
}

VornaDialogGrid::~VornaDialogGrid() = default;

int VornaDialogGrid::DoModal()
{
    // The kinds in the list's order; a kind the list does not have selects nothing.
    const int kind = m_nKind;
    m_cbKind->setCurrentIndex(kind >= 0 && kind < kKindCount ? kind : -1);
    m_nKind = kind;
    m_edSpacing->setText(m_strSpacing);
    return platform::runModal(*this, IDD);
}

void VornaDialogGrid::accept()
{
    // Checked however the dialog was filled: Qt reports no change while the
    // box is filled, so no first change has to open the way.
    m_strSpacing = m_edSpacing->text();
    if (CheckOnOK() != Check::Valid) {
        MessageBoxById(IDS_GRID_SPACING_RANGE);
        m_edSpacing->setText(m_strSpacing);
        m_edSpacing->setFocus();
        if (QLineEdit* edit = m_edSpacing->findChild<QLineEdit*>())
            edit->selectAll();
        return;
    }
    QDialog::accept();
}
