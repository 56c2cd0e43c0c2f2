#include "controls/CVornaTreeCtrl.h"

#include "controls/CheckTreeState.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <vector>

// Draws each item's check picture before its own picture and text, and
// hands in-place renames to the tree's owner.
class CheckTreeDelegate : public QStyledItemDelegate
{
public:
    explicit CheckTreeDelegate(CVornaTreeCtrl* tree) : QStyledItemDelegate(tree), m_tree(tree) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (index.column() != 0) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const int state = index.data(CVornaTreeCtrl::StateRole).toInt();
        const QSize box = m_tree->stateImageSize();
        QStyleOptionViewItem rest = option;
        rest.rect.setLeft(option.rect.left() + box.width());
        QStyledItemDelegate::paint(painter, rest, index);
        if (state <= 0)
            return;
        const QRect area(QPoint(option.rect.left(), option.rect.top() + (option.rect.height() - box.height()) / 2),
                         box);
        if (state < m_tree->m_imageState.size() && !m_tree->m_imageState.at(state).isNull()) {
            painter->drawPixmap(area.topLeft(), m_tree->m_imageState.at(state));
            return;
        }
        QStyleOptionButton check;
        check.initFrom(m_tree);
        check.rect = area;
        check.state = QStyle::State_Enabled;
        switch (state) {
        case checktree::kChecked:
            check.state |= QStyle::State_On;
            break;
        case checktree::kPartly:
            check.state |= QStyle::State_NoChange;
            break;
        case checktree::kFixedChecked:
            check.state = QStyle::State_On; // checked, not to be changed
            break;
        default:
            check.state |= QStyle::State_Off;
            break;
        }
        m_tree->style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &check, painter, m_tree);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (index.column() == 0) {
            const QSize box = m_tree->stateImageSize();
            size.rwidth() += box.width();
            size.setHeight(std::max(size.height(), box.height()));
        }
        return size;
    }

    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override
    {
        QStyleOptionViewItem rest = option;
        if (index.column() == 0)
            rest.rect.setLeft(option.rect.left() + m_tree->stateImageSize().width());
        QStyledItemDelegate::updateEditorGeometry(editor, rest, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        auto* line = qobject_cast<QLineEdit*>(editor);
        QTreeWidgetItem* item = m_tree->itemFromIndex(index);
        if (line && item)
            emit m_tree->endLabelEdit(item, line->text());
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        // Enter ends the rename and Escape cancels it; neither reaches the
        // window's default or Cancel button.
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (!(key->modifiers() & Qt::ControlModifier)) {
                if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                    emit commitData(editor);
                    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                    return true;
                }
                if (key->key() == Qt::Key_Escape) {
                    emit closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
                    return true;
                }
            }
        }
        if (editor && event->type() == QEvent::ShortcutOverride) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape) {
                event->accept();
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    CVornaTreeCtrl* m_tree;
};

CVornaTreeCtrl::CVornaTreeCtrl(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setItemDelegate(new CheckTreeDelegate(this));
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    setExpandsOnDoubleClick(true);
}

QSize CVornaTreeCtrl::stateImageSize() const
{
    for (const QPixmap& picture : m_imageState) {
        if (!picture.isNull())
            return picture.size();
    }
    const int side = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this);
    return QSize(side + 2, side);
}

int CVornaTreeCtrl::GetStateImage(const QTreeWidgetItem* item) const
{
    return item ? item->data(0, StateRole).toInt() : 0;
}

void CVornaTreeCtrl::SetStateImage(QTreeWidgetItem* item, int state)
{
    if (item && GetStateImage(item) != state)
        item->setData(0, StateRole, state);
}

int CVornaTreeCtrl::GetItemImage(const QTreeWidgetItem* item) const
{
    const QVariant image = item ? item->data(0, ImageRole) : QVariant();
    return image.isValid() ? image.toInt() : -1;
}

void CVornaTreeCtrl::SetItemImage(QTreeWidgetItem* item, int image)
{
    if (!item)
        return;
    item->setData(0, ImageRole, image);
    item->setIcon(0, image >= 0 && image < m_imageNormal.size() ? QIcon(m_imageNormal.at(image)) : QIcon());
}

QTreeWidgetItem* CVornaTreeCtrl::parentOf(const QTreeWidgetItem* item) const
{
    if (!item)
        return nullptr;
    if (item->parent())
        return item->parent();
    return item->treeWidget() ? item->treeWidget()->invisibleRootItem() : nullptr;
}

bool CVornaTreeCtrl::IsChecked(const QTreeWidgetItem* item) const
{
    const int state = GetStateImage(item);
    return state == checktree::kChecked || state == checktree::kFixedChecked;
}

bool CVornaTreeCtrl::SetCheck(QTreeWidgetItem* item, int mode)
{
    if (!item)
        return false;
    const int value = checktree::NewCheckValue(GetStateImage(item), mode);
    if (value < 0)
        return true;
    SetStateImage(item, value);
    if (checktree::SpreadsDown(value) && item->childCount() > 0)
        SetStateImageTree(item->child(0), value);
    if (!checktree::SpreadsUp(value))
        return true;
    // Each ancestor in turn shows whether its children agree.
    for (QTreeWidgetItem* parent = item->parent(); parent; parent = parent->parent()) {
        std::vector<int> children;
        children.reserve(size_t(parent->childCount()));
        for (int i = 0; i < parent->childCount(); ++i)
            children.push_back(GetStateImage(parent->child(i)));
        SetStateImage(parent, checktree::ParentCheckValue(children, GetStateImage(parent)));
    }
    return true;
}

void CVornaTreeCtrl::SetStateImageTree(QTreeWidgetItem* item, int state)
{
    QTreeWidgetItem* parent = parentOf(item);
    if (!item)
        return;
    std::vector<QTreeWidgetItem*> pending;
    if (parent) {
        for (int i = parent->indexOfChild(item); i >= 0 && i < parent->childCount(); ++i)
            pending.push_back(parent->child(i));
    } else {
        pending.push_back(item);
    }
    while (!pending.empty()) {
        QTreeWidgetItem* at = pending.back();
        pending.pop_back();
        SetStateImage(at, state);
        for (int i = 0; i < at->childCount(); ++i)
            pending.push_back(at->child(i));
    }
}

QTreeWidgetItem* CVornaTreeCtrl::FindItemByPath(QTreeWidgetItem* start, const QString& target,
                                                const QString& base) const
{
    if (!start)
        return nullptr;
    QString targetPath = target;
    if (targetPath.startsWith(QLatin1Char('/')))
        targetPath.remove(0, 1);
    QStringList names = targetPath.split(QLatin1Char('/'));
    QString basePath = base;
    if (basePath.startsWith(QLatin1Char('/')))
        basePath.remove(0, 1);
    if (basePath.endsWith(QLatin1Char('/')))
        basePath.chop(1);
    const QStringList baseNames = basePath.split(QLatin1Char('/'));
    // The names the target shares with the base lie at or above the start item.
    if (!names.isEmpty() && !names.first().isEmpty() && !baseNames.first().isEmpty()) {
        int shared = 0;
        while (shared < baseNames.size() && shared < names.size() && names.at(shared) == baseNames.at(shared))
            ++shared;
        names = names.mid(shared);
    }
    QTreeWidgetItem* at = start;
    for (const QString& name : names) {
        QTreeWidgetItem* found = nullptr;
        for (int i = 0; i < at->childCount() && !found; ++i) {
            if (at->child(i)->text(0) == name)
                found = at->child(i);
        }
        if (!found)
            return nullptr;
        at = found;
    }
    return names.isEmpty() ? nullptr : at;
}

QTreeWidgetItem* CVornaTreeCtrl::FindInsertPosition(QTreeWidgetItem* parent, const QString& name, int image) const
{
    if (!parent || name.isEmpty())
        return nullptr;
    QTreeWidgetItem* after = nullptr;
    QTreeWidgetItem* lastOfTwo = nullptr;
    for (int i = 0; i < parent->childCount(); ++i) {
        QTreeWidgetItem* child = parent->child(i);
        const int childImage = GetItemImage(child);
        if (childImage != image) {
            if (childImage == 2)
                lastOfTwo = child;
            continue;
        }
        if (name.compare(child->text(0), Qt::CaseInsensitive) < 0)
            break;
        after = child;
    }
    if (!after && image == 1)
        return lastOfTwo;
    return after;
}

QRect CVornaTreeCtrl::StateImageRect(const QTreeWidgetItem* item) const
{
    const QRect row = item ? visualItemRect(item) : QRect();
    if (!row.isValid() || GetStateImage(item) <= 0)
        return QRect();
    const QSize box = stateImageSize();
    return QRect(QPoint(row.left(), row.top() + (row.height() - box.height()) / 2), box);
}

QTreeWidgetItem* CVornaTreeCtrl::HitTestStateImage(QPoint point) const
{
    QTreeWidgetItem* item = itemAt(point);
    return item && StateImageRect(item).contains(point) ? item : nullptr;
}

void CVornaTreeCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        if (QTreeWidgetItem* item = HitTestStateImage(event->position().toPoint()))
            SetCheck(item, checktree::kToggle);
    }
    QTreeWidget::mousePressEvent(event);
}

void CVornaTreeCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        if (HitTestStateImage(event->position().toPoint())) {
            // The folder neither opens nor closes.
            event->accept();
            return;
        }
    }
    QTreeWidget::mouseDoubleClickEvent(event);
}

void CVornaTreeCtrl::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        QTreeWidgetItem* item = currentItem();
        if (!item && !selectedItems().isEmpty())
            item = selectedItems().first();
        if (item)
            SetCheck(item, checktree::kToggle);
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}
