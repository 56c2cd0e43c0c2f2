#include "platform/RegistryStore.h"

#include "support/SmallFileSystem.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace platform;

namespace {

const QString kProduct = QStringLiteral("Software\\Vornasoft\\Vorna-Paginor 2002(TEV)");

class RegistryStoreTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString folder() const { return dir.path() + QStringLiteral("/config"); }
    QString defaults() const { return dir.path() + QStringLiteral("/defaults"); }

    // Writes hive defaults by way of a store in the defaults folder.
    void writeDefaults(const std::function<void(RegistryStore&)>& fill)
    {
        RegistryStore seed(defaults(), QString());
        fill(seed);
        ASSERT_TRUE(seed.save(Hive::CurrentUser));
        ASSERT_TRUE(seed.save(Hive::LocalMachine));
    }

    static RegKey create(RegistryStore& store, const RegKey& parent, const QString& path)
    {
        RegKey key;
        EXPECT_EQ(store.createKey(parent, path, &key), RegError::Success);
        return key;
    }
};

} // namespace

TEST_F(RegistryStoreTest, TypedValuesKeepTypeDataAndSize)
{
    RegistryStore store(folder(), defaults());
    const RegKey key = create(store, RegKey::root(Hive::CurrentUser), kProduct);
    const struct
    {
        const char* name;
        RegValue value;
        quint32 size;
    } cases[] = {
        {"dword", RegValue::fromDWord(0xDEADBEEF), 4},
        {"string", RegValue::fromString(QStringLiteral("日本語")), 4},
        {"empty", RegValue::fromString(QString()), 1},
        {"binary", RegValue::fromBinary(QByteArray("\0\1\2", 3)), 3},
        {"multi", RegValue::fromMultiString({QStringLiteral("ab"), QStringLiteral("c")}), 6},
    };
    for (const auto& c : cases)
        ASSERT_EQ(store.setValue(key, QString::fromLatin1(c.name), c.value), RegError::Success);
    store.closeKey(key);

    RegistryStore reread(folder(), defaults());
    for (const auto& c : cases) {
        RegValue read;
        ASSERT_EQ(reread.queryValue(key, QString::fromLatin1(c.name), &read), RegError::Success) << c.name;
        EXPECT_EQ(read, c.value) << c.name;
        EXPECT_EQ(read.size(), c.size) << c.name;
        EXPECT_EQ(quint32(read.bytes().size()), c.size) << c.name;
    }
}

TEST_F(RegistryStoreTest, NamesCompareWithoutCaseAndKeepTheirCase)
{
    RegistryStore store(folder(), defaults());
    const RegKey root = RegKey::root(Hive::CurrentUser);
    create(store, root, QStringLiteral("Software\\Vornasoft"));
    RegKey key;
    ASSERT_EQ(store.openKey(root, QStringLiteral("SOFTWARE\\vornasoft"), &key), RegError::Success);
    EXPECT_EQ(key.path, QStringLiteral("Software\\Vornasoft"));
    ASSERT_EQ(store.setValue(key, QStringLiteral("Recent Web"), RegValue::fromString(QStringLiteral("a"))), 0);
    ASSERT_EQ(store.setValue(key, QStringLiteral("RECENT WEB"), RegValue::fromString(QStringLiteral("b"))), 0);

    QStringList names;
    ASSERT_EQ(store.valueNames(key, &names), RegError::Success);
    EXPECT_EQ(names, QStringList{QStringLiteral("Recent Web")});
    RegValue value;
    ASSERT_EQ(store.queryValue(key, QStringLiteral("recent web"), &value), RegError::Success);
    EXPECT_EQ(value.text, QStringLiteral("b"));
    ASSERT_EQ(store.subKeyNames(root, &names), RegError::Success);
    EXPECT_EQ(names, QStringList{QStringLiteral("Software")});
}

TEST_F(RegistryStoreTest, EnumeratesSubkeysAlphabeticallyAndValuesInOrderMade)
{
    RegistryStore store(folder(), defaults());
    const RegKey key = create(store, RegKey::root(Hive::CurrentUser), kProduct);
    for (const char* name : {"web b", "Web a", "web C"})
        create(store, key, QString::fromLatin1(name));
    for (const char* name : {"z", "A", "m"})
        store.setValue(key, QString::fromLatin1(name), RegValue::fromDWord(1));
    QStringList names;
    store.subKeyNames(key, &names);
    EXPECT_EQ(names, (QStringList{QStringLiteral("Web a"), QStringLiteral("web b"), QStringLiteral("web C")}));
    store.valueNames(key, &names);
    EXPECT_EQ(names, (QStringList{QStringLiteral("z"), QStringLiteral("A"), QStringLiteral("m")}));
}

TEST_F(RegistryStoreTest, MissingKeysAndValuesAreNotFound)
{
    RegistryStore store(folder(), defaults());
    const RegKey root = RegKey::root(Hive::CurrentUser);
    RegKey key;
    EXPECT_EQ(store.openKey(root, QStringLiteral("Software\\Nobody"), &key), RegError::FileNotFound);
    key = create(store, root, kProduct);
    EXPECT_EQ(store.queryValue(key, QStringLiteral("absent"), nullptr), RegError::FileNotFound);
    EXPECT_EQ(store.deleteValue(key, QStringLiteral("absent")), RegError::FileNotFound);
    QStringList untouched{QStringLiteral("x")};
    EXPECT_EQ(store.subKeyNames(RegKey{Hive::CurrentUser, QStringLiteral("Gone"), true, true}, &untouched),
              RegError::FileNotFound);
    EXPECT_EQ(untouched, QStringList{QStringLiteral("x")});
}

TEST_F(RegistryStoreTest, MachineHiveIsReadOnlyForTheProgram)
{
    RegistryStore store(folder(), defaults());
    create(store, RegistryStore::setupRoot(Hive::LocalMachine), kProduct);
    const RegKey machine = RegKey::root(Hive::LocalMachine);
    RegKey key;
    ASSERT_EQ(store.openKey(machine, kProduct, &key), RegError::Success);
    EXPECT_FALSE(key.writable);
    EXPECT_EQ(store.setValue(key, QStringLiteral("x"), RegValue::fromDWord(1)), RegError::AccessDenied);
    EXPECT_EQ(store.createKey(machine, QStringLiteral("Software\\New"), &key), RegError::AccessDenied);
    EXPECT_EQ(store.deleteKey(machine, kProduct), RegError::AccessDenied);
    EXPECT_FALSE(store.keyExists(RegKey{Hive::LocalMachine, QStringLiteral("Software\\New"), false, true}));
}

TEST_F(RegistryStoreTest, DeleteKeyRefusesKeysWithSubkeys)
{
    RegistryStore store(folder(), defaults());
    const RegKey root = RegKey::root(Hive::CurrentUser);
    const RegKey web = create(store, root, kProduct + QStringLiteral("\\Web Property\\site"));
    store.setValue(web, QStringLiteral("Host"), RegValue::fromString(QStringLiteral("h")));
    EXPECT_EQ(store.deleteKey(root, kProduct + QStringLiteral("\\Web Property")), RegError::AccessDenied);
    EXPECT_EQ(store.deleteKey(root, kProduct + QStringLiteral("\\web property\\SITE")), RegError::Success);
    EXPECT_FALSE(store.keyExists(web));
    EXPECT_EQ(store.deleteKey(root, kProduct + QStringLiteral("\\Web Property\\site")), RegError::FileNotFound);
}

TEST_F(RegistryStoreTest, SavesAtomicallyReadableByOwnerOnly)
{
    {
        RegistryStore store(folder(), defaults());
        const RegKey key = create(store, RegKey::root(Hive::CurrentUser), kProduct);
        store.setValue(key, QStringLiteral("SHOW_GUIDE"), RegValue::fromDWord(0));
        store.closeKey(key);
        const QString path = store.filePath(Hive::CurrentUser);
        ASSERT_TRUE(QFileInfo::exists(path));
        EXPECT_EQ(QFile::permissions(path) & 0x0077, QFile::Permissions()) << "group or others may read";
        EXPECT_EQ(QFile::permissions(path) & (QFile::ReadOwner | QFile::WriteOwner),
                  QFile::ReadOwner | QFile::WriteOwner);
        // No temporary files are left beside it.
        EXPECT_EQ(QDir(folder()).entryList(QDir::Files), QStringList{RegistryStore::fileNameOf(Hive::CurrentUser)});
    }
    RegistryStore restarted(folder(), defaults());
    RegValue value;
    ASSERT_EQ(
        restarted.queryValue(RegKey{Hive::CurrentUser, kProduct, true, true}, QStringLiteral("show_guide"), &value),
        RegError::Success);
    EXPECT_EQ(value, RegValue::fromDWord(0));
}

// A full disk: the close says so, the last good file stays whole (the next
// start reads it, nothing set aside as damaged), and the change is saved at
// the next close once there is room.
TEST_F(RegistryStoreTest, AFullDiskKeepsTheLastGoodSettings)
{
    SmallFileSystem fs;
    PAGINOR_SKIP_WITHOUT(fs);
    const QString config = fs.filePath(QStringLiteral("config"));
    RegistryStore store(config, defaults());
    const RegKey key = create(store, RegKey::root(Hive::CurrentUser), kProduct);
    store.setValue(key, QStringLiteral("SHOW_GUIDE"), RegValue::fromDWord(0));
    ASSERT_EQ(store.closeKey(key), RegError::Success);
    const QString path = store.filePath(Hive::CurrentUser);
    const QByteArray saved = readTestFile(path);
    ASSERT_TRUE(fs.fill());
    store.setValue(key, QStringLiteral("SHOW_GUIDE"), RegValue::fromDWord(1));
    EXPECT_EQ(store.closeKey(key), RegError::DiskFull);
    EXPECT_FALSE(store.save(Hive::CurrentUser));
    EXPECT_EQ(readTestFile(path), saved);
    EXPECT_EQ(QDir(config).entryList(QDir::Files | QDir::Hidden),
              QStringList{RegistryStore::fileNameOf(Hive::CurrentUser)});
    const RegKey product{Hive::CurrentUser, kProduct, true, true};
    RegValue value;
    {
        RegistryStore restarted(config, defaults());
        EXPECT_TRUE(restarted.loadProblems().isEmpty());
        ASSERT_EQ(restarted.queryValue(product, QStringLiteral("SHOW_GUIDE"), &value), RegError::Success);
        EXPECT_EQ(value, RegValue::fromDWord(0));
    }
    fs.unfill();
    EXPECT_EQ(store.closeKey(key), RegError::Success);
    RegistryStore restarted(config, defaults());
    ASSERT_EQ(restarted.queryValue(product, QStringLiteral("SHOW_GUIDE"), &value), RegError::Success);
    EXPECT_EQ(value, RegValue::fromDWord(1));
}

TEST_F(RegistryStoreTest, CorruptFileGivesDefaultsAndIsKeptAside)
{
    writeDefaults([](RegistryStore& seed) {
        const RegKey key = create(seed, RegistryStore::setupRoot(Hive::CurrentUser), kProduct);
        seed.setValue(key, QStringLiteral("SHOW_GUIDE"), RegValue::fromDWord(1));
    });
    QDir().mkpath(folder());
    const QString path = folder() + QLatin1Char('/') + RegistryStore::fileNameOf(Hive::CurrentUser);
    {
        QFile broken(path);
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("{\"root\": {\"keys\": [");
    }
    RegistryStore store(folder(), defaults());
    EXPECT_EQ(store.loadProblems(), QStringList{path});
    EXPECT_TRUE(QFileInfo::exists(path + QStringLiteral(".corrupt")));
    RegValue value;
    EXPECT_EQ(store.queryValue(RegKey{Hive::CurrentUser, kProduct, true, true}, QStringLiteral("SHOW_GUIDE"), &value),
              RegError::Success);
    EXPECT_EQ(value.dword, 1u);
}

TEST_F(RegistryStoreTest, EveryCorruptFileIsKept)
{
    QDir().mkpath(folder());
    const QString path = folder() + QLatin1Char('/') + RegistryStore::fileNameOf(Hive::CurrentUser);
    for (const QByteArray& text : {QByteArray("first {"), QByteArray("second {")}) {
        {
            QFile broken(path);
            ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
            broken.write(text);
        }
        RegistryStore store(folder(), defaults());
        EXPECT_EQ(store.loadProblems(), QStringList{path});
    }
    QStringList kept;
    for (const QFileInfo& info : QDir(folder()).entryInfoList({QStringLiteral("*.corrupt")}, QDir::Files, QDir::Name)) {
        QFile file(info.filePath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        kept << QString::fromUtf8(file.readAll());
    }
    kept.sort();
    EXPECT_EQ(kept, (QStringList{QStringLiteral("first {"), QStringLiteral("second {")}));
}

TEST_F(RegistryStoreTest, MachineHiveGainsNewDefaultsButUserHiveIsSeededOnce)
{
    const RegKey userProduct{Hive::CurrentUser, kProduct, true, true};
    const RegKey machineProduct{Hive::LocalMachine, kProduct, false, true};
    writeDefaults([](RegistryStore& seed) {
        seed.setValue(create(seed, RegistryStore::setupRoot(Hive::CurrentUser), kProduct), QStringLiteral("A"),
                      RegValue::fromDWord(1));
        seed.setValue(create(seed, RegistryStore::setupRoot(Hive::LocalMachine), kProduct), QStringLiteral("A"),
                      RegValue::fromDWord(1));
    });
    {
        RegistryStore first(folder(), defaults());
        EXPECT_EQ(first.queryValue(userProduct, QStringLiteral("A"), nullptr), RegError::Success);
        first.deleteValue(userProduct, QStringLiteral("A"));
        first.setValue(RegKey{Hive::LocalMachine, kProduct, true, true}, QStringLiteral("A"), RegValue::fromDWord(7));
    }
    writeDefaults([](RegistryStore& seed) {
        seed.setValue(create(seed, RegistryStore::setupRoot(Hive::CurrentUser), kProduct), QStringLiteral("B"),
                      RegValue::fromDWord(2));
        seed.setValue(create(seed, RegistryStore::setupRoot(Hive::LocalMachine), kProduct), QStringLiteral("B"),
                      RegValue::fromDWord(2));
    });
    RegistryStore second(folder(), defaults());
    RegValue value;
    EXPECT_EQ(second.queryValue(userProduct, QStringLiteral("A"), nullptr), RegError::FileNotFound);
    EXPECT_EQ(second.queryValue(userProduct, QStringLiteral("B"), nullptr), RegError::FileNotFound);
    ASSERT_EQ(second.queryValue(machineProduct, QStringLiteral("A"), &value), RegError::Success);
    EXPECT_EQ(value.dword, 7u);
    ASSERT_EQ(second.queryValue(machineProduct, QStringLiteral("B"), &value), RegError::Success);
    EXPECT_EQ(value.dword, 2u);
}
