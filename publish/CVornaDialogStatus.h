#pragma once

#include <QDialog>

class QLabel;

// The connection status window: one line telling what the FTP engine (or a
// caller) is doing. Modeless, without buttons.
class CVornaDialogStatus : public QDialog
{
    Q_OBJECT
public:
    static constexpr int DialogId = 14082;
    static constexpr int LabelId = 1381;

    explicit CVornaDialogStatus(QWidget* parent = nullptr);

    // Sets the line and repaints the window at once.
    void SetStatusText(const QString& text);
    QString statusText() const;

private:
    QLabel* m_label = nullptr;
};
