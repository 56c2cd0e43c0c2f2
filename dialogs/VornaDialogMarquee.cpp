#include "dialogs/VornaDialogMarquee.h"

#include "dialogs/DialogButtons.h"

#include "platform/ModalRunner.h"

VornaDialogMarquee::VornaDialogMarquee(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(QStringLiteral("マーキー"));
    AddOkCancelButtons(*this);
}

VornaDialogMarquee::~VornaDialogMarquee() = default;

int VornaDialogMarquee::DoModal()
{
    return platform::runModal(*this, IDD);
}
