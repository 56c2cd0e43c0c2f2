// Pages as people and documentation tools wrote them, opened in the running
// program (the page-load completion puts their flowing text into a text box
// and names their image maps as the editor keeps them), saved, opened again
// and saved again: the second save is the same bytes as the first, and the
// page still shows the words it showed when first opened.

#include "ChildFramePages.h"

#include "engine/TestData.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <cctype>

namespace {

// The pages of the corpus, of the layout fidelity measure and the sample
// pages, by path.
std::vector<std::string> pagePaths()
{
    QStringList files = testPages();
    for (const QFileInfo& page : testData(QStringLiteral("pages")).entryInfoList({QStringLiteral("*.html")}))
        files += page.filePath();
    std::vector<std::string> paths;
    for (const QString& file : files)
        paths.push_back(file.toStdString());
    return paths;
}

// The words of a text, blanks between them made one.
QStringList wordsOf(const QString& text)
{
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

class OpenedPageRoundTrip : public ChildFramePages, public ::testing::WithParamInterface<std::string>
{
protected:
    // Opens a file of the test's folder in the program.
    bool openFile(const QString& path)
    {
        if (!app->OpenDocumentFile(path))
            return false;
        QCoreApplication::processEvents(); // the page-loaded event
        return page() != nullptr;
    }
    void closeAll()
    {
        responder.answerMessageBox(platform::IDNO);
        frame().OnFileCloseAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QStringList shownWords() { return page()->body() ? wordsOf(page()->body()->innerText()) : QStringList(); }
};

TEST_P(OpenedPageRoundTrip, SavedTwiceIsTheSameFile)
{
    const QString source = QString::fromStdString(GetParam());
    const QString path = dir.filePath(QFileInfo(source).fileName());
    ASSERT_TRUE(QFile::copy(source, path));
    ASSERT_TRUE(openFile(path));
    if (child() && child()->HasFrameset())
        GTEST_SKIP() << "a frameset page is saved as its frameset";
    const QStringList words = shownWords();
    ASSERT_TRUE(document()->onSaveDocument(path));
    const QByteArray first = readFile(path);
    ASSERT_FALSE(first.isEmpty());
    closeAll();

    ASSERT_TRUE(openFile(path));
    EXPECT_EQ(shownWords(), words);
    ASSERT_TRUE(document()->onSaveDocument(path));
    EXPECT_EQ(readFile(path), first);
}

INSTANTIATE_TEST_SUITE_P(Pages, OpenedPageRoundTrip, ::testing::ValuesIn(pagePaths()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name =
                                 QFileInfo(QString::fromStdString(info.param)).completeBaseName().toStdString();
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             }
                             return name + "_" + std::to_string(info.index);
                         });

} // namespace
