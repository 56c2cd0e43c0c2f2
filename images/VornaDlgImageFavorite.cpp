#include "images/VornaDlgImageFavorite.h"

#include "images/ImageBookmarks.h"
#include "images/VornaDlgImageFavoriteInfo.h"
#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace imagefavorite_detail {

QPushButton* button(QWidget* parent, unsigned text, int id)
{
    auto* b = new QPushButton(LoadResString(text), parent);
    b->setObjectName(QStringLiteral("id_%1").arg(id));
    b->setAutoDefault(false);
    return b;
}

} // namespace imagefavorite_detail

VornaDlgImageFavorite::VornaDlgImageFavorite(QWidget* parent) : QDialog(parent)
{
    using imagefavorite_detail::button;
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(LoadResString(IDS_FAVORITE_TITLE));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("id_%1").arg(IDC_FAVORITE_LIST));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    QPushButton* add = button(this, IDS_FAVORITE_ADD, IDC_FAVORITE_ADD);
    m_btnEdit = button(this, IDS_FAVORITE_EDIT, IDC_FAVORITE_EDIT);
    m_btnDelete = button(this, IDS_FAVORITE_DELETE, IDC_FAVORITE_DELETE);
    QPushButton* close = button(this, IDS_FAVORITE_CLOSE, platform::IDCANCEL);

    auto* side = new QVBoxLayout;
    for (QPushButton* b : {add, m_btnEdit, m_btnDelete})
        side->addWidget(b);
    side->addStretch(1);
    side->addWidget(close);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(side);
    resize(360, 240);

    connect(add, &QPushButton::clicked, this, [this] { OnAdd(); });
    connect(m_btnEdit, &QPushButton::clicked, this, [this] { OnEdit(); });
    connect(m_btnDelete, &QPushButton::clicked, this, [this] { OnDelete(); });
    connect(close, &QPushButton::clicked, this, [this] { reject(); });
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] { OnSelChangeList(); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { OnEdit(); });
}

void VornaDlgImageFavorite::showEvent(QShowEvent* event)
{
    if (!m_bShownOnce) {
        m_bShownOnce = true;
        RefreshList();
        SelectItem(0);
    }
    QDialog::showEvent(event);
}

void VornaDlgImageFavorite::EnableButtons(bool enable)
{
    m_btnEdit->setEnabled(enable);
    m_btnDelete->setEnabled(enable);
}

void VornaDlgImageFavorite::SelectItem(int row)
{
    m_list->clearSelection();
    if (row >= 0 && row < m_list->count()) {
        m_list->setCurrentRow(row);
        m_list->item(row)->setSelected(true);
    }
}

void VornaDlgImageFavorite::RefreshList()
{
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    const QStringList names = ImageBookmarks::Names();
    m_list->addItems(names);
    EnableButtons(!names.isEmpty());
}

void VornaDlgImageFavorite::OnSelChangeList()
{
    const int selected = int(m_list->selectedItems().size());
    m_btnEdit->setEnabled(selected == 1);
    m_btnDelete->setEnabled(selected > 0);
}

void VornaDlgImageFavorite::OnAdd()
{
    const int count = m_list->count();
    if (count >= ImageBookmarks::kMaxBookmarks) {
        MessageBoxById(IDS_BOOKMARK_LIMIT);
        return;
    }
    VornaDlgImageFavoriteInfo info;
    info.m_nEditMode = 0;
    if (platform::runModal(info, VornaDlgImageFavoriteInfo::IDD) != platform::IDOK)
        return;
    RefreshList();
    SelectItem(count);
}

void VornaDlgImageFavorite::OnEdit()
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (selected.size() != 1)
        return;
    VornaDlgImageFavoriteInfo info;
    info.m_nEditMode = 1;
    info.m_strName = selected.front()->text();
    info.m_strPath = ImageBookmarks::Folder(info.m_strName);
    if (platform::runModal(info, VornaDlgImageFavoriteInfo::IDD) != platform::IDOK)
        return;
    // The bookmark stored again stands last.
    RefreshList();
    SelectItem(m_list->count() - 1);
    OnSelChangeList();
}

void VornaDlgImageFavorite::OnDelete()
{
    QStringList names;
    for (const QListWidgetItem* item : m_list->selectedItems())
        names << item->text();
    if (names.isEmpty())
        return;
    ImageBookmarks::Remove(names);
    RefreshList();
    SelectItem(0);
    if (m_list->count() == 0)
        EnableButtons(false);
}
