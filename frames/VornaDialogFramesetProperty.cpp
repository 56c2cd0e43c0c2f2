#include "frames/VornaDialogFramesetProperty.h"

#include "controls/CVornaComboBox.h"
#include "controls/CVornaEdit.h"
#include "controls/NumberEdit.h"
#include "dialogs/DialogButtons.h"
#include "dialogs/DialogControls.h"
#include "res/resource.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QFormLayout>
#include <QVBoxLayout>

VornaDialogFramesetProperty::VornaDialogFramesetProperty(QWidget* parent) : QDialog(parent)
{
    setObjectName(DialogControlName(IDD));
    setWindowTitle(LoadResString(IDS_FRAMESET_PROPERTIES_TITLE));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    m_edPath = Named(new CVornaEdit(this), IDC_FRAMESET_PATH);
    m_edPath->setReadOnly(true);
    m_edPath->setMinimumWidth(280);
    form->addRow(BuddyLabel(LoadResString(IDS_FRAME_PATH_LABEL), m_edPath), m_edPath);
    m_edTitle = Named(new CVornaEdit(this), IDC_FRAMESET_TITLE);
    form->addRow(BuddyLabel(LoadResString(IDS_FRAMESET_TITLE_LABEL), m_edTitle), m_edTitle);
    m_edSpacing = Named(new NumberEdit(this), IDC_FRAMESET_SPACING);
    m_edSpacing->setRange(0, kMaxSpacing);
    form->addRow(BuddyLabel(LoadResString(IDS_FRAMESET_SPACING_LABEL), m_edSpacing), m_edSpacing);
    m_cbBorder = Named(new CVornaComboBox(this), IDC_FRAMESET_BORDER);
    form->addRow(BuddyLabel(LoadResString(IDS_FRAMESET_BORDER_LABEL), m_cbBorder), m_cbBorder);
    m_cbEncoding = Named(new CVornaComboBox(this), IDC_FRAMESET_ENCODING);
    form->addRow(BuddyLabel(LoadResString(IDS_FRAMESET_ENCODING_LABEL), m_cbEncoding), m_cbEncoding);
    AddOkCancelButtons(*this, layout);

    connect(m_cbEncoding, &QComboBox::activated, this,
            [this](int index) { OnEncodingChosen(m_cbEncoding->itemText(index)); });
    connect(m_cbBorder, &QComboBox::activated, this, [this] { ReadControls(); });
    connect(m_edTitle, &QLineEdit::textEdited, this, [this] { ReadControls(); });
    connect(m_edSpacing, &NumberEdit::editingFinished, this, [this] {
        ReadControls();
        OnSpacingLeft();
        ShowValues();
    });
}

VornaDialogFramesetProperty::~VornaDialogFramesetProperty() = default;

int VornaDialogFramesetProperty::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, IDD);
}

void VornaDialogFramesetProperty::OnInitDialog()
{
    const QStringList names = EncodingNames();
    m_cbEncoding->clear();
    m_cbEncoding->addItems(names);
    m_cbEncoding->setCurrentIndex(InitialEncodingIndex(names));
    // The sorted list: いいえ (0: no borders) before はい.
    m_cbBorder->clear();
    m_cbBorder->addItems({LoadResString(IDS_FRAMESET_BORDER_NO), LoadResString(IDS_FRAMESET_BORDER_YES)});
    ShowValues();
}

void VornaDialogFramesetProperty::ReadControls()
{
    m_strTitle = m_edTitle->text();
    m_nFrameSpacing = m_edSpacing->value();
    m_nBorder = m_cbBorder->currentIndex();
}

void VornaDialogFramesetProperty::ShowValues()
{
    m_edPath->setText(m_strPath);
    m_edTitle->setText(m_strTitle);
    m_edSpacing->setValue(m_nFrameSpacing);
    m_cbBorder->setCurrentIndex(m_nBorder);
}

void VornaDialogFramesetProperty::accept()
{
    ReadControls();
    OnOK(m_cbEncoding->currentText());
    QDialog::accept();
}
