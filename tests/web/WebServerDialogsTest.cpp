// The server list and the server entry dialog through their buttons, with
// the entries in the test's own settings store.
#include "publish/CVornaFtp.h"
#include "res/resource.h"
#include "util/CRegistryEx.h"
#include "util/StringResources.h"
#include "web/VORNA_DIALOG_FTP.h"
#include "web/VORNA_DIALOG_WEBPROPERTY.h"
#include "web/WebServerSettings.h"

#include "platform/ModalResponder.h"

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

namespace {

using platform::ModalResponder;

QString stored(const QString& server, const char* value)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    QString text;
    if (!reg.Open(HKEY_CURRENT_USER, CVornaFtp::SettingsKey() + QLatin1Char('\\') + server) ||
        !reg.ReadString(QLatin1String(value), text))
        return QStringLiteral("<none>");
    return text;
}

quint32 storedPassive(const QString& server)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    quint32 passive = 99;
    reg.Open(HKEY_CURRENT_USER, CVornaFtp::SettingsKey() + QLatin1Char('\\') + server);
    reg.ReadDWord(QStringLiteral("ftp_passive"), passive);
    return passive;
}

QString activeServer()
{
    CVornaFtp ftp;
    return ftp.GetActiveWeb();
}

void saveServer(const QString& name, const QString& url, const QString& user)
{
    CVornaFtp ftp;
    ftp.SetWebName(name);
    ftp.ResetWebSettings();
    ftp.SetHttpUrl(url);
    ftp.SetFtpId(user);
    ftp.SaveWebSettings();
}

QStringList rows(VORNA_DIALOG_WEBPROPERTY& dialog)
{
    QStringList all;
    for (int i = 0; i < dialog.serverList()->count(); ++i)
        all << dialog.serverList()->item(i)->text();
    return all;
}

// Answers the entry dialog: sets the fields given and presses OK.
ModalResponder::Action fill(std::map<int, QString> fields)
{
    return [fields](QDialog& d) {
        for (const auto& [id, text] : fields)
            ModalResponder::setText(d, id, text);
        ModalResponder::press(d, platform::IDOK);
    };
}

TEST(WebServerSettings, FoldersAddressesAndTimeOutsAreStoredInOneForm)
{
    EXPECT_EQ(NormalizeServerFolder(QString()), QStringLiteral("/"));
    EXPECT_EQ(NormalizeServerFolder(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(NormalizeServerFolder(QStringLiteral("public")), QStringLiteral("/public/"));
    EXPECT_EQ(NormalizeServerFolder(QStringLiteral("/a/b")), QStringLiteral("/a/b/"));
    EXPECT_EQ(NormalizeServerAddress(QStringLiteral("example.jp")), QStringLiteral("http://example.jp"));
    EXPECT_EQ(NormalizeServerAddress(QStringLiteral("HTTP://example.jp")), QStringLiteral("HTTP://example.jp"));
    EXPECT_EQ(NormalizeServerAddress(QStringLiteral("https://example.jp")), QStringLiteral("https://example.jp"));
    EXPECT_EQ(ServerTimeoutOfText(QStringLiteral("abc")), 0);
    EXPECT_EQ(ServerTimeoutOfText(QStringLiteral("250")), 100);
    EXPECT_EQ(ServerTimeoutOfText(QStringLiteral("-4")), 0);
    EXPECT_EQ(ServerTimeoutOfText(QStringLiteral("30s")), 30);
}

TEST(WebServerList, AnEntryAddedUnchangedHasTheDefaultsAndASecondOneIsRefused)
{
    VORNA_DIALOG_WEBPROPERTY list;
    ModalResponder responder;
    responder.on(VORNA_DIALOG_FTP::IDD, fill({}));
    responder.on(VORNA_DIALOG_WEBPROPERTY::IDD, [&](QDialog&) {
        list.OnAdd();
        // The same again: refused, the dialog stays until Cancel.
        responder.on(VORNA_DIALOG_FTP::IDD, [](QDialog& d) {
            ModalResponder::press(d, platform::IDOK);
            ModalResponder::press(d, platform::IDCANCEL);
        });
        responder.answerMessageBox(platform::IDOK, LoadResString(IDS_SERVER_NAME_TAKEN));
        list.OnAdd();
        ModalResponder::press(list, platform::IDOK);
    });
    EXPECT_EQ(list.DoModal(), platform::IDOK);
    const QString name = LoadResString(IDS_UNNAMED_SERVER);
    EXPECT_EQ(name, QStringLiteral("(名前無し)"));
    EXPECT_EQ(rows(list), QStringList{name});
    EXPECT_EQ(stored(name, "ftp_id"), QStringLiteral("ユーザーID"));
    EXPECT_EQ(stored(name, "ftp_dir"), QStringLiteral("/"));
    EXPECT_EQ(stored(name, "ftp_port"), QStringLiteral("21"));
    EXPECT_EQ(stored(name, "ftp_timeout"), QStringLiteral("10"));
    EXPECT_EQ(stored(name, "http_url"), QStringLiteral("http://"));
    EXPECT_EQ(storedPassive(name), 1u);
    // OK made the selected entry the active one.
    EXPECT_EQ(activeServer(), name);
    EXPECT_EQ(responder.pending(), 0);
}

TEST(WebServerList, TheEntryDialogRefusesNamesThatCannotBeOneEntry)
{
    saveServer(QStringLiteral("Site"), QStringLiteral("http://a.jp/"), QStringLiteral("u"));
    ModalResponder responder;
    VORNA_DIALOG_FTP entry;
    QStringList refused;
    responder.always(platform::kMessageBoxDialogId, [](QDialog& box) { ModalResponder::press(box, platform::IDOK); });
    responder.on(VORNA_DIALOG_FTP::IDD, [&](QDialog& d) {
        for (const char* name : {"", "a\\b", "SITE"}) {
            ModalResponder::setText(d, VORNA_DIALOG_FTP::kNameId, QString::fromUtf8(name));
            ModalResponder::press(d, platform::IDOK);
            refused << (d.isVisible() ? QStringLiteral("open") : QStringLiteral("closed"));
        }
        ModalResponder::setText(d, VORNA_DIALOG_FTP::kNameId, QStringLiteral("Other"));
        ModalResponder::setText(d, VORNA_DIALOG_FTP::kUserId, QString());
        ModalResponder::press(d, platform::IDOK);
    });
    EXPECT_EQ(entry.DoModal(), platform::IDOK);
    EXPECT_EQ(refused, QStringList({"open", "open", "open"}));
    EXPECT_EQ(responder.messageTexts(),
              QStringList({LoadResString(IDS_SERVER_NAME_EMPTY), LoadResString(IDS_SERVER_NAME_BACKSLASH),
                           LoadResString(IDS_SERVER_NAME_TAKEN)}));
    EXPECT_EQ(entry.m_strName, QStringLiteral("Other"));
    EXPECT_EQ(entry.m_strUserId, QStringLiteral("ユーザーID")); // an empty user id takes the placeholder
}

TEST(WebServerList, LeavingTheTimeOutHoldsItBetweenZeroAndAHundred)
{
    VORNA_DIALOG_FTP entry;
    ModalResponder responder;
    QStringList shown;
    responder.on(VORNA_DIALOG_FTP::IDD, [&](QDialog& d) {
        auto* timeout = d.findChild<QLineEdit*>(QStringLiteral("id_1008"));
        for (const char* typed : {"abc", "250", "42"}) {
            timeout->setText(QString::fromLatin1(typed));
            entry.OnKillfocusTimeout();
            shown << timeout->text();
        }
        ModalResponder::press(d, platform::IDCANCEL);
    });
    entry.DoModal();
    EXPECT_EQ(shown, QStringList({"0", "100", "42"}));
}

TEST(WebServerList, RenamingByCaseReplacesTheEntryAndTheHostingServiceKeepsItsAddress)
{
    saveServer(QStringLiteral("Site"), QStringLiteral("ftp.site.jp"), QStringLiteral("taro"));
    saveServer(QStringLiteral("Vornasoft"), QStringLiteral("http://www.vornasoft.jp/members/old"),
               QStringLiteral("old"));
    VORNA_DIALOG_WEBPROPERTY list;
    ModalResponder responder;
    responder.on(VORNA_DIALOG_WEBPROPERTY::IDD, [&](QDialog&) {
        // Site -> site: the same name to the duplicate check.
        list.serverList()->setCurrentRow(int(rows(list).indexOf(QStringLiteral("Site"))));
        responder.on(VORNA_DIALOG_FTP::IDD, fill({{VORNA_DIALOG_FTP::kNameId, QStringLiteral("site")},
                                                  {VORNA_DIALOG_FTP::kDirId, QStringLiteral("public")}}));
        list.OnEdit();
        // The hosting service: its address follows the user id, whatever the field says.
        list.serverList()->setCurrentRow(int(rows(list).indexOf(QStringLiteral("Vornasoft"))));
        responder.on(VORNA_DIALOG_FTP::IDD, fill({{VORNA_DIALOG_FTP::kUserId, QStringLiteral("hanako")},
                                                  {VORNA_DIALOG_FTP::kUrlId, QStringLiteral("http://elsewhere.jp/")}}));
        list.OnEdit();
        list.reject();
    });
    EXPECT_EQ(list.DoModal(), platform::IDCANCEL);
    EXPECT_TRUE(rows(list).contains(QStringLiteral("site")));
    EXPECT_FALSE(rows(list).contains(QStringLiteral("Site")));
    EXPECT_EQ(ServerEntryNames().filter(QStringLiteral("site"), Qt::CaseInsensitive),
              QStringList{QStringLiteral("site")});
    EXPECT_EQ(stored(QStringLiteral("site"), "ftp_dir"), QStringLiteral("/public/"));
    EXPECT_EQ(stored(QStringLiteral("site"), "http_url"), QStringLiteral("http://ftp.site.jp"));
    EXPECT_EQ(stored(QStringLiteral("Vornasoft"), "http_url"),
              QStringLiteral("http://www.vornasoft.jp/members/hanako"));
    // Closing without OK leaves the active server alone.
    EXPECT_EQ(activeServer(), QString());
}

TEST(WebServerList, EditAndDeleteNeedARowAndOkWithoutOneClearsTheActiveServer)
{
    saveServer(QStringLiteral("b"), QStringLiteral("http://b/"), QStringLiteral("u"));
    saveServer(QStringLiteral("a"), QStringLiteral("http://a/"), QStringLiteral("u"));
    VORNA_DIALOG_WEBPROPERTY list;
    list.m_strInitialServer = QStringLiteral("not listed");
    ModalResponder responder;
    responder.on(VORNA_DIALOG_WEBPROPERTY::IDD, [&](QDialog&) {
        EXPECT_EQ(rows(list), QStringList({"a", "b"}));
        EXPECT_EQ(list.serverList()->currentRow(), 0); // the first, for a name not in the list
        list.OnDelete();
        list.OnDelete();
        responder.answerMessageBox(platform::IDOK, LoadResString(IDS_SELECT_SERVER));
        list.OnEdit();
        responder.answerMessageBox(platform::IDOK, LoadResString(IDS_SELECT_SERVER));
        list.OnDelete();
        ModalResponder::press(list, platform::IDOK);
    });
    EXPECT_EQ(list.DoModal(), platform::IDOK);
    EXPECT_TRUE(ServerEntryNames().isEmpty());
    EXPECT_EQ(activeServer(), QString());
    EXPECT_EQ(responder.pending(), 0);
}

} // namespace
