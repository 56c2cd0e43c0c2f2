#include "dialogs/DialogButtons.h"

#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

void AddOkCancelButtons(QDialog& dialog)
{
    auto* buttons = new QHBoxLayout(&dialog);
    auto* ok = new QPushButton(LoadResString(65101), &dialog);
    ok->setObjectName(QStringLiteral("id_%1").arg(platform::IDOK));
    ok->setDefault(true);
    auto* cancel = new QPushButton(LoadResString(65102), &dialog);
    cancel->setObjectName(QStringLiteral("id_%1").arg(platform::IDCANCEL));
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    QObject::connect(ok, &QPushButton::clicked, &dialog, [&dialog] { dialog.done(platform::IDOK); });
    QObject::connect(cancel, &QPushButton::clicked, &dialog, [&dialog] { dialog.done(platform::IDCANCEL); });
}
