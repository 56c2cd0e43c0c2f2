#include "dialogs/VornaDialogFontProperty.h"

#include "controls/CColorPickerCB.h"
#include "controls/FontFaces.h"
#include "dialogs/SimpleComboBox.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace fontpropertydialog_detail {

template <typename Widget> Widget* named(Widget* widget, int id)
{
    widget->setObjectName(QStringLiteral("id_%1").arg(id));
    return widget;
}

QLabel* labelFor(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace fontpropertydialog_detail

VornaDialogFontProperty::VornaDialogFontProperty(QWidget* parent) : QDialog(parent)
{
    using fontpropertydialog_detail::labelFor;
    using fontpropertydialog_detail::named;
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(QStringLiteral("フォント"));
    m_cbFace = named(new SimpleComboBox(this), 1386);
    m_cbSize = named(new SimpleComboBox(this), 1004);
    m_chkBold = named(new QCheckBox(QStringLiteral("太字(&B)"), this), 1007);
    m_chkItalic = named(new QCheckBox(QStringLiteral("斜体(&I)"), this), 1008);
    m_chkUnderline = named(new QCheckBox(QStringLiteral("下線(&U)"), this), 1009);
    auto* colours = new QGroupBox(QStringLiteral("色"), this);
    m_cpText = named(new CColorPickerCB(colours), 1384);
    m_cpBack = named(new CColorPickerCB(colours), 1385);
    auto* ok = named(new QPushButton(QStringLiteral("&OK"), this), platform::IDOK);
    ok->setDefault(true);
    auto* reset = named(new QPushButton(QStringLiteral("デフォルト"), this), 3);
    auto* cancel = named(new QPushButton(QStringLiteral("キャンセル"), this), platform::IDCANCEL);

    auto* colourGrid = new QGridLayout(colours);
    colourGrid->addWidget(labelFor(QStringLiteral("テキスト(&T) :"), m_cpText, colours), 0, 0);
    colourGrid->addWidget(m_cpText, 0, 1);
    colourGrid->addWidget(labelFor(QStringLiteral("背景(&G) :"), m_cpBack, colours), 1, 0);
    colourGrid->addWidget(m_cpBack, 1, 1);
    auto* grid = new QGridLayout(this);
    grid->addWidget(labelFor(QStringLiteral("フォント(&F) :"), m_cbFace, this), 0, 0);
    grid->addWidget(m_cbFace, 1, 0, 3, 1);
    grid->addWidget(labelFor(QStringLiteral("サイズ(&S) :"), m_cbSize, this), 0, 1);
    grid->addWidget(m_cbSize, 1, 1, 3, 1);
    auto* styles = new QVBoxLayout;
    styles->addWidget(m_chkBold);
    styles->addWidget(m_chkItalic);
    styles->addWidget(m_chkUnderline);
    styles->addStretch();
    grid->addLayout(styles, 1, 2);
    grid->addWidget(colours, 2, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(reset);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 4, 0, 1, 3);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 1);
    m_cbSize->setFixedWidth(110);
    resize(520, 300);

    connect(ok, &QPushButton::clicked, this, &VornaDialogFontProperty::OnOK);
    connect(reset, &QPushButton::clicked, this, &VornaDialogFontProperty::OnDefault);
    connect(cancel, &QPushButton::clicked, this, [this] { done(platform::IDCANCEL); });
    // Change flags come only from what the user does.
    const std::pair<QCheckBox*, bool FontPropertyFields::*> checks[] = {
        {m_chkBold, &FontPropertyFields::m_bBoldChanged},
        {m_chkItalic, &FontPropertyFields::m_bItalicChanged},
        {m_chkUnderline, &FontPropertyFields::m_bUnderlineChanged}};
    for (const auto& [box, flag] : checks) {
        connect(box, &QCheckBox::clicked, this, [this, flag] {
            this->*flag = true;
            readChecks();
        });
    }
    connect(m_cbFace, &SimpleComboBox::activated, this, [this] { m_bFaceChanged = true; });
    connect(m_cbFace, &SimpleComboBox::textEdited, this, [this] { m_bFaceChanged = true; });
    connect(m_cbSize, &SimpleComboBox::activated, this, [this] { m_bSizeChanged = true; });
    connect(m_cbSize, &SimpleComboBox::textEdited, this, [this] { m_bSizeChanged = true; });
    connect(m_cpBack, &CColorPickerCB::colorChosen, this, [this] {
        m_crBack = m_cpBack->GetColor();
        m_bBackColorChanged = true;
    });
    connect(m_cpText, &CColorPickerCB::colorChosen, this, [this] {
        m_crText = m_cpText->GetColor();
        m_bTextColorChanged = true;
    });
}

VornaDialogFontProperty::~VornaDialogFontProperty() = default;

int VornaDialogFontProperty::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, IDD);
}

void VornaDialogFontProperty::OnInitDialog()
{
    const QString defaultText = LoadResString(41564);
    const QStringList& faces = FontList();
    const QStringList faceItems = FaceItems(faces, defaultText);
    m_cbFace->setItems(faceItems);
    m_cbFace->setCurrentIndex(SelectFace(faceItems, !faces.isEmpty()));
    m_cbSize->setItems(SizeItems(defaultText));
    m_cbSize->setCurrentIndex(SelectSize());
    m_cpText->SetDefaultColor(m_crTextDefault);
    m_cpText->SetColor(m_crText);
    m_cpBack->SetDefaultColor(m_crBackDefault);
    m_cpBack->SetColor(m_crBack);
    m_cpBack->setEnabled(m_bBackEnabled);
    putChecks();
}

void VornaDialogFontProperty::OnDefault()
{
    ResetToDefaults();
    m_cbFace->setCurrentIndex(0);
    m_cbSize->setCurrentIndex(0);
    m_cpText->SetColor(kColorDefault);
    m_cpBack->SetColor(kColorDefault);
    m_cpText->update();
    m_cpBack->update();
    putChecks();
}

void VornaDialogFontProperty::OnOK()
{
    const int face = m_cbFace->currentIndex();
    TakeFace(face, m_cbFace->itemText(face));
    TakeSize(m_cbSize->currentIndex());
    readChecks();
    done(platform::IDOK);
}

void VornaDialogFontProperty::putChecks()
{
    m_chkBold->setChecked(m_bBold);
    m_chkItalic->setChecked(m_bItalic);
    m_chkUnderline->setChecked(m_bUnderline);
}

void VornaDialogFontProperty::readChecks()
{
    m_bBold = m_chkBold->isChecked();
    m_bItalic = m_chkItalic->isChecked();
    m_bUnderline = m_chkUnderline->isChecked();
}
