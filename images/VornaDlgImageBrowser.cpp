#include "images/VornaDlgImageBrowser.h"

#include "images/ImageLibraryFolders.h"

VornaDlgImageBrowser::VornaDlgImageBrowser(QWidget* parent) : QDialog(parent, Qt::Widget)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setMinimumHeight(94);
}

VornaDlgImageBrowser::~VornaDlgImageBrowser() = default;

void VornaDlgImageBrowser::OpenFolder(const QString& folder)
{
    m_strCurrentFolder = folder;
}

void VornaDlgImageBrowser::OnImageClipArt()
{
    OpenFolder(ImageLibraryFolder(33485));
}

void VornaDlgImageBrowser::OnImageFrame()
{
    OpenFolder(ImageLibraryFolder(33486));
}

void VornaDlgImageBrowser::OnImageBanner()
{
    OpenFolder(ImageLibraryFolder(33487));
}

void VornaDlgImageBrowser::OnImageStudy()
{
    OpenFolder(ImageLibraryFolder(33488));
}

void VornaDlgImageBrowser::OnWebImageFolder() {}

void VornaDlgImageBrowser::OnManageBookmarks() {}

void VornaDlgImageBrowser::OpenBookmark(unsigned) {}
