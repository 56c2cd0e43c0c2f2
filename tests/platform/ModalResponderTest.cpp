#include <gtest/gtest.h>

#include "platform/MessageBoxDialog.h"
#include "platform/ModalResponder.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using platform::ModalResponder;

namespace {

// Catches what the test main would report as a failure.
struct CapturedFailures
{
    QStringList failures;
    CapturedFailures()
    {
        platform::setModalFailureHandler([this](const QString& what) { failures << what; });
    }
    ~CapturedFailures()
    {
        platform::setModalFailureHandler([](const QString& what) { ADD_FAILURE() << what.toStdString(); });
    }
};

// A dialog as the program builds them: controls named id_<n>.
struct NameDialog : QDialog
{
    QLineEdit* name = new QLineEdit(this);
    NameDialog()
    {
        name->setObjectName("id_1001");
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        buttons->button(QDialogButtonBox::Ok)->setObjectName("id_1");
        buttons->button(QDialogButtonBox::Cancel)->setObjectName("id_2");
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(name);
        layout->addWidget(buttons);
    }
};

platform::MessageBoxDialog* yesNoCancelBox(QWidget* parent)
{
    auto* box =
        new platform::MessageBoxDialog(parent, "caption", "Save?", platform::MessageBoxDialog::Icon::Exclamation);
    box->addButton(platform::IDYES, "Yes");
    box->addButton(platform::IDNO, "No");
    box->addButton(platform::IDCANCEL, "Cancel");
    return box;
}

} // namespace

TEST(ModalResponder, SetsControlsAndPressesButtonsByControlId)
{
    ModalResponder responder;
    responder.on(539, [](QDialog& d) {
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(ModalResponder::setText(d, 1001, "index.html"));
        EXPECT_TRUE(ModalResponder::press(d, 1));
    });
    responder.answer(539, platform::IDCANCEL);

    NameDialog first;
    EXPECT_EQ(platform::runModal(first, 539), QDialog::Accepted);
    EXPECT_EQ(first.name->text(), "index.html");
    EXPECT_FALSE(first.isVisible());
    NameDialog second;
    EXPECT_EQ(platform::runModal(second, 539), platform::IDCANCEL);
    EXPECT_EQ(responder.runCount(539), 2);
    EXPECT_EQ(responder.pending(), 0);
}

TEST(ModalResponder, MessageBoxesAreAnsweredInOrderAndMatchedByText)
{
    CapturedFailures captured;
    ModalResponder responder;
    responder.answerMessageBox(platform::IDNO, "Save").answerMessageBox(platform::IDYES, "Delete");
    std::unique_ptr<platform::MessageBoxDialog> box(yesNoCancelBox(nullptr));
    EXPECT_EQ(platform::runModal(*box, platform::kMessageBoxDialogId, box->text()), platform::IDNO);
    EXPECT_TRUE(captured.failures.isEmpty());
    EXPECT_EQ(platform::runModal(*box, platform::kMessageBoxDialogId, box->text()), platform::IDYES);
    ASSERT_EQ(captured.failures.size(), 1) << "the second box's text does not match";
    EXPECT_EQ(responder.messageTexts(), (QStringList{"Save?", "Save?"}));
}

TEST(ModalResponder, UnansweredRunsFailInsteadOfBlocking)
{
    CapturedFailures captured;
    NameDialog dialog;
    EXPECT_EQ(platform::runModal(dialog, 77), platform::IDCANCEL) << "no responder installed";
    {
        ModalResponder responder;
        responder.answer(12, platform::IDOK);
        EXPECT_EQ(platform::runModal(dialog, 77), platform::IDCANCEL) << "responder has nothing for 77";
        responder.on(77, [](QDialog&) {}); // leaves the dialog open
        EXPECT_EQ(platform::runModal(dialog, 77), platform::IDCANCEL);
        EXPECT_FALSE(dialog.isVisible());
    }
    EXPECT_EQ(captured.failures.size(), 3);
}

TEST(ModalResponder, DialogRejectedByEscapeOrCloseEndsWithCancel)
{
    ModalResponder responder;
    responder.on(539, [](QDialog& d) { d.reject(); });
    responder.on(539, [](QDialog& d) { d.close(); });
    responder.on(539, [](QDialog& d) { ModalResponder::press(d, 2); }); // Cancel wired to reject()
    NameDialog dialog;
    for (int run = 0; run < 3; ++run)
        EXPECT_EQ(platform::runModal(dialog, 539), platform::IDCANCEL) << "run " << run;
    for (const ModalResponder::Run& run : responder.runs())
        EXPECT_EQ(run.result, platform::IDCANCEL) << "the record shows what the program got";
}

TEST(ModalResponder, NewestResponderAnswersAndAlwaysRepeats)
{
    ModalResponder outer;
    outer.always(5, [](QDialog& d) { d.done(11); });
    NameDialog dialog;
    {
        ModalResponder inner;
        inner.answer(5, 22);
        EXPECT_EQ(platform::runModal(dialog, 5), 22);
    }
    EXPECT_EQ(platform::runModal(dialog, 5), 11);
    EXPECT_EQ(platform::runModal(dialog, 5), 11);
}

TEST(MessageBoxDialog, ButtonsCheckBoxAndEscape)
{
    ModalResponder responder;
    std::unique_ptr<platform::MessageBoxDialog> box(yesNoCancelBox(nullptr));
    box->setCheckBox("apply to all", 1007);
    responder.onMessageBox([](QDialog& d) {
        auto* check = d.findChild<QCheckBox*>("id_1007");
        ASSERT_NE(check, nullptr);
        EXPECT_TRUE(check->isVisible());
        EXPECT_TRUE(ModalResponder::setChecked(d, 1007, true));
        EXPECT_TRUE(ModalResponder::press(d, platform::IDNO));
    });
    EXPECT_EQ(platform::runModal(*box, platform::kMessageBoxDialogId, box->text()), platform::IDNO);
    EXPECT_TRUE(box->isChecked());

    // Escape: Cancel when there is one; OK when it is the only button;
    // a Yes/No box cannot be escaped.
    responder.always(platform::kMessageBoxDialogId, [](QDialog& d) {
        d.reject();
        if (d.isVisible())
            ModalResponder::press(d, platform::IDYES);
    });
    EXPECT_EQ(platform::runModal(*box, platform::kMessageBoxDialogId), platform::IDCANCEL);
    platform::MessageBoxDialog ok(nullptr, "c", "t", platform::MessageBoxDialog::Icon::Exclamation);
    ok.addButton(platform::IDOK, "OK");
    EXPECT_EQ(platform::runModal(ok, platform::kMessageBoxDialogId), platform::IDOK);
    platform::MessageBoxDialog yesNo(nullptr, "c", "t", platform::MessageBoxDialog::Icon::Exclamation);
    yesNo.addButton(platform::IDYES, "Yes");
    yesNo.addButton(platform::IDNO, "No");
    EXPECT_FALSE(yesNo.hasCheckBox());
    EXPECT_EQ(platform::runModal(yesNo, platform::kMessageBoxDialogId), platform::IDYES);
}
