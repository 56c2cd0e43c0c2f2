#include "chrome/VornaPopupMenuHook.h"

#include "skins/SkinStyle.h"

#include <QVariant>

VornaPopupMenuHook::VornaPopupMenuHook() = default;

VornaPopupMenuHook::~VornaPopupMenuHook()
{
    // Detached here, so that the dialog loses its mark with the hook.
    Attach(nullptr);
}

void VornaPopupMenuHook::OnAttachChanged(QObject* previous, QObject* current)
{
    // The style draws every menu below a marked widget in the dialogs' layout.
    if (previous)
        previous->setProperty(SkinStyle::kPopupMenuLayoutProperty, QVariant());
    if (current)
        current->setProperty(SkinStyle::kPopupMenuLayoutProperty, true);
}
