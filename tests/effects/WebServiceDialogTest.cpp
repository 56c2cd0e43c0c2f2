// The service account and the dialogs of the bulletin board, the guest book
// and the access counter in the running program, answered as a user would;
// the addresses they open in the browser are caught.

#include "editor/EditorPage.h"

#include "controls/NumberEdit.h"
#include "controls/VornaIconListCtrl.h"
#include "frames/VornaFrameSet.h"
#include "effects/VornaDialogGuestBook.h"
#include "effects/VornaDialogRegister.h"
#include "effects/VornaDialogWebBoard.h"
#include "effects/VornaDialogWebCounter.h"
#include "effects/WebServiceAccount.h"
#include "images/CVornaListCtrlImage.h"
#include "publish/CVornaFtp.h"
#include "res/resource.h"
#include "util/PageDom.h"

#include "engine/editing/TextRange.h"

#include "platform/CommandRegistry.h"
#include "platform/ModalResponder.h"
#include "platform/RegistryStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

using platform::ModalResponder;

const QString kBoardStart = QStringLiteral("https://www.domovia.example/BODR/board.cgi?");
const QString kVisitorStart = QStringLiteral("https://www.domovia.example/guest/book.GBODR?");
const QString kCounterStart = QStringLiteral("https://www.domovia.example/counter/count.cgi?");

// The addresses handed to the desktop's browser.
class OpenedAddresses : public QObject
{
    Q_OBJECT
public:
    OpenedAddresses()
    {
        for (const char* scheme : {"http", "https"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
    }
    ~OpenedAddresses() override
    {
        for (const char* scheme : {"http", "https"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    QStringList addresses;

public slots:
    void open(const QUrl& url) { addresses.append(url.toString(QUrl::FullyEncoded)); }
};

template <class T> T* control(QDialog& dialog, int id)
{
    T* found = dialog.findChild<T*>(QStringLiteral("id_%1").arg(id));
    EXPECT_NE(found, nullptr) << id;
    return found;
}

class WebServiceDialog : public EditorPage
{
protected:
    void SetUp() override
    {
        EditorPage::SetUp();
        // No account yet.
        CRegistryEx reg(HKEY_CURRENT_USER);
        if (reg.Open(HKEY_CURRENT_USER, webservice::AccountKey())) {
            reg.DeleteValue(QStringLiteral("VORNA_ID"));
            reg.DeleteValue(QStringLiteral("VORNA_PASSWORD"));
        }
    }
    void storeAccount(const QString& id, const QString& password)
    {
        ASSERT_TRUE(webservice::WriteAccount(id, password));
    }
    // A value of the installation's configuration.
    void configure(const QString& key, const QString& name, const QString& value)
    {
        platform::RegistryStore& store = platform::RegistryStore::instance();
        platform::RegKey k;
        ASSERT_EQ(store.createKey(platform::RegistryStore::setupRoot(platform::Hive::LocalMachine),
                                  CVornaFtp::ProductKey() + u'\\' + key, &k),
                  0);
        ASSERT_EQ(store.setValue(k, name, platform::RegValue::fromString(value)), 0);
        store.closeKey(k);
    }
    // The customer information answered with an id and a password.
    void answerAccount(ModalResponder& responder, const QString& id, const QString& password)
    {
        responder.on(IDD_REGISTER, [=](QDialog& d) {
            ModalResponder::setText(d, IDC_REGISTER_USER_ID, id);
            ModalResponder::setText(d, IDC_REGISTER_PASSWORD, password);
            ModalResponder::press(d, platform::IDOK);
        });
    }

    static QRect itemBox(QAbstractItemView* list, int row) { return list->visualRect(list->model()->index(row, 0)); }
    static void clickItem(QAbstractItemView* list, int row)
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, itemBox(list, row).center());
    }
    static void doubleClickItem(QAbstractItemView* list, int row)
    {
        emit list->doubleClicked(list->model()->index(row, 0));
    }
    static QStringList items(CVornaListCtrlImage* list)
    {
        QStringList texts;
        for (int i = 0; i < list->GetItemCount(); ++i)
            texts.append(list->GetItemText(i));
        return texts;
    }
    static QStringList items(QComboBox* box)
    {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts.append(box->itemText(i));
        return texts;
    }
};

TEST_F(WebServiceDialog, AnIdIsAskedForOnlyWhenNoneIsStored)
{
    ModalResponder responder;
    // The placeholder id counts as none; Cancel keeps what is stored.
    storeAccount(QStringLiteral("ユーザーID"), QStringLiteral("old"));
    responder.answer(IDD_REGISTER, platform::IDCANCEL);
    EXPECT_FALSE(app->mainFrame()->EnsureWebServiceUserId());
    EXPECT_EQ(responder.runCount(IDD_REGISTER), 1);
    EXPECT_EQ(webservice::ReadUserId(), QStringLiteral("ユーザーID"));
    EXPECT_EQ(webservice::ReadPassword(), QStringLiteral("old"));
    // Entered: stored as typed, an id's blanks at its ends aside.
    answerAccount(responder, QStringLiteral(" u&1 "), QStringLiteral("p w#"));
    EXPECT_TRUE(app->mainFrame()->EnsureWebServiceUserId());
    EXPECT_EQ(webservice::ReadUserId(), QStringLiteral("u&1"));
    EXPECT_EQ(webservice::ReadPassword(), QStringLiteral("p w#"));
    // Now without asking.
    EXPECT_TRUE(app->mainFrame()->EnsureWebServiceUserId());
    EXPECT_EQ(responder.runCount(IDD_REGISTER), 2);
    // The board's address carries the id, escaped, and never the password.
    EXPECT_EQ(app->mainFrame()->BuildWebObjectQuery(QString(), QStringLiteral("blue"), QStringLiteral("brd")),
              kBoardStart + QStringLiteral("USERID=u%261&BODTYPE=blue"));
    EXPECT_EQ(app->mainFrame()->BuildWebObjectQuery(QString(), QStringLiteral("rose"), QStringLiteral("VST")),
              kVisitorStart + QStringLiteral("USERID=u%261&GBODTYPE=rose"));
    EXPECT_EQ(app->mainFrame()->BuildWebObjectQuery(QString(), QStringLiteral("red"), QStringLiteral("CNT")),
              kCounterStart + QStringLiteral("USERID=u%261&CNTTYPE=red"));
}

TEST_F(WebServiceDialog, TheCustomerInformationNeedsBothFieldsAndOpensTheSignUpPage)
{
    ModalResponder responder;
    OpenedAddresses opened;
    storeAccount(QStringLiteral("taro"), QStringLiteral("secret"));
    responder.on(IDD_REGISTER, [&](QDialog& d) {
        // The stored values, the password masked and both bounded.
        auto* id = control<QLineEdit>(d, IDC_REGISTER_USER_ID);
        auto* password = control<QLineEdit>(d, IDC_REGISTER_PASSWORD);
        EXPECT_EQ(id->text(), QStringLiteral("taro"));
        EXPECT_EQ(password->text(), QStringLiteral("secret"));
        EXPECT_EQ(password->echoMode(), QLineEdit::Password);
        EXPECT_EQ(id->maxLength(), 199);
        // Either field empty: refused, nothing stored.
        id->setText(QStringLiteral("   "));
        responder.answerMessageBox(platform::IDOK, QStringLiteral("ユーザーIDとコード情報が入力されていません"));
        ModalResponder::press(d, platform::IDOK);
        id->setText(QStringLiteral("hanako"));
        password->clear();
        responder.answerMessageBox(platform::IDOK, QStringLiteral("ユーザーIDとコード情報が入力されていません"));
        ModalResponder::press(d, platform::IDOK);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(webservice::ReadUserId(), QStringLiteral("taro"));
        // 登録 opens the sign-up page and keeps the dialog open.
        ModalResponder::press(d, IDC_REGISTER);
        EXPECT_EQ(opened.addresses, QStringList{QStringLiteral("https://www.domovia.example/signup/")});
        EXPECT_TRUE(d.isVisible());
        password->setText(QStringLiteral("pw2"));
        ModalResponder::press(d, platform::IDOK);
    });
    app->commands()->sendCommand(ID_TOOLS_CUSTOMER_INFO);
    EXPECT_EQ(responder.runCount(IDD_REGISTER), 1);
    EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 2);
    EXPECT_EQ(webservice::ReadUserId(), QStringLiteral("hanako"));
    EXPECT_EQ(webservice::ReadPassword(), QStringLiteral("pw2"));
    // A sign-up page the installation does not configure is said so.
    configure(QStringLiteral("Web Service"), QStringLiteral("Account"), QString());
    responder.on(IDD_REGISTER, [&](QDialog& d) {
        responder.answerMessageBox(platform::IDOK, QStringLiteral("アドレスが設定されていません"));
        ModalResponder::press(d, IDC_REGISTER);
        ModalResponder::press(d, platform::IDCANCEL);
    });
    app->commands()->sendCommand(ID_TOOLS_CUSTOMER_INFO);
    EXPECT_EQ(opened.addresses.size(), 1);
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(WebServiceDialog, TheBoardListsTheShippedStylesAndTheFramesOfAFramesetPage)
{
    // The frames of the active page window:
    // FRAMESET { FRAME menu, FRAMESET { FRAME noname, FRAME NoName } }.
    ASSERT_NE(open(QStringLiteral("><P>x</P>")), nullptr);
    CChildFrame* child = app->mainFrame()->GetActiveChild();
    ASSERT_NE(child, nullptr);
    FrameTree& tree = child->frameTree();
    tree.root = std::make_unique<VornaFrameSet>();
    tree.root->SetKind(QStringLiteral("FRAMESET"));
    tree.root->m_pFirstChild = std::make_unique<VornaFrameSet>();
    VornaFrameSet* menu = tree.root->m_pFirstChild.get();
    menu->SetName(QStringLiteral("menu"));
    menu->m_pNext = std::make_unique<VornaFrameSet>();
    menu->m_pNext->SetKind(QStringLiteral("FRAMESET"));
    menu->m_pNext->m_pFirstChild = std::make_unique<VornaFrameSet>();
    menu->m_pNext->m_pFirstChild->m_pNext = std::make_unique<VornaFrameSet>();
    menu->m_pNext->m_pFirstChild->m_pNext->SetName(QStringLiteral("NoName"));
    struct ClearTree
    {
        FrameTree& tree;
        ~ClearTree() { tree.clear(); }
    } clearTree{tree};
    ModalResponder responder;
    responder.on(IDD_WEB_BOARD, [&](QDialog& d) {
        EXPECT_EQ(items(control<CVornaListCtrlImage>(d, IDC_WEB_OBJECT_STYLES)),
                  (QStringList{QStringLiteral("blue"), QStringLiteral("green"), QStringLiteral("orange"),
                               QStringLiteral("simple")}));
        auto* targets = control<QComboBox>(d, IDC_WEB_OBJECT_TARGET);
        EXPECT_EQ(items(targets),
                  (QStringList{QStringLiteral("_self"), QStringLiteral("_blank"), QStringLiteral("_parent"),
                               QStringLiteral("_top"), QStringLiteral("menu"), QStringLiteral("NoName"),
                               QStringLiteral("main")}));
        // The link's target, of another page, is added and chosen.
        EXPECT_EQ(targets->currentText(), QStringLiteral("main"));
        // A new link: no Delete; the list chooses, the address is not typed.
        EXPECT_FALSE(control<QPushButton>(d, IDC_WEB_OBJECT_DELETE)->isEnabled());
        EXPECT_TRUE(control<QCheckBox>(d, IDC_WEB_BOARD_SERVICE)->isEnabled());
        EXPECT_TRUE(control<QLineEdit>(d, IDC_WEB_OBJECT_ADDRESS)->isReadOnly());
        ModalResponder::press(d, platform::IDCANCEL);
    });
    VornaDialogWebBoard dialog(app->mainFrame());
    dialog.m_strTarget = QStringLiteral("main");
    EXPECT_EQ(dialog.DoModal(), platform::IDCANCEL);
    // The same target differing in case is the frame's.
    responder.on(IDD_WEB_BOARD, [&](QDialog& d) {
        auto* targets = control<QComboBox>(d, IDC_WEB_OBJECT_TARGET);
        EXPECT_EQ(targets->count(), 6);
        EXPECT_EQ(targets->currentIndex(), 4);
        ModalResponder::press(d, platform::IDCANCEL);
    });
    VornaDialogWebBoard again(app->mainFrame());
    again.m_strTarget = QStringLiteral("MENU");
    again.DoModal();
}

TEST_F(WebServiceDialog, ABoardLinkBeingEditedHasItsStyleAndItsWholeTextSelected)
{
    const QString href = kBoardStart + QStringLiteral("USERID=u1&amp;BODTYPE=BLUE");
    ASSERT_NE(open(QStringLiteral("><TABLE style=\"POSITION: absolute; LEFT: 10px; TOP: 10px\"><TR><TD id=cell>"
                                  "Our <A id=link href=\"%1\">guest board</A> here</TD></TR></TABLE>")
                       .arg(href)),
              nullptr);
    selectText("link", 2, 5);
    ModalResponder responder;
    responder.on(IDD_WEB_BOARD, [&](QDialog& d) {
        auto* list = control<CVornaListCtrlImage>(d, IDC_WEB_OBJECT_STYLES);
        EXPECT_EQ(list->currentIndex().row(), 0);
        EXPECT_TRUE(control<QPushButton>(d, IDC_WEB_OBJECT_DELETE)->isEnabled());
        EXPECT_FALSE(control<QCheckBox>(d, IDC_WEB_BOARD_SERVICE)->isEnabled());
        EXPECT_EQ(control<QLineEdit>(d, IDC_WEB_OBJECT_ADDRESS)->text(),
                  kBoardStart + QStringLiteral("USERID=u1&BODTYPE=BLUE"));
        ModalResponder::press(d, IDC_WEB_OBJECT_DELETE);
    });
    VornaDialogWebBoard dialog(app->mainFrame());
    dialog.m_bEditLink = true;
    dialog.m_strResultURL = kBoardStart + QStringLiteral("USERID=u1&BODTYPE=BLUE");
    EXPECT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_TRUE(dialog.m_bDeleteLink);
    // The whole link is selected, so that the new one replaces it.
    std::optional<engine::TextRange> range;
    ASSERT_EQ(GetPageSelection(nullptr, nullptr, &range), S_OK);
    ASSERT_TRUE(range);
    EXPECT_EQ(range->text(), QStringLiteral("guest board"));
}

TEST_F(WebServiceDialog, TheBoardsStylesAnswerClicksAndArrowKeys)
{
    storeAccount(QStringLiteral("u1"), QStringLiteral("pw"));
    ModalResponder responder;
    responder.on(IDD_WEB_BOARD, [&](QDialog& d) {
        auto& dialog = static_cast<VornaDialogWebBoard&>(d);
        auto* list = control<CVornaListCtrlImage>(d, IDC_WEB_OBJECT_STYLES);
        auto* address = control<QLineEdit>(d, IDC_WEB_OBJECT_ADDRESS);
        // Down with no current item takes the first; up on the first stays.
        QTest::keyClick(list, Qt::Key_Down);
        EXPECT_EQ(address->text(), kBoardStart + QStringLiteral("USERID=u1&BODTYPE=blue"));
        QTest::keyClick(list, Qt::Key_Up);
        EXPECT_EQ(dialog.m_nCurrentItem, 0);
        // Down on the last stays.
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        EXPECT_EQ(dialog.m_nCurrentItem, 3);
        EXPECT_EQ(address->text(), kBoardStart + QStringLiteral("USERID=u1&BODTYPE=simple"));
        // A click builds the address of its item.
        clickItem(list, 1);
        EXPECT_EQ(address->text(), kBoardStart + QStringLiteral("USERID=u1&BODTYPE=green"));
        // A double click ends with the dialog's own OK: the target is kept.
        control<QComboBox>(d, IDC_WEB_OBJECT_TARGET)->setEditText(QStringLiteral("_top"));
        doubleClickItem(list, 2);
    });
    VornaDialogWebBoard dialog(app->mainFrame());
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_strResultURL, kBoardStart + QStringLiteral("USERID=u1&BODTYPE=orange"));
    EXPECT_EQ(dialog.m_strTargetFrame, QStringLiteral("_top"));
    EXPECT_FALSE(dialog.m_bDeleteLink);
}

TEST_F(WebServiceDialog, ARefusedAccountTurnsTheBoardToATypedAddress)
{
    ModalResponder responder;
    responder.on(IDD_WEB_BOARD, [&](QDialog& d) {
        auto* list = control<CVornaListCtrlImage>(d, IDC_WEB_OBJECT_STYLES);
        auto* address = control<QLineEdit>(d, IDC_WEB_OBJECT_ADDRESS);
        responder.answer(IDD_REGISTER, platform::IDCANCEL);
        clickItem(list, 0);
        EXPECT_FALSE(list->isEnabled());
        EXPECT_FALSE(control<QCheckBox>(d, IDC_WEB_BOARD_SERVICE)->isChecked());
        EXPECT_FALSE(address->isReadOnly());
        EXPECT_TRUE(address->text().isEmpty());
        // Nothing typed: said so.
        responder.answerMessageBox(platform::IDOK, QStringLiteral("掲示板が入力されていません"));
        ModalResponder::press(d, platform::IDOK);
        // A single slash after the scheme gets its second one.
        address->setText(QStringLiteral("http:/bbs.example/mine"));
        control<QComboBox>(d, IDC_WEB_OBJECT_TARGET)->setEditText(QStringLiteral("_blank"));
        ModalResponder::press(d, platform::IDOK);
    });
    VornaDialogWebBoard dialog(app->mainFrame());
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_strResultURL, QStringLiteral("http://bbs.example/mine"));
    EXPECT_EQ(dialog.m_strTargetFrame, QStringLiteral("_blank"));
    EXPECT_EQ(webservice::ReadUserId(), QString());
}

TEST_F(WebServiceDialog, AGuestBookChosenByKeysGetsTheIdEnteredAtOk)
{
    ModalResponder responder;
    responder.on(IDD_GUEST_BOOK, [&](QDialog& d) {
        auto* list = control<CVornaListCtrlImage>(d, IDC_WEB_OBJECT_STYLES);
        EXPECT_EQ(items(list), (QStringList{QStringLiteral("leaf"), QStringLiteral("note"), QStringLiteral("rose"),
                                            QStringLiteral("sky")}));
        // Keys do not ask for the account; OK does, and the address gets the id.
        QTest::keyClick(list, Qt::Key_Down);
        EXPECT_EQ(control<QLineEdit>(d, IDC_WEB_OBJECT_ADDRESS)->text(),
                  kVisitorStart + QStringLiteral("USERID=&GBODTYPE=leaf"));
        answerAccount(responder, QStringLiteral("u9"), QStringLiteral("pw"));
        ModalResponder::press(d, platform::IDOK);
    });
    VornaDialogGuestBook dialog(app->mainFrame());
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_strResultURL, kVisitorStart + QStringLiteral("USERID=u9&GBODTYPE=leaf"));
    // The guest book's own message for an empty address.
    responder.on(IDD_GUEST_BOOK, [&](QDialog& d) {
        ModalResponder::press(d, IDC_GUEST_BOOK_SERVICE);
        responder.answerMessageBox(platform::IDOK, QStringLiteral("ゲストブックが入力されていません"));
        ModalResponder::press(d, platform::IDOK);
        ModalResponder::press(d, platform::IDCANCEL);
    });
    VornaDialogGuestBook empty(app->mainFrame());
    EXPECT_EQ(empty.DoModal(), platform::IDCANCEL);
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(WebServiceDialog, TheCountersStartValueIsClampedAndItsSettingsPageOpens)
{
    storeAccount(QStringLiteral("u1"), QStringLiteral("p&w"));
    OpenedAddresses opened;
    ModalResponder responder;
    responder.on(IDD_WEB_COUNTER, [&](QDialog& d) {
        auto* list = control<VornaIconListCtrl>(d, IDC_WEB_OBJECT_STYLES);
        EXPECT_EQ(list->count(), 4);
        EXPECT_EQ(list->iconSize(), QSize(70, 45));
        auto* start = control<NumberEdit>(d, IDC_COUNTER_START);
        for (const char* typed : {"1000000001", "999999999999999999999999999999"}) {
            start->setText(QString::fromLatin1(typed));
            QFocusEvent out(QEvent::FocusOut);
            QCoreApplication::sendEvent(start, &out);
            EXPECT_EQ(start->text(), QStringLiteral("1000000000"));
        }
        start->setText(QStringLiteral("42"));
        ModalResponder::press(d, IDC_COUNTER_SETTINGS);
        EXPECT_EQ(opened.addresses,
                  QStringList{
                      QStringLiteral("https://www.domovia.example/counter/settings.cgi?USERID=u1&PW=p%26w&START=42")});
        // No style chosen.
        responder.answerMessageBox(platform::IDOK, QStringLiteral("カウンターが選択されていません"));
        ModalResponder::press(d, platform::IDOK);
        clickItem(list, 2);
        ModalResponder::press(d, platform::IDOK);
    });
    VornaDialogWebCounter dialog(app->mainFrame());
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_strResultURL, kCounterStart + QStringLiteral("USERID=u1&CNTTYPE=red"));
    EXPECT_EQ(dialog.m_bUseService, 1);
    EXPECT_EQ(dialog.m_nStartValue, 42);
}

TEST_F(WebServiceDialog, ACounterOfAnotherProviderIsCheckedByItsMarkup)
{
    ModalResponder responder;
    responder.on(IDD_WEB_COUNTER, [&](QDialog& d) {
        auto* markup = control<QPlainTextEdit>(d, IDC_COUNTER_HTML);
        EXPECT_FALSE(markup->isEnabled());
        // A refused account switches to pasted markup.
        responder.answer(IDD_REGISTER, platform::IDCANCEL);
        clickItem(control<VornaIconListCtrl>(d, IDC_WEB_OBJECT_STYLES), 0);
        EXPECT_TRUE(markup->isEnabled());
        EXPECT_FALSE(control<QWidget>(d, IDC_WEB_OBJECT_STYLES)->isEnabled());
        EXPECT_FALSE(control<QCheckBox>(d, IDC_COUNTER_SERVICE)->isChecked());
        // "img" without its brackets, and a script, are refused.
        for (const char* bad : {"img src=c.gif", "<script>document.write('<img src=c.gif>')</script>"}) {
            markup->setPlainText(QString::fromLatin1(bad));
            responder.answerMessageBox(platform::IDOK, QStringLiteral("正しい形式ではありません"));
            ModalResponder::press(d, platform::IDOK);
            EXPECT_EQ(markup->textCursor().selectedText(), QString::fromLatin1(bad));
        }
        markup->setPlainText(QStringLiteral("<embed src=\"http://c.example/c.swf\"></EMBED>"));
        ModalResponder::press(d, platform::IDOK);
    });
    VornaDialogWebCounter dialog(app->mainFrame());
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_bUseService, 0);
    EXPECT_EQ(dialog.m_nKind, 1);
    EXPECT_EQ(dialog.m_strHtml, QStringLiteral("<embed src=\"http://c.example/c.swf\">"));
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(WebServiceDialog, ACounterBeingChangedHasItsStyleSelected)
{
    storeAccount(QStringLiteral("u1"), QStringLiteral("pw"));
    ModalResponder responder;
    responder.on(IDD_WEB_COUNTER, [&](QDialog& d) {
        EXPECT_EQ(control<VornaIconListCtrl>(d, IDC_WEB_OBJECT_STYLES)->currentRow(), 2);
        EXPECT_FALSE(control<QCheckBox>(d, IDC_COUNTER_SERVICE)->isEnabled());
        // Down moves on to the next style.
        QTest::keyClick(control<QWidget>(d, IDC_WEB_OBJECT_STYLES), Qt::Key_Down);
        ModalResponder::press(d, platform::IDOK);
    });
    VornaDialogWebCounter dialog(app->mainFrame());
    dialog.m_bEditMode = true;
    dialog.m_strResultURL = QStringLiteral("http://old.example/c?USERID=u1&CNTTYPE=Red");
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_strResultURL, kCounterStart + QStringLiteral("USERID=u1&CNTTYPE=wood"));
}

} // namespace

#include "WebServiceDialogTest.moc"
