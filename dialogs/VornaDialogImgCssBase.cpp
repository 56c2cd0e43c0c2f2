#include "dialogs/VornaDialogImgCssBase.h"

#include "dialogs/DialogControls.h"

#include "platform/WindowMessage.h"

#include <QPushButton>
#include <QVBoxLayout>

VornaDialogImgCssBase::VornaDialogImgCssBase(QWidget* parent) : ImgCssPopup(IDD, parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    const std::pair<const char*, int> buttons[] = {
        {"EM", 33312}, {"EN", 33313}, {"GR", 33314}, {"IN", 33315}, {"X", 33316}};
    for (const auto& [text, id] : buttons) {
        auto* button = Named(new QPushButton(QLatin1String(text), this), id);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, id = id] { OnFilter(id); });
        layout->addWidget(button);
    }
}

void VornaDialogImgCssBase::OnFilter(int commandId)
{
    m_nID = commandId;
    if (parent())
        platform::sendMessage(parent(), platform::WM_COMMAND, quintptr(commandId));
    accept();
}
