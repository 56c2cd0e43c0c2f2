#pragma once

#include <QLabel>

class QAction;

// A pane of the status bar, bound to the command of its id: it shows the
// command's text while the command is enabled and nothing while it is
// disabled, so the update handlers of the idle update decide what it shows.
class StatusPane : public QLabel
{
    Q_OBJECT
public:
    // `sizing` is the text whose width the pane keeps at least.
    StatusPane(QAction* action, const QString& sizing, QWidget* parent);
    ~StatusPane() override;

    QAction* paneAction() const { return m_action; }

private:
    void refresh();

    QAction* m_action;
};
