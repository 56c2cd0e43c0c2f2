#include "images/VornaDlgImageBrowser.h"

#include "app/CMainFrame.h"
#include "controls/CFolderComboBox.h"
#include "controls/CVornaToolTipCtrl.h"
#include "controls/VornaImageButton.h"
#include "images/CVornaImageListCtrl.h"
#include "images/ImagePlacer.h"
#include "images/SelectedImagePath.h"
#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include <QHBoxLayout>
#include <QAbstractItemView>
#include <QKeyEvent>
#include <QMenu>
#include <QVBoxLayout>

namespace imagebrowser_detail {

template <typename T> T* named(T* control, int id)
{
    control->setObjectName(QStringLiteral("id_%1").arg(id));
    return control;
}

QString bitmap(int id)
{
    return QStringLiteral(":/res/bitmaps/%1.png").arg(id);
}

} // namespace imagebrowser_detail

VornaDlgImageBrowser::VornaDlgImageBrowser(QWidget* parent) : QDialog(parent, Qt::Widget)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    CreateControls();
    m_pPlacer = new ImagePlacer(this);
    OnInitDialog();
}

VornaDlgImageBrowser::~VornaDlgImageBrowser()
{
    OnDestroy();
}

void VornaDlgImageBrowser::CreateControls()
{
    using namespace imagebrowser_detail;
    m_pCombo = named(new CFolderComboBox(this), IDC_IMAGE_BROWSER_COMBO);
    m_pCombo->setMinimumWidth(60);
    m_pCombo->setMaxVisibleItems(15);
    m_btnUp = named(new VornaImageButton(this), IDC_IMAGE_BROWSER_UP);
    m_btnBack = named(new VornaImageButton(this), IDC_IMAGE_BROWSER_BACK);
    m_btnLibrary = named(new VornaImageButton(this), IDC_IMAGE_BROWSER_LIBRARY);
    m_btnBookmarks = named(new VornaImageButton(this), IDC_IMAGE_BROWSER_BOOKMARKS);
    m_pList = named(new CVornaImageListCtrl(this), IDC_IMAGE_BROWSER_LIST);
    m_pList->SetThumbnailWidth(60);
    m_pList->SetThumbnailHeight(60);

    // The list fills the bar; the combo gives up width before the buttons do.
    auto* top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(4);
    top->addWidget(m_pCombo, 1);
    for (VornaImageButton* button : {m_btnUp, m_btnBack, m_btnLibrary, m_btnBookmarks}) {
        button->setAutoDefault(false);
        button->setFixedSize(24, 22);
        top->addWidget(button);
    }
    top->addStretch(0);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 3, 6, 6);
    layout->setSpacing(3);
    layout->addLayout(top);
    layout->addWidget(m_pList, 1);
    setMinimumHeight(94);

    connect(m_btnUp, &QPushButton::clicked, this, [this] { OnUpOneLevel(); });
    connect(m_btnBack, &QPushButton::clicked, this, [this] { OnBack(); });
    connect(m_btnLibrary, &QPushButton::clicked, this, [this] { OnImageLibraryMenu(); });
    connect(m_btnBookmarks, &QPushButton::clicked, this, [this] { OnBookmarkMenu(); });
    connect(m_pCombo, &QComboBox::activated, this, [this] { OnFolderComboSelChange(); });
    connect(m_pList, &CVornaImageListCtrl::itemDoubleClicked, this, [this](int item) { OnListDblClk(item); });
    connect(m_pList, &CVornaImageListCtrl::beginDrag, this, [this](int item) { OnListBeginDrag(item); });
    m_pCombo->installEventFilter(this);
    m_pCombo->view()->installEventFilter(this);
    m_pList->installEventFilter(this);
}

void VornaDlgImageBrowser::OnInitDialog()
{
    using namespace imagebrowser_detail;
    // 1. The buttons' tips.
    m_pToolTip = new CVornaToolTipCtrl(this);
    m_pToolTip->Create(this);
    m_pToolTip->AddTool(m_btnUp, LoadResString(IDS_UP_ONE_LEVEL));
    m_pToolTip->AddTool(m_btnBack, LoadResString(IDS_GO_BACK));
    m_pToolTip->AddTool(m_btnLibrary, LoadResString(IDS_CLIP_ART));
    m_pToolTip->AddTool(m_btnBookmarks, LoadResString(IDS_IMAGE_BROWSER_BOOKMARKS));
    // 2.-3. The folder left last.
    ReadSettings();
    // 4.-6. The combo shows it, the list lists it; no history yet.
    m_strCurrentFolder = Normalized(m_strCurrentFolder);
    if (!m_strCurrentFolder.endsWith(QLatin1Char('/')))
        m_strCurrentFolder += QLatin1Char('/');
    m_nComboSelection = m_pCombo->SelectFolder(m_strCurrentFolder);
    ShowFolder(m_strCurrentFolder);
    // 7. The buttons' pictures.
    m_bInitialised = true;
    m_btnUp->SetBitmap(bitmap(IDB_UP_ONE_LEVEL));
    m_btnBookmarks->SetBitmap(bitmap(IDB_IMAGE_FAVORITE));
    m_btnLibrary->SetBitmap(bitmap(IDB_IMAGE_LIBRARY));
    m_btnBack->SetBitmap(bitmap(IDB_GO_BACK));
    // 8. The first entry of the history.
    PushHistory();
}

void VornaDlgImageBrowser::OnDestroy()
{
    if (m_bDestroyed)
        return;
    m_bDestroyed = true;
    if (m_pPlacer->IsPlacing())
        m_pPlacer->Cancel();
    m_pList->StopLoading();
    WriteSettings();
    delete m_pBookmarkMenu.data();
    delete m_pLibraryMenu.data();
}

void VornaDlgImageBrowser::keyPressEvent(QKeyEvent* event)
{
    // Escape and Enter are the main frame's when the browser has no use for
    // them: they never close the browser.
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->ignore();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

bool VornaDlgImageBrowser::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Enter opens the selected item as a double-click does; an image
        // waits for the very next click, no button release being due.
        if (watched == m_pList && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            const int selected = m_pList->GetSelectedItem();
            if (selected >= 0 && m_pList->GetItemData(selected) == ImageReady)
                StartPlacing(m_pList->GetItemText(selected), false);
            else if (selected >= 0)
                OnListDblClk(selected);
            if (selected >= 0)
                return true;
        }
        // Escape on the combo's open list takes the entry it shows, as Enter does.
        if (watched == m_pCombo->view() && key == Qt::Key_Escape) {
            const int shown = m_pCombo->view()->currentIndex().row();
            m_pCombo->hidePopup();
            if (shown >= 0)
                m_pCombo->setCurrentIndex(shown);
            OnFolderComboSelChange();
            return true;
        }
        // An arrow key on the closed combo opens its list.
        if (watched == m_pCombo &&
            (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right)) {
            OnFolderComboDropDown();
            m_pCombo->showPopup();
            return true;
        }
    }
    if (watched == m_pCombo && event->type() == QEvent::MouseButtonPress)
        OnFolderComboDropDown();
    return QDialog::eventFilter(watched, event);
}

// ---- placing an image into the page ---------------------------------------

void VornaDlgImageBrowser::StartPlacing(const QString& name, bool byDoubleClick)
{
    m_strSelectedName = name;
    const SelectedImagePath built = ::BuildSelectedImagePath(m_strCurrentFolder, name);
    // A copy from a removable medium that failed places nothing.
    if (built.copyFailed) {
        ShowMessageBox(built.path + LoadResString(IDS_IMAGE_COPY_FAILED));
        return;
    }
    m_strImagePath = built.path;
    m_pPlacer->Start(m_strImagePath, byDoubleClick);
}

void VornaDlgImageBrowser::OnListBeginDrag(int item)
{
    // Only onto a page being edited.
    CMainFrame* frame = CMainFrame::instance();
    if (!frame || !frame->GetActiveView() || !frame->IsEditMode())
        return;
    if (m_pList->GetItemData(item) != ImageReady)
        return;
    StartPlacing(m_pList->GetItemText(item), false);
}
