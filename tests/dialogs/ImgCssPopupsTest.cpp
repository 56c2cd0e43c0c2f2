// The popups beside the image effects: where they open, and what each hands back.

#include "dialogs/VornaDialogImgCssBase.h"
#include "dialogs/VornaDialogImgCssRotation.h"
#include "dialogs/VornaDialogImgCssSymmetry.h"

#include "controls/CVornaEdit.h"
#include "controls/VornaFontListBox.h"

#include "platform/ModalResponder.h"
#include "platform/WindowMessage.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using platform::ModalResponder;

namespace {

// A window that counts the commands sent to it.
class CommandSink : public QWidget
{
public:
    bool event(QEvent* e) override
    {
        if (e->type() == platform::WindowMessage::eventType()) {
            auto* m = static_cast<platform::WindowMessage*>(e);
            if (m->message() == platform::WM_COMMAND)
                commands.push_back(int(m->wParam()));
            return true;
        }
        return QWidget::event(e);
    }
    std::vector<int> commands;
};

} // namespace

TEST(ImgCssPopups, OpenAboveTheAnchorRightAligned)
{
    EXPECT_EQ(ImgCssPopup::Placement(QRect(100, 300, 40, 20), QSize(30, 120)), QRect(110, 180, 30, 120));
}

TEST(ImgCssPopups, TheSimpleFilterSendsItsCommandAndCloses)
{
    CommandSink sink;
    VornaDialogImgCssBase popup(&sink);
    ModalResponder responder;
    responder.on(VornaDialogImgCssBase::IDD,
                 [](QDialog& d) { d.findChild<QPushButton*>(QStringLiteral("id_33315"))->click(); });
    EXPECT_EQ(popup.DoModal(), platform::IDOK);
    EXPECT_EQ(popup.m_nID, 33315);
    EXPECT_EQ(sink.commands, std::vector<int>{33315});
}

TEST(ImgCssPopups, RotationTypedOrPicked)
{
    VornaDialogImgCssRotation popup;
    ModalResponder responder;
    responder.on(VornaDialogImgCssRotation::IDD, [](QDialog& d) {
        auto* edit = d.findChild<CVornaEdit*>(QStringLiteral("id_1408"));
        auto* list = d.findChild<VornaFontListBox*>(QStringLiteral("id_1407"));
        EXPECT_EQ(list->count(), 7);
        QTest::keyClicks(edit, QStringLiteral("2"));
        EXPECT_EQ(list->currentItem()->text(), QStringLiteral("225°"));
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("7"));
        EXPECT_EQ(list->currentRow(), -1);
        emit list->itemClicked(list->item(1));
        EXPECT_EQ(edit->text(), QStringLiteral("90°"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    EXPECT_EQ(popup.DoModal(), platform::IDOK);
    EXPECT_EQ(popup.m_strAngle, QStringLiteral("90°"));
}

TEST(ImgCssPopups, SymmetryKeepsTheAxis)
{
    VornaDialogImgCssSymmetry popup;
    EXPECT_TRUE(popup.m_bHorizontal);
    ModalResponder responder;
    responder.on(VornaDialogImgCssSymmetry::IDD,
                 [](QDialog& d) { d.findChild<QPushButton*>(QStringLiteral("id_1411"))->click(); });
    EXPECT_EQ(popup.DoModal(), platform::IDOK);
    EXPECT_FALSE(popup.m_bHorizontal);
}
