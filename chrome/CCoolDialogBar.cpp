#include "chrome/CCoolDialogBar.h"

#include <QMainWindow>

CCoolDialogBar::CCoolDialogBar(QWidget* parent) : QDockWidget(parent) {}

CCoolDialogBar::~CCoolDialogBar() = default;

bool CCoolDialogBar::Create(QMainWindow* frame, QWidget* dialog, const QString& title, int id, quint32 style)
{
    if (!frame || !dialog)
        return false;
    setObjectName(QStringLiteral("bar_%1").arg(id));
    setWindowTitle(title);
    setWidget(dialog);
    frame->addDockWidget((style & CBRS_ALIGN_BOTTOM) ? Qt::BottomDockWidgetArea : Qt::LeftDockWidgetArea, this);
    return true;
}

void CCoolDialogBar::closeEvent(QCloseEvent* event)
{
    QDockWidget::closeEvent(event);
    emit closedFromCaption();
}
