// The Insert menu and the object toolbar: the insertion state that makes the
// next click or drag on the page place an object, the commands that arm it,
// the windows that choose what to insert, and their enabling.
#include "app/CMainFrame.h"

#include "app/CChildFrame.h"
#include "app/CZQView.h"
#include "app/MenuResource.h"
#include "chrome/ULOToolBar.h"
#include "commands/InsertExtent.h"
#include "dialogs/VornaDialogAdvancedObject.h"
#include "dialogs/VornaDlgSymbol.h"
#include "editor/CImpIDispatch.h"
#include "images/VornaDialogOpenImage.h"
#include "images/VornaDlgImageBrowser.h"
#include "images/VornaPropertySheetTextImage.h"
#include "images/VornaTwain.h"
#include "res/resource.h"
#include "util/FileHelpers.h"
#include "util/LinkPaths.h"
#include "util/MessageBox.h"
#include "util/PageDom.h"
#include "util/StringResources.h"

#include "engine/dom/Document.h"

#include "platform/CmdUI.h"
#include "platform/CommandRegistry.h"
#include "platform/ModalRunner.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>

namespace mainframeinsert_detail {

// The media objects of the advanced-object menu: the insertion's media type,
// the kind of the file dialog and its filter.
struct MediaCommand
{
    int id;
    int mediaType;
    int dialogKind;
    unsigned filterId;
};
constexpr MediaCommand kMediaCommands[] = {
    {33406, 0, VornaDialogAdvancedObject::Flash, IDS_FILTER_FLASH},
    {33407, 1, VornaDialogAdvancedObject::Shockwave, IDS_FILTER_SHOCKWAVE},
    {33460, 2, VornaDialogAdvancedObject::MediaPlayer, IDS_FILTER_MEDIA_PLAYER},
    {33409, 3, VornaDialogAdvancedObject::RealAudio, IDS_FILTER_REAL_AUDIO},
};

// The media object of a command chosen in its file dialog: a typed address
// as it stands, or the file's path with "/". False when cancelled.
bool chooseMedia(CMainFrame& frame, const MediaCommand& media)
{
    // 1. The media type.
    frame.m_nInsertMediaType = media.mediaType;
    // 2. The file or address.
    VornaDialogAdvancedObject dlg(true, media.dialogKind, QString(), QString(),
                                  OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST,
                                  LoadResString(media.filterId), &frame);
    if (dlg.DoModal() != platform::IDOK)
        return false;
    // 3. Where it comes from.
    if (dlg.m_bURL) {
        frame.m_strInsertMediaSrc = dlg.m_strURL;
    } else {
        frame.m_strInsertMediaSrc = dlg.GetPathName();
        frame.m_strInsertMediaSrc.replace(QLatin1Char('\\'), QLatin1Char('/'));
    }
    // 4. How Media Player plays it.
    if (media.dialogKind == VornaDialogAdvancedObject::MediaPlayer) {
        frame.m_bMediaAutoPlay = dlg.m_bAutoStart;
        frame.m_bMediaLoop = dlg.m_bRepeat;
    }
    return true;
}

// The picture file an IMG shows: its src read as a local path (a file URL
// decoded, a relative path below the page's folder); empty for an address of
// the web.
QString pictureOfImage(const engine::Element* image, const CZQView* view)
{
    const LocalLink link = ReadLocalLink(image->getAttributeText(QStringLiteral("src")));
    if (!link.local || link.path.isEmpty())
        return QString();
    if (link.absolute)
        return link.path;
    const CZQDoc* doc = view->GetDocument();
    const QString page = doc ? doc->pathName() : QString();
    return page.isEmpty() ? link.path : ResolveLinkPath(QFileInfo(page).absolutePath(), link.path);
}

// The image window that asked for the library menu steers itself to the
// folder: the image browser or the insert-image dialog.
void showLibraryFolder(CMainFrame& frame, void (VornaDlgImageBrowser::*inBrowser)(),
                       void (VornaDialogOpenImage::*inDialog)())
{
    if (frame.m_strImagePopupOwner == QLatin1String("ImageBrowser")) {
        if (frame.m_pImageBrowser)
            (frame.m_pImageBrowser.data()->*inBrowser)();
    } else if (frame.m_strImagePopupOwner == QLatin1String("ImageDialog")) {
        if (frame.m_pDlgOpenImage)
            (frame.m_pDlgOpenImage.data()->*inDialog)();
    }
}

// Whether a symbol can go in at the page's caret: the caret or a text
// selection stands in a table (a text box is one) or a marquee.
bool takesSymbol(const CMainFrame& frame)
{
    const CZQView* view = frame.GetActiveView();
    const CImpIDispatch* sink = view ? view->GetSink() : nullptr;
    return frame.IsEditMode() && sink && sink->IsTextEditContext();
}

} // namespace mainframeinsert_detail

void CMainFrame::AddInsertCommands()
{
    onCommand(33128, [this] { OnInsertText(); });
    onCommand(33169, [this] { OnInsertImage(); });
    onCommand(32920, [this] { OnInsertRule(); });
    onCommand(33406, [this] { OnInsertFlash(); });
    onCommand(33407, [this] { OnInsertShockwave(); });
    onCommand(33460, [this] { OnInsertMediaPlayer(); });
    onCommand(33409, [this] { OnInsertRealAudio(); });
    onCommand(33353, [this] { OnInsertSymbol(); });
    onCommand(33477, [this] { OnInsertBanner(); });
    onCommand(33481, [this] { OnInsertScanImage(); });
    onCommand(33482, [this] { OnInsertMarquee(); });
    onCommand(33500, [this] { OnInsertTextObject(); });
    onCommand(33202, [this] { OnInsertAccessory(); });
    onCommand(33485, [this] { OnImageClipArt(); });
    onCommand(33486, [this] { OnImageFrame(); });
    onCommand(33487, [this] { OnImageBanner(); });
    onCommand(33488, [this] { OnImageStudy(); });
    onCommand(185, [this] { OnWebImageFolder(); });

    // The drop-down buttons of the web objects and the advanced objects
    // list their commands.
    onCommand(620, [] {});
    onCommand(621, [] {});
    for (int id : {620, 621, 33406, 33407, 33460, 33409})
        onUpdate(id, [this](platform::CmdUI& ui) { ui.enable(GetActiveView() && IsEditMode()); });
    for (int id : {32920, 33477, 33481, 33482})
        onUpdate(id, [this](platform::CmdUI& ui) { UpdateUIEditMode(ui); });
    onUpdate(33353, [this](platform::CmdUI& ui) { OnUpdateInsertSymbol(ui); });
    onUpdate(33500, [this](platform::CmdUI& ui) { OnUpdateInsertTextObject(ui); });
}

CZQView* CMainFrame::InsertTargetView() const
{
    // The page view class only: not while the page shows its source or
    // preview.
    CChildFrame* child = GetActiveChild();
    CZQView* view = qobject_cast<CZQView*>(GetActiveView());
    return view && child && child->m_bEditShown ? view : nullptr;
}

int CMainFrame::BeginInsertObject(int kind)
{
    // 1. Without a page nothing changes.
    CZQView* view = GetActiveView();
    if (!view)
        return -1;
    // 2. The kind.
    m_nInsertKind = kind;
    // 3.-5. The default extent, by kind; no place yet.
    InsertExtentInput in;
    in.kind = kind;
    in.mediaType = m_nInsertMediaType;
    in.imageFlag = m_nInsertImageFlag;
    in.imageSrc = m_strInsertImageSrc;
    in.tableSize = m_sizeInsertTable;
    in.viewWidth = view->frameGeometry().width();
    m_rcInsert = QRect(QPoint(-1, -1), DefaultInsertExtent(in));
    // 6. The page takes the mouse, so that the next press and release place
    // the object; the image-map tools leave it to the page.
    if (kind != 8) {
        if (CImpIDispatch* sink = view->GetSink())
            sink->SetDocumentCapture();
    }
    return 0;
}

void CMainFrame::RunInsertForPageView(const QString& path, bool counter)
{
    Q_UNUSED(path);
    // 1. Only into the page view.
    if (!InsertTargetView())
        return;
    // 2.-3. An image or a counter image waits for its click.
    m_nInsertImageFlag = counter ? 1 : 0;
    BeginInsertObject(2);
}

void CMainFrame::OnInsertText()
{
    if (InsertTargetView())
        BeginInsertObject(1);
}

void CMainFrame::OnInsertRule()
{
    if (InsertTargetView())
        BeginInsertObject(7);
}

void CMainFrame::OnInsertMarquee()
{
    if (InsertTargetView())
        BeginInsertObject(9);
}

void CMainFrame::OnInsertTextObject()
{
    if (InsertTargetView())
        BeginInsertObject(10);
}

void CMainFrame::OnUpdateInsertTextObject(platform::CmdUI& ui)
{
    // The text object has no place in the menus: a menu that shows it
    // loses it and the separator before it.
    QAction* action = ui.action();
    if (!action)
        return;
    for (QObject* holder : action->associatedObjects()) {
        auto* menu = qobject_cast<QMenu*>(holder);
        if (!menu)
            continue;
        const QList<QAction*> items = menu->actions();
        const qsizetype at = items.indexOf(action);
        if (at > 0)
            menu->removeAction(items[at - 1]);
        menu->removeAction(action);
    }
}

void CMainFrame::OnInsertImage()
{
    // 1. Only for a page.
    if (!GetActiveView())
        return;
    // 2. A dialog whose window has gone is let go.
    if (m_bOpenImageShown && !m_pDlgOpenImage)
        m_bOpenImageShown = false;
    // 3. A new modeless dialog that inserts into the page; 4. one already
    // open stays as it is.
    if (m_bOpenImageShown)
        return;
    m_pDlgOpenImage = new VornaDialogOpenImage(this);
    m_pDlgOpenImage->m_bModeless = true;
    m_pDlgOpenImage->show();
    m_bOpenImageShown = true;
}

void CMainFrame::OnInsertFlash()
{
    if (GetActiveView() && mainframeinsert_detail::chooseMedia(*this, mainframeinsert_detail::kMediaCommands[0]))
        RunInsertMedia();
}

void CMainFrame::OnInsertShockwave()
{
    if (GetActiveView() && mainframeinsert_detail::chooseMedia(*this, mainframeinsert_detail::kMediaCommands[1]))
        RunInsertMedia();
}

void CMainFrame::OnInsertMediaPlayer()
{
    if (GetActiveView() && mainframeinsert_detail::chooseMedia(*this, mainframeinsert_detail::kMediaCommands[2]))
        RunInsertMedia();
}

void CMainFrame::OnInsertRealAudio()
{
    if (GetActiveView() && mainframeinsert_detail::chooseMedia(*this, mainframeinsert_detail::kMediaCommands[3]))
        RunInsertMedia();
}

void CMainFrame::RunInsertMedia()
{
    if (InsertTargetView())
        BeginInsertObject(3);
}

void CMainFrame::OnInsertSymbol()
{
    // 2. A palette already made comes back.
    if (m_pDlgSymbol) {
        m_pDlgSymbol->show();
        m_pDlgSymbol->raise();
        m_pDlgSymbol->activateWindow();
        return;
    }
    // 1. The palette, made once; its Insert button follows the caret.
    m_pDlgSymbol = new VornaDlgSymbol(this);
    m_pDlgSymbol->show();
    if (GetActiveView())
        m_pDlgSymbol->m_btnInsert->setEnabled(mainframeinsert_detail::takesSymbol(*this));
}

void CMainFrame::OnUpdateInsertSymbol(platform::CmdUI& ui)
{
    const bool takes = mainframeinsert_detail::takesSymbol(*this);
    ui.enable(takes);
    if (m_pDlgSymbol)
        m_pDlgSymbol->m_btnInsert->setEnabled(takes);
}

void CMainFrame::OnInsertBanner()
{
    CZQView* view = GetActiveView();
    if (!view)
        return;
    // 1. A selected image (not a roll-over or counter image) is the banner's picture.
    engine::Ref<engine::Element> selected;
    if (GetPageSelection(&selected, nullptr, nullptr, view) != S_OK)
        selected = nullptr;
    QString picture;
    const quint32 kinds = view->m_dwSelKind;
    if (selected && (kinds & 0x8) && !(kinds & (0x100000 | 0x100)))
        picture = mainframeinsert_detail::pictureOfImage(selected.get(), view);
    // 2. The banner maker.
    VornaPropertySheetTextImage sheet(57747, this, 0);
    sheet.m_strPicturePath = picture;
    if (sheet.DoModal() != platform::IDOK || sheet.m_strResultPath.isEmpty())
        return;
    // 3. A selected image shows the banner, as one undo step; else the
    // banner waits for its click.
    if (selected && selected->hasTag(QLatin1String("IMG"))) {
        engine::UndoUnit unit(selected->document());
        selected->setAttribute(QStringLiteral("src"), engine::Variant(sheet.m_strResultPath));
        return;
    }
    m_strInsertImageSrc = sheet.m_strResultPath;
    // Differs from keeping the last image flag: after a counter the banner
    // would go in as a counter image.
    m_nInsertImageFlag = 0;
    // The banner goes in at its canvas size (arming resets the extent).
    if (BeginInsertObject(2) == 0)
        m_rcInsert = QRect(QPoint(-1, -1), sheet.m_rcCanvas.size());
}

void CMainFrame::OnInsertScanImage()
{
    // 1. The scanner, given the main window.
    VornaTwain scanner;
    scanner.SetWindow(this);
    // 3. No source: say so.
    if (scanner.EnumSources() != 1) {
        MessageBoxById(57772);
        return;
    }
    // 2. The user's choice, then the pages.
    if (scanner.Select() != 1 || scanner.Acquire(3) != 1)
        return;
    // The image browser comes up to show the new pages; one already shown stays.
    QAction* browser = m_registry.action(33456);
    if (GetActiveChild() && !(browser && browser->isChecked()))
        m_registry.sendCommand(33456);
    // The browser shows the folder the pages went to: the web's image
    // folder for a page of the open web.
    if (m_pImageBrowser)
        m_pImageBrowser->OpenFolder(scanner.SavedFolder().isEmpty() ? UserImageFolder() : scanner.SavedFolder());
    MessageBoxById(57711);
    // 4. The scanner ends with the command.
}

void CMainFrame::OnInsertAccessory()
{
    // The accessory objects are the submenu at position 5 of the Insert
    // menu; the program's Insert menu holds a command there, and then
    // nothing drops.
    const QList<MenuNode> menus = MenuResource::load(507);
    constexpr int kInsertMenu = 3;
    constexpr int kAccessories = 5;
    if (menus.size() <= kInsertMenu || menus[kInsertMenu].children.size() <= kAccessories)
        return;
    const MenuNode& accessories = menus[kInsertMenu].children[kAccessories];
    if (accessories.kind != MenuNode::Popup)
        return;
    const QList<QMenu*> built = MenuResource::buildMenus({accessories}, m_registry, this);
    if (built.isEmpty())
        return;
    std::unique_ptr<QMenu> popup(built.front());
    // Under the object toolbar's fifth button, 5 pixels right and 30 down.
    ULOToolBar* bar = toolBar(602);
    QWidget* button = bar ? bar->buttonWidget(4) : nullptr;
    QWidget* anchor = button ? button : static_cast<QWidget*>(this);
    const QPoint corner = anchor->mapToGlobal(button ? button->rect().bottomLeft() : QPoint(0, 0));
    popup->exec(corner + QPoint(5, 30));
}

void CMainFrame::OnImageClipArt()
{
    mainframeinsert_detail::showLibraryFolder(*this, &VornaDlgImageBrowser::OnImageClipArt,
                                              &VornaDialogOpenImage::OnImageClipArt);
}

void CMainFrame::OnImageFrame()
{
    mainframeinsert_detail::showLibraryFolder(*this, &VornaDlgImageBrowser::OnImageFrame,
                                              &VornaDialogOpenImage::OnImageFrame);
}

void CMainFrame::OnImageBanner()
{
    mainframeinsert_detail::showLibraryFolder(*this, &VornaDlgImageBrowser::OnImageBanner,
                                              &VornaDialogOpenImage::OnImageBanner);
}

void CMainFrame::OnImageStudy()
{
    mainframeinsert_detail::showLibraryFolder(*this, &VornaDlgImageBrowser::OnImageStudy,
                                              &VornaDialogOpenImage::OnImageStudy);
}

void CMainFrame::OnWebImageFolder()
{
    mainframeinsert_detail::showLibraryFolder(*this, &VornaDlgImageBrowser::OnWebImageFolder,
                                              &VornaDialogOpenImage::OnWebImageFolder);
}
