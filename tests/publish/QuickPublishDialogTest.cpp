// The quick-publish settings: the options as stored, the server shown and
// made active, with the settings in the test's own store.
#include "publish/CVornaDialogQuickPublish.h"
#include "publish/CVornaFtp.h"
#include "res/resource.h"
#include "util/CRegistryEx.h"
#include "util/StringResources.h"

#include "platform/ModalResponder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

using platform::ModalResponder;

void putOption(const char* name, quint32 value)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, CVornaFtp::SettingsKey()));
    ASSERT_TRUE(reg.WriteDWord(QLatin1String(name), value));
}

bool readOption(const char* name, quint32* value)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    return reg.Open(HKEY_CURRENT_USER, CVornaFtp::SettingsKey()) && reg.ReadDWord(QLatin1String(name), *value);
}

void saveServer(const QString& name, const QString& host)
{
    CVornaFtp ftp;
    ftp.SetWebName(name);
    ftp.ResetWebSettings();
    ftp.SetFtpHost(host);
    ftp.SetFtpDir(QStringLiteral("/") + name + QLatin1Char('/'));
    ftp.SetFtpId(name + QStringLiteral("-user"));
    ftp.SaveWebSettings();
}

template <typename T> T* control(QDialog& dialog, int id)
{
    return dialog.findChild<T*>(QStringLiteral("id_%1").arg(id));
}

TEST(QuickPublishOptions, AMissingKeyGivesTheDefaultsAndMissingValuesKeepThem)
{
    CVornaDialogQuickPublish options;
    EXPECT_FALSE(options.LoadOptions());
    EXPECT_EQ(options.m_nOverwriteOrDelete, -1); // nothing read, nothing changed

    putOption("OVERWRITE_OR_DELETE", 1);
    ModalResponder responder;
    responder.on(CVornaDialogQuickPublish::IDD, [](QDialog& d) { ModalResponder::press(d, platform::IDCANCEL); });
    CVornaDialogQuickPublish dialog;
    dialog.DoModal();
    EXPECT_EQ(dialog.m_nOverwriteOrDelete, 1);
    EXPECT_EQ(dialog.m_bSaveBeforeUpload, 1);
    EXPECT_EQ(dialog.m_bHidePublishProperty, 0);
    EXPECT_EQ(dialog.m_bPublishOnlyModifiedFiles, 0);
}

TEST(QuickPublishOptions, DamagedValuesCountAsTheirDefaults)
{
    putOption("OVERWRITE_OR_DELETE", 7);
    putOption("SAVE_BEFORE_UPLOAD", 0x10000);
    putOption("HIDE_PUBLISH_PROPERTY", 2);
    putOption("PUBLISH_ONLY_MODIFIED_FILES", 0xffffffff);
    CVornaDialogQuickPublish options;
    ASSERT_TRUE(options.LoadOptions());
    EXPECT_EQ(options.m_nOverwriteOrDelete, 0);
    EXPECT_EQ(options.m_bSaveBeforeUpload, 1);
    EXPECT_EQ(options.m_bHidePublishProperty, 0);
    EXPECT_EQ(options.m_bPublishOnlyModifiedFiles, 0);
}

TEST(QuickPublishDialog, DeleteModeGreysOnlyModifiedKeepingItsTick)
{
    putOption("OVERWRITE_OR_DELETE", 1);
    putOption("PUBLISH_ONLY_MODIFIED_FILES", 1);
    ModalResponder responder;
    bool greyedTicked = false;
    bool backAfterOverwrite = false;
    responder.on(CVornaDialogQuickPublish::IDD, [&](QDialog& d) {
        auto* onlyModified = control<QCheckBox>(d, CVornaDialogQuickPublish::kOnlyModifiedId);
        greyedTicked = control<QRadioButton>(d, CVornaDialogQuickPublish::kDeleteFirstId)->isChecked() &&
                       !onlyModified->isEnabled() && onlyModified->isChecked();
        control<QRadioButton>(d, CVornaDialogQuickPublish::kOverwriteId)->click();
        backAfterOverwrite = onlyModified->isEnabled() && onlyModified->isChecked();
        ModalResponder::press(d, platform::IDCANCEL);
    });
    CVornaDialogQuickPublish dialog;
    EXPECT_EQ(dialog.DoModal(), platform::IDCANCEL);
    EXPECT_TRUE(greyedTicked);
    EXPECT_TRUE(backAfterOverwrite);
    quint32 stored = 9;
    ASSERT_TRUE(readOption("OVERWRITE_OR_DELETE", &stored));
    EXPECT_EQ(stored, 1u); // Cancel writes nothing
}

TEST(QuickPublishDialog, OkWithoutAServerIsRefusedAndFocusGoesToTheSettingsButton)
{
    ModalResponder responder;
    bool stayed = false;
    responder.on(CVornaDialogQuickPublish::IDD, [&](QDialog& d) {
        EXPECT_EQ(control<QComboBox>(d, CVornaDialogQuickPublish::kServerId)->count(), 0);
        EXPECT_EQ(control<QLineEdit>(d, CVornaDialogQuickPublish::kPortId)->text(), QStringLiteral("21"));
        ModalResponder::press(d, platform::IDOK);
        stayed =
            d.isVisible() && d.focusWidget() == control<QPushButton>(d, CVornaDialogQuickPublish::kServerSettingsId);
        ModalResponder::press(d, platform::IDCANCEL);
    });
    responder.answerMessageBox(platform::IDOK, LoadResString(IDS_NO_REGISTERED_SERVER));
    CVornaDialogQuickPublish dialog;
    EXPECT_EQ(dialog.DoModal(), platform::IDCANCEL);
    EXPECT_TRUE(stayed);
    // The first opening stored the defaults' key; the values come with the first OK.
    quint32 value = 0;
    EXPECT_FALSE(readOption("SAVE_BEFORE_UPLOAD", &value));
}

TEST(QuickPublishDialog, AnotherServerIsShownAtOnceAndMadeActiveOnlyByOk)
{
    saveServer(QStringLiteral("alpha"), QStringLiteral("ftp.alpha.jp"));
    saveServer(QStringLiteral("beta"), QStringLiteral("ftp.beta.jp"));
    CVornaFtp().SetActiveWeb(QStringLiteral("alpha"));
    ModalResponder responder;
    QString hostBefore;
    QString hostAfter;
    QString activeMeanwhile;
    responder.on(CVornaDialogQuickPublish::IDD, [&](QDialog& d) {
        hostBefore = control<QLineEdit>(d, CVornaDialogQuickPublish::kHostId)->text();
        auto* servers = control<QComboBox>(d, CVornaDialogQuickPublish::kServerId);
        servers->setCurrentIndex(servers->findText(QStringLiteral("beta")));
        emit servers->activated(servers->currentIndex());
        hostAfter = control<QLineEdit>(d, CVornaDialogQuickPublish::kHostId)->text();
        activeMeanwhile = CVornaFtp().GetActiveWeb();
        control<QCheckBox>(d, CVornaDialogQuickPublish::kHidePropertyId)->setChecked(true);
        ModalResponder::press(d, platform::IDOK);
    });
    CVornaDialogQuickPublish dialog;
    EXPECT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(hostBefore, QStringLiteral("ftp.alpha.jp"));
    EXPECT_EQ(hostAfter, QStringLiteral("ftp.beta.jp"));
    EXPECT_EQ(activeMeanwhile, QStringLiteral("alpha"));
    EXPECT_EQ(CVornaFtp().GetActiveWeb(), QStringLiteral("beta"));
    quint32 hide = 0;
    ASSERT_TRUE(readOption("HIDE_PUBLISH_PROPERTY", &hide));
    EXPECT_EQ(hide, 1u);
    quint32 save = 0;
    ASSERT_TRUE(readOption("SAVE_BEFORE_UPLOAD", &save));
    EXPECT_EQ(save, 1u);
}

} // namespace
