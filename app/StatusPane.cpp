#include "app/StatusPane.h"

#include <QAction>

StatusPane::StatusPane(QAction* action, const QString& sizing, QWidget* parent) : QLabel(parent), m_action(action)
{
    setMinimumWidth(fontMetrics().horizontalAdvance(sizing) + 2 * frameWidth() + 4);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
    // The idle update of the status bar reaches the command through the pane.
    addAction(action);
    connect(action, &QAction::changed, this, &StatusPane::refresh);
    refresh();
}

StatusPane::~StatusPane() = default;

void StatusPane::refresh()
{
    const QString text = m_action->isEnabled() ? m_action->text() : QString();
    if (text != QLabel::text())
        setText(text);
}
