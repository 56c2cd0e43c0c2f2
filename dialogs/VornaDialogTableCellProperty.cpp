#include "dialogs/VornaDialogTableCellProperty.h"

#include "dialogs/DialogButtons.h"

#include "platform/ModalRunner.h"

VornaDialogTableCellProperty::VornaDialogTableCellProperty(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(QStringLiteral("セルのプロパティ"));
    AddOkCancelButtons(*this);
}

VornaDialogTableCellProperty::~VornaDialogTableCellProperty() = default;

int VornaDialogTableCellProperty::DoModal()
{
    Initialize();
    const int result = platform::runModal(*this, IDD);
    if (result == platform::IDOK)
        Accept();
    return result;
}
