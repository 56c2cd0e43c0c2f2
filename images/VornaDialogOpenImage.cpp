#include "images/VornaDialogOpenImage.h"

#include "app/CMainFrame.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "images/ImageLibraryFolders.h"

#include "platform/ModalRunner.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QVBoxLayout>

VornaDialogOpenImage::VornaDialogOpenImage(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(QStringLiteral("画像の挿入"));
    m_files = new QFileDialog(this);
    m_files->setWindowFlags(Qt::Widget);
    m_files->setOption(QFileDialog::DontUseNativeDialog);
    m_files->setFileMode(QFileDialog::ExistingFile);
    m_files->setNameFilter(QStringLiteral("画像ファイル (*.bmp *.jpg *.gif *.jpeg *.png)"));
    m_files->setLabelText(QFileDialog::Accept, QStringLiteral("挿入"));
    m_files->setLabelText(QFileDialog::Reject, QStringLiteral("キャンセル"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_files);
    connect(m_files, &QFileDialog::fileSelected, this, [this](const QString& path) {
        const QFileInfo info(path);
        m_strCurrentFolder = info.absolutePath();
        m_strFileName = info.fileName();
        OnOK();
    });
    connect(m_files, &QFileDialog::rejected, this, &QDialog::reject);
    connect(m_files, &QFileDialog::directoryEntered, this,
            [this](const QString& folder) { m_strCurrentFolder = folder; });
    // A modeless instance goes when it closes.
    connect(this, &QDialog::finished, this, [this] {
        if (m_bModeless)
            deleteLater();
    });
    ChangeFolder(ImageLibraryFolder(33485));
    resize(640, 440);
}

VornaDialogOpenImage::~VornaDialogOpenImage() = default;

void VornaDialogOpenImage::BuildSelectedImagePath()
{
    m_strResultPath = QDir(m_strCurrentFolder).filePath(m_strFileName);
}

void VornaDialogOpenImage::OnOK()
{
    if (m_bModeless) {
        InsertIntoPage();
        return;
    }
    BuildSelectedImagePath();
    done(platform::IDOK);
}

void VornaDialogOpenImage::InsertIntoPage()
{
    // 1. Nothing without a folder and a file name.
    if (m_strCurrentFolder.isEmpty() || m_strFileName.isEmpty())
        return;
    // 2. The image's path.
    BuildSelectedImagePath();
    CMainFrame* frame = CMainFrame::instance();
    if (frame) {
        // 3. A page of the open web gets its image folder; the image is
        // copied there when the page is saved.
        CZQView* view = frame->GetActiveView();
        if (view && view->GetDocument() && frame->m_bWebOpen &&
            frame->IsPageInWeb(view->GetDocument()->GetDisplayName()))
            QDir(frame->m_strWebFolder).mkpath(QStringLiteral("image"));
        // 4.-5. The image waits for its click.
        frame->m_strInsertImageSrc = m_strResultPath;
        frame->RunInsertForPageView(m_strResultPath, false);
    }
    // 6. The dialog closes.
    done(platform::IDOK);
}

void VornaDialogOpenImage::ChangeFolder(const QString& folder)
{
    // A folder that is not there: the nearest one above it that is.
    QDir dir(folder);
    while (!dir.exists() && dir.cdUp()) {
    }
    m_strCurrentFolder = dir.absolutePath();
    m_files->setDirectory(m_strCurrentFolder);
}

void VornaDialogOpenImage::OnImageClipArt()
{
    ChangeFolder(ImageLibraryFolder(33485));
}

void VornaDialogOpenImage::OnImageFrame()
{
    ChangeFolder(ImageLibraryFolder(33486));
}

void VornaDialogOpenImage::OnImageBanner()
{
    ChangeFolder(ImageLibraryFolder(33487));
}

void VornaDialogOpenImage::OnImageStudy()
{
    ChangeFolder(ImageLibraryFolder(33488));
}

void VornaDialogOpenImage::OnWebImageFolder()
{
    CMainFrame* frame = CMainFrame::instance();
    CZQView* view = frame ? frame->GetActiveView() : nullptr;
    if (!view || !view->GetDocument() || !frame->IsPageInWeb(view->GetDocument()->GetDisplayName()))
        return;
    ChangeFolder(QDir(frame->m_strWebFolder).filePath(QStringLiteral("image")));
}
