#include "platform/ToolkitTexts.h"

#include <gtest/gtest.h>

#include <QAbstractFileIconProvider>
#include <QDate>
#include <QFileInfo>
#include <QLocale>
#include <QMimeDatabase>
#include <QTemporaryDir>

// The file dialogs' columns read the folder type, sizes, dates and file types
// through these calls; a system in another language must not show them in it.
TEST(ToolkitTexts, FileDialogTextsAreJapaneseUnderAnotherSystemLocale)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QDate date(2026, 12, 7);
    {
        const platform::ToolkitTexts japanese;
        EXPECT_EQ(QAbstractFileIconProvider().type(QFileInfo(dir.path())), QStringLiteral("フォルダー"));
        EXPECT_EQ(QLocale().language(), QLocale::Japanese);
        EXPECT_FALSE(QLocale().toString(date, QLocale::ShortFormat).contains(QStringLiteral("Dec")));
        EXPECT_FALSE(QLocale().formattedDataSize(4).contains(QStringLiteral("bytes")));
        if (japanese.hasToolkitTranslation()) {
            const QString html = QMimeDatabase().mimeTypeForName(QStringLiteral("text/html")).comment();
            EXPECT_NE(html, QStringLiteral("HTML document")) << html.toStdString();
        }
    }
    EXPECT_EQ(QLocale().language(), QLocale::English) << "the locale before comes back";
    EXPECT_EQ(QAbstractFileIconProvider().type(QFileInfo(dir.path())), QStringLiteral("Folder"));
    QLocale::setDefault(QLocale::c());
}
