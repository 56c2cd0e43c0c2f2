// The program's page file dialog: filters, the folders of each mode, the
// free name of a new page, addresses, and the dialog answered on the
// offscreen platform.

#include "controls/FileDialogFilter.h"
#include "controls/FileListTexts.h"
#include "controls/RecentFolders.h"
#include "controls/ULOFileDialog.h"

#include "res/resource.h"
#include "support/FakeAppContext.h"
#include "support/ReviewPicture.h"
#include "support/TestFiles.h"
#include "util/CRegistryEx.h"
#include "util/StringResources.h"

#include "platform/ModalResponder.h"
#include "platform/ToolkitTexts.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileSystemModel>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QGuiApplication>

using platform::ModalResponder;

namespace {

constexpr quint32 kOpenFlags = 0x1006;
constexpr quint32 kSaveFlags = 0x0006;

QString remembered(const QString& valueName)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    QString value = QStringLiteral("<none>");
    if (reg.Open(HKEY_CURRENT_USER, RecentFoldersKey()))
        reg.ReadString(valueName, value);
    return value;
}

void remember(const QString& valueName, const QString& value)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, RecentFoldersKey()));
    ASSERT_TRUE(reg.WriteString(valueName, value));
}

// A program with its own install folder, no remembered folders, no page and no web.
class ULOFileDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        context.installFolderPath = root.filePath(QStringLiteral("install"));
        ASSERT_TRUE(QDir().mkpath(context.installFolderPath));
        CRegistryEx reg(HKEY_CURRENT_USER);
        reg.DeleteKey(HKEY_CURRENT_USER, RecentFoldersKey());
    }

    QString folder(const QString& relative)
    {
        const QString path = root.filePath(relative);
        EXPECT_TRUE(QDir().mkpath(path));
        return path;
    }
    QString work() const { return context.installFolderPath + QStringLiteral("/Work"); }
    // The active page: its display name and its file (empty for a new page).
    void setActivePage(const QString& name, const QString& path)
    {
        context.active = context.view(0);
        context.viewPages[context.active] = AppContext::OpenDocument(nullptr, name, path);
    }
    ULOFileDialogModel model(int mode) const
    {
        return ULOFileDialogModel(mode, QString(), QString(), ULOFileDialogModel::Place::Current());
    }

    QTemporaryDir root;
    FakeAppContext context;
};

ULOFileDialog& fileDialog(QDialog& dialog)
{
    return static_cast<ULOFileDialog&>(dialog);
}

// ---- filters ----

TEST(FileDialogFilterTest, ReadsTheStringTableFilters)
{
    const QList<FileDialogFilter> html = ParseFileDialogFilter(LoadResString(IDS_HTML_FILE_FILTER));
    ASSERT_EQ(html.size(), 2);
    EXPECT_EQ(html[0].label, "HTML ファイル(*.html;*.htm)");
    EXPECT_EQ(html[0].patterns, QStringList({"*.html", "*.htm"}));
    EXPECT_EQ(html[1].patterns, QStringList({"*"})) << "names without a dot are files too";
    EXPECT_EQ(QtNameFilter(html[0]), "HTML ファイル(*.html;*.htm) (*.html *.htm)");
    EXPECT_EQ(ParseFileDialogFilter(LoadResString(IDS_FILTER_HTML)).size(), 1);
    EXPECT_EQ(ParseFileDialogFilter(LoadResString(IDS_FILTER_ALL_FILES)).size(), 1);
    EXPECT_TRUE(ParseFileDialogFilter(QString()).isEmpty());
    EXPECT_EQ(ParseFileDialogFilter("A|*.a||B|*.b|").size(), 1) << "the empty pair ends the list";
    EXPECT_EQ(ParseFileDialogFilter("A|;|B|*.b").size(), 1) << "a label without patterns is dropped";
}

TEST(FileDialogFilterTest, DefaultExtensionFollowsTheFirstPattern)
{
    EXPECT_EQ(DefaultExtensionOf({"x", {"*.html", "*.htm"}}, "txt"), "html");
    EXPECT_EQ(DefaultExtensionOf({"x", {"*"}}, "html"), "html");
    EXPECT_EQ(DefaultExtensionOf({"x", {"*.mi?"}}, "mid"), "mid");
    EXPECT_EQ(DefaultExtensionOf({"x", {"page*"}}, "html"), "html");
    EXPECT_EQ(DefaultExtensionOf({"x", {}}, "swf"), "swf");
}

// ---- folders ----

TEST_F(ULOFileDialogTest, HomeFoldersOfTheModes)
{
    ULOFileDialogModel::Place place;
    place.installFolder = context.installFolderPath;
    EXPECT_EQ(ULOFileDialogModel::HomeFolderOf(0, place), work());
    EXPECT_EQ(ULOFileDialogModel::HomeFolderOf(4, place), work()) << "no web open";
    EXPECT_EQ(ULOFileDialogModel::HomeFolderOf(3, place), context.installFolderPath + "/Template/Template");
    place.webFolder = root.filePath("web");
    EXPECT_EQ(ULOFileDialogModel::HomeFolderOf(1, place), work()) << "the active page is not in the web";
    EXPECT_EQ(ULOFileDialogModel::HomeFolderOf(4, place), place.webFolder);
    place.activePageInWeb = true;
    EXPECT_EQ(ULOFileDialogModel::HomeFolderOf(0, place), place.webFolder);
    EXPECT_EQ(ULOFileDialogModel::HomeFolderOf(2, place), place.webFolder);
    // The install tree's folders are found whatever their case.
    ASSERT_TRUE(QDir().mkpath(context.installFolderPath + "/template/TEMPLATE"));
    EXPECT_EQ(ULOFileDialogModel::HomeFolderOf(3, place), context.installFolderPath + "/template/TEMPLATE");
}

TEST_F(ULOFileDialogTest, StartFoldersFromAFreshStoreAndFromRememberedValues)
{
    EXPECT_EQ(model(0).m_strInitialDir, work());
    EXPECT_EQ(model(1).m_strInitialDir, work());
    EXPECT_EQ(model(3).m_strTitle, "テンプレートからの新規ファイル");
    EXPECT_TRUE(model(0).m_strTitle.isEmpty());
    EXPECT_EQ(model(0).m_strDefExt, "html");
    EXPECT_EQ(remembered("Open File"), "<none>") << "reading creates the key, writes no value";

    const QString opened = folder("pages");
    const QString saved = folder("saved");
    remember("Open File", opened);
    remember("Save File", saved + "/old.html"); // older values held the file itself
    ASSERT_TRUE(writeTestFile(saved + "/old.html", "<P>old"));
    remember("New File", root.filePath("gone"));
    EXPECT_EQ(model(0).m_strInitialDir, opened);
    EXPECT_EQ(model(4).m_strInitialDir, opened);
    EXPECT_EQ(model(1).m_strInitialDir, saved);
    EXPECT_EQ(model(3).m_strInitialDir, context.installFolderPath + "/Template/Template") << "a folder that is gone";
    remember("Open File", "not a path");
    EXPECT_EQ(model(0).m_strInitialDir, work());
}

TEST_F(ULOFileDialogTest, SavesStartInTheOpenWebOrBesideTheActivePage)
{
    const QString saved = folder("saved");
    remember("Save File", saved);
    const QString pages = folder("pages");
    setActivePage("a.html", pages + "/a.html");
    ASSERT_TRUE(writeTestFile(pages + "/a.html", "<P>a"));
    EXPECT_EQ(model(2).m_strInitialDir, pages);
    EXPECT_EQ(model(2).m_strActivePage, "a.html");
    EXPECT_EQ(model(0).m_strInitialDir, work()) << "opening reads its own value";
    context.web = folder("web");
    EXPECT_EQ(model(1).m_strInitialDir, context.web);
    EXPECT_EQ(model(2).m_strInitialDir, context.web);
    EXPECT_EQ(model(0).m_strHomeFolder, work()) << "the page is not one of the web's";
    context.webPages.insert("a.html");
    EXPECT_EQ(model(0).m_strHomeFolder, context.web);
    context.web.clear();
    setActivePage("ULO1", QString());
    EXPECT_EQ(model(1).m_strInitialDir, saved);
}

// ---- the free name of a new page ----

TEST_F(ULOFileDialogTest, ProposesTheFirstFreeNumberForANewPage)
{
    const QString dir = folder("names");
    for (const char* name : {"UNTITLED1.html", "UNTITLED2.html", "FRAMESET.html", "ulo7.htm", "ulo8.htm", "index.html"})
        ASSERT_TRUE(writeTestFile(dir + "/" + name, "x"));
    EXPECT_EQ(ULOFileDialogModel::ProposeFreeName(dir, "UNTITLED1.html", "html"), "UNTITLED3");
    EXPECT_EQ(ULOFileDialogModel::ProposeFreeName(dir, "UNTITLED3.html", "html"), "UNTITLED3.html") << "free";
    EXPECT_EQ(ULOFileDialogModel::ProposeFreeName(dir, "FRAMESET.html", "html"), "FRAMESET1");
    EXPECT_EQ(ULOFileDialogModel::ProposeFreeName(dir, "ulo7.htm", "html"), "ulo9") << "case kept, own extension";
    EXPECT_EQ(ULOFileDialogModel::ProposeFreeName(dir, "ulo7", "htm"), "ulo9") << "the default extension added";
    EXPECT_EQ(ULOFileDialogModel::ProposeFreeName(dir, "ulo7", "html"), "ulo7.html");
    EXPECT_EQ(ULOFileDialogModel::ProposeFreeName(dir, "ULO7.htm", "html"), "ULO7.htm") << "file names keep their case";
    EXPECT_EQ(ULOFileDialogModel::ProposeFreeName(dir, "index.html", "html"), "index.html") << "not a new page";
    EXPECT_EQ(ULOFileDialogModel::ProposeFreeName(dir, "Frame", "html"), "Frame.html");
}

TEST_F(ULOFileDialogTest, OnlyModeZeroTakesAnAddress)
{
    ULOFileDialogModel open = model(0);
    EXPECT_TRUE(open.TakeAddress("  hTTp://www.example.jp/a b.html"));
    EXPECT_TRUE(open.m_bURL);
    EXPECT_EQ(open.m_strURL, "hTTp://www.example.jp/a b.html") << "as typed, but for the leading blanks";
    EXPECT_FALSE(open.TakeAddress("page.html"));
    EXPECT_FALSE(open.m_bURL);
    ULOFileDialogModel save = model(2);
    EXPECT_FALSE(save.TakeAddress("http://www.example.jp/"));
    EXPECT_FALSE(save.m_bURL);
}

// ---- the dialog ----

TEST_F(ULOFileDialogTest, AnAddressEndsModeZeroWithoutRememberingAFolder)
{
    ModalResponder responder;
    responder.on(ULOFileDialog::kDialogId, [](QDialog& d) {
        ModalResponder::setText(d, 1152, QStringLiteral(" http://www.example.jp/index.html"));
        ModalResponder::press(d, 1);
    });
    ULOFileDialog dlg(true, 0, QString(), QString(), kOpenFlags, LoadResString(IDS_HTML_FILE_FILTER));
    ASSERT_EQ(dlg.DoModal(), platform::IDOK);
    EXPECT_TRUE(dlg.m_bURL);
    EXPECT_EQ(dlg.m_strURL, "http://www.example.jp/index.html");
    EXPECT_EQ(remembered("Open File"), "<none>");
    EXPECT_EQ(responder.messageTexts(), QStringList()) << "no file check for an address";
}

TEST_F(ULOFileDialogTest, SavingANewPageProposesAFreeNameAndRemembersTheFolder)
{
    ASSERT_TRUE(writeTestFile(work() + "/UNTITLED1.html", "1"));
    ASSERT_TRUE(writeTestFile(work() + "/UNTITLED2.html", "2"));
    const QString elsewhere = folder("elsewhere");
    ModalResponder responder;
    QString proposal;
    QString selected;
    responder.on(ULOFileDialog::kDialogId, [&](QDialog& d) {
        ULOFileDialog& dlg = fileDialog(d);
        EXPECT_EQ(dlg.GetFolderPath(), work());
        proposal = dlg.fileNameEdit()->text();
        selected = dlg.fileNameEdit()->selectedText();
        ModalResponder::press(d, 1);
    });
    {
        ULOFileDialog dlg(false, 1, QString(), "UNTITLED1.html", kSaveFlags, LoadResString(IDS_HTML_FILE_FILTER));
        ASSERT_EQ(dlg.DoModal(), platform::IDOK);
        EXPECT_EQ(proposal, "UNTITLED3");
        EXPECT_EQ(selected, "UNTITLED3");
        EXPECT_EQ(dlg.GetPathName(), work() + "/UNTITLED3.html") << "the default extension added";
        EXPECT_EQ(remembered("Save File"), work());
    }
    // Saved elsewhere: the next save of a new page starts there.
    responder.on(ULOFileDialog::kDialogId, [&](QDialog& d) {
        fileDialog(d).ChangeFolder(elsewhere);
        ModalResponder::press(d, 1);
    });
    {
        ULOFileDialog dlg(false, 1, QString(), "UNTITLED1.html", kSaveFlags, LoadResString(IDS_HTML_FILE_FILTER));
        ASSERT_EQ(dlg.DoModal(), platform::IDOK);
        EXPECT_EQ(dlg.GetPathName(), elsewhere + "/UNTITLED3.html") << "the name stays as proposed";
    }
    EXPECT_EQ(remembered("Save File"), elsewhere);
    responder.on(ULOFileDialog::kDialogId, [&](QDialog& d) {
        EXPECT_EQ(fileDialog(d).GetFolderPath(), elsewhere);
        ModalResponder::press(d, 2);
    });
    ULOFileDialog next(false, 1, QString(), "ULO1.html", kSaveFlags, LoadResString(IDS_HTML_FILE_FILTER));
    EXPECT_EQ(next.DoModal(), platform::IDCANCEL);
}

TEST_F(ULOFileDialogTest, HomeFolderButtonKeepsTheTypedName)
{
    const QString opened = folder("pages");
    remember("Open File", opened);
    ModalResponder responder;
    responder.on(ULOFileDialog::kDialogId, [&](QDialog& d) {
        ULOFileDialog& dlg = fileDialog(d);
        EXPECT_EQ(dlg.GetFolderPath(), opened);
        ModalResponder::setText(d, 1152, QStringLiteral("typed.html"));
        ASSERT_TRUE(ModalResponder::press(d, ULOFileDialog::kHomeFolderButtonId));
        EXPECT_EQ(dlg.GetFolderPath(), work());
        EXPECT_EQ(dlg.fileNameEdit()->text(), "typed.html");
        d.reject(); // the window's close box
    });
    ULOFileDialog dlg(true, 0, QString(), QString(), kOpenFlags, LoadResString(IDS_HTML_FILE_FILTER));
    EXPECT_EQ(dlg.DoModal(), platform::IDCANCEL);
    EXPECT_EQ(remembered("Open File"), opened) << "a cancelled dialog remembers nothing";
    EXPECT_TRUE(dlg.GetPathName().isEmpty());
}

TEST_F(ULOFileDialogTest, AMissingFileIsRefusedAndAnExistingOneAskedAbout)
{
    const QString pages = folder("pages");
    ASSERT_TRUE(writeTestFile(pages + "/there.html", "<P>old"));
    remember("Open File", pages);
    ModalResponder responder;
    responder.on(ULOFileDialog::kDialogId, [](QDialog& d) {
        ModalResponder::setText(d, 1152, QStringLiteral("missing.html"));
        ModalResponder::press(d, 1);
        EXPECT_TRUE(d.isVisible()) << "still open after the notice";
        ModalResponder::setText(d, 1152, QStringLiteral("there"));
        ModalResponder::press(d, 1);
    });
    responder.answerMessageBox(platform::IDOK, QStringLiteral("missing.html"));
    ULOFileDialog open(true, 0, QString(), QString(), kOpenFlags, LoadResString(IDS_HTML_FILE_FILTER));
    ASSERT_EQ(open.DoModal(), platform::IDOK);
    EXPECT_EQ(open.GetPathName(), pages + "/there.html");
    EXPECT_EQ(remembered("Open File"), pages);

    // Saving over the file asks; No keeps the dialog open.
    setActivePage("there.html", pages + "/there.html");
    responder.on(ULOFileDialog::kDialogId, [](QDialog& d) {
        ModalResponder::press(d, 1);
        EXPECT_TRUE(d.isVisible());
        ModalResponder::press(d, 1);
    });
    responder.answerMessageBox(platform::IDNO, QStringLiteral("there.html"));
    responder.answerMessageBox(platform::IDYES, QStringLiteral("上書きしますか"));
    ULOFileDialog save(false, 2, QString(), "there.html", kSaveFlags, LoadResString(IDS_HTML_FILE_FILTER));
    ASSERT_EQ(save.DoModal(), platform::IDOK);
    EXPECT_EQ(save.GetPathName(), pages + "/there.html");
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(ULOFileDialogTest, AFolderNamedInTheBoxIsOpened)
{
    const QString pages = folder("pages/sub");
    remember("Open File", root.filePath("pages"));
    ModalResponder responder;
    responder.on(ULOFileDialog::kDialogId, [&](QDialog& d) {
        ModalResponder::setText(d, 1152, QStringLiteral("sub"));
        ModalResponder::press(d, 1);
        EXPECT_EQ(fileDialog(d).GetFolderPath(), pages);
        EXPECT_TRUE(fileDialog(d).fileNameEdit()->text().isEmpty());
        ModalResponder::press(d, 2);
    });
    ULOFileDialog dlg(true, 0, QString(), QString(), kOpenFlags, LoadResString(IDS_HTML_FILE_FILTER));
    EXPECT_EQ(dlg.DoModal(), platform::IDCANCEL);
}

TEST_F(ULOFileDialogTest, TheDefaultExtensionFollowsTheChosenType)
{
    ULOFileDialog dlg(false, 2, QString(), "page", kSaveFlags, LoadResString(IDS_HTML_FILE_FILTER));
    EXPECT_EQ(dlg.GetFileName(), "page.html");
    dlg.fileTypeCombo()->setCurrentIndex(1);
    EXPECT_EQ(dlg.GetFileName(), "page.html") << "all files: the dialog's own extension";
    ULOFileDialog text(false, 2, "txt", "notes", kSaveFlags, "Text|*.txt|HTML|*.htm||");
    EXPECT_EQ(text.GetFileName(), "notes.txt");
    text.fileTypeCombo()->setCurrentIndex(1);
    EXPECT_EQ(text.GetFileName(), "notes.htm");
    EXPECT_EQ(text.GetFileExt(), "htm");
}

TEST_F(ULOFileDialogTest, ModeThreeIsTitledAndStartsInTheTemplates)
{
    ULOFileDialog dlg(true, 3, QString(), QString(), kOpenFlags, LoadResString(IDS_HTML_FILE_FILTER));
    EXPECT_EQ(dlg.windowTitle(), "テンプレートからの新規ファイル");
    EXPECT_EQ(dlg.GetFolderPath(), context.installFolderPath + "/Template/Template");
    auto* home = dlg.findChild<QToolButton*>("id_1016");
    ASSERT_NE(home, nullptr);
    EXPECT_EQ(home->toolTip(), "Vorna フォルダのショートカット");
}

TEST_F(ULOFileDialogTest, AnOpenCompositionBecomesTextWhenTheNameBoxLosesTheFocus)
{
    ULOFileDialog dlg(false, 2, QString(), QString(), kSaveFlags, LoadResString(IDS_HTML_FILE_FILTER));
    QLineEdit* edit = dlg.fileNameEdit();
    edit->setText("top");
    QInputMethodEvent composing(QStringLiteral("ぺーじ"), {});
    QCoreApplication::sendEvent(edit, &composing);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(edit, &out);
    EXPECT_EQ(edit->text(), "topぺーじ");
}

// Under Xvfb: the page dialog saving a new page into a folder of pages.
TEST(ControlsScreenshot, PageFileDialogSavingANewPage)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    const platform::ToolkitTexts japanese;
    QTemporaryDir root;
    FakeAppContext context;
    context.installFolderPath = root.filePath(QStringLiteral("install"));
    CRegistryEx reg(HKEY_CURRENT_USER);
    reg.DeleteKey(HKEY_CURRENT_USER, RecentFoldersKey());
    const QString work = context.installFolderPath + QStringLiteral("/Work");
    for (const char* name :
         {"UNTITLED1.html", "UNTITLED2.html", "index.html", "日記.html", "プロフィール.htm", "style.css"})
        ASSERT_TRUE(writeTestFile(work + "/" + QString::fromUtf8(name), "<P>x"));
    ASSERT_TRUE(QDir().mkpath(work + "/image"));
    ModalResponder responder;
    QImage picture;
    responder.on(ULOFileDialog::kDialogId, [&](QDialog& d) {
        d.resize(760, 460);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&d));
        QTest::qWait(300); // the folder's files arrive from the file system model's thread
        picture = d.grab().toImage();
        ModalResponder::press(d, 2);
    });
    ULOFileDialog dlg(false, 1, QString(), "UNTITLED1.html", kSaveFlags, LoadResString(IDS_HTML_FILE_FILTER));
    dlg.DoModal();
    ASSERT_FALSE(picture.isNull());
    SaveReviewPicture(picture, QStringLiteral("file-dialog-page.png"));
}

} // namespace

TEST(FileListTexts, SizesAndDatesFollowTheProgramsLocaleNotTheSystems)
{
    const platform::ToolkitTexts japanese;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(writeTestFile(dir.filePath(QStringLiteral("index.html")), "<p>x</p>"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("image")));
    QFileSystemModel files;
    FileListTexts texts;
    texts.setSourceModel(&files);
    const QModelIndex root = files.setRootPath(dir.path());
    QTRY_COMPARE(files.rowCount(root), 2);
    const auto cell = [&](const QString& name, int column) {
        const QModelIndex source = files.index(dir.filePath(name), column);
        return texts.data(texts.mapFromSource(source), Qt::DisplayRole).toString();
    };
    EXPECT_EQ(cell(QStringLiteral("index.html"), 1), QLocale().formattedDataSize(8));
    EXPECT_TRUE(cell(QStringLiteral("index.html"), 1).contains(QStringLiteral("バイト")));
    EXPECT_TRUE(cell(QStringLiteral("image"), 1).isEmpty()) << "folders have no size";
    const QDateTime modified = QFileInfo(dir.filePath(QStringLiteral("index.html"))).lastModified();
    EXPECT_EQ(cell(QStringLiteral("index.html"), 3), QLocale().toString(modified, QLocale::ShortFormat));
    EXPECT_EQ(cell(QStringLiteral("index.html"), 0), QStringLiteral("index.html"));
}
