#include "util/CRegistryEx.h"

#include "platform/ModalResponder.h"

#include <gtest/gtest.h>

#include <QFileInfo>

namespace {

const QString kProduct = QStringLiteral("Software\\Vornasoft\\Vorna-Paginor 2002(TEV)");
const QString kTestKey = kProduct + QStringLiteral("\\Test");

// A key of the user hive made fresh for each test process.
class CRegistryExTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CRegistryEx reg(HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, kTestKey));
    }
};

} // namespace

TEST_F(CRegistryExTest, OpenOfAMissingKeyRecordsFileNotFound)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    EXPECT_FALSE(reg.Open(HKEY_CURRENT_USER, kProduct + QStringLiteral("\\Missing")));
    EXPECT_EQ(reg.GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg.GetLastType(), REG_NONE);
    EXPECT_EQ(reg.GetLastSize(), 0u);
    EXPECT_EQ(reg.GetKeyPath(), kProduct + QStringLiteral("\\Missing"));
}

TEST_F(CRegistryExTest, MachineKeysOpenReadOnly)
{
    CRegistryEx reg(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenSubKey(kProduct + QStringLiteral("\\VersionInfo"))) << "seeded from the shipped defaults";
    EXPECT_FALSE(reg.WriteString(QStringLiteral("VERSION"), QStringLiteral("9")));
    EXPECT_EQ(reg.GetLastError(), ERROR_ACCESS_DENIED);
    QString version;
    EXPECT_TRUE(reg.ReadString(QStringLiteral("VERSION"), version));
    EXPECT_FALSE(version.isEmpty());

    CRegistryEx create(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(create.Create(HKEY_LOCAL_MACHINE, kProduct + QStringLiteral("\\Web Object")));
    EXPECT_EQ(create.GetLastError(), ERROR_ACCESS_DENIED);
}

TEST_F(CRegistryExTest, StringReadsAreBoundedInCharactersNotBytes)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.Open(HKEY_CURRENT_USER, kTestKey));
    const QString japanese199 = QString(199, QChar(0x65E5));
    ASSERT_TRUE(reg.WriteString(QStringLiteral("long path"), japanese199));
    ASSERT_TRUE(reg.WriteString(QStringLiteral("too long"), QString(200, QLatin1Char('x'))));

    QString out;
    EXPECT_TRUE(reg.ReadString(QStringLiteral("long path"), out));
    EXPECT_EQ(out, japanese199);
    EXPECT_EQ(reg.GetLastSize(), 200u);

    out = QStringLiteral("unchanged");
    EXPECT_FALSE(reg.ReadString(QStringLiteral("too long"), out));
    EXPECT_EQ(reg.GetLastError(), ERROR_MORE_DATA);
    EXPECT_EQ(out, QStringLiteral("unchanged"));
}

TEST_F(CRegistryExTest, DWordReadsTakeAtMostFourBytes)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.Open(HKEY_CURRENT_USER, kTestKey));
    ASSERT_TRUE(reg.WriteBinary(QStringLiteral("eight"), QByteArray(8, '\1')));
    ASSERT_TRUE(reg.WriteString(QStringLiteral("ab"), QStringLiteral("ab")));
    ASSERT_TRUE(reg.WriteDWord(QStringLiteral("n"), 0x12345678));

    quint32 value = 99;
    EXPECT_FALSE(reg.ReadDWord(QStringLiteral("eight"), value));
    EXPECT_EQ(reg.GetLastError(), ERROR_MORE_DATA);
    EXPECT_EQ(value, 99u);

    EXPECT_TRUE(reg.ReadDWord(QStringLiteral("ab"), value));
    EXPECT_EQ(value, 0x006261u);
    EXPECT_EQ(reg.GetLastType(), REG_SZ);
    EXPECT_EQ(reg.GetLastSize(), 3u);

    int number = 0;
    EXPECT_TRUE(reg.ReadInt(QStringLiteral("n"), number));
    EXPECT_EQ(number, 0x12345678);
    EXPECT_EQ(reg.GetLastType(), REG_DWORD);
}

TEST_F(CRegistryExTest, WritesRecordTypeAndSize)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.Open(HKEY_CURRENT_USER, kTestKey));
    EXPECT_TRUE(reg.WriteString(QStringLiteral("empty"), QString()));
    EXPECT_EQ(reg.GetLastType(), REG_SZ);
    EXPECT_EQ(reg.GetLastSize(), 1u);
    EXPECT_TRUE(reg.WriteBinary(QStringLiteral("bin"), QByteArray("\0\1\2\3\4", 5)));
    EXPECT_EQ(reg.GetLastType(), REG_BINARY);
    EXPECT_EQ(reg.GetLastSize(), 5u);
    EXPECT_EQ(reg.SetDWordValue(QStringLiteral("d"), 1), ERROR_SUCCESS);
    EXPECT_EQ(reg.GetLastSize(), 5u) << "SetDWordValue records nothing";

    QByteArray data("stale");
    EXPECT_TRUE(reg.ReadBinary(QStringLiteral("bin"), data));
    EXPECT_EQ(data, QByteArray("\0\1\2\3\4", 5));
    EXPECT_FALSE(reg.ReadBinary(QStringLiteral("absent"), data));
    EXPECT_TRUE(data.isEmpty());
    EXPECT_EQ(reg.GetLastSize(), 0u);

    EXPECT_TRUE(reg.DeleteValue(QStringLiteral("bin")));
    EXPECT_FALSE(reg.DeleteValue(QStringLiteral("bin")));
    EXPECT_EQ(reg.GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(CRegistryExTest, EnumeratesAndLeavesTheListAloneOnFailure)
{
    {
        CRegistryEx reg(HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, kTestKey + QStringLiteral("\\Web B")));
        ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, kTestKey + QStringLiteral("\\Web A")));
        reg.WriteDWord(QStringLiteral("x"), 1);
    }
    CRegistryEx reg(HKEY_CURRENT_USER);
    QStringList names{QStringLiteral("old")};
    EXPECT_TRUE(reg.EnumKeys(kTestKey, names));
    EXPECT_EQ(names, (QStringList{QStringLiteral("Web A"), QStringLiteral("Web B")}));
    EXPECT_TRUE(reg.EnumKeys(kTestKey + QStringLiteral("\\Web B"), names));
    EXPECT_TRUE(names.isEmpty());
    EXPECT_TRUE(reg.EnumValues(kTestKey + QStringLiteral("\\Web A"), names));
    EXPECT_EQ(names, QStringList{QStringLiteral("x")});

    names = QStringList{QStringLiteral("old")};
    EXPECT_FALSE(reg.EnumKeys(kTestKey + QStringLiteral("\\Missing"), names));
    EXPECT_EQ(names, QStringList{QStringLiteral("old")});
    EXPECT_EQ(reg.GetKey(), HKEY_CURRENT_USER) << "the held key does not change";
}

TEST_F(CRegistryExTest, AnOverlongNameStopsTheListingWithAMessage)
{
    CRegistryEx make(HKEY_CURRENT_USER);
    ASSERT_TRUE(make.Create(HKEY_CURRENT_USER, kTestKey + QStringLiteral("\\") + QString(200, QLatin1Char('k'))));
    make.Close();

    platform::ModalResponder responder;
    responder.answerMessageBox(platform::IDOK, QStringLiteral("234 RegEnumKeyEx\nRegistryEx 1050"));
    CRegistryEx reg(HKEY_CURRENT_USER);
    QStringList names;
    EXPECT_FALSE(reg.EnumKeys(kTestKey, names));
    EXPECT_EQ(reg.GetLastError(), ERROR_MORE_DATA);
    EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 1);
}

TEST_F(CRegistryExTest, DeleteKeyTakesARootAndPathOrAParentAndName)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, kTestKey + QStringLiteral("\\Web Property\\site")));
    reg.WriteString(QStringLiteral("Host"), QStringLiteral("ftp.example"));
    EXPECT_TRUE(reg.DeleteKey(HKEY_CURRENT_USER, kTestKey + QStringLiteral("\\Web Property\\site")));

    ASSERT_TRUE(reg.Open(HKEY_CURRENT_USER, kTestKey));
    ASSERT_TRUE(reg.Create(reg.GetKey(), QStringLiteral("child")));
    ASSERT_TRUE(reg.Open(HKEY_CURRENT_USER, kTestKey));
    EXPECT_FALSE(reg.DeleteKey(HKEY_CURRENT_USER, kTestKey)) << "a key with subkeys stays";
    EXPECT_TRUE(reg.DeleteKey(reg.GetKey(), QStringLiteral("Web Property")));
    EXPECT_TRUE(reg.DeleteKey(reg.GetKey(), QStringLiteral("CHILD")));
    QStringList names;
    EXPECT_TRUE(reg.EnumKeys(QString(), names));
    EXPECT_TRUE(names.isEmpty());
}

TEST_F(CRegistryExTest, CloseSavesTheChange)
{
    {
        CRegistryEx reg(HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.Open(HKEY_CURRENT_USER, kTestKey));
        reg.WriteDWord(QStringLiteral("saved"), 1);
    }
    const QString file = platform::RegistryStore::instance().filePath(platform::Hive::CurrentUser);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("\"saved\""));
}

TEST(CRegistryExError, TextFollowsTheListingFormat)
{
    EXPECT_EQ(CRegistryEx::ErrorText(234, QStringLiteral("RegEnumValue"), QStringLiteral("RegistryEx"), 1125),
              QStringLiteral("234 RegEnumValue\nRegistryEx 1125"));
    EXPECT_FALSE(CRegistryEx::ErrorDescription(ERROR_ACCESS_DENIED).isEmpty());
}
