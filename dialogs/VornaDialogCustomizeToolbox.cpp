#include "dialogs/VornaDialogCustomizeToolbox.h"

#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "dialogs/DialogButtons.h"
#include "res/resource.h"
#include "util/StringResources.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QDrag>
#include <QDragEnterEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

VornaDialogCustomizeToolbox* g_pCustomizeToolbox = nullptr;

namespace {

// The I-beam between two buttons, drawn over the bar in black.
class InsertMarker : public QWidget
{
public:
    explicit InsertMarker(QWidget* bar) : QWidget(bar)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setObjectName(QStringLiteral("insertMarker"));
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::black); }
};

// A picture of the list, framed in the selection colour while chosen.
class PictureDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QRect cell = option.rect.adjusted(2, 2, -2, -2);
        if (option.state & QStyle::State_Selected) {
            painter->fillRect(cell, option.palette.highlight().color().lighter(160));
            painter->setPen(option.palette.highlight().color());
            painter->drawRect(cell.adjusted(0, 0, -1, -1));
        }
        const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
        const QRect picture(cell.center() - QPoint(7, 7), QSize(16, 16));
        icon.paint(painter, picture);
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return QSize(26, 26); }
};

// The list of pictures: a picture dragged from it is a command for a toolbar.
class ButtonList : public QListWidget
{
public:
    explicit ButtonList(VornaDialogCustomizeToolbox* dialog) : QListWidget(dialog), m_dialog(dialog) {}

protected:
    void startDrag(Qt::DropActions) override { m_dialog->BeginListDrag(currentItem()); }

private:
    VornaDialogCustomizeToolbox* m_dialog;
};

bool isCommandDrag(const QMimeData* data)
{
    return data && data->hasFormat(QString::fromLatin1(ULOToolBar::kCommandMimeType));
}

} // namespace

VornaDialogCustomizeToolbox::VornaDialogCustomizeToolbox(QWidget* parent) : QDialog(parent) {}

VornaDialogCustomizeToolbox::~VornaDialogCustomizeToolbox()
{
    delete m_marker.data();
    if (g_pCustomizeToolbox == this)
        g_pCustomizeToolbox = nullptr;
}

int VornaDialogCustomizeToolbox::DoModal()
{
    // One dialog at most: a second call shows the open one.
    if (g_pCustomizeToolbox) {
        g_pCustomizeToolbox->show();
        g_pCustomizeToolbox->raise();
        g_pCustomizeToolbox->activateWindow();
        return 0;
    }
    QWidget* owner = CMainFrame::instance();
    if (!owner)
        owner = QApplication::activeWindow();
    auto* dialog = new VornaDialogCustomizeToolbox(owner); // owned by the main window, deleted when closed
    g_pCustomizeToolbox = dialog;
    dialog->m_bOpenedByDoModal = true;
    dialog->OnInitDialog();
    dialog->show();
    return 0;
}

void VornaDialogCustomizeToolbox::OnInitDialog()
{
    setObjectName(DialogControlName(IDD));
    setWindowTitle(LoadResString(IDS_CUSTOMIZE_TITLE));
    setModal(false);
    setAcceptDrops(true);
    m_lstMenus = new QListWidget(this);
    m_lstMenus->setObjectName(DialogControlName(IDC_CUSTOMIZE_MENUS));
    m_lstMenus->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstMenus->setFixedWidth(130);
    m_lstButtons = new ButtonList(this);
    m_lstButtons->setObjectName(DialogControlName(IDC_CUSTOMIZE_BUTTONS));
    m_lstButtons->setViewMode(QListView::IconMode);
    m_lstButtons->setMovement(QListView::Static);
    m_lstButtons->setResizeMode(QListView::Adjust);
    m_lstButtons->setIconSize(QSize(16, 16));
    m_lstButtons->setGridSize(QSize(28, 28));
    m_lstButtons->setItemDelegate(new PictureDelegate(m_lstButtons));
    m_lstButtons->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstButtons->setDragEnabled(true);
    m_lstButtons->setDragDropMode(QAbstractItemView::DragOnly);
    m_lstButtons->setMinimumWidth(260);
    m_stDescription = new QLabel(this);
    m_stDescription->setObjectName(DialogControlName(IDC_CUSTOMIZE_DESCRIPTION));
    m_stDescription->setWordWrap(true);
    m_stDescription->setMinimumHeight(2 * fontMetrics().lineSpacing());
    auto* hint = new QLabel(LoadResString(IDS_CUSTOMIZE_HINT), this);
    hint->setObjectName(DialogControlName(IDC_CUSTOMIZE_HINT));
    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap(QStringLiteral(":/res/icons/%1.png").arg(IDI_ROLLOVER_HINT)));
    icon->setAlignment(Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    auto* lists = new QGridLayout;
    lists->addWidget(BuddyLabel(LoadResString(IDS_CUSTOMIZE_MENUS_LABEL), m_lstMenus), 0, 0);
    lists->addWidget(BuddyLabel(LoadResString(IDS_CUSTOMIZE_BUTTONS_LABEL), m_lstButtons), 0, 1);
    lists->addWidget(m_lstMenus, 1, 0);
    lists->addWidget(m_lstButtons, 1, 1);
    layout->addLayout(lists, 1);
    auto* group = new QGroupBox(LoadResString(IDS_CUSTOMIZE_DESCRIPTION_GROUP), this);
    (new QVBoxLayout(group))->addWidget(m_stDescription);
    layout->addWidget(group);
    auto* hintRow = new QHBoxLayout;
    hintRow->addWidget(icon);
    hintRow->addWidget(hint, 1);
    layout->addLayout(hintRow);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(LoadResString(IDS_CUSTOMIZE_CLOSE), QDialogButtonBox::RejectRole);
    close->setObjectName(DialogControlName(platform::IDCANCEL));
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    // 1. The menus of the page menu but the last (help), without their "&".
    m_menu = MenuResource::load(kMenuId);
    for (int i = 0; i + 1 < m_menu.size(); ++i)
        m_lstMenus->addItem(MenuLabel(m_menu[i].text));
    connect(m_lstMenus, &QListWidget::currentRowChanged, this, [this](int row) { FillButtonList(row); });
    connect(m_lstButtons, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* item) { ShowDescription(item); });
    // 2. The first menu chosen; the dialog over the middle of its parent.
    m_lstMenus->setCurrentRow(0);
    resize(sizeHint().expandedTo(QSize(480, 420)));
    if (QWidget* owner = parentWidget())
        move(owner->frameGeometry().center() - rect().center());
}

QString VornaDialogCustomizeToolbox::MenuLabel(const QString& text)
{
    QString label = text;
    return label.remove(QLatin1Char('&'));
}

QList<int> VornaDialogCustomizeToolbox::CommandsWithPictures(const MenuNode& menu, const QHash<int, int>& pictures)
{
    QList<int> ids;
    const auto take = [&](const MenuNode& item) {
        if (item.kind == MenuNode::Command && pictures.contains(item.id))
            ids.append(item.id);
    };
    for (const MenuNode& item : menu.children) {
        if (item.kind != MenuNode::Popup) {
            take(item);
            continue;
        }
        // A submenu is walked one level deep instead.
        for (const MenuNode& inner : item.children)
            take(inner);
    }
    return ids;
}

void VornaDialogCustomizeToolbox::FillButtonList(int menuIndex)
{
    // 1. The pictures of the chosen menu's commands, nothing for no menu.
    m_lstButtons->clear();
    m_stDescription->clear();
    if (menuIndex < 0 || menuIndex >= m_menu.size() || m_menu[menuIndex].kind != MenuNode::Popup)
        return;
    // 2.-3. One picture per command with one on the toolbars; the item keeps its command.
    for (int id : CommandsWithPictures(m_menu[menuIndex], ULOToolBar::commandImageMap())) {
        const QPixmap picture = ULOToolBar::image(ULOToolBar::kNormal, ULOToolBar::imageIndexOf(id));
        if (picture.isNull())
            continue;
        auto* item = new QListWidgetItem(QIcon(picture), QString(), m_lstButtons);
        item->setData(Qt::UserRole, id);
        item->setToolTip(LoadResString(id).section(QLatin1Char('\n'), -1));
    }
}

void VornaDialogCustomizeToolbox::ShowDescription(QListWidgetItem* item)
{
    // The command's whole string: its prompt and, on the next line, its tooltip.
    const int id = item ? item->data(Qt::UserRole).toInt() : 0;
    if (id != 0)
        m_stDescription->setText(LoadResString(id));
}

void VornaDialogCustomizeToolbox::BeginListDrag(QListWidgetItem* item)
{
    if (!item || m_bDragging)
        return;
    const int id = item->data(Qt::UserRole).toInt();
    if (id == 0)
        return;
    // The dragged command as a plain button.
    m_rcMarker = QRect();
    m_tbbDrag = ULOToolBar::Button{id, ULOToolBar::kPlainButton};
    auto* drag = new QDrag(m_lstButtons); // the drag manager deletes it when the drag ends
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(ULOToolBar::kCommandMimeType), QByteArray::number(id));
    drag->setMimeData(data);
    drag->setPixmap(item->icon().pixmap(16, 16));
    // Below and right of the pointer, so that the marker between the buttons stays in sight.
    drag->setHotSpot(QPoint(-6, -6));
    // The bars under the drag track and drop it; Escape or a drop anywhere
    // else inserts nothing. The dialog waits for the drag's end to close.
    m_bDragging = true;
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
    m_bDragging = false;
    m_rcMarker = QRect();
    DrawInsertMarker();
    if (m_bCloseAfterDrag)
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
}

ULOToolBar* VornaDialogCustomizeToolbox::ToolBarAt(const QPoint& screenPoint)
{
    QWidget* widget = QApplication::widgetAt(screenPoint);
    while (widget && !qobject_cast<ULOToolBar*>(widget))
        widget = widget->parentWidget();
    auto* bar = qobject_cast<ULOToolBar*>(widget);
    return bar && bar->isVisible() ? bar : nullptr;
}

QRect VornaDialogCustomizeToolbox::MarkerRect(const QRect& button, const QPoint& point, bool horizontal)
{
    if (horizontal) {
        const int x = point.x() >= button.left() + button.width() / 2 ? button.left() + button.width() : button.left();
        return QRect(x, button.top(), 2, kMarkerLength);
    }
    const int y = point.y() >= button.top() + button.height() / 2 ? button.top() + button.height() : button.top();
    return QRect(button.left(), y, kMarkerLength, 2);
}

int VornaDialogCustomizeToolbox::InsertIndex(int hit, const QRect& button, const QPoint& point, bool horizontal)
{
    const bool after =
        horizontal ? point.x() >= button.left() + button.width() / 2 : point.y() >= button.top() + button.height() / 2;
    return after ? hit + 1 : hit;
}

QRegion VornaDialogCustomizeToolbox::MarkerShape(const QRect& marker)
{
    if (marker.isEmpty())
        return {};
    const int l = marker.left(), t = marker.top(), w = marker.width(), h = marker.height();
    const int r = l + w, b = t + h;
    QRegion shape;
    if (h > w) {
        // Across a horizontal bar: the bar between the buttons and the strokes at its ends.
        shape += QRect(l, t + 2, 2, std::max(0, h - 4));
        shape += QRect(l - 2, t, w + 4, 1);
        shape += QRect(l - 1, t + 1, w + 2, 1);
        shape += QRect(l - 2, b - 1, w + 4, 1);
        shape += QRect(l - 1, b - 2, w + 2, 1);
    } else {
        shape += QRect(l + 2, t, std::max(0, w - 4), 2);
        shape += QRect(l, t - 2, 1, h + 4);
        shape += QRect(l + 1, t - 1, 1, h + 2);
        shape += QRect(r - 1, t - 2, 1, h + 4);
        shape += QRect(r - 2, t - 1, 1, h + 2);
    }
    return shape;
}

void VornaDialogCustomizeToolbox::TrackDragOverToolbar(const QPoint& screenPoint)
{
    // 1. The marker shown now goes.
    m_rcMarker = QRect();
    DrawInsertMarker();
    // 2.-3. A toolbar button under the point.
    ULOToolBar* bar = ToolBarAt(screenPoint);
    if (!bar)
        return;
    const QPoint local = bar->mapFromGlobal(screenPoint);
    const int hit = bar->HitTestButton(local);
    if (hit < 0)
        return;
    // 4.-5. The marker on the nearer side of that button.
    const QRect marker = MarkerRect(bar->GetItemRect(hit), local, bar->orientation() == Qt::Horizontal);
    m_rcMarker = QRect(bar->mapToGlobal(marker.topLeft()), marker.size());
    m_markerBar = bar;
    DrawInsertMarker();
}

int VornaDialogCustomizeToolbox::DropButtonOnToolbar(const QPoint& screenPoint)
{
    int inserted = -1;
    if (ULOToolBar* bar = ToolBarAt(screenPoint)) {
        const QPoint local = bar->mapFromGlobal(screenPoint);
        const int hit = bar->HitTestButton(local);
        if (hit >= 0) {
            const int index = InsertIndex(hit, bar->GetItemRect(hit), local, bar->orientation() == Qt::Horizontal);
            if (bar->InsertButton(index, m_tbbDrag)) {
                inserted = index;
                // The buttons' states are brought up to date at the next idle pass.
                if (CZQApp* app = CZQApp::instance())
                    app->m_bCommandRan = true;
            }
        }
    }
    m_rcMarker = QRect();
    DrawInsertMarker();
    return inserted;
}

void VornaDialogCustomizeToolbox::DrawInsertMarker()
{
    if (m_rcMarker.isEmpty() || !m_markerBar) {
        if (m_marker)
            m_marker->hide();
        return;
    }
    // Drawn on the bar it stands on, over its buttons, as the I-beam's pixels.
    if (!m_marker || m_marker->parentWidget() != m_markerBar) {
        delete m_marker.data();
        m_marker = new InsertMarker(m_markerBar); // owned by the bar; deleted with this dialog
    }
    const QRect local(m_markerBar->mapFromGlobal(m_rcMarker.topLeft()), m_rcMarker.size());
    const QRect area = local.adjusted(-2, -2, 2, 2);
    m_marker->setGeometry(area);
    m_marker->setMask(MarkerShape(local).translated(-area.topLeft()));
    m_marker->raise();
    m_marker->show();
}

void VornaDialogCustomizeToolbox::done(int result)
{
    // Closed during a drag of its list, the dialog goes once the drag is over.
    if (m_bDragging) {
        m_bCloseAfterDrag = true;
        return;
    }
    m_rcMarker = QRect();
    DrawInsertMarker();
    // The toolbars leave customisation mode at once; the object goes after this event.
    if (g_pCustomizeToolbox == this)
        g_pCustomizeToolbox = nullptr;
    QDialog::done(result);
    // The dialog DoModal made goes with its window; any other object belongs to its maker.
    if (m_bOpenedByDoModal)
        deleteLater();
}

void VornaDialogCustomizeToolbox::closeEvent(QCloseEvent* event)
{
    event->ignore();
    reject();
}

void VornaDialogCustomizeToolbox::dragEnterEvent(QDragEnterEvent* event)
{
    // A toolbar's button dragged here is taken off its bar.
    if (isCommandDrag(event->mimeData()))
        event->acceptProposedAction();
}

void VornaDialogCustomizeToolbox::dragMoveEvent(QDragMoveEvent* event)
{
    if (isCommandDrag(event->mimeData()))
        event->acceptProposedAction();
}

void VornaDialogCustomizeToolbox::dropEvent(QDropEvent* event)
{
    if (isCommandDrag(event->mimeData()))
        event->acceptProposedAction();
}
