// The charset a page file's META names, read a part at a time: comments
// and tags cut by the end of a part are read as one.

#include "app/CZQDoc.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString charsetOfFileHolding(const QByteArray& bytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.html"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QStringLiteral("(not written)");
    file.close();
    return CZQDoc::MetaCharsetOfFile(path);
}

// A page whose head holds `filler` bytes of script before `rest`.
QByteArray pageWith(qsizetype filler, const QByteArray& rest)
{
    return "<html><head><script>" + QByteArray(filler, 'x') + "</script>" + rest + "</head><body>text</body></html>";
}

TEST(MetaCharsetOfFile, ACommentCutByTheEndOfAPartNamesNothingInTheNextPart)
{
    constexpr qsizetype kPart = 256 * 1024;
    // The comment opens just before the first part's end, its META comes
    // in the next; the page's own META follows the comment.
    const QByteArray commented = "<!-- old: <meta charset=euc-jp> -->";
    for (const qsizetype cut : {qsizetype(3), qsizetype(8), qsizetype(20)}) {
        const qsizetype before = kPart - cut - qsizetype(strlen("<html><head><script></script>"));
        const QByteArray page = pageWith(before, commented + "<meta charset=shift_jis>");
        EXPECT_EQ(charsetOfFileHolding(page), QStringLiteral("shift_jis")) << cut;
    }
    // A comment over three parts, a META in the middle one, its "-->" cut by
    // a part's end.
    const QByteArray longComment = "<!-- " + QByteArray(kPart, 'c') + "<meta charset=euc-jp>" + QByteArray(kPart, 'c');
    const qsizetype head = qsizetype(strlen("<html><head><script></script>"));
    const qsizetype filler = 3 * kPart - head - longComment.size() - 1;
    const QByteArray page = pageWith(filler, longComment + "--><meta charset=utf-8>");
    EXPECT_EQ(page.indexOf("-->"), 3 * kPart - 1);
    EXPECT_EQ(charsetOfFileHolding(page), QStringLiteral("utf-8"));
    // Only commented: none.
    EXPECT_EQ(charsetOfFileHolding(pageWith(kPart - 40, "<!-- <meta charset=euc-jp> -->")), QString());
    // A comment that never ends hides the rest.
    EXPECT_EQ(charsetOfFileHolding(pageWith(kPart - 10, "<!-- <meta charset=euc-jp> <meta charset=utf-8>")), QString());
    // A META cut by the part's end, outside any comment, still counts.
    EXPECT_EQ(charsetOfFileHolding(pageWith(kPart - 40, "<!-- x --><meta charset=windows-1252>")),
              QStringLiteral("windows-1252"));
}

} // namespace
