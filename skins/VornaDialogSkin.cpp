#include "skins/VornaDialogSkin.h"

#include "controls/VornaIconListCtrl.h"
#include "platform/ModalRunner.h"
#include "res/resource.h"
#include "skins/VornaSkinData.h"
#include "skins/VornaSkinManager.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vornadialogskin_detail {

QString controlName(int id)
{
    return QStringLiteral("id_%1").arg(id);
}

// Built-in skins, each put in front in turn: the list starts with the last.
const char* const kBuiltIn[] = {"winter", "autumn", "summer", "spring", "metal", "classic"};

} // namespace vornadialogskin_detail

using namespace vornadialogskin_detail;

VornaDialogSkin::VornaDialogSkin(QWidget* parent) : QDialog(parent)
{
    setObjectName(controlName(IDD_SKIN));
    setWindowTitle(LoadResString(IDS_SKIN_CAPTION));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(LoadResString(IDS_SKIN_KINDS), this);
    layout->addWidget(label);
    m_list = new VornaIconListCtrl(this);
    m_list->setObjectName(controlName(IDC_SKIN_LIST));
    m_list->setIconSize(QSize(80, 50));
    m_list->setGridSize(QSize(104, 80));
    m_list->setMinimumSize(340, 200);
    layout->addWidget(m_list);
    layout->addWidget(new QLabel(this));
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(LoadResString(IDS_SKIN_OK), QDialogButtonBox::AcceptRole);
    ok->setObjectName(controlName(platform::IDOK));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(LoadResString(IDS_SKIN_CANCEL), QDialogButtonBox::RejectRole);
    cancel->setObjectName(controlName(platform::IDCANCEL));
    layout->addWidget(buttons);
    connect(ok, &QPushButton::clicked, this, &VornaDialogSkin::OnOK);
    connect(cancel, &QPushButton::clicked, this, [this] { done(platform::IDCANCEL); });
    // The choice is the selected skin; the current item alone (the list
    // makes its first one current when it takes the focus) chooses nothing.
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = m_list->selectedItems();
        OnItemChanged(selected.isEmpty() ? nullptr : selected.first());
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &VornaDialogSkin::OnItemDoubleClicked);
}

VornaDialogSkin::~VornaDialogSkin() = default;

int VornaDialogSkin::DoModal()
{
    m_strSkinsFolder = VornaSkinData::SkinsFolder();
    LoadSkinList();
    return platform::runModal(*this, IDD_SKIN);
}

QStringList VornaDialogSkin::SkinNames(const QString& skinsFolder, const QString& mask)
{
    QStringList names =
        QDir(skinsFolder).entryList(QStringList{mask}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const char* builtIn : kBuiltIn) {
        const QString name = QString::fromLatin1(builtIn);
        for (qsizetype i = 0; i < names.size(); ++i) {
            if (names.at(i).compare(name, Qt::CaseInsensitive) == 0) {
                names.removeAt(i);
                names.prepend(name);
                break;
            }
        }
    }
    return names;
}

void VornaDialogSkin::LoadSkinList()
{
    m_list->clear();
    m_list->m_strFolder = m_strSkinsFolder;
    const QStringList names = SkinNames(m_strSkinsFolder, m_strSearchMask);
    for (int i = 0; i < names.size(); ++i)
        m_list->InsertItem(i, names.at(i));
    // The skin in use carries the focus mark, unselected: the list opens on
    // it, and OK still wants a choice.
    const QString active = VornaSkinManager::GetInstance().ActiveSkinName();
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->text().compare(active, Qt::CaseInsensitive) == 0) {
            m_list->setCurrentRow(i, QItemSelectionModel::NoUpdate);
            break;
        }
    }
}

void VornaDialogSkin::OnItemChanged(QListWidgetItem* item)
{
    m_strSelected = item ? item->text() : QString();
}

void VornaDialogSkin::OnItemDoubleClicked(QListWidgetItem* item)
{
    m_strSelected = item ? item->text() : QString();
    if (!m_strSelected.isEmpty())
        OnOK();
}

void VornaDialogSkin::OnOK()
{
    if (m_strSelected.isEmpty()) {
        MessageBoxById(IDS_SKIN_NOT_CHOSEN);
        return;
    }
    done(platform::IDOK);
}

bool VornaDialogSkin::event(QEvent* event)
{
    // Enter presses the focused button rather than the default one.
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
                button->setDefault(true);
        }
    }
    return QDialog::event(event);
}
