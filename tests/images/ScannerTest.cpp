#include "images/ImageCodec.h"
#include "images/ImageTestFiles.h"
#include "images/SaneTestBackend.h"
#include "images/SaneScanner.h"
#include "images/ScanDialogs.h"
#include "images/VornaTwain.h"
#include "util/FileHelpers.h"

#include "platform/DataRoot.h"
#include "platform/ModalResponder.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QGuiApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using platform::ModalResponder;

// Waits, serving events, until the dialog has closed (the scan ended).
void waitUntilClosed(QDialog& dialog, int timeoutMs = 60000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (dialog.isVisible() && !deadline.hasExpired())
        QTest::qWait(10);
}

QComboBox* combo(QDialog& dialog, int id)
{
    return dialog.findChild<QComboBox*>(QStringLiteral("id_%1").arg(id));
}

class ScannerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QFile::remove(UserImageFolder());
        QDir(UserImageFolder()).removeRecursively();
    }

    // Chooses the device's source (when given) and starts; waits for the scan.
    int scan(VornaTwain& twain, const QString& source = {},
             std::function<void(QDialog&)> whileScanning = waitUntilClosedDefault)
    {
        responder.on(VornaTwain::SelectDialogId, [source](QDialog& dialog) {
            if (!source.isEmpty())
                combo(dialog, ScanSourceDialog::SourceId)->setCurrentText(source);
            ModalResponder::press(dialog, platform::IDOK);
        });
        responder.on(VornaTwain::ProgressDialogId, std::move(whileScanning));
        if (twain.EnumSources() != 1 || twain.Select() != 1)
            return -1;
        return twain.Acquire(3);
    }
    static void waitUntilClosedDefault(QDialog& dialog) { waitUntilClosed(dialog); }

    QString userFolder() const { return UserImageFolder(); }

    ModalResponder responder;
};

TEST_F(ScannerTest, NoDeviceMeansNoSources)
{
    SaneTestBackend backend("", false);
    VornaTwain twain;
    EXPECT_EQ(twain.EnumSources(), 0);
    EXPECT_EQ(twain.Select(), 0);
}

TEST_F(ScannerTest, FlatbedPageIsSavedUnderTheFirstFreeNameAsThePattern)
{
    SaneTestBackend backend("mode Color\n");
    QDir().mkpath(userFolder());
    for (const char* taken : {"UserImage0.png", "UserImage2.png"})
        imagetest::save(userFolder(), QString::fromLatin1(taken), "taken");
    VornaTwain twain;
    ASSERT_EQ(scan(twain), 1);
    EXPECT_EQ(twain.devices().size(), 2);
    ASSERT_EQ(twain.SavedFiles(), QStringList{userFolder() + QStringLiteral("/UserImage1.png")});
    const QByteArray bytes = imagetest::load(twain.SavedFiles().first());
    EXPECT_EQ(bytes.at(25), 2) << "a 24-bit PNG";
    const QImage saved = DecodeImageFile(twain.SavedFiles().first()).image;
    QString failure;
    const QImage reference = backend.referenceScan(&failure);
    ASSERT_FALSE(reference.isNull()) << failure.toStdString();
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), reference.convertToFormat(QImage::Format_RGB32));
}

TEST_F(ScannerTest, EveryFrameKindComesOutAsThePattern)
{
    const struct
    {
        const char* settings;
    } kinds[] = {{"mode Gray\n"},
                 {"mode Gray\ndepth 1\n"},
                 {"mode Gray\ndepth 16\n"},
                 {"mode Color\ndepth 16\n"},
                 {"mode Color\nthree-pass true\n"},
                 {"mode Color\nhand-scanner true\n"}};
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.settings);
        SaneTestBackend backend(kind.settings);
        QString path;
        {
            VornaTwain twain;
            ASSERT_EQ(scan(twain), 1);
            ASSERT_EQ(twain.SavedFiles().size(), 1);
            path = twain.SavedFiles().first();
        }
        const QImage saved = DecodeImageFile(path).image.convertToFormat(QImage::Format_RGB32);
        QString failure;
        const QImage reference = backend.referenceScan(&failure).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(reference.isNull()) << failure.toStdString();
        EXPECT_EQ(saved.size(), reference.size());
        EXPECT_TRUE(saved == reference);
        QFile::remove(path);
    }
}

TEST_F(ScannerTest, FeederGivesItsTenPages)
{
    SaneTestBackend backend("mode Gray\n");
    VornaTwain twain;
    ASSERT_EQ(scan(twain, QStringLiteral("Automatic Document Feeder")), 1);
    ASSERT_EQ(twain.SavedFiles().size(), 10);
    EXPECT_EQ(twain.SavedFiles().last(), userFolder() + QStringLiteral("/UserImage9.png"));
    EXPECT_EQ(twain.SavedFolder(), userFolder());
}

TEST_F(ScannerTest, CancelMidPageKeepsTheEarlierPages)
{
    // Slow reads: each page takes a while to arrive.
    SaneTestBackend backend("mode Gray\nread-limit true\nread-limit-size 512\nread-delay true\n"
                            "read-delay-duration 5000\n");
    VornaTwain twain;
    QString labelWhenCancelled;
    const int result = scan(twain, QStringLiteral("Automatic Document Feeder"), [&](QDialog& dialog) {
        // Two pages, then into the third.
        QDeadlineTimer deadline(60000);
        while (QDir(userFolder()).entryList({"UserImage*.png"}).size() < 2 && !deadline.hasExpired())
            QTest::qWait(5);
        while (!static_cast<ScanProgressDialog&>(dialog).labelText().contains(QLatin1Char('3')) &&
               !deadline.hasExpired())
            QTest::qWait(5);
        labelWhenCancelled = static_cast<ScanProgressDialog&>(dialog).labelText();
        ModalResponder::press(dialog, ScanProgressDialog::CancelId);
        waitUntilClosed(dialog);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(twain.SavedFiles().size(), 2);
    EXPECT_TRUE(labelWhenCancelled.contains(QLatin1Char('3'))) << labelWhenCancelled.toStdString();
    EXPECT_EQ(responder.messageTexts().size(), 0) << "a cancel is no failure";
}

// A device that fails after its first page: the page in progress is reported
// lost, the first one stays.
class FailingAfterFirstPage : public VornaTwain
{
public:
    int PageCallBack(const QImage& page) override
    {
        const int result = VornaTwain::PageCallBack(page);
        choose(QStringLiteral("read-return-value"), QStringLiteral("SANE_STATUS_IO_ERROR"));
        return result;
    }
};

TEST_F(ScannerTest, PageThatFailsIsReportedAndEarlierPagesStay)
{
    SaneTestBackend backend("mode Gray\n");
    FailingAfterFirstPage twain;
    responder.answerMessageBox(platform::IDOK, QStringLiteral("2 ページ目"));
    EXPECT_EQ(scan(twain, QStringLiteral("Automatic Document Feeder")), 1);
    EXPECT_EQ(twain.SavedFiles().size(), 1);
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(ScannerTest, PageThatCannotBeSavedIsReported)
{
    SaneTestBackend backend("mode Gray\n");
    // A file where the folder should be: the folder cannot be made.
    QDir().mkpath(QFileInfo(userFolder()).absolutePath());
    imagetest::save(QFileInfo(userFolder()).absolutePath(), QFileInfo(userFolder()).fileName(), "not a folder");
    VornaTwain twain;
    // The cause in the user's words, not the library's.
    responder.answerMessageBox(platform::IDOK,
                               QStringLiteral("UserImage0.png に保存できませんでした。\nフォルダーが見つかりません。"));
    EXPECT_EQ(scan(twain), 0);
    EXPECT_TRUE(twain.SavedFiles().isEmpty());
    EXPECT_EQ(responder.pending(), 0);
    QFile::remove(userFolder());
}

TEST_F(ScannerTest, PagesGoToTheWebsImageFolderWhileAPageOfTheWebIsEdited)
{
    EXPECT_EQ(VornaTwain::TargetFolderFor(true, QStringLiteral("/home/u/My Web/shop")),
              QStringLiteral("/home/u/My Web/shop/image"));
    EXPECT_EQ(VornaTwain::TargetFolderFor(false, QStringLiteral("/home/u/My Web/shop")), UserImageFolder());
    EXPECT_EQ(VornaTwain::TargetFolderFor(true, QString()), UserImageFolder());
    // Without a main frame (no page open), the user image folder.
    EXPECT_EQ(VornaTwain::TargetFolder(), UserImageFolder());
}

TEST_F(ScannerTest, ChooserOffersTheDevicesSourcesModesAndResolutions)
{
    SaneTestBackend backend("mode Color\n");
    VornaTwain twain;
    ASSERT_EQ(twain.EnumSources(), 1);
    responder.on(VornaTwain::SelectDialogId, [](QDialog& dialog) {
        QComboBox* device = combo(dialog, ScanSourceDialog::DeviceId);
        EXPECT_EQ(device->count(), 2);
        QComboBox* source = combo(dialog, ScanSourceDialog::SourceId);
        EXPECT_EQ(source->count(), 2);
        EXPECT_EQ(combo(dialog, ScanSourceDialog::ModeId)->currentText(), QStringLiteral("Color"));
        QComboBox* resolution = combo(dialog, ScanSourceDialog::ResolutionId);
        EXPECT_EQ(resolution->currentText(), QStringLiteral("50"));
        EXPECT_GE(resolution->findText(QStringLiteral("300")), 0);
        device->setCurrentIndex(1);
        resolution->setCurrentText(QStringLiteral("75"));
        ModalResponder::press(dialog, platform::IDOK);
    });
    ASSERT_EQ(twain.Select(), 1);
    EXPECT_EQ(twain.openName(), QStringLiteral("test:1"));
    for (const ScannerChoice& choice : twain.choices()) {
        if (choice.option == QLatin1String("resolution")) {
            EXPECT_EQ(choice.values.value(choice.current), QStringLiteral("75"));
        }
    }
    // Cancel leaves nothing chosen.
    VornaTwain other;
    ASSERT_EQ(other.EnumSources(), 1);
    responder.answer(VornaTwain::SelectDialogId, platform::IDCANCEL);
    EXPECT_EQ(other.Select(), 0);
}

} // namespace

namespace {

// The chooser and the progress window as a person sees them, saved as
// scan-chooser.png and scan-progress.png in PAGINOR_SCREENSHOT_DIR when run
// under Xvfb (see ShellScreenshot.MainWindowWithAPage for the command).
TEST(ShellScreenshot, ScannerChooserAndProgress)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    SaneTestBackend backend("mode Color\n");
    VornaTwain twain;
    ASSERT_EQ(twain.EnumSources(), 1);
    const QString folder = qEnvironmentVariable("PAGINOR_SCREENSHOT_DIR");
    auto shoot = [&](QWidget& window, const QString& name) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, 10000));
        QTest::qWait(100);
        const QImage picture = window.grab().toImage();
        EXPECT_GE(picture.width(), 200);
        if (!folder.isEmpty()) {
            QDir().mkpath(folder);
            EXPECT_TRUE(picture.save(folder + QLatin1Char('/') + name));
        }
    };
    ScanSourceDialog chooser(twain, twain.devices());
    chooser.show();
    shoot(chooser, QStringLiteral("scan-chooser.png"));
    ScanProgressDialog progress([] {});
    progress.SetProgress(3, 6000, 10000);
    progress.show();
    shoot(progress, QStringLiteral("scan-progress.png"));
}

} // namespace

TEST_F(ScannerTest, BackendsKeepTheirStateInTheUsersOwnFolders)
{
    const QByteArray before = qgetenv("SNMP_PERSISTENT_DIR");
    qunsetenv("SNMP_PERSISTENT_DIR");
    SaneTestBackend backend("", false);
    SaneScanner scanner;
    QList<ScannerDevice> devices;
    ASSERT_TRUE(scanner.listDevices(devices));
    const QString folder = qEnvironmentVariable("SNMP_PERSISTENT_DIR");
    EXPECT_TRUE(folder.startsWith(platform::privateTempFolder() + u'/')) << folder.toStdString();
    EXPECT_TRUE(QFileInfo(folder).isDir());

    qputenv("SNMP_PERSISTENT_DIR", "/somewhere/the/user/chose");
    SaneScanner::PrepareBackendEnvironment();
    EXPECT_EQ(qgetenv("SNMP_PERSISTENT_DIR"), QByteArray("/somewhere/the/user/chose"));
    if (before.isNull())
        qunsetenv("SNMP_PERSISTENT_DIR");
    else
        qputenv("SNMP_PERSISTENT_DIR", before);
}
