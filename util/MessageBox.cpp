#include "util/MessageBox.h"

#include "platform/MessageBoxDialog.h"
#include "platform/ModalRunner.h"
#include "platform/StringTable.h"
#include "res/resource.h"
#include "util/AppContext.h"
#include "util/StringResources.h"

#include <QApplication>
#include <QDialog>
#include <QList>

namespace {

QList<int> buttonsOfCode(unsigned int code)
{
    switch (code) {
    case 2:
        return {platform::IDOK, platform::IDCANCEL};
    case 3:
        return {platform::IDYES, platform::IDNO, platform::IDCANCEL};
    case 4:
        return {platform::IDYES, platform::IDNO};
    default:
        return {platform::IDOK};
    }
}

QString buttonLabel(int button)
{
    switch (button) {
    case platform::IDCANCEL:
        return LoadResString(IDS_MSGBOX_CANCEL);
    case platform::IDYES:
        return LoadResString(IDS_MSGBOX_YES);
    case platform::IDNO:
        return LoadResString(IDS_MSGBOX_NO);
    default:
        return LoadResString(IDS_MSGBOX_OK);
    }
}

// The box's owner: the active window when that is the main window or a
// dialog (other than the image dialog), else the main window.
QWidget* messageBoxOwner(AppContext& context)
{
    QWidget* main = context.mainWindow();
    QWidget* active = QApplication::activeWindow();
    if (!main)
        return active;
    if (!active || active == context.imageDialogWindow())
        return main;
    if (active == main || qobject_cast<QDialog*>(active))
        return active;
    return main;
}

} // namespace

int ShowMessageBox(const QString& text, quint8, unsigned int, unsigned int nButtons, unsigned int, bool bApplyToAll,
                   const QString&)
{
    AppContext& context = AppContext::instance();
    const QList<int> buttons = buttonsOfCode(nButtons);
    const int remembered = context.rememberedAnswer();
    if (remembered != 0 && buttons.contains(remembered))
        return remembered;

    platform::MessageBoxDialog box(messageBoxOwner(context), LoadResString(IDS_MESSAGE_BOX_CAPTION), text,
                                   platform::MessageBoxDialog::Icon::Exclamation);
    for (int button : buttons)
        box.addButton(button, buttonLabel(button));
    if (bApplyToAll) {
        const bool webWide = context.takeWebQuestionFlag();
        box.setCheckBox(LoadResString(webWide ? IDS_APPLY_TO_ALL_WEB_DOCUMENTS : IDS_APPLY_TO_ALL_DOCUMENTS),
                        kApplyToAllCheckBoxId);
    }
    const int answer = platform::runModal(box, platform::kMessageBoxDialogId, text);
    if (bApplyToAll && box.isChecked() &&
        (answer == platform::IDYES || answer == platform::IDOK || answer == platform::IDNO))
        context.setRememberedAnswer(answer);
    return answer;
}

int MessageBoxById(unsigned int id, quint8 unused1, unsigned int unused2, unsigned int nButtons, unsigned int unused3,
                   bool bApplyToAll, const QString& fontName)
{
    // The whole entry: a message is never cut short.
    return ShowMessageBox(platform::StringTable::program().text(id), unused1, unused2, nButtons, unused3, bApplyToAll,
                          fontName);
}
