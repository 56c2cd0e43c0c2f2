// The media object and background sound dialogs: a file or an address, the
// address history, the remembered folders, the Media Player options and
// Listen, answered on the offscreen platform.

#include "dialogs/VornaDialogAdvancedObject.h"
#include "dialogs/VornaDialogBackMusic.h"

#include "controls/AddressHistory.h"
#include "controls/CVornaComboBox.h"
#include "controls/RecentFolders.h"
#include "controls/VornaImageButton.h"
#include "res/resource.h"
#include "support/FakeAppContext.h"
#include "support/ReviewPicture.h"
#include "support/TestFiles.h"
#include "util/CRegistryEx.h"
#include "util/StringResources.h"

#include "platform/ModalResponder.h"
#include "platform/ToolkitTexts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using platform::ModalResponder;

namespace {

constexpr quint32 kOpenFlags = 0x1006;

QString remembered(const QString& valueName)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    QString value = QStringLiteral("<none>");
    if (reg.Open(HKEY_CURRENT_USER, RecentFoldersKey()))
        reg.ReadString(valueName, value);
    return value;
}

QStringList addresses(int count)
{
    QStringList list;
    for (int i = 1; i <= count; ++i)
        list << QStringLiteral("http://www.example.jp/movie%1.swf").arg(i);
    return list;
}

// Types into a box as the user does: with the focus in it, so that the
// file dialog leaves the typed text alone, and through the box's own signals.
void typeInto(QLineEdit* edit, const QString& text)
{
    ASSERT_NE(edit, nullptr);
    QApplication::setActiveWindow(edit->window());
    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, text);
}

QLineEdit* addressEdit(QDialog& dialog)
{
    auto* box = dialog.findChild<CVornaComboBox*>("id_1514");
    return box ? box->lineEdit() : nullptr;
}

class FileDialogsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        context.installFolderPath = root.filePath(QStringLiteral("install"));
        ASSERT_TRUE(QDir().mkpath(context.installFolderPath));
        CRegistryEx reg(HKEY_CURRENT_USER);
        reg.DeleteKey(HKEY_CURRENT_USER, RecentFoldersKey());
        for (const char* key : {"Flash History", "Shockwave History", "MediaPlayer History", "BGSound History"})
            reg.DeleteKey(HKEY_CURRENT_USER, AddressHistory(QString::fromLatin1(key)).keyPath());
        VornaDialogBackMusic::SetPlayer([this](const QString& path) {
            played << path;
            return true;
        });
    }
    void TearDown() override { VornaDialogBackMusic::SetPlayer({}); }

    QString file(const QString& relative, const QByteArray& data = "x")
    {
        const QString path = root.filePath(relative);
        EXPECT_TRUE(writeTestFile(path, data));
        return path;
    }
    QString soundFolder() const { return context.installFolderPath + QStringLiteral("/Other/Bgsound"); }

    QTemporaryDir root;
    FakeAppContext context;
    QStringList played;
};

// ---- media objects ----

TEST_F(FileDialogsTest, EachKindHasItsTitleTypesAndExtension)
{
    const struct
    {
        int kind;
        const char* title;
        int types;
        const char* extension;
    } kinds[] = {{VornaDialogAdvancedObject::Flash, "開く - Flash", 2, "swf"},
                 {VornaDialogAdvancedObject::MediaPlayer, "開く - Media Player", 5, "mid"},
                 {VornaDialogAdvancedObject::Shockwave, "開く - Shockwave", 2, "dcr"},
                 {VornaDialogAdvancedObject::RealAudio, "開く - Real Audio", 2, "ra"}};
    for (const auto& k : kinds) {
        VornaDialogAdvancedObject dlg(true, k.kind, "txt", QString(), kOpenFlags);
        EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8(k.title));
        EXPECT_EQ(dlg.filters().size(), k.types) << k.kind;
        EXPECT_EQ(dlg.GetDefExt(), k.extension) << "the kind's own, not the caller's";
        const bool options = k.kind == VornaDialogAdvancedObject::MediaPlayer;
        EXPECT_EQ(dlg.findChild<QCheckBox*>("id_1512") != nullptr, options) << k.kind;
        EXPECT_EQ(dlg.findChild<QCheckBox*>("id_1511") != nullptr, options) << k.kind;
        EXPECT_NE(dlg.findChild<QWidget*>("id_1513"), nullptr);
    }
}

TEST_F(FileDialogsTest, AnAddressGoesToTheTopOfTheHistoryAndComesBackWithForwardSlashes)
{
    const AddressHistory history("Flash History");
    ASSERT_TRUE(history.Save(addresses(10)));
    ModalResponder responder;
    responder.on(VornaDialogAdvancedObject::kDialogId, [](QDialog& d) {
        auto* box = d.findChild<CVornaComboBox*>("id_1514");
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->count(), 10);
        EXPECT_EQ(box->itemText(0), "http://www.example.jp/movie1.swf");
        EXPECT_TRUE(box->currentText().isEmpty());
        typeInto(addressEdit(d), "HTTP://WWW.EXAMPLE.JP/MOVIE5.SWF");
        ModalResponder::press(d, 1);
    });
    {
        VornaDialogAdvancedObject dlg(true, VornaDialogAdvancedObject::Flash, QString(), QString(), kOpenFlags);
        ASSERT_EQ(dlg.DoModal(), platform::IDOK);
        EXPECT_TRUE(dlg.m_bURL);
        EXPECT_EQ(dlg.m_strURL, "HTTP://WWW.EXAMPLE.JP/MOVIE5.SWF");
    }
    QStringList expected = addresses(10);
    expected.removeAt(4);
    expected.prepend("HTTP://WWW.EXAMPLE.JP/MOVIE5.SWF");
    EXPECT_EQ(history.Load(), expected) << "the same address in other case moves, it is not added";

    // An eleventh address pushes the oldest out; backslashes become slashes,
    // blanks, quotes and "<" stay as typed.
    responder.on(VornaDialogAdvancedObject::kDialogId, [](QDialog& d) {
        typeInto(addressEdit(d), "http:\\\\host\\a \"b\"<c>.swf");
        ModalResponder::press(d, 1);
    });
    VornaDialogAdvancedObject dlg(true, VornaDialogAdvancedObject::Flash, QString(), QString(), kOpenFlags);
    ASSERT_EQ(dlg.DoModal(), platform::IDOK);
    EXPECT_EQ(dlg.m_strURL, "http://host/a \"b\"<c>.swf");
    const QStringList now = history.Load();
    ASSERT_EQ(now.size(), 10);
    EXPECT_EQ(now.first(), "http:\\\\host\\a \"b\"<c>.swf") << "the history keeps what was typed";
    EXPECT_EQ(now.last(), "http://www.example.jp/movie9.swf");
    EXPECT_EQ(remembered("Recent Opened Flash"), "<none>") << "an address remembers no folder";
}

TEST_F(FileDialogsTest, TheFileNameAndTheAddressClearEachOther)
{
    ASSERT_TRUE(AddressHistory("Shockwave History").Save({"http://a.example/x.dcr", "http://b.example/y.dcr"}));
    VornaDialogAdvancedObject dlg(true, VornaDialogAdvancedObject::Shockwave, QString(), QString(), kOpenFlags);
    dlg.show();
    QLineEdit* name = dlg.fileNameEdit();
    typeInto(addressEdit(dlg), "http://c.example/");
    typeInto(name, "movie.dcr");
    EXPECT_TRUE(addressEdit(dlg)->text().isEmpty());
    typeInto(addressEdit(dlg), "h");
    EXPECT_TRUE(name->text().isEmpty());
    typeInto(name, "movie.dcr");
    auto* box = dlg.findChild<CVornaComboBox*>("id_1514");
    box->setCurrentIndex(1);
    emit box->activated(1); // picked from the list
    EXPECT_TRUE(name->text().isEmpty());
    EXPECT_EQ(box->currentText(), "http://b.example/y.dcr");
}

TEST_F(FileDialogsTest, EachKindRemembersTheFolderOfItsAcceptedFile)
{
    const QString flashFile = file("flash/intro.swf");
    const QString flashFolder = QFileInfo(flashFile).absolutePath();
    ModalResponder responder;
    responder.on(VornaDialogAdvancedObject::kDialogId, [&](QDialog& d) {
        static_cast<CFileDialog&>(d).selectFile(flashFile);
        ModalResponder::press(d, 1);
    });
    {
        VornaDialogAdvancedObject dlg(true, VornaDialogAdvancedObject::Flash, QString(), QString(), kOpenFlags);
        ASSERT_EQ(dlg.DoModal(), platform::IDOK);
        EXPECT_FALSE(dlg.m_bURL);
        EXPECT_EQ(dlg.GetPathName(), flashFile);
    }
    EXPECT_EQ(remembered("Recent Opened Flash"), flashFolder);
    // The next Flash dialog starts there; Shockwave keeps its own folder.
    VornaDialogAdvancedObject flash(true, VornaDialogAdvancedObject::Flash, QString(), QString(), kOpenFlags);
    EXPECT_EQ(flash.GetFolderPath(), flashFolder);
    VornaDialogAdvancedObject shockwave(true, VornaDialogAdvancedObject::Shockwave, QString(), QString(), kOpenFlags);
    EXPECT_NE(shockwave.GetFolderPath(), flashFolder);

    // Cancel and the close box leave the folder alone, whatever the box held.
    const QString other = file("other/b.swf");
    responder.on(VornaDialogAdvancedObject::kDialogId, [&](QDialog& d) {
        static_cast<CFileDialog&>(d).selectFile(other);
        ModalResponder::press(d, 2);
    });
    responder.on(VornaDialogAdvancedObject::kDialogId, [&](QDialog& d) {
        static_cast<CFileDialog&>(d).selectFile(other);
        d.reject();
    });
    for (int i = 0; i < 2; ++i) {
        VornaDialogAdvancedObject dlg(true, VornaDialogAdvancedObject::Flash, QString(), QString(), kOpenFlags);
        EXPECT_EQ(dlg.DoModal(), platform::IDCANCEL);
        EXPECT_TRUE(dlg.m_bCancelled);
    }
    EXPECT_EQ(remembered("Recent Opened Flash"), flashFolder);
}

TEST_F(FileDialogsTest, MediaPlayerReadsItsOptionsAndItsExtensionFollowsTheType)
{
    VornaDialogAdvancedObject types(true, VornaDialogAdvancedObject::MediaPlayer, QString(), "clip", kOpenFlags);
    const char* extensions[] = {"clip.mid", "clip.mpg", "clip.asf", "clip.avi", "clip.mid"};
    for (int i = 0; i < 5; ++i) {
        types.fileTypeCombo()->setCurrentIndex(i);
        EXPECT_EQ(types.GetFileName(), extensions[i]) << i;
    }

    const QString song = file("midi/song.mid");
    ModalResponder responder;
    responder.on(VornaDialogAdvancedObject::kDialogId, [&](QDialog& d) {
        ModalResponder::setChecked(d, 1512, true);
        static_cast<CFileDialog&>(d).selectFile(song);
        ModalResponder::press(d, 1);
    });
    VornaDialogAdvancedObject dlg(true, VornaDialogAdvancedObject::MediaPlayer, QString(), QString(), kOpenFlags);
    ASSERT_EQ(dlg.DoModal(), platform::IDOK);
    EXPECT_TRUE(dlg.m_bAutoStart);
    EXPECT_FALSE(dlg.m_bRepeat);
    EXPECT_EQ(remembered("Recent Opened MediaPlayer"), QFileInfo(song).absolutePath());
}

// ---- background sound ----

TEST_F(FileDialogsTest, BackgroundSoundStartsInTheSoundFolderAndItsButtonComesBack)
{
    const QString elsewhere = QFileInfo(file("music/a.mid")).absolutePath();
    ModalResponder responder;
    responder.on(VornaDialogBackMusic::kDialogId, [&](QDialog& d) {
        auto& dlg = static_cast<VornaDialogBackMusic&>(d);
        EXPECT_EQ(dlg.GetFolderPath(), soundFolder());
        dlg.ChangeFolder(elsewhere);
        ModalResponder::setText(d, 1152, "typed.mid");
        ASSERT_TRUE(ModalResponder::press(d, VornaDialogBackMusic::kSoundFolderButtonId));
        EXPECT_EQ(dlg.GetFolderPath(), soundFolder());
        EXPECT_EQ(dlg.fileNameEdit()->text(), "typed.mid");
        ModalResponder::press(d, 2);
    });
    VornaDialogBackMusic dlg(true, QString(), QString(), kOpenFlags, LoadResString(IDS_FILTER_BACKGROUND_SOUND));
    EXPECT_EQ(dlg.windowTitle(), "開く - 背景サウンド");
    EXPECT_EQ(dlg.DoModal(), platform::IDCANCEL);
    EXPECT_EQ(remembered("Recent Opened BGSound"), "<none>");
}

TEST_F(FileDialogsTest, ListenPlaysOnlyAnExistingSoundFile)
{
    const QString wave = file("sounds/bell.WAV");
    file("sounds/song.midi");
    file("sounds/notes.txt");
    VornaDialogBackMusic dlg(true, QString(), wave, kOpenFlags, LoadResString(IDS_FILTER_BACKGROUND_SOUND));
    dlg.show();
    VornaImageButton* listen = dlg.listenButton();
    ASSERT_EQ(listen->objectName(), "id_1510");
    EXPECT_EQ(dlg.GetFolderPath(), QFileInfo(wave).absolutePath()) << "a given file starts in its folder";
    EXPECT_TRUE(listen->isEnabled());
    listen->click();
    EXPECT_EQ(played, QStringList({wave}));
    for (const char* name : {"notes.txt", "missing.mid", "song.mid", ""}) {
        typeInto(dlg.fileNameEdit(), QString::fromLatin1(name));
        EXPECT_FALSE(listen->isEnabled()) << name;
    }
    typeInto(dlg.fileNameEdit(), "song.midi");
    EXPECT_TRUE(listen->isEnabled());
    dlg.ChangeFolder(soundFolder());
    EXPECT_FALSE(listen->isEnabled()) << "no such file in the other folder";
}

TEST_F(FileDialogsTest, BackgroundSoundTakesTheCallersAddressAndRemembersAFilesFolder)
{
    ModalResponder responder;
    responder.on(VornaDialogBackMusic::kDialogId, [](QDialog& d) {
        EXPECT_EQ(addressEdit(d)->text(), "http://www.example.jp/bgm.mid");
        ModalResponder::press(d, 1);
    });
    {
        VornaDialogBackMusic dlg(true, QString(), QString(), kOpenFlags, LoadResString(IDS_FILTER_BACKGROUND_SOUND));
        dlg.m_bURL = true;
        dlg.m_strURL = "http://www.example.jp/bgm.mid";
        ASSERT_EQ(dlg.DoModal(), platform::IDOK);
        EXPECT_TRUE(dlg.m_bURL);
        EXPECT_EQ(dlg.m_strURL, "http://www.example.jp/bgm.mid");
    }
    EXPECT_EQ(AddressHistory("BGSound History").Load(), QStringList({"http://www.example.jp/bgm.mid"}));

    // A file: the address is dropped, the type's extension added, the folder
    // remembered (whole, though it bears the file's name).
    const QString tune = file("waltz.wav/waltz.wav");
    responder.on(VornaDialogBackMusic::kDialogId, [&](QDialog& d) {
        auto& dlg = static_cast<VornaDialogBackMusic&>(d);
        dlg.fileTypeCombo()->setCurrentIndex(1); // Wave
        dlg.ChangeFolder(QFileInfo(tune).absolutePath());
        typeInto(dlg.fileNameEdit(), "waltz");
        EXPECT_TRUE(addressEdit(d)->text().isEmpty());
        ModalResponder::press(d, 1);
    });
    VornaDialogBackMusic dlg(true, QString(), QString(), kOpenFlags, LoadResString(IDS_FILTER_BACKGROUND_SOUND));
    dlg.m_strURL = "http://www.example.jp/bgm.mid";
    ASSERT_EQ(dlg.DoModal(), platform::IDOK);
    EXPECT_FALSE(dlg.m_bURL);
    EXPECT_EQ(dlg.GetPathName(), tune);
    EXPECT_EQ(remembered("Recent Opened BGSound"), QFileInfo(tune).absolutePath());
}

QImage pictureOf(QDialog& d)
{
    d.resize(760, 500);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&d));
    QTest::qWait(300); // the folder's files arrive from the file system model's thread
    return d.grab().toImage();
}

// Under Xvfb: the Media Player dialog with its options and history, and the
// background sound dialog in the sound folder with Listen enabled.
TEST(ControlsScreenshot, MediaAndSoundFileDialogs)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    const platform::ToolkitTexts japanese;
    QTemporaryDir root;
    FakeAppContext context;
    context.installFolderPath = root.filePath(QStringLiteral("install"));
    const QString media = root.filePath(QStringLiteral("media"));
    for (const char* name : {"opening.mid", "intro.mpg", "birthday.midi", "clip.avi", "memo.txt"})
        ASSERT_TRUE(writeTestFile(media + "/" + name, "x"));
    ASSERT_TRUE(AddressHistory("MediaPlayer History").Save({"http://www.example.jp/music/theme.mid"}));
    ASSERT_TRUE(WriteRecentFolder("Recent Opened MediaPlayer", media));
    ModalResponder responder;
    QImage mediaPicture;
    responder.on(VornaDialogAdvancedObject::kDialogId, [&](QDialog& d) {
        ModalResponder::setChecked(d, 1512, true);
        ModalResponder::setText(d, 1152, "opening.mid");
        mediaPicture = pictureOf(d);
        ModalResponder::press(d, 2);
    });
    VornaDialogAdvancedObject mediaDialog(true, VornaDialogAdvancedObject::MediaPlayer, QString(), QString(),
                                          kOpenFlags);
    mediaDialog.DoModal();
    ASSERT_FALSE(mediaPicture.isNull());
    SaveReviewPicture(mediaPicture, QStringLiteral("file-dialog-media.png"));

    for (const char* name : {"chime.wav", "musicbox.mid", "waltz.midi"})
        ASSERT_TRUE(writeTestFile(context.installFolderPath + "/Other/Bgsound/" + name, "x"));
    QImage soundPicture;
    responder.on(VornaDialogBackMusic::kDialogId, [&](QDialog& d) {
        ModalResponder::setText(d, 1152, "musicbox.mid");
        soundPicture = pictureOf(d);
        ModalResponder::press(d, 2);
    });
    VornaDialogBackMusic soundDialog(true, QString(), QString(), kOpenFlags,
                                     LoadResString(IDS_FILTER_BACKGROUND_SOUND));
    soundDialog.DoModal();
    ASSERT_FALSE(soundPicture.isNull());
    SaveReviewPicture(soundPicture, QStringLiteral("file-dialog-sound.png"));
}

} // namespace
