#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStringList>

// The source tree's tests/data/<folder> (usable before the application
// object exists, as when parameterised tests are listed).
inline QDir testData(const QString& folder)
{
    QString source = qEnvironmentVariable("PAGINOR_SOURCE_DIR");
    // Else the tests run from build/<type>/tests: the source tree is three
    // levels up.
    if (source.isEmpty())
        source = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath() + QStringLiteral("/../../..");
    return QDir(QDir::cleanPath(source + QStringLiteral("/tests/data/") + folder));
}

// The pages written as people and tools write them: the corpus of saved
// pages and the pages of the layout fidelity measure (in its folders).
inline QStringList testPages()
{
    QStringList files;
    for (const QString& folder : {QStringLiteral("corpus"), QStringLiteral("fidelity")}) {
        QDirIterator it(testData(folder).path(), {QStringLiteral("*.html")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files += it.next();
    }
    files.sort();
    return files;
}

// The seed corpus of one of the engine's fuzz targets (as scripts/fuzz.sh
// gives it): tests/data/fuzz/<target>/, the test pages and the pages of
// testPages().
inline QStringList fuzzSeeds(const char* target)
{
    QStringList files;
    for (const QString& folder : {QStringLiteral("fuzz/") + QString::fromLatin1(target), QStringLiteral("pages")}) {
        const QDir d = testData(folder);
        for (const QString& name : d.entryList(QDir::Files, QDir::Name))
            files += d.absoluteFilePath(name);
    }
    return files + testPages();
}
