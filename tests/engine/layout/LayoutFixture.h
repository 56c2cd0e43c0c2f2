#pragma once

#include "engine/dom/Document.h"
#include "engine/layout/LayoutEngine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace layout_test {

inline QString sourceDir()
{
    const QString dir = qEnvironmentVariable("PAGINOR_SOURCE_DIR");
    // Run by hand from build/<type>/tests: the source tree is three levels up.
    return dir.isEmpty() ? QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../../..")) : dir;
}

inline QString fixtureFolder()
{
    return sourceDir() + QStringLiteral("/tests/data/layout");
}

inline QString readFixture(const QString& name)
{
    QFile f(fixtureFolder() + '/' + name);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

// A layout of a fixture page at a width, images from the fixture folder.
inline void loadFixture(engine::LayoutEngine& layout, const QString& name, int width = 800)
{
    layout.setBaseFolder(fixtureFolder());
    layout.load(readFixture(name));
    layout.layout(width);
}

// Every fixture page, for the tests that go over all of them.
inline constexpr const char* kFixturePages[] = {
    "text.html",   "tables.html",         "objects.html",        "positioned.html", "hit.html",
    "hidden.html", "tables-caption.html", "tables-percent.html", "tables-odd.html", "tables-shrink.html"};

// The test name of a fixture page: "tables-caption.html" gives "tablescaption".
inline std::string fixtureTestName(const ::testing::TestParamInfo<const char*>& info)
{
    return QString::fromLatin1(info.param).section('.', 0, 0).remove('-').toStdString();
}

// The element with an id; fails the test by exception when there is none.
inline engine::Element* byId(engine::Document* doc, const char* id)
{
    engine::Element* el = doc->getElementById(QString::fromLatin1(id));
    if (!el)
        throw std::runtime_error(std::string("no element ") + id);
    return el;
}

} // namespace layout_test
