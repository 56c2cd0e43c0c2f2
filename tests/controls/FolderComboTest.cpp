// The drive and folder combo over a folder tree of its own and a made-up
// list of volumes.

#include "ReviewPicture.h"

#include "controls/CFolderComboBox.h"
#include "controls/FolderComboModel.h"
#include "util/ShellFolders.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

QString desktopText()
{
    return FolderComboModel::DesktopText();
}
QString computerText()
{
    return FolderComboModel::ComputerText();
}
QString documentsText()
{
    return FolderComboModel::DocumentsText();
}

// A desktop and a documents folder in the test's home, a site on the root
// volume, and two volumes: a USB stick holding photos and a network share.
struct Folders
{
    QTemporaryDir dir;
    QString site;    // .../site/pages/diary
    QString usb;     // a volume
    QString nas;     // a volume
    QString desktop; // the desktop folder
    QString documents;

    Folders()
    {
        desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QDir().mkpath(desktop + QString::fromUtf8("/メモ"));
        QDir().mkpath(documents + "/My Web/hanako");
        site = dir.path() + "/site/pages/diary";
        QDir().mkpath(site);
        usb = dir.path() + "/media/USB";
        nas = dir.path() + "/net/NAS";
        QDir().mkpath(usb + QString::fromUtf8("/写真/2002"));
        QDir().mkpath(usb + "/photos");
        QDir().mkpath(nas);
    }

    FolderComboVolumeLister volumes() const
    {
        const QString u = usb;
        const QString n = nas;
        return [u, n] { return std::vector<FolderComboVolume>{{n, "NAS", 7}, {u, "USB", 5}}; };
    }
};

struct Entry
{
    QString text;
    int level;
    int picture;
};

std::vector<Entry> entries(const CFolderComboBox& combo)
{
    std::vector<Entry> list;
    for (int i = 0; i < combo.model().GetCount(); ++i)
        list.push_back({combo.model().GetItem(i).m_strText, combo.model().GetItem(i).m_nLevel, combo.PictureOf(i)});
    return list;
}

int indexOf(const CFolderComboBox& combo, const QString& text)
{
    for (int i = 0; i < combo.model().GetCount(); ++i) {
        if (combo.model().GetItem(i).m_strText == text)
            return i;
    }
    return -1;
}

// Picks an entry as the user does, and applies it.
QString choose(CFolderComboBox& combo, int index)
{
    int last = -1;
    combo.setCurrentIndex(index);
    combo.ApplySelection(&last);
    EXPECT_EQ(last, index);
    return combo.GetCurrentPath();
}

} // namespace

TEST(FolderComboTest, AFolderOnAVolumeIsListedUnderItAndSelectedOpen)
{
    Folders f;
    CFolderComboBox combo(nullptr, f.volumes());
    ASSERT_GE(combo.SelectFolder(f.usb + QString::fromUtf8("/写真/2002")), 0);
    const std::vector<Entry> list = entries(combo);
    ASSERT_GE(list.size(), 7u);
    EXPECT_EQ(list[0].text, desktopText());
    EXPECT_EQ(list[0].level, 1);
    EXPECT_EQ(list[0].picture, 0);
    EXPECT_EQ(list[1].text, computerText());
    EXPECT_EQ(list[1].picture, 3);
    EXPECT_EQ(list[2].text, "NAS (" + f.nas + ")");
    EXPECT_EQ(list[2].picture, 7);
    EXPECT_EQ(list[3].text, "USB (" + f.usb + ")");
    EXPECT_EQ(list[3].picture, 5);
    EXPECT_EQ(list[4].text, QString::fromUtf8("写真"));
    EXPECT_EQ(list[4].level, 4);
    EXPECT_EQ(list[4].picture, 1);
    EXPECT_EQ(list[5].text, "2002");
    EXPECT_EQ(list[5].level, 5);
    EXPECT_EQ(list[5].picture, 2); // the current folder, open
    EXPECT_EQ(list[6].text, documentsText());
    EXPECT_EQ(list[6].picture, 12);
    EXPECT_EQ(combo.currentIndex(), 5);
    EXPECT_EQ(combo.GetCurrentPath(), f.usb + QString::fromUtf8("/写真/2002/"));
    QString path;
    EXPECT_TRUE(combo.GetItemPath(5, path));
    EXPECT_EQ(path, f.usb + QString::fromUtf8("/写真/2002"));
}

TEST(FolderComboTest, ChoosingAVolumeOrAFolderYieldsItsPath)
{
    Folders f;
    CFolderComboBox combo(nullptr, f.volumes());
    combo.SelectFolder(f.usb + QString::fromUtf8("/写真/2002/"));
    EXPECT_EQ(choose(combo, indexOf(combo, QString::fromUtf8("写真"))), f.usb + QString::fromUtf8("/写真/"));
    EXPECT_EQ(combo.currentIndex(), indexOf(combo, QString::fromUtf8("写真")));
    EXPECT_EQ(indexOf(combo, "2002"), -1);
    EXPECT_EQ(choose(combo, indexOf(combo, "NAS (" + f.nas + ")")), f.nas + "/");
    EXPECT_EQ(indexOf(combo, QString::fromUtf8("写真")), -1);
    EXPECT_EQ(combo.currentText(), "NAS (" + f.nas + ")");
    // The same entry again changes nothing.
    int last = combo.currentIndex();
    combo.ApplySelection(&last);
    EXPECT_EQ(combo.GetCurrentPath(), f.nas + "/");
}

TEST(FolderComboTest, FoldersOnTheRootVolumeFollowTheComputer)
{
    Folders f;
    CFolderComboBox combo(nullptr, f.volumes());
    combo.SelectFolder(f.site + "/");
    const QStringList names = QString(f.site).mid(1).split('/');
    const int computer = indexOf(combo, computerText());
    for (int i = 0; i < names.size(); ++i) {
        EXPECT_EQ(combo.model().GetItem(computer + 1 + i).m_strText, names[i]);
        EXPECT_EQ(combo.model().GetItem(computer + 1 + i).m_nLevel, 3 + i);
    }
    EXPECT_EQ(combo.currentIndex(), computer + names.size());
    EXPECT_EQ(combo.currentText(), "diary");
    // Its path is written under the computer, which the shell helpers read back.
    const QString chosen = choose(combo, computer + names.size() - 1);
    EXPECT_EQ(chosen, computerText() + f.site.left(f.site.lastIndexOf('/')) + "/");
    QString onDisk = chosen;
    ResolveShellDisplayPath(onDisk);
    EXPECT_EQ(onDisk, f.site.left(f.site.lastIndexOf('/')) + "/");
    // The computer itself.
    EXPECT_EQ(choose(combo, indexOf(combo, computerText())), computerText() + "/");
    EXPECT_EQ(combo.currentText(), computerText());
}

TEST(FolderComboTest, DocumentsAndDesktopFoldersAreListedAtTheEnd)
{
    Folders f;
    CFolderComboBox combo(nullptr, f.volumes());
    combo.SelectFolder(f.site);
    EXPECT_EQ(choose(combo, indexOf(combo, documentsText())), documentsText() + "/");
    EXPECT_EQ(combo.currentText(), documentsText());
    combo.SelectFolder(documentsText() + "/My Web/hanako/");
    const int documents = indexOf(combo, documentsText());
    EXPECT_EQ(combo.model().GetItem(documents + 1).m_strText, "My Web");
    EXPECT_EQ(combo.model().GetItem(documents + 1).m_nLevel, 3);
    EXPECT_EQ(combo.model().GetItem(documents + 2).m_nLevel, 4);
    EXPECT_EQ(combo.currentIndex(), documents + 2);
    EXPECT_EQ(combo.PictureOf(documents + 2), 2);
    EXPECT_EQ(choose(combo, documents + 1), documentsText() + "/My Web/");
    combo.SelectFolder(desktopText() + QString::fromUtf8("/メモ/"));
    const int memo = indexOf(combo, QString::fromUtf8("メモ"));
    EXPECT_EQ(memo, combo.count() - 1);
    EXPECT_EQ(combo.model().GetItem(memo).m_nLevel, 2);
    EXPECT_EQ(combo.currentIndex(), memo);
    EXPECT_EQ(combo.GetItemDisplayPath(memo), desktopText() + QString::fromUtf8("/メモ"));
    EXPECT_EQ(choose(combo, 0), desktopText() + "/");
}

TEST(FolderComboTest, APathWithoutItsLastSlashListsFoldersUpToIt)
{
    Folders f;
    CFolderComboBox combo(nullptr, f.volumes());
    combo.SetCurrentPath(f.usb + QString::fromUtf8("/写真/2002"));
    combo.ClearItems(false);
    combo.FillFolders();
    EXPECT_NE(indexOf(combo, QString::fromUtf8("写真")), -1);
    EXPECT_EQ(indexOf(combo, "2002"), -1);
}

TEST(FolderComboTest, MissingFoldersAndOtherSpellingsSelectTheNearestEntry)
{
    Folders f;
    CFolderComboBox combo(nullptr, f.volumes());
    // The folder went away: what exists is listed, its parent chosen.
    combo.SelectFolder(f.usb + QString::fromUtf8("/写真/1999/春/"));
    EXPECT_EQ(indexOf(combo, QString::fromUtf8("1999")), -1);
    EXPECT_EQ(combo.currentText(), QString::fromUtf8("写真"));
    // A volume unmounted meanwhile: its folders are no longer on the list.
    CFolderComboBox without(nullptr, [] { return std::vector<FolderComboVolume>{}; });
    without.SelectFolder(f.dir.path() + "/gone/USB/photos/");
    EXPECT_EQ(indexOf(without, "USB"), -1);
    EXPECT_EQ(without.currentText(), QDir(f.dir.path()).dirName());
    // Paths compare exactly: another case is another folder.
    combo.SelectFolder(f.usb + "/PHOTOS/");
    EXPECT_EQ(indexOf(combo, "photos"), -1);
    EXPECT_EQ(indexOf(combo, "PHOTOS"), -1);
    EXPECT_EQ(combo.currentText(), "USB (" + f.usb + ")");
    combo.SelectFolder(f.usb + "//" + QString::fromUtf8("写真") + "/");
    EXPECT_EQ(indexOf(combo, QString::fromUtf8("写真")), -1);
}

TEST(FolderComboTest, TheMountedVolumesAreRealFolders)
{
    for (const FolderComboVolume& volume : MountedFolderComboVolumes()) {
        EXPECT_TRUE(QFileInfo(volume.root).isDir()) << volume.root.toStdString();
        EXPECT_NE(volume.root, "/");
        EXPECT_FALSE(volume.root.startsWith("/proc")) << volume.root.toStdString();
        EXPECT_FALSE(volume.name.isEmpty());
        EXPECT_GE(volume.image, 4);
        EXPECT_LE(volume.image, 7);
    }
}

TEST(ControlsScreenshot, FolderComboOpen)
{
    Folders f;
    QWidget window;
    window.resize(420, 360);
    auto* combo = new CFolderComboBox(&window, f.volumes());
    combo->setGeometry(10, 10, 400, 26);
    combo->SelectFolder(f.usb + QString::fromUtf8("/写真/2002/"));
    window.show();
    QApplication::setActiveWindow(&window);
    combo->showPopup();
    QCoreApplication::processEvents();
    QAbstractItemView* list = combo->view();
    ASSERT_TRUE(list->isVisible());
    // The open list and the closed box together.
    QImage picture(420, 40 + list->window()->height(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        painter.drawImage(0, 0, window.grab(QRect(0, 0, 420, 40)).toImage());
        painter.drawImage(10, 40, list->window()->grab().toImage());
    }
    combo->hidePopup();
    EXPECT_TRUE(saveForReview(picture, "folder-combo.png"));
}
