#include "dialogs/ImgCssPopup.h"

#include "dialogs/DialogButtons.h"

#include "platform/ModalRunner.h"

ImgCssPopup::ImgCssPopup(int dialogId, QWidget* parent) : QDialog(parent, Qt::Popup), m_dialogId(dialogId)
{
    setObjectName(DialogControlName(dialogId));
}

QRect ImgCssPopup::Placement(const QRect& anchor, const QSize& size)
{
    return QRect(anchor.left() + anchor.width() - size.width(), anchor.top() - size.height(), size.width(),
                 size.height());
}

int ImgCssPopup::DoModal()
{
    adjustSize();
    if (!m_rcAnchor.isNull())
        move(Placement(m_rcAnchor, size()).topLeft());
    return platform::runModal(*this, m_dialogId);
}
