#include "dialogs/DialogButtons.h"

#include "res/resource.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>

QString DialogControlName(int id)
{
    return QStringLiteral("id_%1").arg(id);
}

QLabel* BuddyLabel(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text, buddy->parentWidget());
    label->setBuddy(buddy);
    return label;
}

void AddOkCancelButtons(QDialog& dialog, QBoxLayout* layout)
{
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* ok = buttons->addButton(LoadResString(IDS_MSGBOX_OK), QDialogButtonBox::AcceptRole);
    ok->setObjectName(DialogControlName(platform::IDOK));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(LoadResString(IDS_MSGBOX_CANCEL), QDialogButtonBox::RejectRole);
    cancel->setObjectName(DialogControlName(platform::IDCANCEL));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
}

void AddOkCancelButtons(QDialog& dialog)
{
    AddOkCancelButtons(dialog, new QHBoxLayout(&dialog));
}
