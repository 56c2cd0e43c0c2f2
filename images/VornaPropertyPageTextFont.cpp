#include "images/VornaPropertyPageTextFont.h"

#include "dialogs/DialogButtons.h"
#include "images/VornaDialogOpenImage.h"
#include "images/VornaPropertySheetTextImage.h"

#include "controls/CColorPickerCB.h"
#include "controls/CVornaComboBox.h"
#include "controls/CVornaEdit.h"
#include "controls/FontFaces.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cstdlib>

namespace textfontpage_detail {

template <typename Widget> Widget* named(Widget* widget, int id)
{
    widget->setObjectName(DialogControlName(id));
    return widget;
}

// The number a text starts with (blanks and a sign allowed), 0 without one.
int leadingNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    int end = 0;
    if (end < trimmed.size() && (trimmed[end] == QLatin1Char('-') || trimmed[end] == QLatin1Char('+')))
        ++end;
    while (end < trimmed.size() && trimmed[end].isDigit() && end < 10)
        ++end;
    return trimmed.left(end).toInt();
}

constexpr int kArialId = 41526;

} // namespace textfontpage_detail

platform::ColorRef BannerColorOfPicker(platform::ColorRef picked, platform::ColorRef fallback)
{
    const platform::ColorRef color = IsColorMarker(picked) ? fallback : picked;
    return color == 0xBDBDBD ? 0xC0C0C0 : color;
}

int BannerFontPixels(int points, int dotsPerInch)
{
    // Larger glyphs than any canvas gain nothing but time.
    constexpr int kLargest = 8000;
    const qint64 pixels = (qint64(std::abs(points)) * dotsPerInch + 36) / 72;
    return int(std::min<qint64>(pixels, kLargest));
}

VornaPropertyPageTextFont::VornaPropertyPageTextFont(VornaPropertySheetTextImage* sheet, QWidget* parent)
    : QWidget(parent), m_pSheet(sheet)
{
    using textfontpage_detail::named;
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    m_edText = named(new CVornaEdit(this), 1006);
    m_edPicture = named(new CVornaEdit(this), 1524);
    m_btnBrowse = named(new QPushButton(QStringLiteral("参照(&W)..."), this), 1017);
    auto* font = new QGroupBox(QStringLiteral("フォント"), this);
    m_cbFace = named(new CVornaComboBox(font), 1386);
    m_cbFace->setEditable(true);
    m_cbFace->setInsertPolicy(QComboBox::NoInsert);
    m_cbSize = named(new CVornaComboBox(font), 1004);
    m_cbSize->setEditable(true);
    m_cbSize->setInsertPolicy(QComboBox::NoInsert);
    m_cpText = named(new CColorPickerCB(font), 1384);
    m_cpBorder = named(new CColorPickerCB(font), 1294);
    m_chkBold = named(new QCheckBox(QStringLiteral("太字(&B)"), this), 1007);
    m_chkItalic = named(new QCheckBox(QStringLiteral("斜体(&I)"), this), 1008);
    m_chkUnderline = named(new QCheckBox(QStringLiteral("下線(&U)"), this), 1009);

    auto* fontGrid = new QGridLayout(font);
    fontGrid->addWidget(BuddyLabel(QStringLiteral("フォント(&F) :"), m_cbFace), 0, 0);
    fontGrid->addWidget(m_cbFace, 0, 1);
    fontGrid->addWidget(BuddyLabel(QStringLiteral("サイズ(&S) :"), m_cbSize), 0, 2);
    fontGrid->addWidget(m_cbSize, 0, 3);
    fontGrid->addWidget(BuddyLabel(QStringLiteral("テキスト(&T) :"), m_cpText), 1, 0);
    fontGrid->addWidget(m_cpText, 1, 1);
    fontGrid->addWidget(BuddyLabel(QStringLiteral("外枠の色(&O) :"), m_cpBorder), 1, 2);
    fontGrid->addWidget(m_cpBorder, 1, 3);
    fontGrid->setColumnStretch(1, 2);
    auto* grid = new QGridLayout(this);
    grid->addWidget(BuddyLabel(QStringLiteral("テキスト(&T) :"), m_edText), 0, 0);
    grid->addWidget(m_edText, 0, 1, 1, 2);
    grid->addWidget(BuddyLabel(QStringLiteral("バナー画像(&M) :"), m_edPicture), 1, 0);
    grid->addWidget(m_edPicture, 1, 1);
    grid->addWidget(m_btnBrowse, 1, 2);
    grid->addWidget(font, 2, 0, 1, 3);
    auto* styles = new QHBoxLayout;
    styles->addWidget(m_chkBold);
    styles->addWidget(m_chkItalic);
    styles->addWidget(m_chkUnderline);
    styles->addStretch();
    grid->addLayout(styles, 3, 0, 1, 3);

    OnInitDialog();

    const auto push = [this] { PushToSheet(); };
    connect(m_edText, &QLineEdit::textChanged, this, push);
    for (QCheckBox* box : {m_chkBold, m_chkItalic, m_chkUnderline})
        connect(box, &QCheckBox::clicked, this, push);
    connect(m_cbFace, &QComboBox::currentIndexChanged, this, push);
    connect(m_cbFace->lineEdit(), &QLineEdit::textEdited, this, push);
    connect(m_cbSize->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        m_nSize = textfontpage_detail::leadingNumber(text);
        PushToSheet();
    });
    connect(m_cbSize, &QComboBox::activated, this, [this](int index) {
        m_nSize = textfontpage_detail::leadingNumber(m_cbSize->itemText(index));
        PushToSheet();
    });
    for (CColorPickerCB* picker : {m_cpText, m_cpBorder})
        connect(picker, &CColorPickerCB::colorChosen, this, push);
    connect(m_edPicture, &QLineEdit::textChanged, this, &VornaPropertyPageTextFont::OnPictureTyped);
    connect(m_btnBrowse, &QPushButton::clicked, this, &VornaPropertyPageTextFont::OnBrowse);
}

void VornaPropertyPageTextFont::OnInitDialog()
{
    // 1. The faces of the program's font list, "Arial" selected (or the face
    // that stands in for it here).
    const QStringList& faces = FontList();
    m_cbFace->addItems(faces);
    const QString arial = LoadResString(textfontpage_detail::kArialId);
    int selected = -1;
    for (int i = 1; i <= faces.size() && selected < 0; ++i) {
        const int at = i % int(faces.size());
        if (faces[at].startsWith(arial, Qt::CaseInsensitive))
            selected = at;
    }
    if (selected < 0)
        selected = int(faces.indexOf(QFontInfo(QFont(arial)).family()));
    m_cbFace->setCurrentIndex(selected);
    // 2. The sizes, 18 selected.
    for (const char* size :
         {"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "36", "48", "72"})
        m_cbSize->addItem(QString::fromLatin1(size));
    m_cbSize->setCurrentIndex(7);
    // 3. The colours at their defaults.
    m_cpText->SetDefaultColor(kDefaultTextColor);
    m_cpText->SetColor(kColorDefault);
    m_cpBorder->SetDefaultColor(kDefaultBorderColor);
    m_cpBorder->SetColor(kColorDefault);
}

void VornaPropertyPageTextFont::ReadControls()
{
    m_strText = m_edText->text();
    m_strPicturePath = m_edPicture->text();
    m_bBold = m_chkBold->isChecked();
    m_bItalic = m_chkItalic->isChecked();
    m_bUnderline = m_chkUnderline->isChecked();
}

void VornaPropertyPageTextFont::PushToSheet()
{
    BannerModel& model = m_pSheet->model();
    // 1-3. The text and the picture.
    ReadControls();
    model.m_text.text = m_strText;
    model.m_strPicturePath = m_strPicturePath;
    // 4. The text colour.
    model.m_text.textColor = BannerColorOfPicker(m_cpText->GetColor(), kDefaultTextColor);
    // 6. The font, its height in pixels by the screen's resolution.
    QFont font;
    const int face = m_cbFace->currentIndex();
    font.setFamily(face >= 0 ? m_cbFace->itemText(face) : QString());
    const int pixels = BannerFontPixels(m_nSize, logicalDpiY());
    if (pixels > 0)
        font.setPixelSize(pixels);
    font.setBold(m_bBold);
    font.setItalic(m_bItalic);
    font.setUnderline(m_bUnderline);
    model.m_text.font = font;
    // 7. The outline colour.
    model.m_text.borderColor = BannerColorOfPicker(m_cpBorder->GetColor(), kDefaultBorderColor);
    // 8.
    m_pSheet->Compose();
}

void VornaPropertyPageTextFont::SetPicturePath(const QString& path)
{
    m_strPicturePath = path;
    const QSignalBlocker quiet(m_edPicture);
    m_edPicture->setText(path);
}

void VornaPropertyPageTextFont::OnPictureTyped()
{
    // A named file that differs from the banner's picture replaces it; an
    // emptied path removes the picture; anything else waits for more typing.
    m_strPicturePath = m_edPicture->text();
    const QString current = m_pSheet->model().m_strPicturePath;
    const QFileInfo file(m_strPicturePath);
    if (!m_strPicturePath.isEmpty() && file.exists()) {
        if (file.isFile() && m_strPicturePath != current)
            PushToSheet();
        return;
    }
    if (!current.isEmpty() && m_strPicturePath.isEmpty())
        PushToSheet();
}

void VornaPropertyPageTextFont::OnBrowse()
{
    VornaDialogOpenImage chooser(this);
    chooser.m_bBannerMode = true;
    if (platform::runModal(chooser, VornaDialogOpenImage::IDD) != platform::IDOK)
        return;
    const QString chosen = chooser.m_strResultPath;
    if (chosen.isEmpty() || chosen == m_strPicturePath)
        return;
    SetPicturePath(chosen);
    PushToSheet();
}

void VornaPropertyPageTextFont::EnableControls(bool enable)
{
    for (QWidget* control : findChildren<QWidget*>())
        control->setEnabled(enable);
}
