#pragma once

#include <QDialog>

#include <atomic>

class QLabel;
class QPushButton;
class VornaProgress;

// The transfer progress window: the direction and path, a percentage bar and
// Cancel. Cancel (also Escape and the close box) asks for confirmation; a Yes
// raises the cancel flag, which the transfer reads between blocks. The
// transfer closes the window when it stops.
class VornaDialogProgress : public QDialog
{
    Q_OBJECT
public:
    static constexpr int DialogId = 492;
    static constexpr int LabelId = 1381;
    static constexpr int BarId = 1265;
    static constexpr int CancelId = 2;
    static constexpr int CancelQuestion = 41776;

    explicit VornaDialogProgress(QWidget* parent = nullptr);

    void SetProgress(int percent, const QString& label);
    int percent() const;
    QString labelText() const;

    // Any thread.
    bool cancelRequested() const { return m_cancelRequested; }
    const std::atomic<bool>& cancelFlag() const { return m_cancelRequested; }

public slots:
    void reject() override;

private:
    QLabel* m_label = nullptr;
    VornaProgress* m_bar = nullptr;
    QPushButton* m_cancel = nullptr;
    std::atomic<bool> m_cancelRequested{false};
};
