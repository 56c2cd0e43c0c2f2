#include "images/VornaDialogOpenImage.h"

#include "app/CMainFrame.h"
#include "chrome/VornaShrinkDialogSub.h"
#include "controls/CFolderComboBox.h"
#include "controls/CVornaEdit.h"
#include "controls/CVornaToolTipCtrl.h"
#include "controls/VornaImageButton.h"
#include "images/CVornaImageListCtrl.h"
#include "images/ImagePlacer.h"
#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"
#include "web/VornaDirListCtrl.h"

#include "platform/ModalRunner.h"

#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace openimagedialog_detail {

template <typename T> T* named(T* control, int id)
{
    control->setObjectName(QStringLiteral("id_%1").arg(id));
    return control;
}

} // namespace openimagedialog_detail

VornaDialogOpenImage::VornaDialogOpenImage(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(LoadResString(IDS_OPEN_IMAGE_TITLE));
    CreateControls();
    // Thumbnails of 60 x 60, told before the list makes its pictures.
    m_pList->SetThumbnailWidth(60);
    m_pList->SetThumbnailHeight(60);
    m_pPlacer = new ImagePlacer(this);
    resize(620, 440);
}

VornaDialogOpenImage::~VornaDialogOpenImage()
{
    OnDestroy();
}

void VornaDialogOpenImage::CreateControls()
{
    using openimagedialog_detail::named;
    m_pCombo = named(new CFolderComboBox(this), IDC_OPEN_IMAGE_FOLDER_COMBO);
    m_btnUp = named(new VornaImageButton(this), IDC_OPEN_IMAGE_UP);
    m_btnUp->setText(QStringLiteral(".."));
    m_btnBack = named(new VornaImageButton(this), IDC_OPEN_IMAGE_BACK);
    m_btnView = named(new VornaImageButton(this), IDC_OPEN_IMAGE_VIEW);
    m_btnLibrary = named(new VornaImageButton(this), IDC_OPEN_IMAGE_LIBRARY);
    m_btnLibrary->setText(QStringLiteral("Vorna"));
    for (VornaImageButton* button : {m_btnUp, m_btnBack, m_btnView, m_btnLibrary})
        button->setAutoDefault(false);
    m_btnUp->SetBitmap(QStringLiteral(":/res/bitmaps/%1.png").arg(IDB_UP_ONE_LEVEL));
    m_btnBack->SetBitmap(QStringLiteral(":/res/bitmaps/%1.png").arg(IDB_GO_BACK));
    m_btnLibrary->SetBitmap(QStringLiteral(":/res/bitmaps/%1.png").arg(IDB_IMAGE_LIBRARY));

    m_pDirList = named(new VornaDirListCtrl(this), IDC_OPEN_IMAGE_FOLDER_LIST);
    m_pList = named(new CVornaImageListCtrl(this), IDC_OPEN_IMAGE_THUMBNAILS);
    m_pFileName = named(new CVornaEdit(this), IDC_OPEN_IMAGE_FILE_NAME);
    m_btnInsert = named(new QPushButton(LoadResString(IDS_OPEN_IMAGE_INSERT), this), platform::IDOK);
    m_btnCancel = named(new QPushButton(LoadResString(IDS_MSGBOX_CANCEL), this), platform::IDCANCEL);
    m_btnInsert->setDefault(true);

    auto* top = new QHBoxLayout;
    top->addWidget(m_pCombo, 1);
    for (QWidget* button : {m_btnUp, m_btnBack, m_btnView, m_btnLibrary})
        top->addWidget(button);
    auto* panes = new QSplitter(Qt::Horizontal, this);
    panes->addWidget(m_pDirList);
    panes->addWidget(m_pList);
    panes->setStretchFactor(0, 0);
    panes->setStretchFactor(1, 1);
    panes->setSizes({170, 430});
    panes->setChildrenCollapsible(false);
    auto* bottom = new QHBoxLayout;
    auto* label = new QLabel(LoadResString(IDS_OPEN_IMAGE_FILE_NAME), this);
    label->setBuddy(m_pFileName);
    bottom->addWidget(label);
    bottom->addWidget(m_pFileName, 1);
    bottom->addWidget(m_btnInsert);
    bottom->addWidget(m_btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(panes, 1);
    layout->addLayout(bottom);

    // The file name is read back at every change.
    connect(m_pFileName, &QLineEdit::textEdited, this, [this](const QString& text) { m_strFileName = text; });
    connect(m_btnInsert, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(m_btnCancel, &QPushButton::clicked, this, [this] { OnCancel(); });
    connect(m_btnUp, &QPushButton::clicked, this, [this] { OnUp(); });
    connect(m_btnBack, &QPushButton::clicked, this, [this] { OnBack(); });
    connect(m_btnView, &QPushButton::clicked, this, [this] { OnView(); });
    connect(m_btnLibrary, &QPushButton::clicked, this, [this] { OnLibraryMenu(); });
    connect(m_pCombo, &QComboBox::activated, this, [this](int index) { OnSelChangeFolderCombo(index); });
    // A folder is chosen by selecting it: also the entry that already has the
    // focus, as after a folder was entered.
    connect(m_pDirList, &QListWidget::itemSelectionChanged, this,
            [this] { OnItemChangedFolderList(SelectedFolderEntry()); });
    connect(m_pDirList, &QListWidget::itemDoubleClicked, this, [this] { OnDblClkFolderList(); });
    connect(m_pList, &CVornaImageListCtrl::itemChanged, this, [this](int item) { OnItemChangedThumbnails(item); });
    connect(m_pList, &CVornaImageListCtrl::itemDoubleClicked, this, [this](int item) { OnDblClkThumbnails(item); });
    connect(m_pList, &CVornaImageListCtrl::beginDrag, this, [this](int item) { OnBeginDragThumbnails(item); });
    m_pDirList->installEventFilter(this);
    m_pCombo->installEventFilter(this);
}

void VornaDialogOpenImage::showEvent(QShowEvent* event)
{
    // The dialog's set-up runs once, when it first comes up: the caller has
    // set its modes and start folder by then.
    if (!m_bShownOnce) {
        m_bShownOnce = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void VornaDialogOpenImage::OnInitDialog()
{
    // 1. The buttons' tooltips.
    m_pToolTip = new CVornaToolTipCtrl(this);
    m_pToolTip->Create(this);
    m_pToolTip->AddTool(m_btnUp, LoadResString(IDS_UP_ONE_LEVEL));
    m_pToolTip->AddTool(m_btnLibrary, LoadResString(IDS_CLIP_ART));
    m_pToolTip->AddTool(m_btnBack, LoadResString(IDS_GO_BACK));
    m_pToolTip->AddTool(m_btnView, LoadResString(IDS_VIEW_AS_THUMBNAILS));
    // 2.-4. The mode's folder and values, then what was remembered.
    ApplyMode();
    ReadSettings();
    // 5. The view.
    m_nShownViewMode = m_nViewMode;
    m_pList->SetThumbnailMode(m_nViewMode);
    // 6.-7. The folder the folder list shows and the entry selected there;
    // the combo shows the listed folder.
    const QString start = m_strCurrentFolder;
    const ListedFolder listed = SplitForFolderList(PlainForm(start));
    m_strEntryToSelect = listed.entry;
    QString comboPath = listed.folder;
    if (!comboPath.endsWith(QLatin1Char('/')))
        comboPath += QLatin1Char('/');
    m_pCombo->ClearItems(false);
    m_pCombo->SetCurrentPath(comboPath);
    m_pCombo->FillFolders();
    m_strPreviousFolder.clear();
    // 8. The combo's selection; the folder list's pictures.
    m_nComboSelection = m_pCombo->currentIndex();
    m_pDirList->InitImageList();
    // 9. The folder list, with the entry selected.
    if (m_pDirList->ShowFolder(listed.folder) && !m_strEntryToSelect.isEmpty())
        m_pDirList->SelectItem(m_strEntryToSelect, listed.folder);
    m_nDirListCursor = -1;
    // 10. The thumbnails of the start folder.
    m_strCurrentFolder = PlainForm(start);
    FillThumbnails();
    m_bInitialised = true;
    delete m_pLibraryMenu.data();
    // 11.-12. Insert, the view button, the history.
    EnableInsert();
    UpdateViewButton();
    PushHistory();
    UpdateNavigationButtons();
    // 13. The roll-up button in the caption.
    if (!m_pShrinkSub) {
        m_pShrinkSub = std::make_unique<VornaShrinkDialogSub>();
        m_pShrinkSub->Attach(this);
    }
}

void VornaDialogOpenImage::OnDestroy()
{
    if (m_bDestroyed || !m_bShownOnce)
        return;
    m_bDestroyed = true;
    if (m_pPlacer && m_pPlacer->IsPlacing())
        m_pPlacer->Cancel();
    m_pList->StopLoading();
    // 2.-3. The folder, in the form the folder list shows it, and the view.
    WriteSettings(SelectedFolderEntry() >= 0);
    // 4. The library menu.
    delete m_pLibraryMenu.data();
    // 6. The main frame lets go of the modeless dialog.
    if (m_bModeless) {
        if (CMainFrame* frame = CMainFrame::instance()) {
            frame->m_bOpenImageShown = false;
            if (frame->m_pDlgOpenImage == this)
                frame->m_pDlgOpenImage = nullptr;
        }
    }
}

void VornaDialogOpenImage::EnableInsert()
{
    m_btnInsert->setEnabled(m_pList->GetSelectedItem() >= 0);
}

void VornaDialogOpenImage::OnOK()
{
    // 1. The loader stops.
    m_pList->StopLoading();
    // 2. The selected thumbnail names the file.
    const int selected = m_pList->GetSelectedItem();
    if (selected >= 0)
        m_strFileName = m_pList->GetItemText(selected);
    // A name typed without a selection names the file in the current folder.
    m_strSelectedName = selected >= 0 ? m_pList->GetItemText(selected) : m_strFileName;
    // 4. Beside the page: the picture waits for its click there.
    if (m_bModeless) {
        InsertIntoPage();
        return;
    }
    // 5. Run by a property dialog: its path, written with "/".
    if (m_strFileName.isEmpty()) {
        MessageBoxById(IDS_NO_IMAGE_SELECTED);
        return;
    }
    if (!BuildSelectedImagePath())
        return;
    m_strResultPath.replace(QLatin1Char('\\'), QLatin1Char('/'));
    done(platform::IDOK);
}

void VornaDialogOpenImage::OnCancel()
{
    m_pList->StopLoading();
    done(platform::IDCANCEL);
}

void VornaDialogOpenImage::done(int result)
{
    OnDestroy();
    QDialog::done(result);
    // The modeless dialog ends with its window.
    if (m_bModeless)
        deleteLater();
}

void VornaDialogOpenImage::keyPressEvent(QKeyEvent* event)
{
    // Escape while a picture is placed only ends the placing.
    if (event->key() == Qt::Key_Escape && m_pPlacer->IsPlacing()) {
        m_pPlacer->Cancel();
        setFocus();
        return;
    }
    if (event->key() == Qt::Key_F5) {
        RefreshFolder(false);
        return;
    }
    QDialog::keyPressEvent(event);
}
