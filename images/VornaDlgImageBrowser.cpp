#include "images/VornaDlgImageBrowser.h"

VornaDlgImageBrowser::VornaDlgImageBrowser(QWidget* parent) : QDialog(parent, Qt::Widget)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setMinimumHeight(94);
}

VornaDlgImageBrowser::~VornaDlgImageBrowser() = default;
