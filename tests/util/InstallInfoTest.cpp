#include "util/InstallInfo.h"

#include "platform/DataRoot.h"
#include "util/CRegistryEx.h"

#include <gtest/gtest.h>

#include <QFileInfo>

TEST(InstallInfo, ReadsTheShippedSupportAndVersionValues)
{
    QString url1, url2, tel, mail1, mail2;
    ASSERT_TRUE(ReadSupportInformation(url1, url2, tel, mail1, mail2));
    EXPECT_TRUE(url1.startsWith(QStringLiteral("https://")));
    EXPECT_TRUE(mail1.contains(QLatin1Char('@')));
    QString info, language, name, type, version, sp = QStringLiteral("sp");
    ASSERT_TRUE(ReadVersionInformation(info, language, name, type, version, sp));
    EXPECT_EQ(name, QStringLiteral("Vorna-Paginor 2002"));
    EXPECT_TRUE(sp.isEmpty());
}

TEST(InstallInfo, MissingKeyLeavesTheOutsAlone)
{
    platform::RegistryStore& store = platform::RegistryStore::instance();
    const QString key = QStringLiteral("Software\\Vornasoft\\Vorna-Paginor 2002(TEV)\\VersionInfo");
    ASSERT_EQ(store.deleteKey(platform::RegistryStore::setupRoot(platform::Hive::LocalMachine), key), 0);
    QString info = QStringLiteral("kept"), language, name, type, version, sp;
    EXPECT_FALSE(ReadVersionInformation(info, language, name, type, version, sp));
    EXPECT_EQ(info, QStringLiteral("kept"));
}

TEST(InstallInfo, InitRecordsTheInstallFolder)
{
    InitInstallFolder();
    CRegistryEx reg(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.Open(HKEY_LOCAL_MACHINE, QStringLiteral("Software\\Vornasoft\\Vorna-Paginor 2002(TEV)")));
    QString target;
    ASSERT_TRUE(reg.ReadString(QStringLiteral("TargetDir"), target));
    EXPECT_EQ(target, platform::installPath());
    EXPECT_TRUE(QFileInfo(target + QStringLiteral("/Bin/ULO.html")).isFile());
}
