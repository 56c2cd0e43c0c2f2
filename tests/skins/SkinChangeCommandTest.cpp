#include "app/CMainFrame.h"
#include "app/ProgramStart.h"
#include "platform/CommandRegistry.h"
#include "platform/DataRoot.h"
#include "platform/ModalResponder.h"
#include "res/resource.h"
#include "skins/ASMFrame.h"
#include "skins/VornaDialogSkin.h"
#include "skins/VornaSkinManager.h"
#include "support/ReviewPicture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QScreen>
#include <QTest>

using platform::ModalResponder;

namespace {

// Answers the skin chooser by choosing the skin of that name.
void chooseSkin(ModalResponder& responder, const QString& name)
{
    responder.on(IDD_SKIN, [name](QDialog& box) {
        auto* list = box.findChild<QListWidget*>(QStringLiteral("id_1072"));
        ASSERT_NE(list, nullptr);
        const QList<QListWidgetItem*> items = list->findItems(name, Qt::MatchExactly);
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        ASSERT_EQ(items.size(), 1) << qPrintable(name) << " among " << qPrintable(texts.join(u','));
        list->setCurrentItem(items.first());
        ModalResponder::press(box, 1);
    });
}

void installShippedSkins()
{
    platform::fillDataRoot(platform::shareDir() + QStringLiteral("/Bin/skins"),
                           platform::installPath(QStringLiteral("Bin/skins")));
}

} // namespace

TEST(SkinChangeCommand, ChoosingASkinReskinsTheRunningProgramAndTheChoiceSurvivesARestart)
{
    installShippedSkins();
    auto app = StartProgramWithoutGuide();
    ASSERT_NE(app, nullptr);
    CMainFrame* frame = app->mainFrame();
    QWidget* central = frame->centralWidget();
    auto* mdi = frame->findChild<QMdiArea*>(QStringLiteral("mdiClient"));
    ASSERT_NE(mdi, nullptr);
    const QBrush plainBackground = mdi->background();
    {
        ModalResponder responder;
        chooseSkin(responder, QStringLiteral("metal"));
        app->commands()->action(33204)->trigger();
        EXPECT_EQ(responder.pending(), 0);
    }
    EXPECT_TRUE(VornaSkinManager::IsSkinOn());
    EXPECT_EQ(frame->contentsMargins(), QMargins(4, 26, 4, 4));
    EXPECT_EQ(frame->centralWidget(), central);
    // The caption shows the program's icon.
    auto* caption = qobject_cast<ASMFrame*>(VornaSkinManager::GetInstance().Find(frame));
    ASSERT_NE(caption, nullptr);
    EXPECT_TRUE(frame->testAttribute(Qt::WA_SetWindowIcon));
    EXPECT_EQ(caption->iconRect().width(), 16);
    EXPECT_FALSE(mdi->background().textureImage().isNull());

    // Started again, the program wears metal from the start.
    app.reset();
    app = StartProgramWithoutGuide();
    ASSERT_NE(app, nullptr);
    EXPECT_TRUE(VornaSkinManager::IsSkinOn());
    EXPECT_EQ(VornaSkinManager::GetInstance().ActiveSkinName(), QStringLiteral("metal"));
    EXPECT_EQ(app->mainFrame()->contentsMargins(), QMargins(4, 26, 4, 4));
    {
        ModalResponder responder;
        chooseSkin(responder, QStringLiteral("classic"));
        app->commands()->action(33204)->trigger();
    }
    EXPECT_FALSE(VornaSkinManager::IsSkinOn());
    EXPECT_EQ(app->mainFrame()->contentsMargins(), QMargins());
    mdi = app->mainFrame()->findChild<QMdiArea*>(QStringLiteral("mdiClient"));
    EXPECT_EQ(mdi->background(), plainBackground);
    {
        // Cancelled, the chooser changes nothing.
        ModalResponder responder;
        responder.answer(IDD_SKIN, platform::IDCANCEL);
        app->commands()->action(33204)->trigger();
    }
    EXPECT_FALSE(VornaSkinManager::IsSkinOn());
}

namespace {

// The main window with a page and the skin chooser over it, in the skin.
void saveSkinPicture(const QString& skin, const QString& fileName)
{
    installShippedSkins();
    auto app = StartProgramWithoutGuide();
    ASSERT_NE(app, nullptr);
    CMainFrame* frame = app->mainFrame();
    frame->setGeometry(QRect(0, 0, 1000, 720));
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame, 60000));
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("index.html"));
    {
        QFile file(page);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            "<html><head><title>skin</title></head><body><h1>Welcome</h1><p>A page in the skin.</p></body></html>");
    }
    ASSERT_TRUE(app->OpenDocumentFile(page));
    {
        ModalResponder responder;
        chooseSkin(responder, skin);
        app->commands()->action(33204)->trigger();
    }
    // The page in a window of its own, beside the page area's background.
    if (auto* mdi = frame->findChild<QMdiArea*>(QStringLiteral("mdiClient")); mdi && mdi->activeSubWindow()) {
        mdi->activeSubWindow()->showNormal();
        mdi->activeSubWindow()->setGeometry(20, 20, 520, 360);
    }
    QCoreApplication::processEvents();
    VornaDialogSkin chooser(frame);
    chooser.m_strSkinsFolder = VornaSkinData::SkinsFolder();
    chooser.LoadSkinList();
    chooser.resize(400, 320);
    chooser.show();
    QCoreApplication::processEvents();
    QImage picture = frame->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    {
        // The dialog's outline: outside it the main window shows through.
        QImage dialog = chooser.grab().toImage().convertToFormat(QImage::Format_ARGB32);
        QPainter painter(&picture);
        painter.translate(560, 360);
        if (!chooser.mask().isEmpty())
            painter.setClipRegion(chooser.mask());
        painter.drawImage(0, 0, dialog);
    }
    EXPECT_EQ(VornaSkinManager::IsSkinOn(), skin != QLatin1String("classic"));
    SaveReviewPicture(picture, fileName);
    chooser.close();
    VornaSkinManager::GetInstance().ChangeSkin(QStringLiteral("classic"));
}

} // namespace

// Pictures for review, under Xvfb:
//   build/test/tests/test_program --gtest_filter=SkinScreenshot.*
TEST(SkinScreenshot, MetalMainWindowWithAPageAndADialog)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    saveSkinPicture(QStringLiteral("metal"), QStringLiteral("skin-metal.png"));
}

TEST(SkinScreenshot, SpringMainWindowWithAPageAndADialog)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    saveSkinPicture(QStringLiteral("spring"), QStringLiteral("skin-spring.png"));
}

TEST(SkinScreenshot, TheChooser)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    installShippedSkins();
    VornaDialogSkin chooser;
    chooser.m_strSkinsFolder = VornaSkinData::SkinsFolder();
    chooser.LoadSkinList();
    chooser.resize(400, 320);
    chooser.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chooser, 60000));
    SaveReviewPicture(chooser.grab().toImage(), QStringLiteral("skin-chooser.png"));
}
