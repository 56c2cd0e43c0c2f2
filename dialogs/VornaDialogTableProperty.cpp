#include "dialogs/VornaDialogTableProperty.h"

#include "dialogs/DialogButtons.h"

#include "platform/ModalRunner.h"

VornaDialogTableProperty::VornaDialogTableProperty(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(QStringLiteral("表のプロパティ"));
    AddOkCancelButtons(*this);
}

VornaDialogTableProperty::~VornaDialogTableProperty() = default;

int VornaDialogTableProperty::DoModal()
{
    Initialize();
    const int result = platform::runModal(*this, IDD);
    if (result == platform::IDOK)
        Accept();
    return result;
}
