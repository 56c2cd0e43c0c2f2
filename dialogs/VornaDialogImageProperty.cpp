#include "dialogs/VornaDialogImageProperty.h"

#include "controls/CColorPickerCB.h"
#include "controls/CVornaEdit.h"
#include "controls/NumberEdit.h"
#include "dialogs/DialogButtons.h"
#include "images/VornaDialogOpenImage.h"
#include "util/MessageBox.h"

#include "platform/ModalRunner.h"

#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace imagepropertydialog_detail {

NumberEdit* numberBox(QWidget* parent, int id, int minimum, int maximum)
{
    auto* box = new NumberEdit(parent);
    box->setObjectName(DialogControlName(id));
    box->setRange(minimum, maximum);
    box->setMinimumWidth(80);
    return box;
}

} // namespace imagepropertydialog_detail

VornaDialogImageProperty::VornaDialogImageProperty(QWidget* parent) : QDialog(parent)
{
    using imagepropertydialog_detail::numberBox;
    setObjectName(DialogControlName(IDD));
    setWindowTitle(QStringLiteral("画像のプロパティ"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    m_editPath = new CVornaEdit(this);
    m_editPath->setObjectName(DialogControlName(1217));
    m_editPath->setMinimumWidth(300);
    m_btnBrowse = new QPushButton(QStringLiteral("参照(&B)..."), this);
    m_btnBrowse->setObjectName(DialogControlName(1032));
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_editPath, 1);
    pathRow->addWidget(m_btnBrowse);
    form->addRow(BuddyLabel(QStringLiteral("画像のパス(&P) :"), m_editPath), pathRow);
    m_editAlt = new CVornaEdit(this);
    m_editAlt->setObjectName(DialogControlName(1062));
    form->addRow(QStringLiteral("代替テキスト(&A) :"), m_editAlt);

    auto* size = new QGroupBox(QStringLiteral("サイズ"), this);
    auto* sizeGrid = new QGridLayout(size);
    m_chkSpecifySize = new QCheckBox(QStringLiteral("サイズの指定(&S)"), size);
    m_chkSpecifySize->setObjectName(DialogControlName(1092));
    m_chkKeepRatio = new QCheckBox(QStringLiteral("縦横比を維持する(&K)"), size);
    m_chkKeepRatio->setObjectName(DialogControlName(1488));
    m_editWidth = numberBox(size, 1064, kSizeMin, kSizeMax);
    m_editHeight = numberBox(size, 1065, kSizeMin, kSizeMax);
    sizeGrid->addWidget(m_chkSpecifySize, 0, 0, 1, 3);
    sizeGrid->addWidget(BuddyLabel(QStringLiteral("幅(&W) :"), m_editWidth), 1, 0);
    sizeGrid->addWidget(m_editWidth, 1, 1);
    sizeGrid->addWidget(new QLabel(QStringLiteral("ピクセル"), size), 1, 2);
    sizeGrid->addWidget(BuddyLabel(QStringLiteral("高さ(&H) :"), m_editHeight), 2, 0);
    sizeGrid->addWidget(m_editHeight, 2, 1);
    sizeGrid->addWidget(new QLabel(QStringLiteral("ピクセル"), size), 2, 2);
    sizeGrid->addWidget(m_chkKeepRatio, 3, 0, 1, 3);
    layout->addWidget(size);

    auto* border = new QGroupBox(QStringLiteral("外枠"), this);
    auto* borderGrid = new QGridLayout(border);
    m_editBorder = numberBox(border, 1013, 0, kBorderMax);
    m_cbBorderColor = new CColorPickerCB(border);
    m_cbBorderColor->setObjectName(DialogControlName(1294));
    m_cbBorderColor->setMinimumWidth(120);
    borderGrid->addWidget(BuddyLabel(QStringLiteral("太さ(&T) :"), m_editBorder), 0, 0);
    borderGrid->addWidget(m_editBorder, 0, 1);
    borderGrid->addWidget(new QLabel(QStringLiteral("ピクセル"), border), 0, 2);
    borderGrid->addWidget(BuddyLabel(QStringLiteral("色(&C) :"), m_cbBorderColor), 1, 0);
    borderGrid->addWidget(m_cbBorderColor, 1, 1, 1, 2);
    layout->addWidget(border);
    AddOkCancelButtons(*this, layout);

    for (NumberEdit* box : {m_editWidth, m_editHeight, m_editBorder})
        box->installEventFilter(this);
    connect(m_editWidth, &NumberEdit::textChanged, this, [this] {
        if (m_bWriting)
            return;
        UpdateFields();
        if (!OnWidthEdited())
            UpdateControls();
    });
    connect(m_editHeight, &NumberEdit::textChanged, this, [this] {
        if (m_bWriting)
            return;
        UpdateFields();
        if (!OnHeightEdited())
            UpdateControls();
    });
    connect(m_editBorder, &NumberEdit::textChanged, this, [this] {
        if (m_bWriting)
            return;
        UpdateFields();
        m_cbBorderColor->setEnabled(BorderColorEnabled(m_cbBorderColor->isEnabled()));
    });
    connect(m_chkSpecifySize, &QCheckBox::clicked, this, [this] {
        UpdateFields();
        EnableSize();
    });
    connect(m_chkKeepRatio, &QCheckBox::clicked, this, [this] { UpdateFields(); });
    connect(m_editPath, &QLineEdit::textEdited, this, [this] { UpdateFields(); });
    connect(m_btnBrowse, &QPushButton::clicked, this, [this] { OnBrowseImage(); });
    connect(m_cbBorderColor, &CColorPickerCB::colorChosen, this,
            [this](platform::ColorRef color) { OnColorChosen(color); });
}

VornaDialogImageProperty::~VornaDialogImageProperty() = default;

int VornaDialogImageProperty::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, IDD);
}

void VornaDialogImageProperty::OnInitDialog()
{
    m_bInitialized = false;
    InitTexts();
    m_editPath->setEnabled(!m_bMultiple);
    m_btnBrowse->setEnabled(!m_bMultiple);
    UpdateControls();
    EnableSize();
    m_cbBorderColor->SetDefaultColor(0);
    m_cbBorderColor->SetColor(PickerColor());
    m_cbBorderColor->update();
    m_cbBorderColor->setEnabled(m_nBorder >= 1);
    (m_bMultiple ? static_cast<QWidget*>(m_editAlt) : m_editPath)->setFocus();
}

void VornaDialogImageProperty::UpdateFields()
{
    m_strPath = m_editPath->text();
    m_strAlt = m_editAlt->text();
    m_bSpecifySize = m_chkSpecifySize->isChecked() ? 1 : 0;
    m_bKeepRatio = m_chkKeepRatio->isChecked() ? 1 : 0;
    m_strWidth = m_editWidth->text();
    m_strHeight = m_editHeight->text();
    m_strBorder = m_editBorder->text();
}

void VornaDialogImageProperty::UpdateControls()
{
    m_bWriting = true;
    m_editPath->setText(m_strPath);
    m_editAlt->setText(m_strAlt);
    m_chkSpecifySize->setChecked(m_bSpecifySize != 0);
    m_chkKeepRatio->setChecked(m_bKeepRatio != 0);
    m_editWidth->setText(m_strWidth);
    m_editHeight->setText(m_strHeight);
    m_editBorder->setText(m_strBorder);
    m_bWriting = false;
}

void VornaDialogImageProperty::EnableSize()
{
    for (QWidget* box : {m_editWidth, m_editHeight})
        box->setEnabled(SizeEnabled());
    m_chkKeepRatio->setEnabled(KeepRatioEnabled());
}

bool VornaDialogImageProperty::eventFilter(QObject* watched, QEvent* event)
{
    // A box's own rule runs before the box clamps on leaving.
    if (event->type() == QEvent::FocusOut &&
        (watched == m_editWidth || watched == m_editHeight || watched == m_editBorder)) {
        UpdateFields();
        if (watched == m_editWidth) {
            OnWidthLeft();
        } else if (watched == m_editHeight) {
            OnHeightLeft();
        } else {
            OnBorderLeft();
            if (m_nBorder >= 0)
                m_cbBorderColor->setEnabled(m_nBorder >= 1);
        }
        UpdateControls();
    }
    return QDialog::eventFilter(watched, event);
}

void VornaDialogImageProperty::OnBrowseImage()
{
    UpdateFields();
    VornaDialogOpenImage chooser(this);
    if (platform::runModal(chooser, VornaDialogOpenImage::IDD) != platform::IDOK)
        return;
    m_strPath = chooser.m_strResultPath;
    UpdateControls();
}

void VornaDialogImageProperty::accept()
{
    UpdateFields();
    const bool ok = OnOK(m_cbBorderColor->GetColor());
    UpdateControls();
    if (!ok) {
        MessageBoxById(IDS_IMAGE_NO_PATH);
        m_editPath->setFocus();
        return;
    }
    QDialog::accept();
}
