#pragma once

#include <QDir>
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

// The seed corpus of one of the engine's fuzz targets (as scripts/fuzz.sh
// gives it): tests/data/fuzz/<target>/, the test pages and the corpus of
// saved pages.
inline QStringList fuzzSeeds(const char* target)
{
    QStringList files;
    for (const QString& folder :
         {QStringLiteral("fuzz/") + QString::fromLatin1(target), QStringLiteral("pages"), QStringLiteral("corpus")}) {
        const QDir d = testData(folder);
        for (const QString& name : d.entryList(QDir::Files, QDir::Name))
            files += d.absoluteFilePath(name);
    }
    return files;
}
