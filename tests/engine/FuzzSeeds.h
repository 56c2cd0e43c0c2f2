#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

// The seed corpus of one of the engine's fuzz targets (as scripts/fuzz.sh
// gives it): tests/data/fuzz/<target>/, the test pages and the corpus of
// saved pages.
inline QStringList fuzzSeeds(const char* target)
{
    QString source = qEnvironmentVariable("PAGINOR_SOURCE_DIR");
    // Run by hand from build/<type>/tests: the source tree is three levels up.
    if (source.isEmpty())
        source = QCoreApplication::applicationDirPath() + QStringLiteral("/../../..");
    const QDir data(source + QStringLiteral("/tests/data"));
    QStringList files;
    for (const QString& dir :
         {QStringLiteral("fuzz/") + QString::fromLatin1(target), QStringLiteral("pages"), QStringLiteral("corpus")}) {
        const QDir d(data.absoluteFilePath(dir));
        for (const QString& name : d.entryList(QDir::Files, QDir::Name))
            files += d.absoluteFilePath(name);
    }
    return files;
}
