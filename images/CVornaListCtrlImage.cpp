#include "images/CVornaListCtrlImage.h"

#include "images/ThumbMessage.h"
#include "images/ThumbnailQueueThread.h"
#include "images/ThumbnailTile.h"

#include "platform/DataRoot.h"
#include "platform/WindowMessage.h"

#include <QStyledItemDelegate>

namespace listctrlimage_detail {

constexpr int kSpacing = 30;

// Tells the list of each item painted while it still waits.
class FirstPaintDelegate : public QStyledItemDelegate
{
public:
    FirstPaintDelegate(std::function<void(int)> firstPaint, QObject* parent)
        : QStyledItemDelegate(parent), m_firstPaint(std::move(firstPaint))
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (index.data(ThumbnailListModel::StateRole).toLongLong() == 0)
            m_firstPaint(index.row());
        QStyledItemDelegate::paint(painter, option, index);
    }

private:
    std::function<void(int)> m_firstPaint;
};

} // namespace listctrlimage_detail

CVornaListCtrlImage::CVornaListCtrlImage(QWidget* parent) : QListView(parent), m_model(new ThumbnailListModel(this))
{
    setModel(m_model);
    setItemDelegate(new listctrlimage_detail::FirstPaintDelegate([this](int item) { LoadOnFirstPaint(item); }, this));
    setViewMode(QListView::IconMode);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    applyGeometry();
    BuildImageList();
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit itemChanged(GetSelectedItem()); });
    connect(this, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit itemDoubleClicked(index.row());
    });
}

CVornaListCtrlImage::~CVornaListCtrlImage() = default;

void CVornaListCtrlImage::applyGeometry()
{
    setIconSize(QSize(m_nThumbnailWidth, m_nThumbnailHeight));
    setGridSize(
        QSize(m_nThumbnailWidth + listctrlimage_detail::kSpacing, m_nThumbnailHeight + listctrlimage_detail::kSpacing));
}

void CVornaListCtrlImage::SetThumbnailWidth(int width)
{
    if (width < 1 || width == m_nThumbnailWidth)
        return;
    m_nThumbnailWidth = width;
    applyGeometry();
    BuildImageList();
}

void CVornaListCtrlImage::SetThumbnailHeight(int height)
{
    if (height < 1 || height == m_nThumbnailHeight)
        return;
    m_nThumbnailHeight = height;
    applyGeometry();
    BuildImageList();
}

void CVornaListCtrlImage::BuildImageList()
{
    // Tiles on their way are of the old size: dropped.
    m_pLoader.reset();
    ++m_nGeneration;
    m_model->clearPictures();
    // 0. The placeholder; a white tile when its picture is missing, so that
    // an item never shows another item's thumbnail.
    const QSize tile(m_nThumbnailWidth, m_nThumbnailHeight);
    bool decoded = false;
    const QImage placeholder = LoadThumbnailTile(platform::installPath(QStringLiteral("Bin/default.bmp")), tile,
                                                 ThumbnailRule::Synchronous, &decoded);
    m_model->addPicture(QPixmap::fromImage(placeholder));
    for (int i = 0; i < m_model->count(); ++i) {
        m_model->setState(i, 0);
        m_model->setImage(i, 0);
    }
}

QString CVornaListCtrlImage::PicturePath(const QString& folder, const QString& text)
{
    QString path = folder;
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    path += text;
    // A name without a three- or four-letter extension is a GIF.
    const qsizetype n = text.size();
    const bool dotFourthLast = n >= 4 && text.at(n - 4) == QLatin1Char('.');
    const bool dotFifthLast = n >= 5 && text.at(n - 5) == QLatin1Char('.');
    if (!dotFourthLast && !dotFifthLast)
        path += QStringLiteral(".gif");
    return path;
}

int CVornaListCtrlImage::InsertItem(int index, const QString& text)
{
    return m_model->insertItem(index, text, 0, 0);
}

void CVornaListCtrlImage::DeleteAllItems()
{
    m_pLoader.reset();
    ++m_nGeneration;
    m_model->clearItems();
}

int CVornaListCtrlImage::GetSelectedItem() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.front().row();
}

void CVornaListCtrlImage::SelectItem(int item)
{
    if (!m_model->isValid(item)) {
        clearSelection();
        return;
    }
    selectionModel()->setCurrentIndex(m_model->index(item), QItemSelectionModel::ClearAndSelect);
}

int CVornaListCtrlImage::LoadsWaiting() const
{
    return m_pLoader ? m_pLoader->Waiting() : 0;
}

void CVornaListCtrlImage::LoadOnFirstPaint(int item)
{
    // Tried once: a picture that cannot be read keeps the placeholder.
    m_model->setState(item, 1);
    if (!m_pLoader)
        m_pLoader = std::make_unique<ThumbnailQueueThread>(this, QSize(m_nThumbnailWidth, m_nThumbnailHeight),
                                                           ThumbnailRule::Synchronous, m_nGeneration);
    m_pLoader->Enqueue(item, PicturePath(m_strFolder, m_model->text(item)));
}

bool CVornaListCtrlImage::event(QEvent* event)
{
    if (event->type() != platform::WindowMessage::eventType())
        return QListView::event(event);
    auto* message = static_cast<platform::WindowMessage*>(event);
    if (message->message() != WM_THUMB_ADDBITMAP || message->lParam() != m_nGeneration)
        return true;
    const ThumbMessage record = message->data().value<ThumbMessage>();
    const int item = int(message->wParam());
    if (!record.tile.isNull() && m_model->isValid(item))
        m_model->setImage(item, m_model->addPicture(QPixmap::fromImage(record.tile)));
    return true;
}
