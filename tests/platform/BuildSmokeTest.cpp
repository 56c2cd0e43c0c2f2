#include <gtest/gtest.h>

#include <QDir>
#include <QStandardPaths>

// The test main gives each test process a private home: nothing a test
// writes can reach the user's own settings.
TEST(TestEnvironment, HomeIsPrivate)
{
    EXPECT_TRUE(QDir::homePath().contains(QStringLiteral("paginor-test-")));
    EXPECT_TRUE(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).startsWith(QDir::homePath()));
}
