#include <gtest/gtest.h>

#include "platform/DocTemplate.h"
#include "platform/Document.h"
#include "platform/ModalResponder.h"
#include "platform/RecentFileList.h"
#include "platform/RegistryStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QTemporaryDir>

using platform::Document;

namespace {

// A document whose content is one text, with scripted answers.
class TextDocument : public Document
{
public:
    QByteArray content = "<html></html>";
    bool failWrite = false;
    int answer = platform::IDYES;
    QString fileName; // empty: the user cancels the file dialog
    int questions = 0;
    int nameRequests = 0;
    QString proposedName;

protected:
    bool serialize(QIODevice& device, bool storing) override
    {
        if (!storing) {
            content = device.readAll();
            return true;
        }
        device.write(content.left(5)); // half written when it fails
        return !failWrite && device.write(content.mid(5)) >= 0;
    }
    int askSaveModified() override
    {
        ++questions;
        return answer;
    }
    QString askSaveFileName(const QString& proposed) override
    {
        ++nameRequests;
        proposedName = proposed;
        return fileName;
    }
};

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

struct DocumentFlow : ::testing::Test
{
    QTemporaryDir dir;
    platform::RecentFileList recent{4};
    QList<QLabel*> frames;
    platform::DocTemplate docTemplate{"ULO", [] { return std::make_unique<TextDocument>(); },
                                      [this](Document& doc) {
                                          auto* view = new QLabel; // deleted in TearDown or by the test
                                          frames << view;
                                          doc.addView(view);
                                          return true;
                                      }};

    void SetUp() override { docTemplate.setRecentFiles(&recent); }
    void TearDown() override { qDeleteAll(frames); }
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    TextDocument* newDocument() { return static_cast<TextDocument*>(docTemplate.openDocumentFile(QString())); }
};

} // namespace

TEST_F(DocumentFlow, UnchangedDocumentClosesWithoutAQuestion)
{
    TextDocument* doc = newDocument();
    EXPECT_TRUE(doc->saveModified());
    EXPECT_EQ(doc->questions, 0);
}

TEST_F(DocumentFlow, CancelKeepsTheDocumentOpenAndNoWritesNothing)
{
    writeFile(path("a.html"), "old");
    auto* doc = static_cast<TextDocument*>(docTemplate.openDocumentFile(path("a.html")));
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->content, "old");
    doc->content = "new content";
    doc->setModifiedFlag();

    doc->answer = platform::IDCANCEL;
    EXPECT_FALSE(doc->saveModified());
    doc->answer = platform::IDNO;
    EXPECT_TRUE(doc->saveModified());
    EXPECT_EQ(readAll(path("a.html")), "old");
    EXPECT_TRUE(doc->isModified());
}

TEST_F(DocumentFlow, YesSavesUnderThePathOfAWritableFile)
{
    writeFile(path("a.html"), "old");
    auto* doc = static_cast<TextDocument*>(docTemplate.openDocumentFile(path("a.html")));
    doc->content = "new content";
    doc->setModifiedFlag();
    EXPECT_TRUE(doc->saveModified());
    EXPECT_EQ(doc->nameRequests, 0);
    EXPECT_EQ(readAll(path("a.html")), "new content");
    EXPECT_FALSE(doc->isModified());
}

TEST_F(DocumentFlow, YesOnANewDocumentAsksForANameAndTakesIt)
{
    TextDocument* doc = newDocument();
    EXPECT_EQ(doc->title(), "ULO1");
    doc->setModifiedFlag();
    doc->fileName = path("page.html");
    EXPECT_TRUE(doc->saveModified());
    EXPECT_EQ(doc->proposedName, "ULO1");
    EXPECT_EQ(doc->pathName(), path("page.html"));
    EXPECT_EQ(doc->title(), "page.html");
    EXPECT_EQ(recent.entries(), QStringList{path("page.html")});
    EXPECT_EQ(readAll(path("page.html")), "<html></html>");
}

TEST_F(DocumentFlow, CancelledFileDialogCancelsTheClose)
{
    TextDocument* doc = newDocument();
    doc->setModifiedFlag();
    EXPECT_FALSE(doc->saveModified());
    EXPECT_TRUE(doc->pathName().isEmpty());
}

TEST_F(DocumentFlow, SaveAsksForANameWhenTheFileIsGone)
{
    writeFile(path("gone.html"), "old");
    auto* doc = static_cast<TextDocument*>(docTemplate.openDocumentFile(path("gone.html")));
    QFile::remove(path("gone.html"));
    doc->fileName = path("copy.html");
    EXPECT_TRUE(doc->doFileSave());
    EXPECT_EQ(doc->nameRequests, 1);
    EXPECT_EQ(doc->proposedName, path("gone.html"));
    EXPECT_EQ(doc->pathName(), path("copy.html"));
    EXPECT_EQ(recent.entries(), (QStringList{path("copy.html"), path("gone.html")}));
}

TEST_F(DocumentFlow, FailedSaveNeverDestroysTheOldFile)
{
    writeFile(path("a.html"), "old");
    auto* doc = static_cast<TextDocument*>(docTemplate.openDocumentFile(path("a.html")));
    doc->failWrite = true;
    doc->content = "new content";
    doc->setModifiedFlag();
    EXPECT_FALSE(doc->saveModified());
    EXPECT_EQ(readAll(path("a.html")), "old");

    // Save As onto another existing file: it stays as it was too.
    writeFile(path("b.html"), "other");
    doc->fileName = path("b.html");
    EXPECT_FALSE(doc->doFileSaveAs());
    EXPECT_EQ(readAll(path("b.html")), "other");
    // A new name that fails leaves no file behind.
    doc->fileName = path("c.html");
    EXPECT_FALSE(doc->doFileSaveAs());
    EXPECT_FALSE(QFile::exists(path("c.html")));
    EXPECT_EQ(doc->pathName(), path("a.html"));
    EXPECT_TRUE(doc->isModified());
}

TEST_F(DocumentFlow, TemplateKeepsOneDocumentPerPathAndClosesWithTheLastView)
{
    writeFile(path("a.html"), "a");
    QList<Document*> activated;
    QObject::connect(&docTemplate, &platform::DocTemplate::activateRequested, [&](Document* d) { activated << d; });
    Document* a = docTemplate.openDocumentFile(path("a.html"));
    EXPECT_EQ(docTemplate.openDocumentFile(path("a.html")), a);
    EXPECT_EQ(activated, QList<Document*>{a});
    EXPECT_EQ(docTemplate.openDocumentFile(path("missing.html")), nullptr);
    EXPECT_EQ(newDocument()->title(), "ULO1");
    EXPECT_EQ(newDocument()->title(), "ULO2");
    EXPECT_EQ(docTemplate.documentCount(), 3);

    QPointer<Document> watched(a);
    delete frames.takeFirst(); // the view of a.html
    EXPECT_EQ(docTemplate.documentCount(), 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watched.isNull());

    docTemplate.closeAllDocuments();
    EXPECT_EQ(docTemplate.documentCount(), 0);
}

TEST_F(DocumentFlow, SaveAllModifiedStopsAtTheFirstCancel)
{
    TextDocument* first = newDocument();
    TextDocument* second = newDocument();
    TextDocument* third = newDocument();
    for (TextDocument* d : {first, second, third})
        d->setModifiedFlag();
    first->answer = platform::IDNO;
    second->answer = platform::IDCANCEL;
    EXPECT_FALSE(docTemplate.saveAllModified());
    EXPECT_EQ(third->questions, 0);
}

TEST_F(DocumentFlow, DefaultFileDialogRunsThroughTheModalRunner)
{
    // Document's own file dialog (TextDocument overrides it; this one does not).
    struct PlainDocument : Document
    {
        int askSaveModified() override { return platform::IDYES; }
    } doc;
    platform::ModalResponder responder;
    const QString target = path("chosen.html");
    responder.on(platform::kSaveFileDialogId, [&](QDialog& d) {
        auto& files = static_cast<QFileDialog&>(d);
        files.selectFile(target);
        QMetaObject::invokeMethod(&files, "accept");
    });
    doc.setModifiedFlag();
    EXPECT_TRUE(doc.saveModified());
    EXPECT_EQ(doc.pathName(), target);
    EXPECT_TRUE(QFile::exists(target));
}

struct RecentCase
{
    QStringList added;
    QStringList expected;
};

void PrintTo(const RecentCase& c, std::ostream* os)
{
    *os << c.added.join(',').toStdString();
}

class RecentFiles : public ::testing::TestWithParam<RecentCase>
{
};

TEST_P(RecentFiles, NewestFirstEachOnceAtMostFour)
{
    platform::RecentFileList list(4);
    for (const QString& path : GetParam().added)
        list.add(path);
    EXPECT_EQ(list.entries(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, RecentFiles,
                         ::testing::Values(RecentCase{{"/a"}, {"/a"}}, RecentCase{{"/a", "/b", "/a"}, {"/a", "/b"}},
                                           RecentCase{{"/a", "/b", "/c", "/d", "/e"}, {"/e", "/d", "/c", "/b"}},
                                           RecentCase{{"/a", "", "/A"}, {"/A", "/a"}},
                                           RecentCase{{"/a", "/b", "/c", "/d", "/b"}, {"/b", "/d", "/c", "/a"}}));

TEST(RecentFileList, EntriesReadBackAreCleanedUp)
{
    platform::RecentFileList list(4);
    list.setEntries({"/a", "", "/a", "/b", "/c", "/d", "/e"});
    EXPECT_EQ(list.entries(), (QStringList{"/a", "/b", "/c", "/d"}));
    list.remove(1);
    list.remove(QStringLiteral("/d"));
    EXPECT_EQ(list.entries(), (QStringList{"/a", "/c"}));
    EXPECT_EQ(platform::RecentFileList::valueName(0), "File1");
}

TEST(RecentFileList, KeptInTheSettingsStoreAcrossRuns)
{
    QTemporaryDir dir;
    const QString key = QStringLiteral("Software\\Vornasoft\\Vorna-Paginor 2002(TEV)\\Recent File List");
    {
        platform::RegistryStore store(dir.filePath("hives"), dir.filePath("defaults"));
        platform::RecentFileList list(4);
        for (const char* path : {"/w/a.html", "/w/b.html", "/w/c.html"})
            list.add(QString::fromUtf8(path));
        ASSERT_TRUE(list.writeTo(store, key));
        list.remove(0);
        list.remove(0);
        ASSERT_TRUE(list.writeTo(store, key)); // File2 and File3 leave the store
    }
    platform::RegistryStore store(dir.filePath("hives"), dir.filePath("defaults"));
    platform::RecentFileList list(4);
    list.readFrom(store, key);
    EXPECT_EQ(list.entries(), QStringList{"/w/a.html"});
    platform::RegKey opened;
    ASSERT_EQ(store.openKey(platform::RegKey::root(platform::Hive::CurrentUser), key, &opened), 0);
    QStringList names;
    store.valueNames(opened, &names);
    EXPECT_EQ(names, QStringList{"File1"});
}
