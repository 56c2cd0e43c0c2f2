// Pictures of the page size, zoom and grid dialogs and of the toolbar
// customisation dialog during a drag, for people to look at (run under Xvfb).

#include "dialogs/VornaDialogArrangeObjects.h"
#include "dialogs/VornaDialogCustomizeToolbox.h"
#include "dialogs/VornaDialogGrid.h"
#include "dialogs/VornaDialogPageSize.h"
#include "dialogs/VornaDialogPropertyZoom.h"

#include "app/CMainFrame.h"
#include "commands/LayoutPage.h"
#include "res/resource.h"
#include "support/ReviewPicture.h"

#include "platform/ModalResponder.h"

#include <gtest/gtest.h>

#include <QDragMoveEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QGuiApplication>
#include <QListWidget>
#include <QMimeData>
#include <QPainter>
#include <QTest>

using platform::ModalResponder;

namespace {

bool underX()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// Answers the dialog's run with a picture of it, then Cancel.
void pictureOf(ModalResponder& responder, int dialogId, const QString& fileName,
               std::function<void(QDialog&)> fill = {})
{
    responder.on(dialogId, [fileName, fill](QDialog& d) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&d, 60000));
        if (fill)
            fill(d);
        QTest::qWait(100);
        SaveReviewPicture(d.grab().toImage(), fileName);
        ModalResponder::press(d, platform::IDCANCEL);
    });
}

TEST(PageDialogScreenshot, PageSizeZoomAndGrid)
{
    if (!underX())
        GTEST_SKIP() << "needs an X server (Xvfb)";
    ModalResponder responder;
    pictureOf(responder, VornaDialogPageSize::IDD, QStringLiteral("page-size.png"));
    pictureOf(responder, VornaDialogPropertyZoom::IDD, QStringLiteral("zoom.png"), [](QDialog& d) {
        ModalResponder::press(d, IDC_ZOOM_FACTOR);
        ModalResponder::setText(d, IDC_ZOOM_LIST, QStringLiteral("150%"));
    });
    pictureOf(responder, VornaDialogGrid::IDD, QStringLiteral("grid-settings.png"));
    VornaDialogPageSize pageSize;
    pageSize.m_size = QSize(700, 500);
    pageSize.DoModal();
    VornaDialogPropertyZoom zoom;
    zoom.DoModal();
    VornaDialogGrid grid;
    grid.SetInitialValues(3, 16);
    grid.DoModal();
}

class CustomizeScreenshot : public LayoutPage
{
};

TEST_F(CustomizeScreenshot, APictureDraggedOverTheStandardBar)
{
    if (!underX())
        GTEST_SKIP() << "needs an X server (Xvfb)";
    openObjects(object("a", 40, 40, 120, 80));
    CMainFrame* frame = app->mainFrame();
    frame->resize(900, 640);
    run(ID_VIEW_TOOLBAR_CUSTOMIZE);
    VornaDialogCustomizeToolbox* dialog = g_pCustomizeToolbox;
    ASSERT_NE(dialog, nullptr);
    dialog->move(frame->geometry().topLeft() + QPoint(520, 200));
    dialog->menuList()->setCurrentRow(4);
    dialog->buttonList()->setCurrentRow(0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog, 60000));
    QTest::qWait(200);
    // The first picture dragged over the right half of the standard bar's third button.
    ULOToolBar* bar = frame->toolBar(601);
    ASSERT_NE(bar, nullptr);
    const int id = dialog->buttonList()->item(0)->data(Qt::UserRole).toInt();
    dialog->m_tbbDrag = ULOToolBar::Button{id, ULOToolBar::kPlainButton};
    QMimeData data;
    data.setData(QString::fromLatin1(ULOToolBar::kCommandMimeType), QByteArray::number(id));
    const QPoint point = bar->GetItemRect(2).center() + QPoint(4, 0);
    QDragEnterEvent enter(point, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &enter);
    QDragMoveEvent move(point, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &move);
    EXPECT_FALSE(dialog->m_rcMarker.isEmpty());
    QTest::qWait(100);
    // The main window with the marker, and the dialog where it stands beside it.
    const QRect frameArea = frame->frameGeometry();
    const QRect dialogArea = dialog->frameGeometry();
    const QRect all = frameArea.united(dialogArea);
    QImage picture(all.size(), QImage::Format_RGB32);
    picture.fill(Qt::darkGray);
    {
        QPainter painter(&picture);
        painter.drawPixmap(frame->geometry().topLeft() - all.topLeft(), frame->grab());
        painter.drawPixmap(dialog->geometry().topLeft() - all.topLeft(), dialog->grab());
    }
    SaveReviewPicture(picture, QStringLiteral("customise-toolbars.png"));
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(bar, &leave);
    dialog->reject();
}

TEST_F(CustomizeScreenshot, TheArrangePaletteWithoutASkin)
{
    if (!underX())
        GTEST_SKIP() << "needs an X server (Xvfb)";
    VornaDialogArrangeObjects palette;
    palette.OnInitDialog();
    palette.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&palette, 60000));
    QTest::qWait(100);
    SaveReviewPicture(palette.grab().toImage(), QStringLiteral("arrange-palette.png"));
}

// A real drag needs the X server's drag support (there is none offscreen).
class CustomizeDragUnderX : public LayoutPage
{
};

TEST_F(CustomizeDragUnderX, EscapeEndsAListDragAndTheDialogClosedDuringItGoesAfterIt)
{
    if (!underX())
        GTEST_SKIP() << "needs an X server (Xvfb)";
    openObjects(object("a", 40, 40, 120, 80));
    run(ID_VIEW_TOOLBAR_CUSTOMIZE);
    VornaDialogCustomizeToolbox* dialog = g_pCustomizeToolbox;
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog, 60000));
    ULOToolBar* bar = app->mainFrame()->toolBar(601);
    const QList<int> before = bar->buttonIds();
    dialog->menuList()->setCurrentRow(4);
    QListWidgetItem* item = dialog->buttonList()->item(0);
    ASSERT_NE(item, nullptr);
    // During the drag the user closes the dialog, then presses Escape.
    bool closedDuringDrag = false;
    QTimer::singleShot(300, dialog, [dialog, &closedDuringDrag] {
        dialog->reject();
        closedDuringDrag = g_pCustomizeToolbox == dialog;
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(dialog->buttonList(), &escape);
    });
    QPointer<VornaDialogCustomizeToolbox> guard(dialog);
    QElapsedTimer clock;
    clock.start();
    dialog->BeginListDrag(item);
    EXPECT_GE(clock.elapsed(), 250) << "the drag did not wait for the user";
    EXPECT_TRUE(closedDuringDrag);
    ASSERT_FALSE(guard.isNull());
    EXPECT_TRUE(dialog->m_rcMarker.isEmpty());
    EXPECT_EQ(bar->buttonIds(), before);
    // Once the drag is over the dialog goes.
    QTest::qWait(50);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(g_pCustomizeToolbox, nullptr);
    EXPECT_TRUE(guard.isNull());
}

} // namespace
