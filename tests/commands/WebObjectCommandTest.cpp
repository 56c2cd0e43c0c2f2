// The web-service objects on a page in the running program: bulletin-board
// and guest-book links written, changed and removed through their dialogs
// (the service's address a local one), and counters changed or deleted.

#include "FormatPage.h"

#include "commands/HyperlinkSelection.h"
#include "effects/VornaDialogGuestBook.h"
#include "effects/VornaDialogWebBoard.h"
#include "effects/VornaDialogWebCounter.h"
#include "res/resource.h"
#include "util/CRegistryEx.h"

#include "engine/dom/Element.h"

#include "platform/ModalResponder.h"
#include "support/HyperlinkAnswer.h"

#include <QComboBox>

namespace {

using platform::ModalResponder;

const QString kBoard = QStringLiteral("http://127.0.0.1:8931/cgi/BODR?USERID=u1&BODTYPE=blue");
const QString kGuests = QStringLiteral("http://127.0.0.1:8931/cgi/list.GBODR?USERID=u1&GBODTYPE=rose");

const char* const kServicePage =
    "style=\"margin:0\">\n"
    "<TABLE id=text style=\"Z-INDEX: 101; LEFT: 20px; POSITION: absolute; TOP: 20px\" width=300>"
    "<TR><TD id=box1>Sign our guest book</TD></TR></TABLE>\n"
    "<IMG id=pic src=\"pic.gif\" width=40 height=40 style=\"Z-INDEX: 102; LEFT: 20px; POSITION: absolute; TOP: "
    "80px\">\n"
    "<IMG id=local src=\"file:///home/u/count.gif\" style=\"Z-INDEX: 103; LEFT: 80px; POSITION: absolute; TOP: "
    "80px\">\n"
    "<IMG id=counter src=\"http://127.0.0.1:8931/Count?USERID=u1&amp;CNTTYPE=red\" "
    "style=\"Z-INDEX: 104; LEFT: 140px; POSITION: absolute; TOP: 80px\">\n"
    "<EMBED id=FlashCounter src=\"http://127.0.0.1:8931/fc.swf?USERID=u1\" "
    "style=\"Z-INDEX: 105; LEFT: 200px; POSITION: absolute; TOP: 80px\">\n";

class WebObjectCommand : public FormatPage
{
protected:
    void SetUp() override
    {
        FormatPage::SetUp();
        ASSERT_NE(open(QString::fromUtf8(kServicePage)), nullptr);
    }

    QString body() const { return doc()->body()->innerHTML(); }

    // A link dialog of the service answered with an address (removal when
    // empty), after the check of what the command filled in.
    template <class Dialog>
    void answerServiceLink(ModalResponder& responder, int dialogId, const QString& address,
                           std::function<void(Dialog&)> check = {})
    {
        responder.on(dialogId, [=](QDialog& d) {
            auto& dialog = static_cast<Dialog&>(d);
            if (check)
                check(dialog);
            dialog.m_bDeleteLink = address.isEmpty();
            dialog.m_strResultURL = address;
            dialog.m_strTargetFrame = QStringLiteral("_blank");
            dialog.m_bRemoveUnderline = 0;
            dialog.done(platform::IDOK);
        });
    }

    void answerCounter(ModalResponder& responder, const QString& address,
                       std::function<void(VornaDialogWebCounter&)> check)
    {
        responder.on(IDD_WEB_COUNTER, [=](QDialog& d) {
            auto& dialog = static_cast<VornaDialogWebCounter&>(d);
            check(dialog);
            dialog.m_strResultURL = address;
            dialog.done(platform::IDOK);
        });
    }
};

TEST_F(WebObjectCommand, ABoardLinkIsWrittenReadBackChangedAndRemoved)
{
    ModalResponder responder;
    selectText("box1", 0, 4);
    ASSERT_TRUE(enabled(ID_INSERT_WEB_BOARD));
    answerServiceLink<VornaDialogWebBoard>(responder, IDD_WEB_BOARD, kBoard, [](VornaDialogWebBoard& dialog) {
        EXPECT_EQ(dialog.m_strStyleFilter, QStringLiteral("*.brd"));
        EXPECT_FALSE(dialog.m_bEditLink);
        EXPECT_TRUE(dialog.m_bEnableRemoveUnderline);
    });
    const int steps = undoSteps();
    run(ID_INSERT_WEB_BOARD);
    EXPECT_EQ(inner("box1"), QStringLiteral("<A href=\"") +
                                 QString(kBoard).replace(QLatin1String("&"), QLatin1String("&amp;")) +
                                 QStringLiteral("\" target=_blank>Sign</A> our guest book"));
    EXPECT_EQ(undoSteps(), steps + 1);
    // The board link is a board link: its kind commands follow it.
    caretIn("box1", 0);
    selectText("box1", 0, 4);
    EXPECT_TRUE(view()->m_dwSelKind & 0x40);
    EXPECT_TRUE(enabled(ID_BOARD_LINK_PROPERTIES));
    EXPECT_FALSE(enabled(ID_LINK_PROPERTIES));
    // Changed through the board kind's command, which reads it back.
    answerServiceLink<VornaDialogWebBoard>(responder, IDD_WEB_BOARD, kBoard + QStringLiteral("2"),
                                           [](VornaDialogWebBoard& dialog) {
                                               EXPECT_TRUE(dialog.m_bEditLink);
                                               EXPECT_EQ(dialog.m_strResultURL, kBoard);
                                               EXPECT_EQ(dialog.m_strTarget, QStringLiteral("_blank"));
                                               EXPECT_EQ(dialog.m_bRemoveUnderline, 0);
                                           });
    run(ID_BOARD_LINK_PROPERTIES);
    SelectionLink link;
    selectText("box1", 0, 4);
    ASSERT_TRUE(GetSelectionLink(link, kBoardLink, view()));
    EXPECT_EQ(link.href, kBoard + QStringLiteral("2"));
    // Removed: the text stays, one step.
    answerServiceLink<VornaDialogWebBoard>(responder, IDD_WEB_BOARD, QString());
    run(ID_INSERT_WEB_BOARD);
    EXPECT_EQ(inner("box1"), QStringLiteral("Sign our guest book"));
    undo();
    selectText("box1", 0, 4);
    SelectionLink restored;
    EXPECT_TRUE(GetSelectionLink(restored, kBoardLink, view()));
}

TEST_F(WebObjectCommand, AnImageLinkedToAGuestBookIsNoPlainLinkForTheHyperlinkCommand)
{
    ModalResponder responder;
    selectObjects({"pic"});
    answerServiceLink<VornaDialogGuestBook>(responder, IDD_GUEST_BOOK, kGuests, [](VornaDialogGuestBook& dialog) {
        EXPECT_EQ(dialog.m_strStyleFilter, QStringLiteral("*.vst"));
        EXPECT_FALSE(dialog.m_bEnableRemoveUnderline);
    });
    run(ID_INSERT_GUEST_BOOK);
    engine::Element* a = byId("pic")->parentElement();
    ASSERT_TRUE(a->hasTag(QLatin1String("A")));
    EXPECT_EQ(a->getAttributeText(QStringLiteral("href")), kGuests);
    selectObjects({"pic"});
    EXPECT_TRUE(view()->m_dwSelKind & 0x80);
    // The same image opens the guest-book kind's dialog with its address, and
    // the hyperlink dialog as an image without a plain link, whose new
    // address replaces the guest book's in the same A.
    answerServiceLink<VornaDialogGuestBook>(responder, IDD_GUEST_BOOK, kGuests, [](VornaDialogGuestBook& dialog) {
        EXPECT_EQ(dialog.m_strURL, kGuests);
        EXPECT_TRUE(dialog.m_bEditLink);
    });
    run(ID_GUEST_BOOK_LINK_PROPERTIES);
    responder.on(IDD_HYPERLINK, [](QDialog& dialog) {
        TypeLinkAddress(dialog, QStringLiteral("plain.html"));
        ModalResponder::press(dialog, platform::IDOK);
    });
    run(ID_INSERT_HYPERLINK);
    EXPECT_EQ(byId("pic")->parentElement(), a);
    EXPECT_EQ(a->getAttributeText(QStringLiteral("href")), QStringLiteral("plain.html"));
    EXPECT_EQ(a->parentElement(), doc()->body());
}

TEST_F(WebObjectCommand, ACounterOnTheWebIsChangedOrDeletedAndALocalOneIsLeftAlone)
{
    ModalResponder responder;
    // A local image is no counter: no dialog.
    selectObjects({"local"});
    run(ID_COUNTER_PROPERTIES);
    EXPECT_EQ(responder.runCount(IDD_WEB_COUNTER), 0);
    // An image counter gets its new address, one step.
    selectObjects({"counter"});
    answerCounter(responder, QStringLiteral("http://127.0.0.1:8931/Count?USERID=u1&CNTTYPE=blue"),
                  [](VornaDialogWebCounter& dialog) {
                      EXPECT_TRUE(dialog.m_bEditMode);
                      EXPECT_EQ(dialog.m_nKind, 0);
                      EXPECT_EQ(dialog.m_strResultURL,
                                QStringLiteral("http://127.0.0.1:8931/Count?USERID=u1&CNTTYPE=red"));
                  });
    const int steps = undoSteps();
    run(ID_COUNTER_PROPERTIES);
    EXPECT_EQ(byId("counter")->getAttributeText(QStringLiteral("src")),
              QStringLiteral("http://127.0.0.1:8931/Count?USERID=u1&CNTTYPE=blue"));
    EXPECT_EQ(undoSteps(), steps + 1);
    // A Flash counter with its address emptied is deleted.
    selectObjects({"FlashCounter"});
    answerCounter(responder, QString(), [](VornaDialogWebCounter& dialog) { EXPECT_EQ(dialog.m_nKind, 1); });
    run(ID_COUNTER_PROPERTIES);
    EXPECT_EQ(byId("FlashCounter"), nullptr);
    undo();
    EXPECT_NE(byId("FlashCounter"), nullptr);
}

TEST_F(WebObjectCommand, ANewCounterWaitsForTheClickThatPlacesIt)
{
    ModalResponder responder;
    CMainFrame* frame = app->mainFrame();
    // A pasted image counter, then a pasted Flash counter.
    const auto paste = [&](int kind, const QString& html) {
        responder.on(IDD_WEB_COUNTER, [=](QDialog& d) {
            auto& dialog = static_cast<VornaDialogWebCounter&>(d);
            EXPECT_FALSE(dialog.m_bEditMode);
            dialog.m_bUseService = 0;
            dialog.m_nKind = kind;
            dialog.m_strHtml = html;
            dialog.done(platform::IDOK);
        });
        run(ID_INSERT_COUNTER);
    };
    const auto place = [this](QPoint at) {
        QPoint point = at;
        sink()->InsertPositionedObject(point);
        settle();
    };
    paste(0, QStringLiteral("<img src=\"http://counter.test/Count?id=7\">"));
    EXPECT_EQ(frame->m_nInsertKind, 2);
    EXPECT_EQ(frame->m_nInsertImageFlag, 1);
    place(QPoint(400, 300));
    engine::Element* image = byId("ImageCounter");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->getAttributeText(QStringLiteral("src")), QStringLiteral("http://counter.test/Count?id=7"));
    EXPECT_TRUE(view()->m_dwSelKind & 0x100);
    paste(1, QStringLiteral("<embed src=\"http://counter.test/fc.swf?id=7\">"));
    EXPECT_EQ(frame->m_nInsertKind, 3);
    EXPECT_EQ(frame->m_nInsertMediaType, 4);
    place(QPoint(500, 300));
    EXPECT_EQ(doc()->getElementsByTagName(QStringLiteral("EMBED")).length(), 2);
    // The service's counter, for a user with a service id.
    CRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, EditorSettings::productKeyPath() + QStringLiteral("\\Web Property")));
    ASSERT_TRUE(reg.WriteString(QStringLiteral("VORNA_ID"), QStringLiteral("u1")));
    reg.Close();
    const QString address = QStringLiteral("http://127.0.0.1:8931/Count?USERID=u1&CNTTYPE=red");
    responder.on(IDD_WEB_COUNTER, [=](QDialog& d) {
        auto& dialog = static_cast<VornaDialogWebCounter&>(d);
        dialog.m_bUseService = 1;
        dialog.m_strResultURL = address;
        dialog.done(platform::IDOK);
    });
    run(ID_INSERT_COUNTER);
    EXPECT_EQ(frame->m_strInsertImageSrc, address);
    EXPECT_EQ(frame->m_nInsertKind, 2);
    // Cancel arms nothing.
    frame->m_nInsertKind = 0;
    responder.answer(IDD_WEB_COUNTER, platform::IDCANCEL);
    run(ID_INSERT_COUNTER);
    EXPECT_EQ(frame->m_nInsertKind, 0);
}

} // namespace
