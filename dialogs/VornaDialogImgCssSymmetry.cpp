#include "dialogs/VornaDialogImgCssSymmetry.h"

#include "dialogs/DialogControls.h"

#include <QPushButton>
#include <QVBoxLayout>

VornaDialogImgCssSymmetry::VornaDialogImgCssSymmetry(QWidget* parent) : ImgCssPopup(IDD, parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    for (const auto& [text, id, horizontal] : {std::tuple{"X", 1410, true}, std::tuple{"Y", 1411, false}}) {
        auto* button = Named(new QPushButton(QLatin1String(text), this), id);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, horizontal = horizontal] {
            m_bHorizontal = horizontal;
            accept();
        });
        layout->addWidget(button);
    }
}
