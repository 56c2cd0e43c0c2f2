#include "images/CVornaImageListCtrl.h"

#include "images/CVornaImageListThread.h"
#include "images/ThumbnailTile.h"
#include "util/AppContext.h"
#include "util/ShellFolders.h"

#include "platform/WindowMessage.h"

#include <QApplication>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>

namespace imagelistctrl_detail {

// The placeholder picture and the size of the icons in their tiles.
constexpr char kPlaceholderPicture[] = ":/res/bitmaps/639.png";
constexpr int kIconSize = 30;
// Room around a tile in the icon view.
constexpr int kSpacing = 30;

QIcon iconOf(const QFileIconProvider& provider, const QString& path, QFileIconProvider::IconType fallbackType)
{
    QIcon icon;
    if (!path.isEmpty() && QFileInfo::exists(path))
        icon = provider.icon(QFileInfo(path));
    if (icon.isNull())
        icon = provider.icon(fallbackType);
    return icon;
}

// Every item of the icon view has the size of its cell, so that the items
// share one size (the view lays out many items fast that way) and a name
// is cut only where the cell ends.
class CellDelegate : public QStyledItemDelegate
{
public:
    explicit CellDelegate(CVornaImageListCtrl* list) : QStyledItemDelegate(list), m_list(list) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (m_list->listStyle())
            return QStyledItemDelegate::sizeHint(option, index);
        return QSize(m_list->GetThumbnailWidth() + kSpacing - 4,
                     m_list->GetThumbnailHeight() + option.fontMetrics.height() + 8);
    }

private:
    CVornaImageListCtrl* m_list;
};

} // namespace imagelistctrl_detail

CVornaImageListCtrl::CVornaImageListCtrl(QWidget* parent) : QListView(parent), m_model(new ThumbnailListModel(this))
{
    setModel(m_model);
    setItemDelegate(new imagelistctrl_detail::CellDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setDragEnabled(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideMiddle);
    applyGeometry();
    CreateThumbnailImageList();
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit itemChanged(GetSelectedItem()); });
    connect(this, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit itemDoubleClicked(index.row());
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { PrioritizeVisibleItems(); });
}

CVornaImageListCtrl::~CVornaImageListCtrl()
{
    // Every worker ends before the list it posts to.
    StopLoading();
    m_stopped.clear();
}

void CVornaImageListCtrl::SetThumbnailWidth(int width)
{
    if (width < 1 || width == m_nThumbnailWidth)
        return;
    m_nThumbnailWidth = width;
    applyGeometry();
    CreateThumbnailImageList();
}

void CVornaImageListCtrl::SetThumbnailHeight(int height)
{
    if (height < 1 || height == m_nThumbnailHeight)
        return;
    m_nThumbnailHeight = height;
    applyGeometry();
    CreateThumbnailImageList();
}

void CVornaImageListCtrl::SetListStyle(bool list)
{
    m_bListStyle = list;
    m_model->setPicturesShown(!list);
    applyGeometry();
}

void CVornaImageListCtrl::applyGeometry()
{
    using namespace imagelistctrl_detail;
    if (m_bListStyle) {
        // Names in columns, scrolled sideways.
        setViewMode(QListView::ListMode);
        setFlow(QListView::TopToBottom);
        setWrapping(true);
        setGridSize(QSize());
        setIconSize(QSize(0, 0));
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    } else {
        setViewMode(QListView::IconMode);
        setMovement(QListView::Static);
        setFlow(QListView::LeftToRight);
        setWrapping(true);
        setIconSize(QSize(m_nThumbnailWidth, m_nThumbnailHeight));
        setGridSize(QSize(m_nThumbnailWidth + kSpacing, m_nThumbnailHeight + kSpacing));
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void CVornaImageListCtrl::CreateThumbnailImageList()
{
    m_model->clearPictures();
    AddPlaceholderImage();
    AddStandardIcons();
}

int CVornaImageListCtrl::addTile(const QImage& tile)
{
    return m_model->addPicture(QPixmap::fromImage(tile));
}

void CVornaImageListCtrl::AddPlaceholderImage()
{
    // The placeholder, unscaled, centred on a white tile (cut off when the
    // tile is smaller).
    QImage tile(m_nThumbnailWidth, m_nThumbnailHeight, QImage::Format_ARGB32_Premultiplied);
    tile.fill(Qt::white);
    const QImage placeholder(QString::fromLatin1(imagelistctrl_detail::kPlaceholderPicture));
    if (!placeholder.isNull()) {
        const platform::Rect at = FitRect(placeholder.width(), placeholder.height(), tile.width(), tile.height());
        QPainter painter(&tile);
        painter.drawImage(QPoint(at.left, at.top), placeholder);
    }
    addTile(tile);
}

int CVornaImageListCtrl::addIconTile(const QIcon& icon)
{
    using namespace imagelistctrl_detail;
    QImage tile(m_nThumbnailWidth, m_nThumbnailHeight, QImage::Format_ARGB32_Premultiplied);
    tile.fill(Qt::white);
    const platform::Rect at = FitRect(kIconSize, kIconSize, tile.width(), tile.height());
    if (!icon.isNull() && !at.isEmpty()) {
        QPainter painter(&tile);
        icon.paint(&painter, at.toQRect());
    }
    return addTile(tile);
}

void CVornaImageListCtrl::AddStandardIcons()
{
    using namespace imagelistctrl_detail;
    const QFileIconProvider provider;
    QString desktop;
    QString documents;
    GetSpecialFolderPath(CSIDL_DESKTOPDIRECTORY, desktop);
    GetSpecialFolderPath(CSIDL_PERSONAL, documents);
    // In this order: the owners rely on the indexes.
    addIconTile(iconOf(provider, AppContext::instance().installFolder(), QFileIconProvider::Folder));
    addIconTile(iconOf(provider, desktop, QFileIconProvider::Desktop));
    addIconTile(iconOf(provider, QString(), QFileIconProvider::Computer));
    addIconTile(iconOf(provider, documents, QFileIconProvider::Folder));
}

int CVornaImageListCtrl::AddFileIcon(const QString& path)
{
    const QFileIconProvider provider;
    QIcon icon = imagelistctrl_detail::iconOf(provider, path, QFileIconProvider::File);
    if (icon.isNull())
        icon = style()->standardIcon(QStyle::SP_FileIcon);
    return addIconTile(icon);
}

void CVornaImageListCtrl::reapStopped()
{
    std::erase_if(m_stopped, [](const std::unique_ptr<CVornaImageListThread>& loader) {
        if (!loader->IsFinished())
            return false;
        loader->Join();
        return true;
    });
}

void CVornaImageListCtrl::StartLoading(const std::vector<unsigned>& marks)
{
    // 1.-2. A run going is stopped.
    StopLoading();
    // 3.-5. A new run with a new generation, over a copy of the items.
    ++m_nGeneration;
    CVornaImageListThread::Snapshot snapshot;
    snapshot.folder = m_strFolder;
    if (!snapshot.folder.isEmpty() && !snapshot.folder.endsWith(QLatin1Char('/')))
        snapshot.folder += QLatin1Char('/');
    const int count = m_model->count();
    snapshot.names.reserve(count);
    snapshot.states.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        snapshot.names.append(m_model->text(i));
        snapshot.states.push_back(m_model->state(i));
    }
    snapshot.marks = marks;
    snapshot.generation = m_nGeneration;
    snapshot.tile = QSize(m_nThumbnailWidth, m_nThumbnailHeight);
    m_pLoader = std::make_unique<CVornaImageListThread>(this, std::move(snapshot));
    // 6. What the user sees first.
    m_pLoader->SetNextItem(FirstVisibleItem());
    m_pLoader->Start();
}

void CVornaImageListCtrl::StopLoading()
{
    if (m_pLoader) {
        m_pLoader->Abort();
        m_stopped.push_back(std::move(m_pLoader));
        // Whatever the stopped run still sends is dropped.
        ++m_nGeneration;
    }
    reapStopped();
}

bool CVornaImageListCtrl::IsLoading() const
{
    return m_pLoader && !m_pLoader->IsFinished();
}

int CVornaImageListCtrl::FirstVisibleItem() const
{
    if (m_model->count() == 0)
        return 0;
    // The item at the top-left of the visible area; the gaps between items
    // are searched along the first cell.
    const QSize cell = gridSize().isValid() ? gridSize() : QSize(sizeHintForColumn(0), sizeHintForRow(0));
    const int stepX = qMax(1, cell.width() / 8);
    const int stepY = qMax(1, cell.height() / 8);
    for (int y = 0; y <= cell.height(); y += stepY) {
        for (int x = 0; x <= cell.width(); x += stepX) {
            const QModelIndex index = indexAt(QPoint(x, y));
            if (index.isValid())
                return index.row();
        }
    }
    return 0;
}

void CVornaImageListCtrl::PrioritizeVisibleItems()
{
    if (IsLoading())
        m_pLoader->SetNextItem(FirstVisibleItem());
}

int CVornaImageListCtrl::InsertItem(int index, const QString& text, int image, qint64 state)
{
    return m_model->insertItem(index, text, image, state);
}

void CVornaImageListCtrl::SetItems(const QStringList& texts, int image, qint64 state)
{
    StopLoading();
    m_model->setItems(texts, image, state);
}

void CVornaImageListCtrl::DeleteAllItems()
{
    // The items a run works on go: so does the run.
    StopLoading();
    m_model->clearItems();
}

int CVornaImageListCtrl::GetSelectedItem() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.front().row();
}

void CVornaImageListCtrl::SelectItem(int item)
{
    if (!m_model->isValid(item)) {
        clearSelection();
        return;
    }
    const QModelIndex index = m_model->index(item);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

void CVornaImageListCtrl::EnsureVisible(int item)
{
    if (m_model->isValid(item))
        scrollTo(m_model->index(item));
}

bool CVornaImageListCtrl::event(QEvent* event)
{
    if (event->type() != platform::WindowMessage::eventType())
        return QListView::event(event);
    auto* message = static_cast<platform::WindowMessage*>(event);
    const ThumbMessage record = message->data().value<ThumbMessage>();
    if (record.pending)
        --*record.pending;
    // A message of another run: dropped.
    if (message->lParam() != m_nGeneration)
        return true;
    const int item = int(message->wParam());
    switch (message->message()) {
    case WM_THUMB_ADDBITMAP:
        if (m_model->isValid(item)) {
            m_model->setImage(item, addTile(record.tile));
            m_model->setState(item, record.value);
        }
        return true;
    case WM_THUMB_SETSTATE:
        m_model->setState(item, record.value);
        return true;
    default:
        return true;
    }
}

void CVornaImageListCtrl::keyPressEvent(QKeyEvent* event)
{
    QListView::keyPressEvent(event);
    PrioritizeVisibleItems();
}

void CVornaImageListCtrl::wheelEvent(QWheelEvent* event)
{
    QListView::wheelEvent(event);
    PrioritizeVisibleItems();
}

void CVornaImageListCtrl::mousePressEvent(QMouseEvent* event)
{
    m_bDragStarted = false;
    const QModelIndex index = indexAt(event->position().toPoint());
    m_nPressItem = event->button() == Qt::LeftButton && index.isValid() ? index.row() : -1;
    m_pressPoint = event->position().toPoint();
    QListView::mousePressEvent(event);
}

void CVornaImageListCtrl::mouseMoveEvent(QMouseEvent* event)
{
    if (m_nPressItem >= 0 && !m_bDragStarted && (event->buttons() & Qt::LeftButton) &&
        (event->position().toPoint() - m_pressPoint).manhattanLength() >= QApplication::startDragDistance()) {
        m_bDragStarted = true;
        emit beginDrag(m_nPressItem);
        return;
    }
    if (m_bDragStarted)
        return;
    QListView::mouseMoveEvent(event);
}

void CVornaImageListCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    m_nPressItem = -1;
    m_bDragStarted = false;
    QListView::mouseReleaseEvent(event);
}
