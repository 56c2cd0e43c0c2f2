// A picture for people to look at: the bulletin board, guest book and
// counter dialogs with the styles the program ships, a style chosen in each,
// side by side (web-object-dialogs.png). Run under Xvfb (see ARCHITECTURE.md,
// Tests).

#include "editor/EditorPage.h"

#include "controls/ReviewPicture.h"
#include "effects/VornaDialogGuestBook.h"
#include "effects/VornaDialogWebBoard.h"
#include "effects/VornaDialogWebCounter.h"
#include "effects/WebServiceAccount.h"
#include "res/resource.h"

#include "platform/ModalResponder.h"

#include <QAbstractItemView>
#include <QGuiApplication>
#include <QPainter>
#include <QTest>

namespace {

class WebObjectScreenshot : public EditorPage
{
protected:
    // The dialog as it shows, its n-th style clicked.
    QImage shot(QDialog& dialog, int dialogId, int style)
    {
        QImage picture;
        platform::ModalResponder responder;
        responder.on(dialogId, [&](QDialog& d) {
            auto* list = d.findChild<QAbstractItemView*>(QStringLiteral("id_%1").arg(IDC_WEB_OBJECT_STYLES));
            EXPECT_NE(list, nullptr);
            if (list) {
                const QRect box = list->visualRect(list->model()->index(style, 0));
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
            }
            QTest::qWait(200);
            picture = d.grab().toImage().convertToFormat(QImage::Format_RGB32);
            platform::ModalResponder::press(d, platform::IDCANCEL);
        });
        if (auto* board = qobject_cast<WebServiceLinkDialog*>(&dialog))
            board->DoModal();
        else if (auto* counter = qobject_cast<VornaDialogWebCounter*>(&dialog))
            counter->DoModal();
        return picture;
    }
};

TEST_F(WebObjectScreenshot, ThreeDialogsWithTheShippedStyles)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    ASSERT_TRUE(webservice::WriteAccount(QStringLiteral("sakura01"), QStringLiteral("pw")));
    VornaDialogWebBoard board(app->mainFrame());
    VornaDialogGuestBook guestBook(app->mainFrame());
    VornaDialogWebCounter counter(app->mainFrame());
    const QImage shots[] = {shot(board, IDD_WEB_BOARD, 0), shot(guestBook, IDD_GUEST_BOOK, 2),
                            shot(counter, IDD_WEB_COUNTER, 1)};
    int width = 0, height = 0;
    for (const QImage& image : shots) {
        ASSERT_FALSE(image.isNull());
        width += image.width() + 10;
        height = std::max(height, image.height());
    }
    QImage sheet(width + 10, height + 20, QImage::Format_RGB32);
    sheet.fill(QColor(0x5a, 0x6e, 0x82));
    QPainter painter(&sheet);
    int x = 10;
    for (const QImage& image : shots) {
        painter.drawImage(x, 10, image);
        x += image.width() + 10;
    }
    painter.end();
    EXPECT_TRUE(saveForReview(sheet, QStringLiteral("web-object-dialogs.png")));
}

} // namespace
