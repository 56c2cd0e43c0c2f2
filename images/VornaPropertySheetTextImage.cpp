#include "images/VornaPropertySheetTextImage.h"

#include "images/BannerLayoutGeometry.h"
#include "images/ImageTextIds.h"
#include "images/VornaImageFrame.h"
#include "images/VornaImageView.h"
#include "images/VornaPropertyPageTextFont.h"
#include "images/VornaPropertyPageTextStyle.h"

#include "controls/SysColors.h"
#include "util/FileFaultText.h"
#include "util/FileHelpers.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include "images/ImageCodec.h"

#include "platform/ModalRunner.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace textimagesheet_detail {

// The layout window: 190 pixels high, as wide as the pages.
constexpr QSize kLayoutWindow(430, VornaPropertySheetTextImage::kLayoutHeight);
constexpr QSize kButton(120, 20);

QPushButton* button(int textId, int id, bool checkable, QWidget* parent)
{
    auto* made = new QPushButton(LoadResString(textId), parent);
    made->setObjectName(QStringLiteral("id_%1").arg(id));
    made->setCheckable(checkable);
    // 120 x 20 at the least; wider where the face needs it for the label.
    made->setMinimumWidth(kButton.width());
    made->setFixedHeight(std::max(kButton.height(), made->sizeHint().height()));
    return made;
}

// Waits with the wait cursor for as long as it lives.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace textimagesheet_detail

VornaPropertySheetTextImage::VornaPropertySheetTextImage(unsigned captionId, QWidget* parent, int selectPage)
    : QDialog(parent)
{
    namespace detail = textimagesheet_detail;
    setObjectName(QStringLiteral("id_%1").arg(kDialogId));
    setWindowTitle(LoadResString(captionId));
    // 1. The four buttons above the layout window, then the window, the
    // pages and OK and Cancel.
    m_btnCanvas = detail::button(57735, 1017, true, this);
    m_btnTextArea = detail::button(57736, 1023, true, this);
    m_btnTextArea->setChecked(true);
    m_btnReset = detail::button(57737, 1025, false, this);
    m_btnDelete = detail::button(57738, 1019, false, this);
    m_pFrame = new VornaImageFrame(this, this);
    m_pFrame->setFixedSize(detail::kLayoutWindow);
    m_pView = m_pFrame->view();
    m_pTabs = new QTabWidget(this);
    m_pFontPage = new VornaPropertyPageTextFont(this, m_pTabs);
    m_pStylePage = new VornaPropertyPageTextStyle(this, m_pTabs);
    m_pTabs->addTab(m_pFontPage, QStringLiteral("一般"));
    m_pTabs->addTab(m_pStylePage, QStringLiteral("スタイル"));
    m_pTabs->setCurrentIndex(selectPage == 1 ? 1 : 0);
    m_btnOk = new QPushButton(LoadResString(65101), this);
    m_btnOk->setObjectName(QStringLiteral("id_%1").arg(platform::IDOK));
    m_btnOk->setDefault(true);
    m_btnCancel = new QPushButton(LoadResString(65102), this);
    m_btnCancel->setObjectName(QStringLiteral("id_%1").arg(platform::IDCANCEL));

    auto* column = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_btnCanvas, m_btnTextArea, m_btnReset, m_btnDelete}) {
        buttons->addStretch();
        buttons->addWidget(b);
    }
    buttons->addStretch();
    column->addLayout(buttons);
    column->addWidget(m_pFrame, 0, Qt::AlignHCenter);
    column->addWidget(m_pTabs);
    auto* closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(m_btnOk);
    closing->addWidget(m_btnCancel);
    column->addLayout(closing);

    connect(m_btnCanvas, &QPushButton::clicked, this, &VornaPropertySheetTextImage::OnCanvasButton);
    connect(m_btnTextArea, &QPushButton::clicked, this, &VornaPropertySheetTextImage::OnTextAreaButton);
    connect(m_btnReset, &QPushButton::clicked, this, &VornaPropertySheetTextImage::OnResetButton);
    connect(m_btnDelete, &QPushButton::clicked, this, &VornaPropertySheetTextImage::OnDeleteButton);
    connect(m_btnOk, &QPushButton::clicked, this, &VornaPropertySheetTextImage::OnOK);
    connect(m_btnCancel, &QPushButton::clicked, this, [this] { done(platform::IDCANCEL); });
    connect(m_pTabs, &QTabWidget::currentChanged, this, [this] {
        if (m_pTabs->currentWidget() == m_pStylePage)
            m_pStylePage->EnableControls(!IsCanvasModeOn());
    });
    OnInitDialog();
}

VornaPropertySheetTextImage::~VornaPropertySheetTextImage() = default;

void VornaPropertySheetTextImage::OnInitDialog()
{
    namespace detail = textimagesheet_detail;
    // 3. The default canvas of the layout window, the text box inside it.
    m_model.m_crWindow = GetSysColor(COLOR_WINDOW);
    m_model.m_sizeViewClient = detail::kLayoutWindow - QSize(16, 16);
    m_model.SetDefaultCanvas(detail::kLayoutWindow);
    m_model.Compose();
    m_btnDelete->setEnabled(false);
    m_btnOk->setEnabled(false);
}

int VornaPropertySheetTextImage::DoModal()
{
    // 5. The caller's picture, shown on the font page.
    if (!m_strPicturePath.isEmpty()) {
        m_pFontPage->SetPicturePath(m_strPicturePath);
        m_model.m_strPicturePath = m_strPicturePath;
        Compose();
    }
    m_btnOk->setEnabled(false);
    return platform::runModal(*this, kDialogId);
}

void VornaPropertySheetTextImage::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_bShownOnce)
        return;
    m_bShownOnce = true;
    m_model.m_sizeViewClient = m_pView->ClientSize();
    // Typing starts in the text of the banner.
    if (QWidget* text = m_pFontPage->findChild<QWidget*>(QStringLiteral("id_1006")))
        text->setFocus();
    m_pView->SetScrollSize(m_pView->ClientSize());
    if (m_model.HasPicture())
        m_pView->SetScrollSize(
            m_pView->ClientSize().expandedTo(QSize(m_model.m_rcPicture.width(), m_model.m_rcPicture.height())));
}

bool VornaPropertySheetTextImage::IsCanvasModeOn() const
{
    return m_btnCanvas->isChecked();
}

void VornaPropertySheetTextImage::Compose()
{
    if (m_bShownOnce)
        m_model.m_sizeViewClient = m_pView->ClientSize();
    const BannerModel::ComposeResult result = m_model.Compose();
    if (result.reloaded) {
        if (m_model.HasPicture())
            m_pView->SetScrollSize(
                m_pView->ClientSize().expandedTo(QSize(m_model.m_rcPicture.width(), m_model.m_rcPicture.height())));
        if (IsCanvasModeOn()) {
            m_btnCanvas->setChecked(false);
            m_model.m_nMouseMode = 0;
            m_pView->SetWholeBannerShown(false);
            m_pView->ClearCropSelection();
            m_pFrame->update();
        }
    }
    m_btnOk->setEnabled(m_model.OkAllowed(IsCanvasModeOn()));
    m_btnDelete->setEnabled(m_model.DeleteAllowed());
    m_pView->viewport()->update();
}

void VornaPropertySheetTextImage::QuickCompose()
{
    m_model.QuickCompose();
    m_pView->viewport()->update();
}

void VornaPropertySheetTextImage::OnOK()
{
    namespace detail = textimagesheet_detail;
    if (!m_model.OkAllowed(IsCanvasModeOn()))
        return;
    QString file;
    bool written = false;
    {
        detail::WaitCursor wait;
        written = m_model.WriteBanner(UserImageFolder(), file);
    }
    if (!written) {
        // Differs from closing with the name of a file that is not there:
        // the user hears why, and the banner stays to be saved again.
        ShowMessageBox(LoadResString(ImageTextIds::ScanSaveFailed)
                           .arg(QDir::toNativeSeparators(file.isEmpty() ? UserImageFolder() : file),
                                FileFaultText(LastImageWriteFault())));
        Compose();
        return;
    }
    m_strResultPath = file;
    m_rcCanvas = m_model.m_rcCanvas.toQRect();
    done(platform::IDOK);
}

void VornaPropertySheetTextImage::EnablePages(bool enable)
{
    m_pFontPage->EnableControls(enable);
    if (m_pTabs->currentWidget() == m_pStylePage)
        m_pStylePage->EnableControls(enable);
}

void VornaPropertySheetTextImage::OnCanvasButton(bool checked)
{
    if (checked) {
        // 1. The handles on the banner's edges, as the view fits it once its
        // scroll bars have gone; the snapshot is the banner without its
        // text.
        m_pView->SetWholeBannerShown(true);
        m_model.m_sizeViewClient = m_pView->ClientSize();
        m_pFrame->PlaceHandles();
        // A selection left by a handle dragged before the mode began would
        // not match the handles now: the whole banner is selected.
        m_pView->ClearCropSelection();
        m_model.m_nMouseMode = 2;
        m_model.m_bShowText = false;
        Compose();
        m_model.TakeSnapshot();
        m_model.m_bShowText = true;
        Compose();
        // 2. The whole banner fitted into the view.
        m_pView->SetScrollSize(m_pView->ClientSize());
        m_pView->viewport()->update();
        // 3. Only the canvas button and Cancel stay.
        for (QPushButton* b : {m_btnOk, m_btnTextArea, m_btnReset, m_btnDelete})
            b->setEnabled(false);
        EnablePages(false);
        return;
    }
    // Leaving: the crop selection (the whole banner before any handle was
    // dragged) becomes the canvas.
    m_model.m_sizeViewClient = m_pView->ClientSize();
    const platform::Rect fit =
        bannerlayout::CanvasFit(QSize(m_model.m_rcCanvas.width(), m_model.m_rcCanvas.height()), m_pView->ClientSize());
    const platform::Rect selection =
        m_pView->IsCropSelectionValid() && !m_pView->CropSelection().isEmpty() ? m_pView->CropSelection() : fit;
    m_model.ApplyCrop(selection);
    m_pView->SetWholeBannerShown(false);
    m_pView->CancelTextDrag();
    m_pView->viewport()->setCursor(Qt::ArrowCursor);
    Compose();
    m_pFrame->update();
    m_pView->ClearCropSelection();
    m_pView->SetScrollSize(QSize(m_model.m_rcCanvas.width() + 5, m_model.m_rcCanvas.height() + 5));
    m_btnTextArea->setEnabled(true);
    m_btnReset->setEnabled(true);
    EnablePages(true);
}

void VornaPropertySheetTextImage::OnTextAreaButton(bool checked)
{
    m_model.m_bTextAreaShown = checked;
    Compose();
}

void VornaPropertySheetTextImage::OnResetButton()
{
    m_model.Reset();
    Compose();
}

void VornaPropertySheetTextImage::OnDeleteButton()
{
    m_pFontPage->SetPicturePath(QString());
    m_pFontPage->PushToSheet();
    m_model.m_rcCanvas = m_model.DefaultCanvas();
    Compose();
}
