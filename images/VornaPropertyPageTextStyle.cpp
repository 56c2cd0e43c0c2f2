#include "images/VornaPropertyPageTextStyle.h"

#include "dialogs/DialogButtons.h"
#include "images/BannerTextRenderer.h"
#include "images/VornaPropertyPageTextFont.h"
#include "images/VornaPropertySheetTextImage.h"

#include "controls/CColorPickerCB.h"
#include "controls/NumberEdit.h"
#include "util/StringResources.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>

namespace textstylepage_detail {

template <typename Widget> Widget* named(Widget* widget, int id)
{
    widget->setObjectName(DialogControlName(id));
    return widget;
}

// "三次元効果なし" .. "外側ブロック".
constexpr int kFirstStyleName = 57716;
constexpr int kStyleCount = 12;

} // namespace textstylepage_detail

VornaPropertyPageTextStyle::VornaPropertyPageTextStyle(VornaPropertySheetTextImage* sheet, QWidget* parent)
    : QWidget(parent), m_pSheet(sheet)
{
    using textstylepage_detail::named;
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    m_lbStyle = named(new QListWidget(this), 1535);
    m_edRotation = named(new NumberEdit(this), 1408);
    auto* shadow = new QGroupBox(QStringLiteral("シャドウ"), this);
    m_cpShadow = named(new CColorPickerCB(shadow), 1519);
    m_edShadowX = named(new NumberEdit(shadow), 1520);
    m_edShadowY = named(new NumberEdit(shadow), 1522);

    auto* shadowGrid = new QGridLayout(shadow);
    shadowGrid->addWidget(BuddyLabel(QStringLiteral("色(&C) :"), m_cpShadow), 0, 0);
    shadowGrid->addWidget(m_cpShadow, 0, 1);
    shadowGrid->addWidget(BuddyLabel(QStringLiteral("X 位置 : "), m_edShadowX), 1, 0);
    shadowGrid->addWidget(m_edShadowX, 1, 1);
    shadowGrid->addWidget(BuddyLabel(QStringLiteral("Y 位置 : "), m_edShadowY), 2, 0);
    shadowGrid->addWidget(m_edShadowY, 2, 1);
    auto* grid = new QGridLayout(this);
    grid->addWidget(BuddyLabel(QStringLiteral("3D スタイル :"), m_lbStyle), 0, 0);
    grid->addWidget(m_lbStyle, 1, 0, 3, 1);
    grid->addWidget(BuddyLabel(QStringLiteral("回転 :"), m_edRotation), 1, 1);
    grid->addWidget(m_edRotation, 1, 2);
    grid->addWidget(shadow, 2, 1, 1, 2);
    grid->setColumnStretch(0, 1);

    OnInitDialog();

    connect(m_lbStyle, &QListWidget::currentRowChanged, this, [this] {
        EnableByStyle();
        PushToSheet();
    });
    for (NumberEdit* edit : {m_edRotation, m_edShadowX, m_edShadowY})
        connect(edit, &NumberEdit::textChanged, this, [this, edit] { OnNumberChanged(edit); });
    connect(m_cpShadow, &CColorPickerCB::colorChosen, this, [this] { PushToSheet(); });
}

void VornaPropertyPageTextStyle::OnInitDialog()
{
    for (int i = 0; i < textstylepage_detail::kStyleCount; ++i)
        m_lbStyle->addItem(LoadResString(textstylepage_detail::kFirstStyleName + i));
    m_lbStyle->setCurrentRow(m_nStyle);
    m_cpShadow->SetDefaultColor(kDefaultShadowColor);
    m_cpShadow->SetColor(kColorDefault);
    m_edShadowX->setRange(0, 100);
    m_edShadowY->setRange(0, 100);
    m_edRotation->setRange(0, 360);
    m_edShadowX->setValue(m_nShadowX);
    m_edShadowY->setValue(m_nShadowY);
    m_edRotation->setValue(m_nRotation);
    EnableByStyle();
    m_bInitialised = true;
}

void VornaPropertyPageTextStyle::ReadControls()
{
    m_nStyle = m_lbStyle->currentRow();
    m_nRotation = m_edRotation->value();
    m_nShadowX = m_edShadowX->value();
    m_nShadowY = m_edShadowY->value();
}

void VornaPropertyPageTextStyle::PushToSheet()
{
    if (!m_bInitialised)
        return;
    ReadControls();
    BannerTextParams& text = m_pSheet->model().m_text;
    text.style = BannerStyleCodeOfIndex(m_nStyle);
    text.shadowColor = BannerColorOfPicker(m_cpShadow->GetColor(), kDefaultShadowColor);
    text.shadowX = m_nShadowX;
    text.shadowY = m_nShadowY;
    text.angle = m_nRotation * 10;
    m_pSheet->Compose();
}

void VornaPropertyPageTextStyle::OnNumberChanged(NumberEdit* edit)
{
    if (!m_bInitialised || edit->isEmpty())
        return;
    const int value = edit->value();
    const int clamped = std::clamp(value, edit->minimum(), edit->maximum());
    if (edit->text() != QString::number(clamped)) {
        const QSignalBlocker quiet(edit);
        edit->setValue(clamped);
    }
    PushToSheet();
}

void VornaPropertyPageTextStyle::EnableByStyle()
{
    const BannerStyleControls controls = BannerStyleControlsOfIndex(m_lbStyle->currentRow());
    m_cpShadow->setEnabled(controls.color);
    m_edShadowX->setEnabled(controls.offsets);
    m_edShadowY->setEnabled(controls.offsets);
}

void VornaPropertyPageTextStyle::EnableControls(bool enable)
{
    for (QWidget* control : findChildren<QWidget*>())
        control->setEnabled(enable);
}

void VornaPropertyPageTextStyle::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    EnableControls(!m_pSheet->IsCanvasModeOn());
}
