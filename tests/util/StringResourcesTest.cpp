#include "util/StringResources.h"

#include "platform/StringTable.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

TEST(LoadResString, ReadsTheCompiledTable)
{
    EXPECT_EQ(LoadResString(IDS_MESSAGE_BOX_CAPTION), QStringLiteral("ペジタロ"));
    EXPECT_EQ(LoadResString(IDS_DISPLAY_DESKTOP), QStringLiteral("デスクトップ\\"));
    EXPECT_EQ(LoadResString(1), QString()) << "an id without an entry";
}

namespace {

// The lines of every file of the compiled string table, by file name.
QList<QPair<QString, QByteArray>> tableFiles()
{
    QList<QPair<QString, QByteArray>> files;
    const QDir folder(QStringLiteral(":/res/strings"));
    for (const QString& name : folder.entryList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name)) {
        QFile file(folder.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            files.append({name, file.readAll()});
    }
    return files;
}

} // namespace

TEST(LoadResString, GivesLongTextsWhole)
{
    const auto files = tableFiles();
    ASSERT_GE(files.size(), 10) << "one table file per subsystem";
    for (const auto& [name, data] : files) {
        for (const QByteArray& line : data.split('\n')) {
            const qsizetype tab = line.indexOf('\t');
            if (tab <= 0)
                continue;
            const quint32 id = line.left(tab).toUInt();
            EXPECT_EQ(LoadResString(id), platform::StringTable::unescape(QString::fromUtf8(line.mid(tab + 1))))
                << name.toStdString() << " " << id;
        }
    }
}

TEST(LoadResString, TableFilesAreWellFormedSortedAndDisjoint)
{
    QStringList problems;
    platform::StringTable::fromFolder(QStringLiteral(":/res/strings"), &problems);
    EXPECT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();
    for (const auto& [name, data] : tableFiles()) {
        quint32 previous = 0;
        for (const QByteArray& line : data.split('\n')) {
            if (line.isEmpty())
                continue;
            const quint32 id = line.left(line.indexOf('\t')).toUInt();
            EXPECT_GT(id, previous) << name.toStdString() << ": ids out of order at " << id;
            previous = id;
        }
    }
}

TEST(LoadResString, AnIdInTwoFilesIsReportedAndKeepsItsFirstText)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto write = [&](const char* name, const QByteArray& text) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    write("a.tsv", "10\tfirst\n11\tonly a\n");
    write("b.tsv", "10\tsecond\n12\tonly b\n");
    write("c.txt", "13\tnot a table\n");
    QStringList problems;
    const auto table = platform::StringTable::fromFolder(dir.path(), &problems);
    EXPECT_EQ(table.text(10), QStringLiteral("first"));
    EXPECT_EQ(table.text(12), QStringLiteral("only b"));
    EXPECT_FALSE(table.contains(13));
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].startsWith(QStringLiteral("b.tsv: id 10"))) << problems[0].toStdString();
}
