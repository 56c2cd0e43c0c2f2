#include "dialogs/VornaDialogTableProperty.h"

#include "controls/CColorPickerCB.h"
#include "controls/NumberEdit.h"
#include "controls/SysColors.h"
#include "dialogs/DialogButtons.h"
#include "dialogs/DialogControls.h"

#include "platform/ModalRunner.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
constexpr platform::ColorRef kTableWhite = 0xFFFFFF;
} // namespace

VornaDialogTableProperty::VornaDialogTableProperty(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(QStringLiteral("表のプロパティ"));
    auto* layout = new QVBoxLayout(this);

    auto* size = new QGroupBox(QStringLiteral("サイズ"), this);
    auto* sizeForm = new QFormLayout(size);
    sizeForm->addRow(QStringLiteral("行(&R) :"), AddNumber(Box::Rows, 1292));
    sizeForm->addRow(QStringLiteral("列(&C) :"), AddNumber(Box::Columns, 1287));
    m_pWidthPercent = NamedRadio(QStringLiteral("%"), 1453, this);
    m_pWidthPixels = NamedRadio(QStringLiteral("ピクセル"), 1454, this);
    AddRow(sizeForm, QStringLiteral("幅(&W) :"),
           WithRadios(AddNumber(Box::Width, 1064), m_pWidthPercent, m_pWidthPixels));
    m_pHeightPercent = NamedRadio(QStringLiteral("%"), 1495, this);
    m_pHeightPixels = NamedRadio(QStringLiteral("ピクセル"), 1321, this);
    AddRow(sizeForm, QStringLiteral("高さ(&H) :"),
           WithRadios(AddNumber(Box::Height, 1065), m_pHeightPercent, m_pHeightPixels));
    layout->addWidget(size);

    auto* arrangement = new QGroupBox(QStringLiteral("レイアウト"), this);
    auto* arrangementForm = new QFormLayout(arrangement);
    arrangementForm->addRow(QStringLiteral("セル内のスペース(&D) :"), AddNumber(Box::CellPadding, 1290));
    arrangementForm->addRow(QStringLiteral("セル間のスペース(&A) :"), AddNumber(Box::CellSpacing, 1289));
    m_pCaption = Named(new QLineEdit(this), 1291);
    m_pCaptionTop = NamedRadio(QStringLiteral("上"), 1322, this);
    m_pCaptionBottom = NamedRadio(QStringLiteral("下"), 1323, this);
    AddRow(arrangementForm, QStringLiteral("見出し(&T) :"), WithRadios(m_pCaption, m_pCaptionTop, m_pCaptionBottom));
    layout->addWidget(arrangement);

    auto* frame = new QGroupBox(QStringLiteral("外枠"), this);
    auto* frameForm = new QFormLayout(frame);
    frameForm->addRow(QStringLiteral("外枠の太さ(&N) :"), AddNumber(Box::Border, 1288));
    m_pBorderColor = Named(new CColorPickerCB(this), 1294);
    frameForm->addRow(QStringLiteral("外枠の色(&L) :"), m_pBorderColor);
    layout->addWidget(frame);

    auto* back = new QGroupBox(QStringLiteral("背景"), this);
    auto* backForm = new QFormLayout(back);
    m_pBackgroundColor = Named(new CColorPickerCB(this), 1033);
    backForm->addRow(QStringLiteral("背景色(&G) :"), m_pBackgroundColor);
    QPushButton* browse = nullptr;
    AddRow(backForm, QStringLiteral("背景の画像(&I) :"), ImageRow(this, m_pBackground, browse));
    layout->addWidget(back);
    AddOkCancelButtons(*this, layout);

    auto unit = [this](QRadioButton* radio, void (TablePropertyModel::*set)(bool), bool percent) {
        connect(radio, &QRadioButton::clicked, this, [this, set, percent] {
            (this->*set)(percent);
            ShowFields();
        });
    };
    unit(m_pWidthPercent, &TablePropertyModel::SetWidthPercent, true);
    unit(m_pWidthPixels, &TablePropertyModel::SetWidthPercent, false);
    unit(m_pHeightPercent, &TablePropertyModel::SetHeightPercent, true);
    unit(m_pHeightPixels, &TablePropertyModel::SetHeightPercent, false);
    connect(m_pCaptionTop, &QRadioButton::clicked, this, [this] { SetCaptionBottom(false); });
    connect(m_pCaptionBottom, &QRadioButton::clicked, this, [this] { SetCaptionBottom(true); });
    connect(m_pCaption, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_bShowing)
            m_strCaption = text;
    });
    connect(m_pBackground, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_bShowing)
            m_strBackground = text;
    });
    connect(m_pBorderColor, &CColorPickerCB::colorChosen, this,
            [this](platform::ColorRef color) { ChooseColor(ColorList::Border, color); });
    connect(m_pBackgroundColor, &CColorPickerCB::colorChosen, this,
            [this](platform::ColorRef color) { ChooseColor(ColorList::Background, color); });
    connect(browse, &QPushButton::clicked, this, &VornaDialogTableProperty::OnBrowse);
}

VornaDialogTableProperty::~VornaDialogTableProperty() = default;

NumberEdit* VornaDialogTableProperty::AddNumber(Box box, int id)
{
    auto* edit = Named(new NumberEdit(this), id);
    m_pNumbers[int(box)] = edit;
    // Typing reaches the field at once, so OK by Enter reads it.
    connect(edit, &NumberEdit::textChanged, this, [this, box](const QString& text) {
        if (!m_bShowing)
            Text(box) = text;
    });
    connect(edit, &NumberEdit::editingFinished, this, [this, box] {
        if (m_bShowing)
            return;
        LeaveBox(box);
        ShowFields();
    });
    return edit;
}

void VornaDialogTableProperty::ShowFields()
{
    m_bShowing = true;
    for (Box box :
         {Box::Rows, Box::Columns, Box::CellPadding, Box::CellSpacing, Box::Width, Box::Height, Box::Border}) {
        NumberEdit* edit = m_pNumbers[int(box)];
        const NumberField field = Field(box);
        edit->setRange(field.minimum(), field.maximum());
        edit->setMayStayEmpty(field.mayStayEmpty());
        edit->setText(Text(box));
    }
    m_pNumbers[int(Box::Rows)]->setEnabled(!m_bExistingTable);
    m_pNumbers[int(Box::Columns)]->setEnabled(!m_bExistingTable);
    (m_bWidthPercent ? m_pWidthPercent : m_pWidthPixels)->setChecked(true);
    (m_bHeightPercent ? m_pHeightPercent : m_pHeightPixels)->setChecked(true);
    (m_bCaptionTop || !m_bCaptionBottom ? m_pCaptionTop : m_pCaptionBottom)->setChecked(true);
    m_pCaption->setText(m_strCaption);
    m_pBackground->setText(m_strBackground);
    m_pBorderColor->SetColor(m_crBorder);
    m_pBackgroundColor->SetColor(m_crBackground);
    m_bShowing = false;
}

void VornaDialogTableProperty::OnBrowse()
{
    const QString path = BrowseWallpaper(this);
    if (path.isEmpty())
        return;
    m_strBackground = path;
    ShowFields();
}

int VornaDialogTableProperty::DoModal()
{
    Initialize();
    m_pBorderColor->SetDefaultColor(GetSysColor(COLOR_BTNFACE));
    m_pBackgroundColor->SetDefaultColor(kTableWhite);
    ShowFields();
    const int result = platform::runModal(*this, IDD);
    if (result == platform::IDOK)
        Accept();
    return result;
}
