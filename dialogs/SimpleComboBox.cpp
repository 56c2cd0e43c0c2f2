#include "dialogs/SimpleComboBox.h"

#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

SimpleComboBox::SimpleComboBox(QWidget* parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_list(new QListWidget(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_edit);
    layout->addWidget(m_list);
    setFocusProxy(m_edit);
    connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int index = m_list->row(item);
        m_edit->setText(item->text());
        emit activated(index);
    });
    connect(m_edit, &QLineEdit::textEdited, this, [this](const QString& text) {
        int found = -1;
        for (int i = 0; i < m_list->count() && !text.isEmpty(); ++i) {
            if (m_list->item(i)->text().startsWith(text, Qt::CaseInsensitive)) {
                found = i;
                break;
            }
        }
        const QSignalBlocker blocker(m_list);
        m_list->setCurrentRow(found);
        if (found >= 0)
            m_list->scrollToItem(m_list->item(found));
        else
            m_list->clearSelection();
        emit textEdited(text);
    });
}

void SimpleComboBox::setItems(const QStringList& items)
{
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    m_list->addItems(items);
    m_list->setCurrentRow(-1);
}

int SimpleComboBox::count() const
{
    return m_list->count();
}

QString SimpleComboBox::itemText(int index) const
{
    const QListWidgetItem* item = m_list->item(index);
    return item ? item->text() : QString();
}

int SimpleComboBox::currentIndex() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item && item->isSelected() ? m_list->row(item) : -1;
}

void SimpleComboBox::setCurrentIndex(int index)
{
    const QSignalBlocker blocker(m_list);
    if (index < 0 || index >= m_list->count()) {
        m_list->setCurrentRow(-1);
        m_list->clearSelection();
        m_edit->clear();
        return;
    }
    m_list->setCurrentRow(index);
    m_list->scrollToItem(m_list->item(index));
    m_edit->setText(m_list->item(index)->text());
}

QString SimpleComboBox::text() const
{
    return m_edit->text();
}
