#include "dialogs/VornaDialogTableCellProperty.h"

#include "controls/CColorPickerCB.h"
#include "controls/CVornaComboBox.h"
#include "controls/NumberEdit.h"
#include "dialogs/DialogButtons.h"
#include "dialogs/DialogControls.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
constexpr platform::ColorRef kCellWhite = 0xFFFFFF;

CVornaComboBox* AlignList(int id, std::initializer_list<int> strings, QWidget* parent)
{
    auto* list = Named(new CVornaComboBox(parent), id);
    list->addItem(LoadResString(41632)); // デフォルト
    for (int string : strings)
        list->addItem(LoadResString(string));
    return list;
}
} // namespace

VornaDialogTableCellProperty::VornaDialogTableCellProperty(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(QStringLiteral("セルのプロパティ"));
    auto* layout = new QVBoxLayout(this);

    auto* arrangement = new QGroupBox(QStringLiteral("レイアウト"), this);
    auto* form = new QFormLayout(arrangement);
    m_pWidthPercent = NamedRadio(QStringLiteral("%"), 1453, this);
    m_pWidthPixels = NamedRadio(QStringLiteral("ピクセル"), 1454, this);
    AddRow(form, QStringLiteral("幅(&W) :"), WithRadios(AddNumber(Box::Width, 1315), m_pWidthPercent, m_pWidthPixels));
    m_pHeightPercent = NamedRadio(QStringLiteral("%"), 1495, this);
    m_pHeightPixels = NamedRadio(QStringLiteral("ピクセル"), 1321, this);
    AddRow(form, QStringLiteral("高さ(&H) :"),
           WithRadios(AddNumber(Box::Height, 1006), m_pHeightPercent, m_pHeightPixels));
    m_pHAlign = AlignList(1011, {41626, 41628, 41627}, this);
    form->addRow(QStringLiteral("横位置(&R) :"), m_pHAlign);
    m_pVAlign = AlignList(1316, {41629, 41631, 41630}, this);
    form->addRow(QStringLiteral("縦位置(&V) :"), m_pVAlign);
    m_pNoWrap = Named(new QCheckBox(QStringLiteral("折り返しなし(&N)"), this), 1497);
    form->addRow(m_pNoWrap);
    layout->addWidget(arrangement);

    auto* frame = new QGroupBox(QStringLiteral("外枠"), this);
    auto* frameForm = new QFormLayout(frame);
    m_pBorderColor = Named(new CColorPickerCB(this), 1005);
    frameForm->addRow(QStringLiteral("色(&C) :"), m_pBorderColor);
    layout->addWidget(frame);

    auto* back = new QGroupBox(QStringLiteral("背景"), this);
    auto* backForm = new QFormLayout(back);
    m_pBackgroundColor = Named(new CColorPickerCB(this), 1003);
    backForm->addRow(QStringLiteral("背景色(&G) :"), m_pBackgroundColor);
    QPushButton* browse = nullptr;
    AddRow(backForm, QStringLiteral("背景の画像(&I) :"), ImageRow(this, m_pBackground, browse));
    layout->addWidget(back);
    AddOkCancelButtons(*this, layout);

    auto unit = [this](QRadioButton* radio, void (TableCellPropertyModel::*set)(bool), bool percent) {
        connect(radio, &QRadioButton::clicked, this, [this, set, percent] {
            (this->*set)(percent);
            ShowFields();
        });
    };
    unit(m_pWidthPercent, &TableCellPropertyModel::SetWidthPercent, true);
    unit(m_pWidthPixels, &TableCellPropertyModel::SetWidthPercent, false);
    unit(m_pHeightPercent, &TableCellPropertyModel::SetHeightPercent, true);
    unit(m_pHeightPixels, &TableCellPropertyModel::SetHeightPercent, false);
    connect(m_pHAlign, &QComboBox::activated, this, [this](int index) { SelectHAlign(index); });
    connect(m_pVAlign, &QComboBox::activated, this, [this](int index) { SelectVAlign(index); });
    connect(m_pNoWrap, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_bShowing)
            m_bNoWrap = on;
    });
    connect(m_pBackground, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_bShowing)
            m_strBackground = text;
    });
    connect(m_pBorderColor, &CColorPickerCB::colorChosen, this,
            [this](platform::ColorRef color) { ChooseColor(ColorList::Border, color); });
    connect(m_pBackgroundColor, &CColorPickerCB::colorChosen, this,
            [this](platform::ColorRef color) { ChooseColor(ColorList::Background, color); });
    connect(browse, &QPushButton::clicked, this, &VornaDialogTableCellProperty::OnBrowse);
}

VornaDialogTableCellProperty::~VornaDialogTableCellProperty() = default;

NumberEdit* VornaDialogTableCellProperty::AddNumber(Box box, int id)
{
    auto* edit = Named(new NumberEdit(this), id);
    (box == Box::Width ? m_pWidth : m_pHeight) = edit;
    // Typing reaches the field at once, so OK by Enter reads it.
    connect(edit, &NumberEdit::textChanged, this, [this, box](const QString& text) {
        if (!m_bShowing)
            (box == Box::Width ? m_strWidth : m_strHeight) = text;
    });
    connect(edit, &NumberEdit::editingFinished, this, [this, box] {
        if (m_bShowing)
            return;
        LeaveBox(box);
        ShowFields();
    });
    return edit;
}

void VornaDialogTableCellProperty::ShowFields()
{
    m_bShowing = true;
    for (Box box : {Box::Width, Box::Height}) {
        NumberEdit* edit = box == Box::Width ? m_pWidth : m_pHeight;
        edit->setRange(Field(box).minimum(), Field(box).maximum());
        edit->setText(box == Box::Width ? m_strWidth : m_strHeight);
    }
    (m_bWidthPercent ? m_pWidthPercent : m_pWidthPixels)->setChecked(true);
    (m_bHeightPercent ? m_pHeightPercent : m_pHeightPixels)->setChecked(true);
    m_pHAlign->setCurrentIndex(m_nHAlignIndex);
    m_pVAlign->setCurrentIndex(m_nVAlignIndex);
    m_pNoWrap->setChecked(m_bNoWrap);
    m_pBorderColor->SetColor(m_crBorder);
    m_pBackgroundColor->SetColor(m_crBackground);
    m_pBackground->setText(m_strBackground);
    m_bShowing = false;
}

void VornaDialogTableCellProperty::OnBrowse()
{
    const QString path = BrowseWallpaper(this);
    if (path.isEmpty())
        return;
    m_strBackground = path;
    ShowFields();
}

int VornaDialogTableCellProperty::DoModal()
{
    Initialize();
    m_pBorderColor->SetDefaultColor(kCellWhite);
    m_pBackgroundColor->SetDefaultColor(kCellWhite);
    ShowFields();
    const int result = platform::runModal(*this, IDD);
    if (result == platform::IDOK)
        Accept();
    return result;
}
