#include "dialogs/VornaDialogMarquee.h"

#include "controls/CColorPickerCB.h"
#include "controls/CVornaComboBox.h"
#include "controls/NumberEdit.h"
#include "dialogs/DialogButtons.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace marqueedialog_detail {

template <class Control> Control* named(Control* control, int id)
{
    control->setObjectName(DialogControlName(id));
    return control;
}

// A box, then the texts after it, in one row.
QHBoxLayout* boxRow(QWidget* box, std::initializer_list<QWidget*> after)
{
    auto* row = new QHBoxLayout;
    row->addWidget(box);
    for (QWidget* widget : after)
        row->addWidget(widget);
    row->addStretch(1);
    return row;
}

} // namespace marqueedialog_detail

VornaDialogMarquee::VornaDialogMarquee(QWidget* parent) : QDialog(parent)
{
    using marqueedialog_detail::boxRow;
    using marqueedialog_detail::named;
    setObjectName(DialogControlName(IDD));
    setWindowTitle(QStringLiteral("マーキー"));
    auto* layout = new QVBoxLayout(this);
    const auto label = [this](const char* text) { return new QLabel(QString::fromUtf8(text), this); };

    auto* move = new QGroupBox(QStringLiteral("移動"), this);
    auto* moveGrid = new QGridLayout(move);
    m_cbDirection = named(new CVornaComboBox(move), 1529);
    for (unsigned id : {IDS_MARQUEE_LEFT, IDS_MARQUEE_RIGHT, IDS_MARQUEE_UP, IDS_MARQUEE_DOWN})
        m_cbDirection->addItem(LoadResString(id));
    m_cbBehavior = named(new CVornaComboBox(move), 1530);
    for (unsigned id : {IDS_MARQUEE_SCROLL, IDS_MARQUEE_SLIDE, IDS_MARQUEE_ALTERNATE})
        m_cbBehavior->addItem(LoadResString(id));
    moveGrid->addWidget(BuddyLabel(QStringLiteral("方向(&D) :"), m_cbDirection), 0, 0);
    moveGrid->addWidget(m_cbDirection, 0, 1);
    moveGrid->addWidget(BuddyLabel(QStringLiteral("動作(&B) :"), m_cbBehavior), 1, 0);
    moveGrid->addWidget(m_cbBehavior, 1, 1);
    layout->addWidget(move);

    const int boxIds[] = {1064, 1065, 1527, 1526, 1216};
    for (int i = 0; i < 5; ++i) {
        m_edBoxes[i] = named(new NumberEdit(this), boxIds[i]);
        m_edBoxes[i]->setMinimumWidth(80);
        m_edBoxes[i]->installEventFilter(this);
    }

    auto* size = new QGroupBox(QStringLiteral("サイズ"), this);
    auto* sizeGrid = new QGridLayout(size);
    m_chkWidth = named(new QCheckBox(QStringLiteral("幅(&W) :"), size), 1092);
    m_rbWidthPercent = named(new QRadioButton(QStringLiteral("%"), size), 1453);
    m_rbWidthPixels = named(new QRadioButton(QStringLiteral("ピクセル"), size), 1454);
    m_chkHeight = named(new QCheckBox(QStringLiteral("高さ(&H) :"), size), 1093);
    m_rbHeightPercent = named(new QRadioButton(QStringLiteral("%"), size), 1495);
    m_rbHeightPixels = named(new QRadioButton(QStringLiteral("ピクセル"), size), 1321);
    sizeGrid->addWidget(m_chkWidth, 0, 0);
    sizeGrid->addLayout(boxRow(m_edBoxes[Width], {m_rbWidthPercent, m_rbWidthPixels}), 0, 1);
    sizeGrid->addWidget(m_chkHeight, 1, 0);
    sizeGrid->addLayout(boxRow(m_edBoxes[Height], {m_rbHeightPercent, m_rbHeightPixels}), 1, 1);
    for (auto [first, second] :
         {std::pair{m_rbWidthPercent, m_rbWidthPixels}, std::pair{m_rbHeightPercent, m_rbHeightPixels}}) {
        auto* group = new QButtonGroup(this);
        group->addButton(first);
        group->addButton(second);
    }
    layout->addWidget(size);

    auto* speed = new QGroupBox(QStringLiteral("速度"), this);
    auto* speedGrid = new QGridLayout(speed);
    speedGrid->addWidget(BuddyLabel(QStringLiteral("停止時間(&L) :"), m_edBoxes[Delay]), 0, 0);
    speedGrid->addLayout(boxRow(m_edBoxes[Delay], {label("ms"), label("(1000 ms = 1秒)")}), 0, 1);
    speedGrid->addWidget(BuddyLabel(QStringLiteral("移動する量(&M) :"), m_edBoxes[Amount]), 1, 0);
    speedGrid->addLayout(boxRow(m_edBoxes[Amount], {label("ピクセル")}), 1, 1);
    layout->addWidget(speed);

    auto* repeat = new QGroupBox(QStringLiteral("Repeat"), this);
    m_chkContinuous = named(new QCheckBox(QStringLiteral("連続(&T)"), repeat), 1013);
    auto* repeatRow = boxRow(m_edBoxes[Loop], {label("回")});
    repeatRow->insertWidget(repeatRow->count() - 1, m_chkContinuous);
    repeat->setLayout(repeatRow);
    layout->addWidget(repeat);

    auto* colorRow = new QHBoxLayout;
    m_cbColor = named(new CColorPickerCB(this), 1528);
    m_cbColor->setMinimumWidth(120);
    colorRow->addWidget(BuddyLabel(QStringLiteral("背景色(&C) :"), m_cbColor));
    colorRow->addWidget(m_cbColor);
    colorRow->addStretch(1);
    layout->addLayout(colorRow);
    AddOkCancelButtons(*this, layout);

    for (QCheckBox* check : {m_chkWidth, m_chkHeight})
        connect(check, &QCheckBox::clicked, this, [this] {
            UpdateFields();
            UpdateControls();
        });
    connect(m_chkContinuous, &QCheckBox::clicked, this, [this] {
        UpdateFields();
        OnContinuous();
        UpdateControls();
    });
    connect(m_cbBehavior, &QComboBox::activated, this, [this](int index) {
        UpdateFields();
        m_bContinuousEnabled = OnBehaviorChanged(index);
        UpdateControls();
    });
    connect(m_rbWidthPercent, &QRadioButton::clicked, this, [this] { OnUnit(Width, 0); });
    connect(m_rbWidthPixels, &QRadioButton::clicked, this, [this] { OnUnit(Width, 1); });
    connect(m_rbHeightPercent, &QRadioButton::clicked, this, [this] { OnUnit(Height, 0); });
    connect(m_rbHeightPixels, &QRadioButton::clicked, this, [this] { OnUnit(Height, 1); });
}

VornaDialogMarquee::~VornaDialogMarquee() = default;

int VornaDialogMarquee::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, IDD);
}

void VornaDialogMarquee::OnInitDialog()
{
    m_cbDirection->setCurrentIndex(DirectionIndex(m_strDirection));
    m_cbBehavior->setCurrentIndex(BehaviorIndex(m_strBehavior));
    InitTexts();
    m_cbColor->SetDefaultColor(0xFFFFFF);
    m_cbColor->SetColor(m_crBackground);
    m_cbColor->update();
    UpdateControls();
    m_cbDirection->setFocus();
}

void VornaDialogMarquee::UpdateFields()
{
    m_strWidth = m_edBoxes[Width]->text();
    m_strHeight = m_edBoxes[Height]->text();
    m_strAmount = m_edBoxes[Amount]->text();
    m_strDelay = m_edBoxes[Delay]->text();
    m_strLoop = m_edBoxes[Loop]->text();
    m_bWidthOn = m_chkWidth->isChecked() ? 1 : 0;
    m_bHeightOn = m_chkHeight->isChecked() ? 1 : 0;
    m_bContinuous = m_chkContinuous->isChecked() ? 1 : 0;
}

void VornaDialogMarquee::UpdateControls()
{
    const QString texts[] = {m_strWidth, m_strHeight, m_strAmount, m_strDelay, m_strLoop};
    for (int box = Width; box <= Loop; ++box) {
        const auto [low, high] = RangeOf(Box(box));
        m_edBoxes[box]->setRange(low, high);
        m_edBoxes[box]->setText(texts[box]);
    }
    m_chkWidth->setChecked(m_bWidthOn != 0);
    m_chkHeight->setChecked(m_bHeightOn != 0);
    m_chkContinuous->setChecked(m_bContinuous != 0);
    (m_nWidthUnit == 0 ? m_rbWidthPercent : m_rbWidthPixels)->setChecked(true);
    (m_nHeightUnit == 0 ? m_rbHeightPercent : m_rbHeightPixels)->setChecked(true);
    for (QWidget* widget : {static_cast<QWidget*>(m_edBoxes[Width]), static_cast<QWidget*>(m_rbWidthPercent),
                            static_cast<QWidget*>(m_rbWidthPixels)})
        widget->setEnabled(m_bWidthOn != 0);
    for (QWidget* widget : {static_cast<QWidget*>(m_edBoxes[Height]), static_cast<QWidget*>(m_rbHeightPercent),
                            static_cast<QWidget*>(m_rbHeightPixels)})
        widget->setEnabled(m_bHeightOn != 0);
    m_edBoxes[Loop]->setEnabled(m_bContinuous == 0);
    m_chkContinuous->setEnabled(m_bContinuousEnabled);
}

void VornaDialogMarquee::OnUnit(Box box, int unit)
{
    UpdateFields();
    OnUnitChanged(box, unit);
    UpdateControls();
}

bool VornaDialogMarquee::eventFilter(QObject* watched, QEvent* event)
{
    // A box's own rule runs before the box clamps on leaving.
    if (event->type() == QEvent::FocusOut) {
        for (int box = Width; box <= Loop; ++box) {
            if (watched != m_edBoxes[box])
                continue;
            UpdateFields();
            OnBoxLeft(Box(box));
            UpdateControls();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void VornaDialogMarquee::accept()
{
    UpdateFields();
    OnOK(m_cbDirection->currentIndex(), m_cbBehavior->currentIndex(), m_cbColor->GetColor());
    QDialog::accept();
}
