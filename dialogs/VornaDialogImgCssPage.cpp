#include "dialogs/VornaDialogImgCssPage.h"

#include "controls/CColorPickerCB.h"
#include "controls/CVornaComboBox.h"
#include "controls/CVornaToolTipCtrl.h"
#include "controls/NumberEdit.h"
#include "dialogs/DialogControls.h"
#include "dialogs/VornaDialogImgCssComplex.h"
#include "res/resource.h"
#include "util/StringResources.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

VornaDialogImgCssPage::VornaDialogImgCssPage(int filterIndex, VornaDialogImgCssComplex* dialog, QWidget* parent)
    : QWidget(parent), m_pDialog(dialog), m_model(filterIndex)
{
    setObjectName(QStringLiteral("id_%1").arg(m_model.spec().templateId));
    CreateControls();
    if (m_pDialog)
        m_model.ReadFilter(m_pDialog->StyleFilter());
    UpdateData(false);
}

void VornaDialogImgCssPage::CreateControls()
{
    m_pToolTip = new CVornaToolTipCtrl(this);
    m_pToolTip->Create(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    const auto& fields = m_model.spec().fields;
    for (size_t i = 0; i < fields.size(); ++i) {
        const ImgCssField& f = fields[i];
        QWidget* control = nullptr;
        switch (f.kind) {
        case ImgCssField::Number: {
            auto* box = Named(new NumberEdit(this), f.controlId);
            box->setRange(f.low, f.high);
            box->setMayStayEmpty(false);
            m_pToolTip->AddTool(box, ImgCssRangeTip(f));
            connect(box, &NumberEdit::editingFinished, this, [this, i] { OnNumberLeft(int(i)); });
            control = box;
            break;
        }
        case ImgCssField::List: {
            auto* list = Named(new CVornaComboBox(this), f.controlId);
            for (unsigned id : f.entries)
                list->addItem(LoadResString(id));
            control = list;
            break;
        }
        case ImgCssField::Phase: {
            auto* phase = Named(new CVornaComboBox(this), f.controlId);
            phase->setEditable(true);
            phase->setInsertPolicy(QComboBox::NoInsert);
            for (int entry = 0; entry <= 10; ++entry)
                phase->addItem(QString::number(entry * 10));
            connect(phase->lineEdit(), &QLineEdit::editingFinished, this, [phase] { TakeTypedPhase(phase); });
            control = phase;
            break;
        }
        case ImgCssField::Color: {
            auto* picker = Named(new CColorPickerCB(this), f.controlId);
            picker->SetDefaultColor(f.defaultValue);
            control = picker;
            break;
        }
        }
        auto* label = new QLabel(LoadResString(f.labelId), this);
        label->setBuddy(control);
        grid->addWidget(label, int(i), 0);
        grid->addWidget(control, int(i), 1);
        m_controls.push_back(control);
    }
    layout->addStretch(1);
    auto* restore = Named(new QPushButton(LoadResString(IDS_IMGCSS_DEFAULT), this), 3);
    restore->setAutoDefault(false);
    connect(restore, &QPushButton::clicked, this, &VornaDialogImgCssPage::OnDefault);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(restore);
    layout->addLayout(bottom);
}

void VornaDialogImgCssPage::TakeTypedPhase(QComboBox* phase)
{
    // A phase typed selects the entry of its tens; text that is no number leaves the entry as it was.
    const QString typed = phase->currentText().trimmed();
    const int entry = phase->currentIndex();
    if (entry >= 0 && phase->itemText(entry) == typed)
        return;
    bool number = false;
    const long long value = typed.toLongLong(&number);
    phase->setCurrentIndex(number ? ImgCssPageModel::PhaseEntryOf(value) : std::max(entry, 0));
}

void VornaDialogImgCssPage::UpdateData(bool save)
{
    const auto& fields = m_model.spec().fields;
    for (size_t i = 0; i < fields.size(); ++i) {
        QWidget* control = m_controls[i];
        switch (fields[i].kind) {
        case ImgCssField::Number:
            if (save)
                m_model.setValue(int(i), quint32(static_cast<NumberEdit*>(control)->value()));
            else
                static_cast<NumberEdit*>(control)->setValue(int(m_model.value(int(i))));
            break;
        case ImgCssField::Phase:
            if (save)
                TakeTypedPhase(static_cast<QComboBox*>(control));
            [[fallthrough]];
        case ImgCssField::List:
            if (save)
                m_model.setValue(int(i), quint32(std::max(0, static_cast<QComboBox*>(control)->currentIndex())));
            else
                static_cast<QComboBox*>(control)->setCurrentIndex(int(m_model.value(int(i))));
            break;
        case ImgCssField::Color:
            if (save) {
                m_model.setValue(int(i), static_cast<CColorPickerCB*>(control)->GetColor());
            } else {
                static_cast<CColorPickerCB*>(control)->SetColor(m_model.value(int(i)));
                control->update();
            }
            break;
        }
    }
}

QString VornaDialogImgCssPage::GetFilterText()
{
    UpdateData(true);
    return m_model.GetFilterText();
}

void VornaDialogImgCssPage::OnDefault()
{
    m_model.RestoreDefaults();
    UpdateData(false);
    if (m_pDialog && m_pDialog->IsFilterChecked(filterIndex()))
        m_pDialog->OnApply();
}

void VornaDialogImgCssPage::OnNumberLeft(int field)
{
    UpdateData(true);
    m_model.ClampToRange(field);
    UpdateData(false);
}
