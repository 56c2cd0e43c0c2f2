#include "dialogs/VornaDialogFontProperty.h"

#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QHBoxLayout>
#include <QPushButton>

VornaDialogFontProperty::VornaDialogFontProperty(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(QStringLiteral("フォント"));
    auto* buttons = new QHBoxLayout(this);
    auto* ok = new QPushButton(LoadResString(65101), this);
    ok->setObjectName(QStringLiteral("id_%1").arg(platform::IDOK));
    ok->setDefault(true);
    auto* cancel = new QPushButton(LoadResString(65102), this);
    cancel->setObjectName(QStringLiteral("id_%1").arg(platform::IDCANCEL));
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    connect(ok, &QPushButton::clicked, this, [this] { done(platform::IDOK); });
    connect(cancel, &QPushButton::clicked, this, [this] { done(platform::IDCANCEL); });
}

VornaDialogFontProperty::~VornaDialogFontProperty() = default;

int VornaDialogFontProperty::DoModal()
{
    return platform::runModal(*this, IDD);
}
