#include "images/VornaDlgImageBrowser.h"

#include "app/CMainFrame.h"
#include "app/MenuResource.h"
#include "controls/VornaImageButton.h"
#include "images/ImageBookmarks.h"
#include "images/ImageLibraryFolders.h"
#include "images/VornaDlgImageFavorite.h"
#include "res/resource.h"
#include "util/AppContext.h"
#include "util/StringResources.h"

#include "platform/CommandRegistry.h"
#include "platform/ModalRunner.h"

#include <QMenu>

namespace imagebrowserlibrary_detail {

constexpr int kWebImagesCommand = 185;

// The first popup of a menu resource as a menu of the browser: each item
// carries its command.
QMenu* popupOf(int menuId, QWidget* parent)
{
    const QList<MenuNode> menus = MenuResource::load(menuId);
    auto* menu = new QMenu(parent);
    if (menus.isEmpty())
        return menu;
    for (const MenuNode& node : menus.front().children) {
        if (node.kind == MenuNode::Command)
            menu->addAction(node.text)->setData(node.id);
        else if (node.kind == MenuNode::Separator)
            menu->addSeparator();
    }
    return menu;
}

bool pageOfTheOpenWeb()
{
    const AppContext& context = AppContext::instance();
    return context.activeView() && context.isActivePageInWeb();
}

} // namespace imagebrowserlibrary_detail

void VornaDlgImageBrowser::TrackPopup(QMenu* menu, QWidget* button)
{
    int command = 0;
    connect(menu, &QMenu::triggered, this, [&command](QAction* action) { command = action->data().toInt(); });
    menu->exec(button->mapToGlobal(QPoint(0, button->height())));
    delete menu;
    // The main frame hands the command back to the browser.
    if (command != 0) {
        if (auto* registry = platform::CommandRegistry::instance())
            registry->sendCommand(command);
    }
}

void VornaDlgImageBrowser::OnImageLibraryMenu()
{
    using namespace imagebrowserlibrary_detail;
    // 1. The main frame learns who asked for the menu.
    if (CMainFrame* frame = CMainFrame::instance())
        frame->m_strImagePopupOwner = QStringLiteral("ImageBrowser");
    // 3.-4. The library, and the web's own images for a page of the open web.
    delete m_pLibraryMenu.data();
    m_pLibraryMenu = popupOf(IDM_IMAGE_LIBRARY, this);
    if (pageOfTheOpenWeb())
        m_pLibraryMenu->addAction(LoadResString(IDS_MY_WEB_IMAGES))->setData(kWebImagesCommand);
    // 2., 5. Under the button.
    TrackPopup(m_pLibraryMenu, m_btnLibrary);
}

void VornaDlgImageBrowser::OnBookmarkMenu()
{
    using namespace imagebrowserlibrary_detail;
    delete m_pBookmarkMenu.data();
    m_pBookmarkMenu = popupOf(IDM_IMAGE_FAVORITE, this);
    // The bookmarks after the manager, as many as there are commands for.
    const QStringList names = ImageBookmarks::Names();
    for (int i = 0; i < names.size() && i < ImageBookmarks::kMaxBookmarks; ++i)
        m_pBookmarkMenu->addAction(names[i])->setData(ImageBookmarks::kFirstCommand + i);
    TrackPopup(m_pBookmarkMenu, m_btnBookmarks);
}

void VornaDlgImageBrowser::OnImageClipArt()
{
    Navigate(ImageLibraryFolder(33485));
}

void VornaDlgImageBrowser::OnImageFrame()
{
    Navigate(ImageLibraryFolder(33486));
}

void VornaDlgImageBrowser::OnImageBanner()
{
    Navigate(ImageLibraryFolder(33487));
}

void VornaDlgImageBrowser::OnImageStudy()
{
    Navigate(ImageLibraryFolder(33488));
}

void VornaDlgImageBrowser::OnWebImageFolder()
{
    const QString web = AppContext::instance().webFolder();
    if (!imagebrowserlibrary_detail::pageOfTheOpenWeb() || web.isEmpty())
        return;
    Navigate(QStringLiteral("%1/%2").arg(web, QStringLiteral("image")));
}

void VornaDlgImageBrowser::OpenBookmark(unsigned commandId)
{
    const int index = int(commandId) - ImageBookmarks::kFirstCommand;
    const QStringList names = ImageBookmarks::Names();
    if (index < 0 || index >= names.size())
        return;
    const QString folder = ImageBookmarks::Folder(names[index]);
    if (folder.isEmpty())
        return;
    Navigate(folder);
}

void VornaDlgImageBrowser::OnManageBookmarks()
{
    // The next bookmark menu reads the store again.
    VornaDlgImageFavorite dialog;
    platform::runModal(dialog, VornaDlgImageFavorite::IDD);
}
