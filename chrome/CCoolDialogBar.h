#pragma once

#include <QDockWidget>

class QMainWindow;

// A bar of the main frame that holds a modeless dialog: docked on any side or
// floating, resized at its inner edge, closed from its caption.
//
// Least body until the roll-up bar is built: a dock widget of the frame.
class CCoolDialogBar : public QDockWidget
{
    Q_OBJECT
public:
    explicit CCoolDialogBar(QWidget* parent = nullptr);
    ~CCoolDialogBar() override;

    // Puts the dialog into the bar and docks the bar in the frame (at the
    // bottom for CBRS_ALIGN_BOTTOM, else at the left). False without a frame
    // or a dialog.
    bool Create(QMainWindow* frame, QWidget* dialog, const QString& title, int id, quint32 style);

    static constexpr quint32 CBRS_ALIGN_BOTTOM = 0x2000;

signals:
    // The user closed the bar from its caption (hiding it otherwise says nothing).
    void closedFromCaption();

protected:
    void closeEvent(QCloseEvent* event) override;
};
