// The volumes of the folder combo and the image browser's drive list, read
// from the kernel's mount table.

#include "controls/FolderComboModel.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

const QByteArray kTable = "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
                          "23 22 0:21 / /proc rw shared:12 - proc proc rw\n"
                          "24 22 0:5 / /dev/shm rw - tmpfs tmpfs rw\n"
                          "30 22 8:17 / /media/hanako/My\\040Photos rw shared:40 - vfat /dev/sdb1 rw\n"
                          "31 22 11:0 / /media/hanako/DVD ro - iso9660 /dev/sr0 ro\n"
                          "32 22 0:50 / /mnt/nas rw - nfs4 nas.local:/export/photos rw,vers=4.2\n"
                          "33 22 0:51 / /mnt/share rw - cifs //server/share rw\n"
                          "34 22 8:33 / /srv/data rw - xfs /dev/sdc1 rw\n"
                          "35 22 8:33 / /srv/data rw - xfs /dev/sdc1 rw\n"
                          "broken line\n";

TEST(MountTable, TheTableGivesMountPointsTypesAndSourcesWithEscapesDecoded)
{
    const std::vector<FolderComboMount> mounts = ParseMountTable(kTable);
    ASSERT_EQ(mounts.size(), 9u);
    EXPECT_EQ(mounts[3].root, QStringLiteral("/media/hanako/My Photos"));
    EXPECT_EQ(mounts[3].type, QByteArray("vfat"));
    EXPECT_EQ(mounts[5].source, QStringLiteral("nas.local:/export/photos"));
}

TEST(MountTable, NetworkVolumesAreNamedFromTheTableAndNeverLookedAt)
{
    QStringList asked;
    const std::vector<FolderComboVolume> volumes = FolderComboVolumesOf(
        ParseMountTable(kTable),
        [&](const QString& root) {
            asked << root;
            return root != QLatin1String("/media/hanako/DVD"); // an empty drive
        },
        [&](const QString& root) {
            asked << root;
            return root == QLatin1String("/srv/data") ? QStringLiteral("Data") : QString();
        });
    // Neither the system's places, the root nor the empty drive; one of a
    // volume mounted twice.
    QStringList roots;
    for (const FolderComboVolume& volume : volumes)
        roots << volume.root;
    EXPECT_EQ(roots, (QStringList{QStringLiteral("/media/hanako/My Photos"), QStringLiteral("/mnt/nas"),
                                  QStringLiteral("/mnt/share"), QStringLiteral("/srv/data")}));
    EXPECT_FALSE(asked.contains(QStringLiteral("/mnt/nas")));
    EXPECT_FALSE(asked.contains(QStringLiteral("/mnt/share")));
    EXPECT_EQ(volumes[0].name, QStringLiteral("My Photos"));
    EXPECT_EQ(volumes[0].image, 5);
    EXPECT_EQ(volumes[1].name, QStringLiteral("nas.local:/export/photos"));
    EXPECT_EQ(volumes[1].image, 7);
    EXPECT_EQ(volumes[2].name, QStringLiteral("//server/share"));
    EXPECT_EQ(volumes[3].name, QStringLiteral("Data"));
}

} // namespace
