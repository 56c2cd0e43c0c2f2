#include "controls/CFolderComboBox.h"

#include "res/resource.h"

#include <QAbstractItemView>
#include <QDir>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QStylePainter>

namespace {

// Draws an entry of the open list: its picture indented by its level, its
// text beside it, and for the entry under the mouse a highlight behind the text.
class FolderComboDelegate : public QStyledItemDelegate
{
public:
    explicit FolderComboDelegate(CFolderComboBox* combo) : QStyledItemDelegate(combo), m_combo(combo) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const int entry = index.row();
        if (m_combo->pictures().isEmpty() || entry < 0 || entry >= m_combo->model().GetCount())
            return;
        const CFolderComboItem& item = m_combo->model().GetItem(entry);
        const QRect r = option.rect;
        const QPalette& palette = option.palette;
        const bool highlighted = option.state & (QStyle::State_Selected | QStyle::State_MouseOver);
        painter->fillRect(r, palette.color(QPalette::Base));
        QColor text = palette.color(QPalette::Text);
        const int level = item.m_nLevel;
        if (highlighted) {
            // Behind the text only, in the window text's inverse colour.
            const int textWidth = option.fontMetrics.horizontalAdvance(item.m_strText);
            painter->fillRect(QRect(QPoint(r.left() + 8 + CFolderComboBox::kIndent * level, r.top()),
                                    QPoint(r.left() + CFolderComboBox::kIndent * level + 12 + textWidth, r.bottom())),
                              palette.color(QPalette::Highlight));
            text = QColor(255 - text.red(), 255 - text.green(), 255 - text.blue());
        }
        const int picture = m_combo->PictureOf(entry);
        if (picture >= 0 && picture < m_combo->pictures().size())
            painter->drawPixmap(r.left() + CFolderComboBox::kIndent * (level - 1),
                                r.top() + (r.height() - CFolderComboBox::kPictureSize) / 2,
                                m_combo->pictures().at(picture));
        painter->setPen(text);
        painter->setFont(option.font);
        painter->drawText(QRect(QPoint(r.left() + 10 + CFolderComboBox::kIndent * level, r.top()), r.bottomRight()),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, item.m_strText);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), CFolderComboBox::kPictureSize + 2));
        const int entry = index.row();
        if (entry >= 0 && entry < m_combo->model().GetCount()) {
            const CFolderComboItem& item = m_combo->model().GetItem(entry);
            size.setWidth(CFolderComboBox::kIndent * item.m_nLevel + CFolderComboBox::kPictureSize + 12 +
                          option.fontMetrics.horizontalAdvance(item.m_strText));
        }
        return size;
    }

private:
    CFolderComboBox* m_combo;
};

} // namespace

CFolderComboBox::CFolderComboBox(QWidget* parent, FolderComboVolumeLister volumes)
    : QComboBox(parent), m_model(std::move(volumes))
{
    setItemDelegate(new FolderComboDelegate(this));
    setMaxVisibleItems(20);
    loadPictures();
    if (m_model.GetCurrentPath().isEmpty())
        m_model.SetCurrentPath(QDir::currentPath() + QLatin1Char('/'));
    FillFolders();
}

void CFolderComboBox::loadPictures()
{
    // One strip of 18-pixel pictures; white is left out.
    const QImage strip(QStringLiteral(":/res/controls/%1.png").arg(IDB_FOLDER_COMBO));
    m_imageList.clear();
    for (int x = 0; x + kPictureSize <= strip.width(); x += kPictureSize) {
        QPixmap picture = QPixmap::fromImage(strip.copy(x, 0, kPictureSize, kPictureSize));
        picture.setMask(picture.createMaskFromColor(Qt::white, Qt::MaskInColor));
        m_imageList << picture;
    }
}

int CFolderComboBox::PictureOf(int index) const
{
    if (index < 0 || index >= m_model.GetCount())
        return -1;
    return m_model.IsOpenFolder(index) ? 2 : m_model.GetItem(index).m_nImage;
}

void CFolderComboBox::FillFolders()
{
    if (m_model.IsFilled())
        return;
    if (m_imageList.isEmpty())
        loadPictures();
    m_model.FillFolders();
    const QSignalBlocker quiet(this);
    clear();
    for (int i = 0; i < m_model.GetCount(); ++i)
        addItem(m_model.GetItem(i).m_strText);
    setCurrentIndex(m_model.GetCurrentEntry());
}

void CFolderComboBox::ClearItems(bool keepList)
{
    m_model.ClearItems();
    if (!keepList) {
        const QSignalBlocker quiet(this);
        clear();
    }
}

int CFolderComboBox::SelectFolder(const QString& path)
{
    QString folder = path;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    m_model.SetCurrentPath(folder);
    ClearItems(false);
    FillFolders();
    return currentIndex();
}

void CFolderComboBox::ApplySelection(int* lastApplied)
{
    const int chosen = currentIndex();
    if (!lastApplied || chosen == *lastApplied || chosen < 0)
        return;
    const QString path = m_model.PathForSelection(chosen);
    SetCurrentPath(path);
    SelectFolder(path);
    *lastApplied = chosen;
}

void CFolderComboBox::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    // The closed box shows the chosen entry's picture and text without indent.
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const int entry = currentIndex();
    if (m_imageList.isEmpty() || entry < 0 || entry >= m_model.GetCount())
        return;
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const int picture = PictureOf(entry);
    if (picture >= 0 && picture < m_imageList.size())
        painter.drawPixmap(field.left(), field.top() + (field.height() - kPictureSize) / 2, m_imageList.at(picture));
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QRect(QPoint(field.left() + 20, field.top()), field.bottomRight()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_model.GetItem(entry).m_strText);
}
