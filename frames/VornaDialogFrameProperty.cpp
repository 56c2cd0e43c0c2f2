#include "frames/VornaDialogFrameProperty.h"

#include "controls/CVornaComboBox.h"
#include "controls/CVornaEdit.h"
#include "controls/NumberEdit.h"
#include "controls/ULOFileDialog.h"
#include "dialogs/DialogButtons.h"
#include "dialogs/DialogControls.h"
#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QCheckBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

VornaDialogFrameProperty::VornaDialogFrameProperty(QWidget* parent) : QDialog(parent)
{
    setObjectName(DialogControlName(IDD));
    setWindowTitle(LoadResString(IDS_FRAME_PROPERTIES_TITLE));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    m_edPath = Named(new CVornaEdit(this), IDC_FRAME_PATH);
    m_edPath->setMinimumWidth(260);
    m_btnBrowse = Named(new QPushButton(LoadResString(IDS_FRAME_BROWSE), this), IDC_FRAME_BROWSE);
    m_btnBrowse->setAutoDefault(false);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_edPath, 1);
    pathRow->addWidget(m_btnBrowse);
    form->addRow(BuddyLabel(LoadResString(IDS_FRAME_PATH_LABEL), m_edPath), pathRow);
    m_edName = Named(new CVornaEdit(this), IDC_FRAME_NAME);
    form->addRow(BuddyLabel(LoadResString(IDS_FRAME_NAME_LABEL), m_edName), m_edName);

    auto* sizeBox = new QGroupBox(LoadResString(IDS_FRAME_SIZE_GROUP), this);
    auto* sizeForm = new QFormLayout(sizeBox);
    const auto sizeRow = [&](int editId, int unitId, int labelId, NumberEdit*& edit, CVornaComboBox*& unit) {
        edit = Named(new NumberEdit(sizeBox), editId);
        edit->setRange(0, 9999);
        unit = Named(new CVornaComboBox(sizeBox), unitId);
        auto* row = new QHBoxLayout;
        row->addWidget(edit, 1);
        row->addWidget(unit);
        auto* label = new QLabel(LoadResString(labelId), sizeBox);
        label->setBuddy(edit);
        sizeForm->addRow(label, row);
    };
    sizeRow(IDC_FRAME_WIDTH, IDC_FRAME_WIDTH_UNIT, IDS_FRAME_WIDTH_LABEL, m_edWidth, m_cbWidthUnit);
    sizeRow(IDC_FRAME_HEIGHT, IDC_FRAME_HEIGHT_UNIT, IDS_FRAME_HEIGHT_LABEL, m_edHeight, m_cbHeightUnit);
    layout->addWidget(sizeBox);

    auto* lower = new QFormLayout;
    layout->addLayout(lower);
    m_cbScrolling = Named(new CVornaComboBox(this), IDC_FRAME_SCROLLING);
    lower->addRow(BuddyLabel(LoadResString(IDS_FRAME_SCROLLING_LABEL), m_cbScrolling), m_cbScrolling);
    m_chkResize =
        Named(new QCheckBox(LoadResString(IDS_FRAME_RESIZE_LABEL).replace(QLatin1Char('\n'), QString()), this),
              IDC_FRAME_RESIZE);
    layout->addWidget(m_chkResize);
    AddOkCancelButtons(*this, layout);

    connect(m_btnBrowse, &QPushButton::clicked, this, &VornaDialogFrameProperty::OnBrowse);
    connect(m_cbScrolling, &QComboBox::activated, this, [this](int index) { m_nScrolling = index; });
    connect(m_cbWidthUnit, &QComboBox::activated, this, [this] { OnUnitChanged(true); });
    connect(m_cbHeightUnit, &QComboBox::activated, this, [this] { OnUnitChanged(false); });
    connect(m_edWidth, &NumberEdit::editingFinished, this, [this] {
        ReadControls();
        OnWidthLeft();
        ShowValues();
    });
    connect(m_edHeight, &NumberEdit::editingFinished, this, [this] {
        ReadControls();
        OnHeightLeft();
        ShowValues();
    });
}

VornaDialogFrameProperty::~VornaDialogFrameProperty() = default;

int VornaDialogFrameProperty::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, IDD);
}

void VornaDialogFrameProperty::FillUnits(CVornaComboBox* list, int unit)
{
    list->clear();
    list->addItems({LoadResString(IDS_FRAME_UNIT_PIXEL), QStringLiteral("%"), LoadResString(IDS_FRAME_UNIT_RELATIVE)});
    list->setCurrentIndex(unit >= 0 && unit < 3 ? unit : Relative);
}

void VornaDialogFrameProperty::OnInitDialog()
{
    m_cbScrolling->clear();
    m_cbScrolling->addItems({LoadResString(IDS_FRAME_SCROLL_AUTO), LoadResString(IDS_FRAME_SCROLL_YES),
                             LoadResString(IDS_FRAME_SCROLL_NO)});
    m_cbScrolling->setCurrentIndex(m_nScrolling >= 0 && m_nScrolling < 3 ? m_nScrolling : ScrollAuto);
    // A size that is not the frame's own stays empty and cannot be changed.
    for (const bool width : {false, true}) {
        const bool disabled = width ? m_bWidthDisabled : m_bHeightDisabled;
        CVornaComboBox* unit = width ? m_cbWidthUnit : m_cbHeightUnit;
        NumberEdit* edit = width ? m_edWidth : m_edHeight;
        unit->setEnabled(!disabled);
        edit->setEnabled(!disabled);
        if (disabled)
            (width ? m_strWidth : m_strHeight).clear();
        else
            FillUnits(unit, width ? m_nWidthUnit : m_nHeightUnit);
        edit->setRange(0, 9999);
    }
    m_bInitialized = true;
    ShowValues();
}

void VornaDialogFrameProperty::ReadControls()
{
    m_strPath = m_edPath->text();
    m_strFrameName = m_edName->text();
    m_strWidth = m_edWidth->text();
    m_strHeight = m_edHeight->text();
    if (m_cbWidthUnit->count() > 0)
        m_nWidthUnit = m_cbWidthUnit->currentIndex();
    if (m_cbHeightUnit->count() > 0)
        m_nHeightUnit = m_cbHeightUnit->currentIndex();
    m_nScrolling = m_cbScrolling->currentIndex();
    m_bAllowResize = m_chkResize->isChecked() ? 1 : 0;
}

void VornaDialogFrameProperty::ShowValues()
{
    m_edPath->setText(m_strPath);
    m_edName->setText(m_strFrameName);
    m_edWidth->setText(m_strWidth);
    m_edHeight->setText(m_strHeight);
    m_chkResize->setChecked(m_bAllowResize != 0);
}

void VornaDialogFrameProperty::OnUnitChanged(bool width)
{
    ReadControls();
    NumberEdit* edit = width ? m_edWidth : m_edHeight;
    const int unit = width ? m_nWidthUnit : m_nHeightUnit;
    edit->setRange(0, MaximumOf(unit));
    if (width)
        OnWidthUnitChanged(unit);
    else
        OnHeightUnitChanged(unit);
    ShowValues();
}

void VornaDialogFrameProperty::OnBrowse()
{
    ULOFileDialog dialog(true, 0, QString(), QString(), OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LoadResString(IDS_FILTER_HTML), this);
    if (dialog.DoModal() != platform::IDOK)
        return;
    const QString path = dialog.GetPathName();
    QFile file(path);
    // The markup is plain ASCII in every charset a page is written in.
    const QString text = file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
    if (IsFramesetText(text)) {
        MessageBoxById(IDS_NO_FRAMESET_IN_FRAME);
        m_edPath->clear();
        return;
    }
    m_edPath->setText(path);
}

void VornaDialogFrameProperty::accept()
{
    ReadControls();
    switch (OnOK()) {
    case FramePropertyModel::PathMissing:
        MessageBoxById(IDS_FILE_DOES_NOT_EXIST);
        m_edPath->setFocus();
        return;
    case FramePropertyModel::WidthTooLow:
        MessageBoxById(IDS_FRAME_VALUE_TOO_LOW);
        ShowValues();
        return;
    case FramePropertyModel::Accepted:
        QDialog::accept();
        return;
    }
}
