#include "dialogs/VornaDialogImageProperty.h"

#include "dialogs/DialogButtons.h"

#include "platform/ModalRunner.h"

VornaDialogImageProperty::VornaDialogImageProperty(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(QStringLiteral("画像のプロパティ"));
    AddOkCancelButtons(*this);
}

VornaDialogImageProperty::~VornaDialogImageProperty() = default;

int VornaDialogImageProperty::DoModal()
{
    return platform::runModal(*this, IDD);
}
