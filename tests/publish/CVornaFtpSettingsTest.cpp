#include "publish/CVornaFtp.h"

#include "FakeFtpClient.h"
#include "platform/DataRoot.h"
#include "platform/RegistryStore.h"
#include "util/CRegistryEx.h"

#include <gtest/gtest.h>

#include <QFile>

using platform::Hive;
using platform::RegistryStore;
using platform::RegKey;
using platform::RegValue;

namespace {

std::unique_ptr<CVornaFtp> makeEngine()
{
    return std::make_unique<CVornaFtp>(std::make_unique<FakeFtpClient>());
}

QString webKey(const QString& web)
{
    return CVornaFtp::SettingsKey() + u'\\' + web;
}

void putValue(Hive hive, const QString& key, const QString& name, const RegValue& value)
{
    RegistryStore& store = RegistryStore::instance();
    RegKey k;
    ASSERT_EQ(store.createKey(RegistryStore::setupRoot(hive), key, &k), 0);
    ASSERT_EQ(store.setValue(k, name, value), 0);
    store.closeKey(k);
}

bool readValue(Hive hive, const QString& key, const QString& name, RegValue* value)
{
    RegistryStore& store = RegistryStore::instance();
    RegKey k;
    return store.openKey(RegKey::root(hive), key, &k) == 0 && store.queryValue(k, name, value) == 0;
}

TEST(CVornaFtpSettings, SavedSettingsLoadBackAndStayPrivateToTheUser)
{
    auto saver = makeEngine();
    saver->SetWebName(QStringLiteral("私のウェブ"));
    saver->ResetWebSettings();
    saver->SetFtpHost(QStringLiteral("ftp.example.jp"));
    saver->SetFtpId(QStringLiteral("taro"));
    saver->SetFtpPassword(QStringLiteral("パスワード"));
    saver->SetFtpDir(QStringLiteral("/www/"));
    saver->SetHttpUrl(QStringLiteral("http://example.jp/"));
    saver->SetFtpPort(QStringLiteral("2121"));
    saver->SetFtpPassive(0);
    saver->SaveWebSettings();

    auto loader = makeEngine();
    loader->SetWebName(QStringLiteral("私のウェブ"));
    loader->ResetWebSettings();
    loader->SetFtpPassive(1);
    loader->LoadWebSettings();
    EXPECT_EQ(loader->GetFtpHost(), QStringLiteral("ftp.example.jp"));
    EXPECT_EQ(loader->GetFtpId(), QStringLiteral("taro"));
    EXPECT_EQ(loader->GetFtpPassword(), QStringLiteral("パスワード"));
    EXPECT_EQ(loader->GetFtpDir(), QStringLiteral("/www/"));
    EXPECT_EQ(loader->GetHttpUrl(), QStringLiteral("http://example.jp/"));
    EXPECT_EQ(loader->GetFtpPort(), QStringLiteral("2121"));
    EXPECT_EQ(loader->GetFtpTimeout(), QStringLiteral("10"));
    EXPECT_EQ(loader->GetFtpPassive(), 0);

    RegistryStore::instance().save(Hive::CurrentUser);
    const QString hiveFile = RegistryStore::instance().filePath(Hive::CurrentUser);
    ASSERT_TRUE(QFile::exists(hiveFile));
    const QFile::Permissions permissions = QFile::permissions(hiveFile);
    EXPECT_TRUE(permissions.testFlags(QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_FALSE(permissions & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
}

TEST(CVornaFtpSettings, LoadWritesMissingTimeOutAndPassiveBack)
{
    putValue(Hive::CurrentUser, webKey("old"), "ftp_host", RegValue::fromString("host"));
    putValue(Hive::CurrentUser, webKey("old"), "ftp_id", RegValue::fromString(QString(250, u'x')));
    auto engine = makeEngine();
    engine->SetWebName("old");
    engine->ResetWebSettings();
    engine->SetFtpId("kept");
    engine->SetFtpPassive(0);
    engine->LoadWebSettings();
    EXPECT_EQ(engine->GetFtpHost(), QStringLiteral("host"));
    EXPECT_EQ(engine->GetFtpId(), QStringLiteral("kept")); // too long to read
    EXPECT_EQ(engine->GetFtpPort(), QStringLiteral("21"));
    EXPECT_EQ(engine->GetFtpPassive(), 1);
    RegValue value;
    ASSERT_TRUE(readValue(Hive::CurrentUser, webKey("old"), "ftp_timeout", &value));
    EXPECT_EQ(value.text, QStringLiteral("10"));
    ASSERT_TRUE(readValue(Hive::CurrentUser, webKey("old"), "ftp_passive", &value));
    EXPECT_EQ(value.dword, 1u);

    // A web without a key, and no web at all, read and write nothing.
    auto other = makeEngine();
    other->SetWebName("missing");
    other->ResetWebSettings();
    other->LoadWebSettings();
    EXPECT_EQ(other->GetFtpHost(), QString());
    other->SetWebName(QString());
    other->LoadWebSettings();
    EXPECT_FALSE(readValue(Hive::CurrentUser, webKey("missing"), "ftp_timeout", &value));
    EXPECT_FALSE(readValue(Hive::CurrentUser, CVornaFtp::SettingsKey(), "ftp_timeout", &value));
}

TEST(CVornaFtpSettings, ActiveWebNeedsTheSettingsKey)
{
    auto engine = makeEngine();
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (reg.Open(HKEY_CURRENT_USER, CVornaFtp::SettingsKey())) {
        reg.Close();
        RegistryStore::instance().deleteKey(RegistryStore::setupRoot(Hive::CurrentUser), CVornaFtp::SettingsKey());
    }
    EXPECT_FALSE(engine->SetActiveWeb("site"));
    EXPECT_EQ(engine->GetActiveWeb(), QString());
    putValue(Hive::CurrentUser, CVornaFtp::SettingsKey(), "other", RegValue::fromDWord(1));
    EXPECT_TRUE(engine->SetActiveWeb("site"));
    EXPECT_EQ(engine->GetActiveWeb(), QStringLiteral("site"));
}

TEST(CVornaFtpProductSettings, ShowGuideFollowsTheUsersProductKey)
{
    RegistryStore& store = RegistryStore::instance();
    const RegKey root = RegistryStore::setupRoot(Hive::CurrentUser);
    auto engine = makeEngine();

    putValue(Hive::CurrentUser, CVornaFtp::ProductKey(), "SHOW_GUIDE", RegValue::fromDWord(0));
    EXPECT_TRUE(engine->GetShowGuide());
    EXPECT_EQ(engine->GetShowGuideFlag(), 0);

    RegKey product;
    ASSERT_EQ(store.openKey(root, CVornaFtp::ProductKey(), &product), 0);
    store.deleteValue(product, "SHOW_GUIDE");
    store.closeKey(product);
    EXPECT_TRUE(engine->GetShowGuide());
    EXPECT_EQ(engine->GetShowGuideFlag(), 1);

    // Without the product key (and so without anything below it) no guide.
    QStringList below;
    store.subKeyNames(product, &below);
    for (const QString& key : below) {
        QStringList deeper;
        RegKey k;
        store.openKey(product, key, &k);
        store.subKeyNames(k, &deeper);
        for (const QString& d : deeper)
            store.deleteKey(k, d);
        store.deleteKey(product, key);
    }
    ASSERT_EQ(store.deleteKey(root, CVornaFtp::ProductKey()), 0);
    EXPECT_FALSE(engine->GetShowGuide());
}

TEST(CVornaFtpProductSettings, InstallFolderAndWebObjects)
{
    auto engine = makeEngine();
    EXPECT_EQ(engine->GetTargetDir(), platform::installPath());
    // The installation's addresses of the service, each ready for its query.
    for (const QString& start : {engine->GetWebObjectBoard(), engine->GetWebObjectVisitor(),
                                 engine->GetWebObjectCounter(), engine->GetWebObjectCounterSetValue()}) {
        EXPECT_TRUE(start.startsWith(QLatin1String("https://"))) << start.toStdString();
        EXPECT_TRUE(start.endsWith(QLatin1Char('?'))) << start.toStdString();
    }
    // Links of the board and the guest book are told apart by their addresses.
    EXPECT_TRUE(engine->GetWebObjectBoard().contains(QLatin1String("/BODR")));
    EXPECT_TRUE(engine->GetWebObjectVisitor().contains(QLatin1String(".GBODR")));
    EXPECT_TRUE(engine->LoadServiceUrls());
    EXPECT_TRUE(engine->GetAccountPageUrl().startsWith(QLatin1String("https://")));

    putValue(Hive::LocalMachine, CVornaFtp::ProductKey(), "TargetDir", RegValue::fromString("/opt/paginor"));
    const QString objects = CVornaFtp::ProductKey() + QStringLiteral("\\Web Object");
    putValue(Hive::LocalMachine, objects, "Board", RegValue::fromString("b-1"));
    putValue(Hive::LocalMachine, objects, "Visitor", RegValue::fromString("v-2"));
    putValue(Hive::LocalMachine, objects, "Counter", RegValue::fromString("c-3"));
    putValue(Hive::LocalMachine, objects, "Counter_SetValue", RegValue::fromString("100"));
    EXPECT_EQ(engine->GetTargetDir(), QStringLiteral("/opt/paginor"));
    EXPECT_EQ(engine->GetWebObjectBoard(), QStringLiteral("b-1"));
    EXPECT_EQ(engine->GetWebObjectVisitor(), QStringLiteral("v-2"));
    EXPECT_EQ(engine->GetWebObjectCounter(), QStringLiteral("c-3"));
    EXPECT_EQ(engine->GetWebObjectCounterSetValue(), QStringLiteral("100"));

    // Without the service's key the addresses stay as they were.
    RegistryStore& store = RegistryStore::instance();
    RegKey product;
    ASSERT_EQ(store.openKey(RegistryStore::setupRoot(Hive::LocalMachine), CVornaFtp::ProductKey(), &product), 0);
    ASSERT_EQ(store.deleteKey(product, QStringLiteral("Web Service")), 0);
    store.closeKey(product);
    auto fresh = makeEngine();
    EXPECT_FALSE(fresh->LoadServiceUrls());
    EXPECT_EQ(fresh->GetAccountPageUrl(), QString());
    EXPECT_FALSE(engine->LoadServiceUrls());
    EXPECT_TRUE(engine->GetAccountPageUrl().startsWith(QLatin1String("https://")));
}

} // namespace
