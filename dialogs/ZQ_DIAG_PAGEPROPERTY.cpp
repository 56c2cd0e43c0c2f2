#include "dialogs/ZQ_DIAG_PAGEPROPERTY.h"

#include "controls/CColorPickerCB.h"
#include "controls/CVornaComboBox.h"
#include "controls/CVornaEdit.h"
#include "controls/NumberEdit.h"
#include "dialogs/DialogButtons.h"
#include "dialogs/VornaDialogBackMusic.h"
#include "images/VornaDialogOpenImage.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pagepropertydialog_detail {

struct ColorRow
{
    int id;
    const char* label;
};

// The pickers in the order the dialog shows them.
constexpr ColorRow kColorRows[] = {
    {PagePropertyModel::BackgroundColor, "背景(&C) :"},
    {PagePropertyModel::TextColor, "テキスト(&X) :"},
    {PagePropertyModel::LinkColor, "ハイパーリンク(&H) :"},
    {PagePropertyModel::VLinkColor, "表示済みのハイパーリンク(&V) :"},
    {PagePropertyModel::ALinkColor, "アクティブハイパーリンク(&A) :"},
};

// An edit with its 参照 button on its right.
QHBoxLayout* withButton(QWidget* edit, QPushButton* button)
{
    auto* row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(button);
    return row;
}

} // namespace pagepropertydialog_detail

ZQ_DIAG_PAGEPROPERTY::ZQ_DIAG_PAGEPROPERTY(QWidget* parent) : QDialog(parent)
{
    namespace detail = pagepropertydialog_detail;
    setObjectName(DialogControlName(IDD));
    setWindowTitle(QStringLiteral("ドキュメントのプロパティ"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    m_edTitle = new CVornaEdit(this);
    m_edTitle->setObjectName(DialogControlName(1030));
    m_edTitle->setMinimumWidth(300);
    form->addRow(QStringLiteral("タイトル(&T) :"), m_edTitle);
    m_edBackground = new CVornaEdit(this);
    m_edBackground->setObjectName(DialogControlName(1031));
    m_btnImage = new QPushButton(QStringLiteral("参照(&B)..."), this);
    m_btnImage->setObjectName(DialogControlName(1475));
    form->addRow(BuddyLabel(QStringLiteral("背景の画像(&I) :"), m_edBackground),
                 detail::withButton(m_edBackground, m_btnImage));

    auto* colors = new QGroupBox(QStringLiteral("色"), this);
    auto* colorForm = new QFormLayout(colors);
    for (size_t i = 0; i < std::size(detail::kColorRows); ++i) {
        auto* picker = new CColorPickerCB(colors);
        picker->setObjectName(DialogControlName(detail::kColorRows[i].id));
        picker->setMinimumWidth(120);
        colorForm->addRow(QString::fromUtf8(detail::kColorRows[i].label), picker);
        connect(picker, &CColorPickerCB::colorChosen, this,
                [this](platform::ColorRef color, int id) { OnColorChosen(id, color); });
        m_cbColors[i] = picker;
    }
    layout->addWidget(colors);

    auto* soundForm = new QFormLayout;
    layout->addLayout(soundForm);
    m_edSound = new CVornaEdit(this);
    m_edSound->setObjectName(DialogControlName(1034));
    m_btnSound = new QPushButton(QStringLiteral("参照(&W)..."), this);
    m_btnSound->setObjectName(DialogControlName(1036));
    soundForm->addRow(BuddyLabel(QStringLiteral("背景サウンド(&S) :"), m_edSound),
                      detail::withButton(m_edSound, m_btnSound));
    m_edRepeat = new NumberEdit(this);
    m_edRepeat->setObjectName(DialogControlName(1216));
    m_edRepeat->setRange(kRepeatMin, kRepeatMax);
    m_edRepeat->setMayStayEmpty(false);
    m_edRepeat->setMinimumWidth(80);
    m_edRepeat->installEventFilter(this);
    m_chkContinuous = new QCheckBox(QStringLiteral("連続(&N)"), this);
    m_chkContinuous->setObjectName(DialogControlName(1009));
    auto* repeatRow = new QHBoxLayout;
    repeatRow->addWidget(m_edRepeat);
    repeatRow->addWidget(m_chkContinuous);
    repeatRow->addStretch(1);
    soundForm->addRow(BuddyLabel(QStringLiteral("繰り返し(&R) :"), m_edRepeat), repeatRow);
    m_cbEncoding = new CVornaComboBox(this);
    m_cbEncoding->setObjectName(DialogControlName(1003));
    soundForm->addRow(QStringLiteral("エンコード(&E) :"), m_cbEncoding);
    AddOkCancelButtons(*this, layout);

    connect(m_edTitle, &QLineEdit::textEdited, this, [this] { OnTextEdited(); });
    connect(m_edBackground, &QLineEdit::textEdited, this, [this] { OnTextEdited(); });
    connect(m_chkContinuous, &QCheckBox::clicked, this, [this] { OnContinuous(); });
    connect(m_btnImage, &QPushButton::clicked, this, [this] { OnBrowseImage(); });
    connect(m_btnSound, &QPushButton::clicked, this, [this] { OnBrowseSound(); });
    connect(m_cbEncoding, &QComboBox::activated, this,
            [this](int index) { OnEncodingChosen(m_cbEncoding->itemText(index)); });
}

ZQ_DIAG_PAGEPROPERTY::~ZQ_DIAG_PAGEPROPERTY() = default;

int ZQ_DIAG_PAGEPROPERTY::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, IDD);
}

void ZQ_DIAG_PAGEPROPERTY::OnInitDialog()
{
    for (CColorPickerCB* picker : m_cbColors) {
        const int id = picker->GetDlgCtrlID();
        picker->SetDefaultColor(DefaultColorOf(id));
        picker->SetColor(*ColorField(id));
        picker->update();
    }
    const QStringList names = EncodingNames();
    m_cbEncoding->clear();
    m_cbEncoding->addItems(names);
    m_cbEncoding->setCurrentIndex(InitialEncodingIndex(names));
    UpdateControls();
    m_edTitle->setFocus();
}

void ZQ_DIAG_PAGEPROPERTY::UpdateFields()
{
    m_strTitle = m_edTitle->text();
    m_strBackground = m_edBackground->text();
    m_strSound = m_edSound->text();
    m_strRepeat = m_edRepeat->text();
    m_bContinuous = m_chkContinuous->isChecked() ? 1 : 0;
}

void ZQ_DIAG_PAGEPROPERTY::UpdateControls()
{
    m_edTitle->setText(m_strTitle);
    m_edBackground->setText(m_strBackground);
    m_edSound->setText(m_strSound);
    m_edRepeat->setText(m_strRepeat);
    m_chkContinuous->setChecked(m_bContinuous != 0);
    m_edRepeat->setEnabled(m_bContinuous == 0);
}

void ZQ_DIAG_PAGEPROPERTY::OnContinuous()
{
    UpdateFields();
    m_edRepeat->setEnabled(m_bContinuous == 0);
}

bool ZQ_DIAG_PAGEPROPERTY::eventFilter(QObject* watched, QEvent* event)
{
    // The repeat box's own rule runs before the box clamps on leaving.
    if (watched == m_edRepeat && event->type() == QEvent::FocusOut) {
        UpdateFields();
        OnRepeatLeft();
        m_edRepeat->setText(m_strRepeat);
    }
    return QDialog::eventFilter(watched, event);
}

void ZQ_DIAG_PAGEPROPERTY::keyPressEvent(QKeyEvent* event)
{
    // Enter on the continuous box leaves the dialog open (a focused push
    // button presses itself).
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && focusWidget() == m_chkContinuous) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ZQ_DIAG_PAGEPROPERTY::OnBrowseImage()
{
    UpdateFields();
    VornaDialogOpenImage chooser(this);
    chooser.m_bBackgroundMode = true;
    if (platform::runModal(chooser, VornaDialogOpenImage::IDD) != platform::IDOK)
        return;
    m_strBackground = chooser.m_strResultPath;
    UpdateControls();
    OnTextEdited();
    m_edBackground->selectAll();
    m_btnImage->setFocus();
}

void ZQ_DIAG_PAGEPROPERTY::OnBrowseSound()
{
    UpdateFields();
    const QString sound = m_strSound;
    const bool address = IsSoundAddress(sound);
    VornaDialogBackMusic chooser(true, QString(), address ? QString() : sound, 0x1006,
                                 LoadResString(IDS_FILTER_BACKGROUND_SOUND), this);
    if (address)
        chooser.m_strURL = sound;
    if (chooser.DoModal() != platform::IDOK)
        return;
    m_strSound = chooser.m_bURL ? chooser.m_strURL : chooser.GetPathName();
    UpdateControls();
    if (!address) {
        m_edSound->selectAll();
        m_btnSound->setFocus();
    }
}

void ZQ_DIAG_PAGEPROPERTY::accept()
{
    UpdateFields();
    OnOK(m_cbEncoding->currentIndex() < 0 ? QString() : m_cbEncoding->currentText());
    QDialog::accept();
}
