#include "dialogs/VornaDialogHrProperty.h"

#include "dialogs/DialogButtons.h"

#include "platform/ModalRunner.h"

VornaDialogHrProperty::VornaDialogHrProperty(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(QStringLiteral("罫線のプロパティ"));
    AddOkCancelButtons(*this);
}

VornaDialogHrProperty::~VornaDialogHrProperty() = default;

int VornaDialogHrProperty::DoModal()
{
    return platform::runModal(*this, IDD);
}
