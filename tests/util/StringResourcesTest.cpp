#include "util/StringResources.h"

#include "platform/StringTable.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <QFile>

TEST(LoadResString, ReadsTheCompiledTable)
{
    EXPECT_EQ(LoadResString(IDS_MESSAGE_BOX_CAPTION), QStringLiteral("ペジタロ"));
    EXPECT_EQ(LoadResString(IDS_DISPLAY_DESKTOP), QStringLiteral("デスクトップ\\"));
    EXPECT_EQ(LoadResString(1), QString()) << "an id without an entry";
}

TEST(LoadResString, GivesLongTextsWhole)
{
    QFile file(QStringLiteral(":/res/strings.tsv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    for (const QByteArray& line : file.readAll().split('\n')) {
        const qsizetype tab = line.indexOf('\t');
        if (tab <= 0)
            continue;
        const quint32 id = line.left(tab).toUInt();
        EXPECT_EQ(LoadResString(id), platform::StringTable::unescape(QString::fromUtf8(line.mid(tab + 1)))) << id;
    }
}

TEST(LoadResString, TableFileIsWellFormedAndSortedById)
{
    QFile file(QStringLiteral(":/res/strings.tsv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    QStringList problems;
    platform::StringTable::parse(data, &problems);
    EXPECT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();
    quint32 previous = 0;
    for (const QByteArray& line : data.split('\n')) {
        if (line.isEmpty())
            continue;
        const quint32 id = line.left(line.indexOf('\t')).toUInt();
        EXPECT_GT(id, previous) << "ids out of order at " << id;
        previous = id;
    }
}
