// The hyperlink dialog answered on the offscreen platform: the page list of a
// folder and of the open web, the schemes, the history in the settings store,
// the frames as targets, browsing, and the selection of an edited link.

#include "dialogs/VornaDialogHyperlink.h"

#include "controls/AddressHistory.h"
#include "controls/ULOFileDialog.h"
#include "frames/VornaFrameSet.h"
#include "support/TestFiles.h"
#include "util/LivePage.h"
#include "util/PageDom.h"

#include "engine/editing/TextRange.h"

#include "platform/ModalResponder.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using platform::ModalResponder;

namespace {

template <typename T> T* control(QDialog& dialog, int id)
{
    return dialog.findChild<T*>(QStringLiteral("id_%1").arg(id));
}

QComboBox* schemeBox(QDialog& d)
{
    return control<QComboBox>(d, VornaDialogHyperlink::kSchemeBoxId);
}
QComboBox* urlBox(QDialog& d)
{
    return control<QComboBox>(d, VornaDialogHyperlink::kUrlBoxId);
}
QComboBox* targetBox(QDialog& d)
{
    return control<QComboBox>(d, VornaDialogHyperlink::kTargetBoxId);
}
QTreeWidget* pageList(QDialog& d)
{
    return control<QTreeWidget>(d, VornaDialogHyperlink::kPageListId);
}

// The rows the list shows selected.
QList<int> selectedRows(QDialog& d)
{
    QList<int> rows;
    for (QTreeWidgetItem* item : pageList(d)->selectedItems())
        rows << pageList(d)->indexOfTopLevelItem(item);
    return rows;
}

void clickRow(QDialog& d, int row)
{
    QTreeWidget* list = pageList(d);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(row)).center());
}

// The page "index.html" of a folder with two more pages, active in a fake application.
class HyperlinkDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = dir.path();
        writeTestFile(folder + QStringLiteral("/index.html"), "<title>Top</title>");
        writeTestFile(folder + QStringLiteral("/news.html"), "<title>News</title>");
        writeTestFile(folder + QStringLiteral("/photo.gif"), "GIF89a");
        page.app.viewPages.insert(page.app.active, AppContext::OpenDocument(nullptr, QStringLiteral("index.html"),
                                                                            folder + QStringLiteral("/index.html")));
        AddressHistory(VornaDialogHyperlink::HistoryKeyName()).Save({});
    }
    void TearDown() override { VornaDialogHyperlink::SetWebPageSource({}); }

    QTemporaryDir dir;
    QString folder;
    LivePage page;
    ModalResponder responder;
};

TEST_F(HyperlinkDialog, APageOfTheFolderIsTakenWithAClickAndKeptInTheHistory)
{
    VornaDialogHyperlink dialog;
    responder.on(VornaDialogHyperlink::IDD, [&](QDialog& d) {
        EXPECT_TRUE(pageList(d)->isEnabled());
        ASSERT_EQ(pageList(d)->topLevelItemCount(), 2);
        EXPECT_EQ(pageList(d)->topLevelItem(1)->text(0), QStringLiteral("News"));
        EXPECT_FALSE(control<QWidget>(d, VornaDialogHyperlink::kDeleteButtonId)->isEnabled());
        clickRow(d, 1);
        EXPECT_EQ(urlBox(d)->currentText(), QStringLiteral("news.html"));
        EXPECT_EQ(schemeBox(d)->currentIndex(), -1);
        EXPECT_EQ(selectedRows(d), QList<int>{1});
        // A click beside the rows keeps the page.
        QTest::mouseClick(pageList(d)->viewport(), Qt::LeftButton, {}, QPoint(5, pageList(d)->height() - 30));
        EXPECT_EQ(selectedRows(d), QList<int>{1});
        ModalResponder::press(d, platform::IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_strURL, QStringLiteral("news.html"));
    EXPECT_EQ(AddressHistory(VornaDialogHyperlink::HistoryKeyName()).Load(), QStringList{"news.html"});

    // A page without a file name (no HTML page here): the list stays empty and off.
    page.app.viewPages[page.app.active] = AppContext::OpenDocument(nullptr, QStringLiteral("ULO1"), QString());
    VornaDialogHyperlink unsaved;
    responder.on(VornaDialogHyperlink::IDD, [&](QDialog& d) {
        EXPECT_FALSE(pageList(d)->isEnabled());
        EXPECT_EQ(urlBox(d)->count(), 1); // the history
        ModalResponder::press(d, platform::IDCANCEL);
    });
    EXPECT_EQ(unsaved.DoModal(), platform::IDCANCEL);
}

TEST_F(HyperlinkDialog, AWebPageLinkOpensOnItsRowAndErasingItDeletesTheLink)
{
    page.app.web = folder;
    VornaDialogHyperlink::SetWebPageSource([] {
        return QList<HyperlinkDialogModel::PageRow>{{QStringLiteral("Top"), QStringLiteral("index.html")},
                                                    {QStringLiteral("Mine"), QStringLiteral("my page.html")}};
    });
    VornaDialogHyperlink dialog;
    dialog.m_bPageInWeb = true;
    dialog.m_bEditLink = true;
    dialog.m_strURL = QStringLiteral("file://") + folder + QStringLiteral("/my%20page.html");
    responder.on(VornaDialogHyperlink::IDD, [&](QDialog& d) {
        EXPECT_EQ(urlBox(d)->currentText(), QStringLiteral("my page.html"));
        EXPECT_EQ(selectedRows(d), QList<int>{1});
        EXPECT_EQ(schemeBox(d)->currentIndex(), -1);
        EXPECT_TRUE(control<QWidget>(d, VornaDialogHyperlink::kDeleteButtonId)->isEnabled());
        urlBox(d)->setEditText(QString());
        EXPECT_TRUE(selectedRows(d).isEmpty());
        ModalResponder::press(d, platform::IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_TRUE(dialog.m_bDeleteLink);
    EXPECT_EQ(dialog.m_strURL, QStringLiteral("my page.html"));
    EXPECT_TRUE(AddressHistory(VornaDialogHyperlink::HistoryKeyName()).Load().isEmpty());
}

TEST_F(HyperlinkDialog, TheEleventhAddressPushesTheOldestOutAndARepeatMovesUp)
{
    const AddressHistory history(VornaDialogHyperlink::HistoryKeyName());
    QStringList stored;
    for (int i = 1; i <= 10; ++i)
        stored << QStringLiteral("http://example.jp/%1").arg(i);
    stored[4] = QString(); // an empty slot
    stored[5] = QStringLiteral("HTTP://EXAMPLE.JP/1");
    ASSERT_TRUE(history.Save(stored));
    const auto answer = [&](const QString& typed, int scheme) {
        responder.on(VornaDialogHyperlink::IDD, [=](QDialog& d) {
            urlBox(d)->setEditText(typed);
            schemeBox(d)->setCurrentIndex(scheme);
            ModalResponder::press(d, platform::IDOK);
        });
        VornaDialogHyperlink dialog;
        EXPECT_EQ(dialog.DoModal(), platform::IDOK);
        return dialog.m_strURL;
    };
    EXPECT_EQ(answer(QStringLiteral("www.example.jp/new"), 0), QStringLiteral("http://www.example.jp/new"));
    QStringList now = history.Load();
    ASSERT_EQ(now.size(), 9); // eight kept, one of the two equal ones gone, the new one on top
    EXPECT_EQ(now.front(), QStringLiteral("http://www.example.jp/new"));
    // Of two spellings the older one stays.
    EXPECT_EQ(now.filter(QRegularExpression(QStringLiteral("(?i)example.jp/1$"))), QStringList{"HTTP://EXAMPLE.JP/1"});
    // Another scheme's prefix gives way; an equal address moves to the top in its new spelling.
    EXPECT_EQ(answer(QStringLiteral("mailto:somebody"), 0), QStringLiteral("http://somebody"));
    EXPECT_EQ(answer(QStringLiteral("Http://Example.jp/3"), 0), QStringLiteral("Http://Example.jp/3"));
    now = history.Load();
    EXPECT_EQ(now.front(), QStringLiteral("Http://Example.jp/3"));
    EXPECT_EQ(now.size(), 10);
    EXPECT_EQ(now.filter(QStringLiteral("example.jp/3"), Qt::CaseInsensitive).size(), 1);
    for (int i = 11; i <= 13; ++i)
        answer(QStringLiteral("http://example.jp/%1").arg(i), 0);
    EXPECT_EQ(history.Load().size(), 10);
    EXPECT_EQ(history.Load().front(), QStringLiteral("http://example.jp/13"));
}

TEST_F(HyperlinkDialog, ADownloadFileOffersBrowsingAndNoTarget)
{
    writeTestFile(folder + QStringLiteral("/a b.zip"), "PK");
    VornaDialogHyperlink dialog;
    dialog.m_bEditLink = true;
    dialog.m_strURL = QStringLiteral("files/archive.zip");
    dialog.m_strTarget = QStringLiteral("_blank");
    responder.on(ULOFileDialog::kDialogId, [&](QDialog& d) {
        auto& files = static_cast<QFileDialog&>(d);
        files.selectFile(folder + QStringLiteral("/a b.zip"));
        QMetaObject::invokeMethod(&files, "accept");
    });
    responder.on(VornaDialogHyperlink::IDD, [&](QDialog& d) {
        EXPECT_EQ(schemeBox(d)->currentText(), QStringLiteral("ダウンロードファイル"));
        EXPECT_TRUE(control<QWidget>(d, VornaDialogHyperlink::kBrowseButtonId)->isEnabled());
        EXPECT_FALSE(targetBox(d)->isEnabled());
        EXPECT_EQ(targetBox(d)->currentText(), QStringLiteral("_blank"));
        ModalResponder::press(d, VornaDialogHyperlink::kBrowseButtonId);
        EXPECT_EQ(urlBox(d)->currentText(), folder + QStringLiteral("/a b.zip"));
        ModalResponder::press(d, platform::IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_strURL, folder + QStringLiteral("/a b.zip"));
    EXPECT_TRUE(dialog.m_strTargetFrame.isEmpty());
}

TEST_F(HyperlinkDialog, APageNotListedNeedsASchemeAndFramesAreTargets)
{
    VornaFrameSet root;
    root.SetKind(QStringLiteral("FRAMESET"));
    root.m_pFirstChild = std::make_unique<VornaFrameSet>();
    root.m_pFirstChild->SetName(QStringLiteral("main"));
    root.m_pFirstChild->m_pNext = std::make_unique<VornaFrameSet>(); // "noname"
    VornaDialogHyperlink dialog;
    dialog.m_pFrameSet = &root;
    dialog.m_bEditLink = true;
    dialog.m_strURL = QStringLiteral("elsewhere/page.html");
    dialog.m_strTarget = QStringLiteral("MAIN");
    responder.answerMessageBox(platform::IDOK, QStringLiteral("スキームを選択してください"));
    responder.on(VornaDialogHyperlink::IDD, [&](QDialog& d) {
        EXPECT_EQ(schemeBox(d)->currentIndex(), -1);
        EXPECT_EQ(targetBox(d)->count(), 5);
        EXPECT_EQ(targetBox(d)->currentText(), QStringLiteral("main"));
        ModalResponder::press(d, platform::IDOK);
        EXPECT_TRUE(d.isVisible());
        // A picture typed in any case is the image scheme, with a target.
        urlBox(d)->setEditText(QStringLiteral("photo.GIF"));
        EXPECT_EQ(schemeBox(d)->currentIndex(), HyperlinkDialogModel::kSchemeImage);
        urlBox(d)->setEditText(QStringLiteral("photo.htm"));
        EXPECT_EQ(schemeBox(d)->currentIndex(), HyperlinkDialogModel::kSchemeImage);
        EXPECT_TRUE(targetBox(d)->isEnabled());
        ModalResponder::press(d, platform::IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_strURL, QStringLiteral("photo.htm"));
    EXPECT_EQ(dialog.m_strTargetFrame, QStringLiteral("main"));
    EXPECT_EQ(responder.messageTexts().size(), 1);
}

TEST_F(HyperlinkDialog, AnUnsavedPageIsLinkedOnlyOnceItHasAFileName)
{
    int tag = 0;
    auto* unsavedDoc = reinterpret_cast<CZQDoc*>(&tag);
    page.app.documents = {AppContext::OpenDocument(unsavedDoc, QStringLiteral("ULO2"), QString())};
    VornaDialogHyperlink::SetWebPageSource([] {
        return QList<HyperlinkDialogModel::PageRow>{{QStringLiteral("Top"), QStringLiteral("index.html")},
                                                    {QStringLiteral("タイトルなし"), QStringLiteral("ULO2")}};
    });
    VornaDialogHyperlink dialog;
    dialog.m_bPageInWeb = true;
    responder.answerMessageBox(platform::IDNO, QStringLiteral("保存しますか"));
    responder.answerMessageBox(platform::IDYES); // the save is cancelled
    responder.answerMessageBox(platform::IDYES);
    responder.on(VornaDialogHyperlink::IDD, [&](QDialog& d) {
        clickRow(d, 0);
        clickRow(d, 1);
        EXPECT_EQ(selectedRows(d), QList<int>{0});
        EXPECT_EQ(urlBox(d)->currentText(), QStringLiteral("index.html"));
        clickRow(d, 1);
        EXPECT_EQ(selectedRows(d), QList<int>{0});
        page.app.pathAfterSave.insert(unsavedDoc, folder + QStringLiteral("/second.html"));
        clickRow(d, 1);
        EXPECT_EQ(selectedRows(d), QList<int>{1});
        EXPECT_EQ(pageList(d)->topLevelItem(1)->text(1), QStringLiteral("second.html"));
        ModalResponder::press(d, platform::IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_strURL, QStringLiteral("second.html"));
    EXPECT_EQ(page.app.savedDocuments.size(), 2);
}

TEST_F(HyperlinkDialog, TheLinkBeingEditedIsSelectedWholeOnceTheDialogShows)
{
    engine::Text* text = page.byId("bbs")->firstChild()->asText();
    page.doc->selection().collapseAt(text, 1);
    VornaDialogHyperlink dialog;
    dialog.m_bEditLink = true;
    dialog.m_strURL = QStringLiteral("http://bbs.example.jp/BODR/cgi?id=123");
    responder.on(VornaDialogHyperlink::IDD, [&](QDialog& d) {
        EXPECT_EQ(schemeBox(d)->currentIndex(), HyperlinkDialogModel::kSchemeUrl);
        QCoreApplication::processEvents();
        ModalResponder::press(d, platform::IDCANCEL);
    });
    dialog.DoModal();
    std::optional<engine::TextRange> range;
    ASSERT_TRUE(HasTextRangeSelection(range));
    EXPECT_EQ(range->text(), QStringLiteral("掲示板"));
}

} // namespace
