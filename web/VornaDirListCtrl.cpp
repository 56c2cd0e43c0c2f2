#include "web/VornaDirListCtrl.h"

#include "res/resource.h"
#include "util/ShellFolders.h"
#include "util/StringResources.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

namespace dirlistctrl_detail {

constexpr int kPictureRole = Qt::UserRole + 1;
constexpr int kPathRole = Qt::UserRole + 2;

QString withSlash(QString path)
{
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

QString withoutSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

QString computerText()
{
    return LoadResString(IDS_FOLDER_COMBO_COMPUTER);
}

QString documentsText()
{
    return LoadResString(IDS_FOLDER_COMBO_DOCUMENTS);
}

bool isDrivePicture(int picture)
{
    return picture >= VornaDirListCtrl::FixedDrivePicture && picture <= VornaDirListCtrl::NetworkDrivePicture;
}

} // namespace dirlistctrl_detail

VornaDirListCtrl::VornaDirListCtrl(QWidget* parent, FolderComboVolumeLister volumes)
    : QListWidget(parent), m_volumes(std::move(volumes))
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(kPictureWidth, kPictureWidth));
}

VornaDirListCtrl::~VornaDirListCtrl() = default;

void VornaDirListCtrl::InitImageList()
{
    const QImage strip(QStringLiteral(":/res/controls/%1.png").arg(IDB_FOLDER_COMBO));
    m_imageList.clear();
    for (int x = 0; x + kPictureWidth <= strip.width(); x += kPictureWidth) {
        QPixmap picture = QPixmap::fromImage(strip.copy(x, 0, kPictureWidth, strip.height()));
        picture.setMask(picture.createMaskFromColor(Qt::white, Qt::MaskInColor));
        m_imageList << picture;
    }
}

std::vector<FolderComboVolume> VornaDirListCtrl::Volumes() const
{
    std::vector<FolderComboVolume> volumes;
    FolderComboVolume root;
    root.root = QStringLiteral("/");
    root.name = QStringLiteral("/");
    root.image = FixedDrivePicture;
    volumes.push_back(root);
    const std::vector<FolderComboVolume> mounted = m_volumes ? m_volumes() : MountedFolderComboVolumes();
    volumes.insert(volumes.end(), mounted.begin(), mounted.end());
    return volumes;
}

bool VornaDirListCtrl::FindVolume(const QString& path, FolderComboVolume* found) const
{
    const QString clean = dirlistctrl_detail::withoutSlash(path);
    if (clean.isEmpty())
        return false;
    for (const FolderComboVolume& volume : Volumes()) {
        if (dirlistctrl_detail::withoutSlash(volume.root) == clean) {
            if (found)
                *found = volume;
            return true;
        }
    }
    return false;
}

QString VornaDirListCtrl::VolumeLabel(const FolderComboVolume& volume) const
{
    if (volume.root == QLatin1String("/"))
        return volume.root;
    return QStringLiteral("%1 (%2)").arg(volume.name, volume.root);
}

QString VornaDirListCtrl::VolumeOfLabel(const QString& text) const
{
    for (const FolderComboVolume& volume : Volumes()) {
        if (VolumeLabel(volume) == text)
            return volume.root;
    }
    return text;
}

int VornaDirListCtrl::GetItemImage(const QString& path) const
{
    // 1. A volume's label stands for its root.
    const QString place = dirlistctrl_detail::withoutSlash(VolumeOfLabel(path));
    // 2. A volume by its kind.
    FolderComboVolume volume;
    if (FindVolume(place, &volume))
        return volume.image;
    // 3. A folder, with or without folders in it.
    return HasSubfolders(place) ? ParentFolderPicture : FolderPicture;
}

bool VornaDirListCtrl::HasSubfolders(const QString& path) const
{
    const QString folder = VolumeOfLabel(path);
    if (folder.isEmpty())
        return false;
    QDir dir(folder);
    dir.setFilter(QDir::Dirs | QDir::NoDotAndDotDot);
    return !dir.entryList().isEmpty();
}

void VornaDirListCtrl::ResolveDisplayPath(QString& path)
{
    path = dirlistctrl_detail::withSlash(path);
    ResolveShellDisplayPath(path);
    path = dirlistctrl_detail::withSlash(path);
}

void VornaDirListCtrl::InsertEntry(int index, const QString& text, const QString& path, int picture)
{
    auto* item = new QListWidgetItem(text);
    item->setData(dirlistctrl_detail::kPathRole, path);
    SetEntryImage(item, picture);
    insertItem(qBound(0, index, count()), item);
}

void VornaDirListCtrl::SetEntryImage(QListWidgetItem* item, int picture)
{
    item->setData(dirlistctrl_detail::kPictureRole, picture);
    item->setIcon(picture >= 0 && picture < m_imageList.size() ? QIcon(m_imageList[picture]) : QIcon());
}

void VornaDirListCtrl::AddItem(int index, const QString& path, bool web)
{
    // 1. The picture.
    int picture = 0;
    if (web)
        picture = WebPicture;
    else if (path == dirlistctrl_detail::computerText())
        picture = ComputerPicture;
    else if (path == dirlistctrl_detail::documentsText())
        picture = DocumentsPicture;
    else
        picture = GetItemImage(path);
    // 2. The text: the last name of the path.
    QString text = dirlistctrl_detail::withoutSlash(path);
    if (text != QLatin1String("/"))
        text = text.mid(text.lastIndexOf(QLatin1Char('/')) + 1);
    // 3. A volume shows its label.
    FolderComboVolume volume;
    if (dirlistctrl_detail::isDrivePicture(picture) && FindVolume(path, &volume))
        text = VolumeLabel(volume);
    // 4. In it goes.
    InsertEntry(index, text, path, picture);
}

void VornaDirListCtrl::AddSubfolders(const QString& folder)
{
    QDir dir(folder);
    dir.setFilter(QDir::Dirs | QDir::NoDotAndDotDot);
    dir.setSorting(QDir::Unsorted);
    for (const QString& name : dir.entryList())
        AddItem(count(), dirlistctrl_detail::withSlash(folder) + name, false);
}

bool VornaDirListCtrl::ShowFolder(const QString& displayPath)
{
    // 1. A place ends with "/"; the list starts empty.
    const QString place = dirlistctrl_detail::withSlash(displayPath);
    clear();
    QString folder;
    if (place == DesktopDisplayPrefix()) {
        // 2. The desktop: the computer and the documents folder first, then its folders.
        setSortingEnabled(false);
        GetSpecialFolderPath(CSIDL_DESKTOPDIRECTORY, folder);
        AddItem(count(), dirlistctrl_detail::computerText(), false);
        AddItem(count(), dirlistctrl_detail::documentsText(), false);
        if (!folder.isEmpty())
            AddSubfolders(folder);
        return true;
    }
    if (place == ComputerDisplayPrefix()) {
        // 3. The computer: its volumes, as the system lists them.
        setSortingEnabled(false);
        for (const FolderComboVolume& volume : Volumes()) {
            if (QFileInfo(volume.root).isDir())
                AddItem(count(), volume.root, false);
        }
        return true;
    }
    if (place == DocumentsDisplayPrefix()) {
        // 4. The documents folder, sorted.
        GetSpecialFolderPath(CSIDL_PERSONAL, folder);
    } else {
        // 5. Any other place, sorted.
        folder = place;
        ResolveDisplayPath(folder);
    }
    setSortingEnabled(true);
    // 6. The folders in it.
    if (!folder.isEmpty())
        AddSubfolders(folder);
    // 7. Whether it held any.
    return count() > 0;
}

bool VornaDirListCtrl::OpenItem(QString& currentDisplayPath, const QString& text)
{
    const QString current = dirlistctrl_detail::withSlash(currentDisplayPath);
    const bool special = text == dirlistctrl_detail::computerText() || text == dirlistctrl_detail::documentsText();
    QString next;
    if (current == DesktopDisplayPrefix()) {
        next = special ? text : current + text;
    } else if (current == ComputerDisplayPrefix()) {
        // A volume is entered at its root; a volume gone since is not entered.
        const QString root = VolumeOfLabel(text);
        if (!FindVolume(root, nullptr))
            return false;
        next = root;
    } else {
        next = current + text;
    }
    QString folder = next;
    ResolveDisplayPath(folder);
    if (!special && !HasSubfolders(folder))
        return false;
    ShowFolder(next);
    currentDisplayPath = dirlistctrl_detail::withSlash(next);
    return true;
}

int VornaDirListCtrl::UpdateSelectedPath(int previous, int index, const QString& currentDisplayFolder,
                                         QString& displayPath)
{
    if (index == previous)
        return index;
    const QListWidgetItem* entry = item(index);
    const QString text = entry ? entry->text() : QString();
    if (text.isEmpty())
        return previous;
    const QString place = VolumeOfLabel(text);
    if (place == dirlistctrl_detail::computerText())
        displayPath = ComputerDisplayPrefix();
    else if (place == dirlistctrl_detail::documentsText())
        displayPath = DocumentsDisplayPrefix();
    else if (place.startsWith(QLatin1Char('/')))
        displayPath = place;
    else
        displayPath = dirlistctrl_detail::withSlash(currentDisplayFolder) + text;
    return index;
}

int VornaDirListCtrl::SelectItem(const QString& name, const QString& currentFolder)
{
    // 1. No name, no entry.
    if (name.isEmpty())
        return -1;
    // 2. The first entry of that name.
    int found = -1;
    for (int i = 0; i < count() && found < 0; ++i) {
        if (VolumeOfLabel(item(i)->text()).compare(name, Qt::CaseInsensitive) == 0 ||
            item(i)->text().compare(name, Qt::CaseInsensitive) == 0)
            found = i;
    }
    if (found < 0)
        return -1;
    QListWidgetItem* entry = item(found);
    // 3, 4. Outside the computer an entry shows itself as the selected one.
    const bool computer = dirlistctrl_detail::withSlash(currentFolder) == ComputerDisplayPrefix() ||
                          name == dirlistctrl_detail::computerText();
    if (!computer) {
        const int picture = itemImage(found);
        const QString path = itemPath(found);
        if (picture == FolderPicture || picture == ParentFolderPicture)
            SetEntryImage(entry, HasSubfolders(path) ? SelectedParentFolderPicture : SelectedFolderPicture);
        else if (picture != WebPicture && picture != ComputerPicture && picture != DocumentsPicture)
            SetEntryImage(entry, GetItemImage(path));
    }
    setCurrentItem(entry);
    entry->setSelected(true);
    scrollToItem(entry, computer ? QAbstractItemView::EnsureVisible : QAbstractItemView::PositionAtCenter);
    // 5. Its index.
    return found;
}

int VornaDirListCtrl::itemImage(int row) const
{
    const QListWidgetItem* entry = item(row);
    return entry ? entry->data(dirlistctrl_detail::kPictureRole).toInt() : -1;
}

QString VornaDirListCtrl::itemPath(int row) const
{
    const QListWidgetItem* entry = item(row);
    return entry ? entry->data(dirlistctrl_detail::kPathRole).toString() : QString();
}
