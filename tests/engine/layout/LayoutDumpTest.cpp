// Every layout fixture page laid out 800 pixels wide, compared exactly with
// a text dump of its layout tree that a reviewer has read, kept beside the
// page (tests/data/layout/<page>.txt; LayoutDump.h describes the format).
//
// After a deliberate change of the layout, write the dumps again and read
// what changed before committing them:
//   PAGINOR_UPDATE_EXPECTED=1 build/test/tests/test_engine --gtest_filter='*LayoutDump*'
//   git diff tests/data/layout/

#include "LayoutDump.h"
#include "LayoutFixture.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

class LayoutDump : public ::testing::TestWithParam<const char*>
{
};

TEST_P(LayoutDump, MatchesTheReviewedDump)
{
    const QString page = QString::fromLatin1(GetParam());
    engine::LayoutEngine layout;
    layout.setViewportSize(QSize(800, 600));
    layout_test::loadFixture(layout, page, 800);
    const QString actual = layout_test::dumpLayout(layout.tree());
    const QString path = layout_test::fixtureFolder() + QLatin1Char('/') + page.section('.', 0, 0) + ".txt";
    QFile file(path);
    if (qEnvironmentVariableIsSet("PAGINOR_UPDATE_EXPECTED")) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        file.write(actual.toUtf8());
        return;
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString() << " is missing: see the top of this file";
    const QStringList expectedLines = QString::fromUtf8(file.readAll()).split('\n');
    const QStringList actualLines = actual.split('\n');
    // The first lines that differ, enough to see what moved.
    int shown = 0;
    for (qsizetype i = 0; i < std::max(expectedLines.size(), actualLines.size()) && shown < 12; ++i) {
        const QString want = i < expectedLines.size() ? expectedLines[i] : QStringLiteral("(end)");
        const QString got = i < actualLines.size() ? actualLines[i] : QStringLiteral("(end)");
        if (want == got)
            continue;
        ADD_FAILURE() << page.toStdString() << " line " << i + 1 << "\n  expected: " << want.toStdString()
                      << "\n  actual:   " << got.toStdString();
        ++shown;
    }
    if (shown > 0)
        ADD_FAILURE() << "the layout of " << page.toStdString()
                      << " differs from its reviewed dump; after a deliberate change write the dumps again with "
                         "PAGINOR_UPDATE_EXPECTED=1 (see the top of LayoutDumpTest.cpp)";
}

INSTANTIATE_TEST_SUITE_P(Pages, LayoutDump, ::testing::ValuesIn(layout_test::kFixturePages),
                         layout_test::fixtureTestName);

} // namespace
