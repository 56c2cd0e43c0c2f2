#include "dialogs/VornaDialogHrProperty.h"

#include "controls/CColorPickerCB.h"
#include "controls/NumberEdit.h"
#include "controls/SysColors.h"
#include "dialogs/DialogButtons.h"

#include "platform/ModalRunner.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

VornaDialogHrProperty::VornaDialogHrProperty(QWidget* parent) : QDialog(parent)
{
    setObjectName(DialogControlName(IDD));
    setWindowTitle(QStringLiteral("罫線のプロパティ"));
    auto* layout = new QVBoxLayout(this);
    auto* size = new QGroupBox(QStringLiteral("サイズ"), this);
    auto* grid = new QGridLayout(size);
    m_edWidth = new NumberEdit(size);
    m_edWidth->setObjectName(DialogControlName(1064));
    m_edWidth->setMinimumWidth(80);
    m_rbPercent = new QRadioButton(QStringLiteral("%"), size);
    m_rbPercent->setObjectName(DialogControlName(1453));
    m_rbPixels = new QRadioButton(QStringLiteral("ピクセル"), size);
    m_rbPixels->setObjectName(DialogControlName(1454));
    auto* units = new QButtonGroup(this);
    units->addButton(m_rbPercent);
    units->addButton(m_rbPixels);
    m_edHeight = new NumberEdit(size);
    m_edHeight->setObjectName(DialogControlName(1451));
    m_edHeight->setMinimumWidth(80);
    m_edHeight->setRange(kHeightMin, kHeightMax);
    grid->addWidget(BuddyLabel(QStringLiteral("幅(&W) :"), m_edWidth), 0, 0);
    grid->addWidget(m_edWidth, 0, 1);
    grid->addWidget(m_rbPercent, 0, 2);
    grid->addWidget(m_rbPixels, 0, 3);
    grid->addWidget(BuddyLabel(QStringLiteral("高さ(&H) :"), m_edHeight), 1, 0);
    grid->addWidget(m_edHeight, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("ピクセル"), size), 1, 2, 1, 2);
    layout->addWidget(size);

    auto* colorRow = new QHBoxLayout;
    m_cbColor = new CColorPickerCB(this);
    m_cbColor->setObjectName(DialogControlName(1003));
    m_cbColor->setMinimumWidth(120);
    colorRow->addWidget(BuddyLabel(QStringLiteral("色(&C) :"), m_cbColor));
    colorRow->addWidget(m_cbColor);
    colorRow->addStretch(1);
    layout->addLayout(colorRow);
    m_chkNoShade = new QCheckBox(QStringLiteral("シェーディングしない(&S)"), this);
    m_chkNoShade->setObjectName(DialogControlName(1007));
    layout->addWidget(m_chkNoShade);
    AddOkCancelButtons(*this, layout);

    connect(m_edWidth, &NumberEdit::textChanged, this, [this](const QString& text) {
        if (m_bWriting)
            return;
        m_strWidth = text;
        if (!OnWidthEdited())
            UpdateControls();
    });
    connect(m_edHeight, &NumberEdit::textChanged, this, [this](const QString& text) {
        if (m_bWriting)
            return;
        m_strHeight = text;
        if (!OnHeightEdited())
            UpdateControls();
    });
    connect(m_rbPercent, &QRadioButton::clicked, this, [this] { OnUnit(0); });
    connect(m_rbPixels, &QRadioButton::clicked, this, [this] { OnUnit(1); });
    connect(m_cbColor, &CColorPickerCB::colorChosen, this, [this](platform::ColorRef color) { OnColorChosen(color); });
    connect(m_chkNoShade, &QCheckBox::clicked, this, [this](bool checked) {
        m_bNoShade = checked ? 1 : 0;
        OnNoShade();
    });
}

VornaDialogHrProperty::~VornaDialogHrProperty() = default;

int VornaDialogHrProperty::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, IDD);
}

void VornaDialogHrProperty::OnInitDialog()
{
    m_bInitialized = false;
    InitTexts();
    m_cbColor->SetDefaultColor(GetSysColor(COLOR_BTNFACE));
    m_cbColor->SetColor(m_crColor);
    m_cbColor->update();
    UpdateControls();
    m_edWidth->setFocus();
}

void VornaDialogHrProperty::UpdateControls()
{
    m_bWriting = true;
    m_edWidth->setRange(0, WidthMax());
    m_edWidth->setText(m_strWidth);
    m_edHeight->setText(m_strHeight);
    (m_nWidthUnit == 0 ? m_rbPercent : m_rbPixels)->setChecked(true);
    m_chkNoShade->setChecked(m_bNoShade != 0);
    m_bWriting = false;
}

void VornaDialogHrProperty::OnUnit(int unit)
{
    m_strWidth = m_edWidth->text();
    OnUnitChanged(unit);
    UpdateControls();
}

void VornaDialogHrProperty::accept()
{
    m_strWidth = m_edWidth->text();
    m_strHeight = m_edHeight->text();
    OnOK();
    QDialog::accept();
}
