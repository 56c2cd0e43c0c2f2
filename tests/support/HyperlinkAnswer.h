#pragma once

#include <QComboBox>
#include <QDialog>
#include <QString>
#include <QTreeWidget>

// Types a link address into the hyperlink dialog (303) as a user does. An
// address the dialog classifies by itself (a web or mail address, a picture,
// a page of its list) is left so; any other needs a scheme before OK takes
// it, and the picture scheme keeps both the address as typed and the target.
inline void TypeLinkAddress(QDialog& dialog, const QString& url)
{
    auto* scheme = dialog.findChild<QComboBox*>(QStringLiteral("id_1004"));
    auto* address = dialog.findChild<QComboBox*>(QStringLiteral("id_1005"));
    auto* pages = dialog.findChild<QTreeWidget*>(QStringLiteral("id_1072"));
    address->setEditText(url);
    if (!url.isEmpty() && scheme->currentIndex() < 0 && pages->selectedItems().isEmpty())
        scheme->setCurrentIndex(3);
}
