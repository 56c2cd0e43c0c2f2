#include "platform/Desktop.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Desktop, StartsProgramsWithArgumentListsOnly)
{
    EXPECT_TRUE(startProgram(QStringLiteral("/bin/true"), {QStringLiteral("a; rm -rf /"), QStringLiteral("$(x)")}));
    EXPECT_FALSE(startProgram(QStringLiteral("/no/such/program"), {}));
    EXPECT_FALSE(startProgram(QString(), {}));
}

TEST(Desktop, RefusesMissingFilesAndMalformedAddresses)
{
    EXPECT_FALSE(openWithDesktop(QStringLiteral("/no/such/file.html")));
    EXPECT_FALSE(openAddress(QString()));
    EXPECT_FALSE(openAddress(QStringLiteral("no scheme here")));
}
