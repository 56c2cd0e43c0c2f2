#include "app/AboutBoxModel.h"
#include "app/CAboutDlg.h"

#include "platform/RegistryStore.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct LinkCase
{
    const char* address;
    const char* web;
    const char* mail;
};

class AboutLinkTest : public ::testing::TestWithParam<LinkCase>
{
};

// An empty address gives no link; an address the desktop could not open
// without a scheme gets one.
TEST_P(AboutLinkTest, LinksOpenWhatTheAddressNames)
{
    const QString address = QString::fromUtf8(GetParam().address);
    EXPECT_EQ(AboutBoxModel::WebTarget(address), QString::fromUtf8(GetParam().web));
    EXPECT_EQ(AboutBoxModel::MailTarget(address), QString::fromUtf8(GetParam().mail));
}

INSTANTIATE_TEST_SUITE_P(Cases, AboutLinkTest,
                         ::testing::Values(LinkCase{"", "", ""},
                                           LinkCase{"www.example.jp", "http://www.example.jp", "mailto:www.example.jp"},
                                           LinkCase{"https://a.example/x", "https://a.example/x",
                                                    "mailto:https://a.example/x"}));

struct VersionCase
{
    const char* info;
    const char* version;
    const char* servicePack;
    const char* text;
};

void PrintTo(const VersionCase& c, std::ostream* os)
{
    *os << '"' << c.info << "\" \"" << c.version << "\" \"" << c.servicePack << '"';
}

class AboutVersionTest : public ::testing::TestWithParam<VersionCase>
{
};

// Values missing under the version key leave no stray dash or brackets.
TEST_P(AboutVersionTest, VersionTextJoinsWhatIsThere)
{
    const VersionCase& c = GetParam();
    EXPECT_EQ(AboutBoxModel::VersionText(QString::fromUtf8(c.info), QString::fromUtf8(c.version),
                                         QString::fromUtf8(c.servicePack)),
              QString::fromUtf8(c.text));
}

INSTANTIATE_TEST_SUITE_P(Cases, AboutVersionTest,
                         ::testing::Values(VersionCase{"ペジタロ", "2.0", "SP1", "ペジタロ-2.0(SP1)"},
                                           VersionCase{"ペジタロ", "2.0", "", "ペジタロ-2.0"},
                                           VersionCase{"", "", "", ""}, VersionCase{"ペジタロ", "", "", "ペジタロ"},
                                           VersionCase{"", "2.0", "", "2.0"}));

TEST(AboutBoxTest, MissingSupportInformationLeavesTheLinesEmptyWithoutLinks)
{
    platform::RegistryStore& store = platform::RegistryStore::instance();
    ASSERT_EQ(store.deleteKey(platform::RegistryStore::setupRoot(platform::Hive::LocalMachine),
                              QStringLiteral("Software\\Vornasoft\\Vorna-Paginor 2002(TEV)\\Support Information")),
              0);
    CAboutDlg about;
    EXPECT_TRUE(about.model().mail.isEmpty());
    EXPECT_TRUE(about.model().web1.isEmpty());
    for (const char* name : {"telephone", "mail", "web1", "web2"}) {
        auto* line = about.findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(line, nullptr) << name;
        EXPECT_TRUE(line->text().isEmpty()) << name;
    }
}

TEST(AboutBoxTest, InstalledSupportInformationGivesLinks)
{
    CAboutDlg about;
    if (about.model().web1.isEmpty())
        GTEST_SKIP() << "no support information installed";
    auto* web = about.findChild<QLabel*>(QStringLiteral("web1"));
    ASSERT_NE(web, nullptr);
    EXPECT_TRUE(web->text().contains(QStringLiteral("href=\"") + AboutBoxModel::WebTarget(about.model().web1)));
}

} // namespace
