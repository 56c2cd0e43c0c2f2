#include "dialogs/VornaDialogImgCssComplex.h"

#include "controls/CPicture.h"
#include "dialogs/DialogButtons.h"
#include "dialogs/DialogControls.h"
#include "dialogs/ImgCssPreview.h"
#include "dialogs/VornaDialogImgCssAlpha.h"
#include "dialogs/VornaDialogImgCssDropShadow.h"
#include "dialogs/VornaDialogImgCssGlow.h"
#include "dialogs/VornaDialogImgCssGradient.h"
#include "dialogs/VornaDialogImgCssMotionBlur.h"
#include "dialogs/VornaDialogImgCssOpacity.h"
#include "dialogs/VornaDialogImgCssShadow.h"
#include "dialogs/VornaDialogImgCssWave.h"
#include "dialogs/VornaDialogImgCssPage.h"
#include "res/resource.h"
#include "util/StringResources.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/dom/Element.h"
#include "engine/dom/LayoutServices.h"

#include "platform/ModalRunner.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

namespace imgcsscomplex_detail {

// The property area and the preview are 105 × 120 dialog units.
constexpr QSize kAreaSize(168, 200);
// The image is fitted in the preview less this margin.
constexpr int kPreviewMargin = 10;

constexpr unsigned kButtonTexts[kImgCssFilterCount] = {IDS_IMGCSS_ALPHA,    IDS_IMGCSS_DROPSHADOW, IDS_IMGCSS_GLOW,
                                                       IDS_IMGCSS_GRADIENT, IDS_IMGCSS_MOTIONBLUR, IDS_IMGCSS_SHADOW,
                                                       IDS_IMGCSS_WAVE,     IDS_IMGCSS_OPACITY};

QFrame* rule(QWidget* parent, QFrame::Shape shape)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace imgcsscomplex_detail

VornaDialogImgCssComplex::VornaDialogImgCssComplex(QWidget* parent) : QDialog(parent)
{
    setObjectName(DialogControlName(IDD));
    setWindowTitle(LoadResString(IDS_IMGCSS_TITLE));
    CreateControls();
}

VornaDialogImgCssComplex::~VornaDialogImgCssComplex() = default;

void VornaDialogImgCssComplex::CreateControls()
{
    using namespace imgcsscomplex_detail;
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    layout->addLayout(top);

    auto* filters = new QGridLayout;
    filters->addWidget(new QLabel(LoadResString(IDS_IMGCSS_CHECK_LABEL), this), 0, 0);
    filters->addWidget(new QLabel(LoadResString(IDS_IMGCSS_KIND_LABEL), this), 0, 1);
    for (int i = 0; i < kImgCssFilterCount; ++i) {
        auto* check = Named(new QCheckBox(this), kCheckIds[size_t(i)]);
        auto* button = Named(new QPushButton(LoadResString(kButtonTexts[i]), this), kButtonIds[size_t(i)]);
        button->setCheckable(true);
        button->setAutoDefault(false);
        connect(check, &QCheckBox::clicked, this, [this, i] { OnCheck(i); });
        connect(button, &QPushButton::clicked, this, [this, i] { SelectFilter(i, true); });
        filters->addWidget(check, i + 1, 0, Qt::AlignCenter);
        filters->addWidget(button, i + 1, 1);
        m_checks[size_t(i)] = check;
        m_buttons[size_t(i)] = button;
    }
    filters->setRowStretch(kImgCssFilterCount + 1, 1);
    top->addLayout(filters);
    top->addWidget(rule(this, QFrame::VLine));

    auto* properties = new QVBoxLayout;
    properties->addWidget(new QLabel(LoadResString(IDS_IMGCSS_PROPERTY), this));
    auto* group = new QGroupBox(this);
    auto* groupLayout = new QVBoxLayout(group);
    m_pPageArea = Named(new QWidget(group), 1442);
    m_pPageArea->setFixedSize(kAreaSize);
    groupLayout->addWidget(m_pPageArea);
    properties->addWidget(group);
    properties->addStretch(1);
    top->addLayout(properties);

    auto* applyColumn = new QVBoxLayout;
    applyColumn->addSpacing(24);
    auto* apply = Named(new QPushButton(LoadResString(IDS_IMGCSS_APPLY), this), 3);
    apply->setAutoDefault(false);
    connect(apply, &QPushButton::clicked, this, &VornaDialogImgCssComplex::OnApply);
    applyColumn->addWidget(apply);
    applyColumn->addStretch(1);
    top->addLayout(applyColumn);

    auto* previewColumn = new QVBoxLayout;
    previewColumn->addWidget(new QLabel(LoadResString(IDS_IMGCSS_PREVIEW), this));
    m_pPreview = Named(new ImgCssPreview(this), 1125);
    m_pPreview->setFixedSize(kAreaSize);
    previewColumn->addWidget(m_pPreview);
    previewColumn->addStretch(1);
    top->addLayout(previewColumn);

    auto* note = new QHBoxLayout;
    auto* icon = Named(new QLabel(this), 652);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(24, 24));
    note->addWidget(icon, 0, Qt::AlignTop);
    note->addWidget(Named(new QLabel(LoadResString(IDS_IMGCSS_NOTE), this), 1476), 1);
    layout->addLayout(note);
    layout->addWidget(rule(this, QFrame::HLine));
    AddOkCancelButtons(*this, layout);
}

int VornaDialogImgCssComplex::DoModal()
{
    OnInitDialog();
    adjustSize();
    if (!m_rcButton.isNull()) {
        QRect place(m_rcButton.bottomLeft() + QPoint(0, 1), size());
        if (const QScreen* screen = QGuiApplication::screenAt(m_rcButton.center())) {
            const QRect room = screen->availableGeometry();
            place.moveRight(std::min(place.right(), room.right()));
            place.moveLeft(std::max(place.left(), room.left()));
            if (place.bottom() > room.bottom())
                place.moveBottom(m_rcButton.top() - 1);
            place.moveTop(std::max(place.top(), room.top()));
        }
        move(place.topLeft());
    }
    return platform::runModal(*this, IDD);
}

QString VornaDialogImgCssComplex::StyleFilter() const
{
    return m_pStyle ? m_pStyle->filter() : QString();
}

QString VornaDialogImgCssComplex::PicturePath() const
{
    QString src = m_strSrc.trimmed();
    src.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (src.isEmpty())
        return QString();
    const QUrl url(src);
    if (url.isValid() && url.scheme().size() > 1)
        return url.isLocalFile() ? url.toLocalFile() : QString();
    if (QDir::isAbsolutePath(src))
        return src;
    QString page = m_pElement && m_pElement->document() ? m_pElement->document()->url() : QString();
    if (page.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        page = QUrl(page).toLocalFile();
    if (page.isEmpty() || !QDir::isAbsolutePath(page))
        return QString();
    return QDir::cleanPath(QFileInfo(page).dir().filePath(QUrl::fromPercentEncoding(src.toUtf8())));
}

void VornaDialogImgCssComplex::OnInitDialog()
{
    using namespace imgcsscomplex_detail;
    // The image fitted in the preview at its own aspect ratio, never enlarged.
    QSize offset;
    if (m_pElement && m_pElement->document() && m_pElement->document()->layoutServices())
        offset = m_pElement->document()->layoutServices()->offsetRect(m_pElement).size();
    if (offset.width() > 0 && offset.height() > 0) {
        const platform::Rect fit = FitRectInBox(offset.width(), offset.height(), kAreaSize.width() - kPreviewMargin,
                                                kAreaSize.height() - kPreviewMargin);
        m_rcImage = QRect(fit.left, fit.top, fit.right - fit.left, fit.bottom - fit.top);
    }
    m_filters.Recognise(StyleFilter());
    for (int i = 0; i < kImgCssFilterCount; ++i) {
        m_checks[size_t(i)]->setChecked(m_filters.recognised(i));
        if (m_filters.recognised(i))
            CreateFilterPage(i, false);
    }
    m_pPreview->SetPicture(PicturePath(), m_rcImage);
    m_strPreviewFilter = StyleFilter();
    m_pPreview->Render(m_strPreviewFilter);
    SelectFilter(kImgCssAlpha, true);
}

bool VornaDialogImgCssComplex::IsFilterChecked(int filterIndex) const
{
    return filterIndex >= 0 && filterIndex < kImgCssFilterCount && m_checks[size_t(filterIndex)]->isChecked();
}

VornaDialogImgCssPage* VornaDialogImgCssComplex::CreateFilterPage(int filterIndex, bool show)
{
    VornaDialogImgCssPage* page = nullptr;
    switch (filterIndex) {
    case kImgCssAlpha:
        page = new VornaDialogImgCssAlpha(this, m_pPageArea);
        break;
    case kImgCssDropShadow:
        page = new VornaDialogImgCssDropShadow(this, m_pPageArea);
        break;
    case kImgCssGlow:
        page = new VornaDialogImgCssGlow(this, m_pPageArea);
        break;
    case kImgCssGradient:
        page = new VornaDialogImgCssGradient(this, m_pPageArea);
        break;
    case kImgCssMotionBlur:
        page = new VornaDialogImgCssMotionBlur(this, m_pPageArea);
        break;
    case kImgCssShadow:
        page = new VornaDialogImgCssShadow(this, m_pPageArea);
        break;
    case kImgCssWave:
        page = new VornaDialogImgCssWave(this, m_pPageArea);
        break;
    default:
        page = new VornaDialogImgCssOpacity(this, m_pPageArea);
        break;
    }
    page->setGeometry(m_pPageArea->rect());
    page->setVisible(show);
    m_pages[size_t(filterIndex)] = page;
    return page;
}

bool VornaDialogImgCssComplex::ShowFilterPage(int filterIndex)
{
    for (VornaDialogImgCssPage* page : m_pages) {
        if (page && page->isVisible()) {
            page->UpdateData(true);
            page->hide();
        }
    }
    VornaDialogImgCssPage* page = m_pages[size_t(filterIndex)];
    if (!page)
        return false;
    page->setGeometry(m_pPageArea->rect());
    page->show();
    return true;
}

void VornaDialogImgCssComplex::SelectFilter(int filterIndex, bool pressed)
{
    for (QPushButton* button : m_buttons)
        button->setChecked(false);
    m_buttons[size_t(filterIndex)]->setChecked(pressed);
    if (!pressed)
        return;
    if (!ShowFilterPage(filterIndex))
        CreateFilterPage(filterIndex, true);
}

void VornaDialogImgCssComplex::OnCheck(int filterIndex)
{
    SelectFilter(filterIndex, m_checks[size_t(filterIndex)]->isChecked());
    OnApply();
}

std::array<QString, kImgCssFilterCount> VornaDialogImgCssComplex::CollectFilters()
{
    std::array<QString, kImgCssFilterCount> texts;
    for (int i = 0; i < kImgCssFilterCount; ++i) {
        if (m_checks[size_t(i)]->isChecked() && m_pages[size_t(i)])
            texts[size_t(i)] = m_pages[size_t(i)]->GetFilterText();
    }
    return texts;
}

void VornaDialogImgCssComplex::OnApply()
{
    for (int i = 0; i < kImgCssFilterCount; ++i) {
        if (m_buttons[size_t(i)]->isChecked()) {
            m_checks[size_t(i)]->setChecked(true);
            break;
        }
    }
    m_strPreviewFilter = m_filters.PreviewFilter(CollectFilters());
    m_pPreview->Render(m_strPreviewFilter);
}

void VornaDialogImgCssComplex::accept()
{
    m_strResult = m_filters.Result(CollectFilters());
    QDialog::accept();
}
