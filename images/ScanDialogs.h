#pragma once

#include "images/SaneScanner.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

// Runs the work on a worker thread while this thread keeps painting its
// windows (no user input meanwhile) and shows the wait cursor; returns when
// the work has ended.
void RunWhileWindowsPaint(const std::function<void()>& work);

// The scanner chooser: the devices, and for the chosen one its paper source,
// colour mode and resolution. Choosing a device opens it. On OK the chosen
// device is open with the choices set.
class ScanSourceDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int DeviceId = 1001;
    static constexpr int SourceId = 1002;
    static constexpr int ModeId = 1003;
    static constexpr int ResolutionId = 1004;

    ScanSourceDialog(SaneScanner& scanner, const QList<ScannerDevice>& devices, QWidget* parent = nullptr);

public slots:
    void accept() override;

private:
    void openDevice(int index);
    QComboBox* comboFor(const QString& option) const;

    SaneScanner& m_scanner;
    QList<ScannerDevice> m_devices;
    QComboBox* m_device;
    QComboBox* m_source;
    QComboBox* m_mode;
    QComboBox* m_resolution;
    QLabel* m_note;
    QPushButton* m_ok;
};

// The window of a running scan: which page is being read, how far, and
// Cancel. Cancel (also Escape and the close box) asks the scan to stop; the
// scan closes the window when it has stopped.
class ScanProgressDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int LabelId = 1005;
    static constexpr int BarId = 1006;
    static constexpr int CancelId = 2;

    ScanProgressDialog(std::function<void()> cancel, QWidget* parent = nullptr);

    // The page being read and the bytes of it so far (expected -1: not known).
    void SetProgress(int page, qint64 done, qint64 expected);
    QString labelText() const;

public slots:
    void reject() override;

private:
    std::function<void()> m_cancel;
    QLabel* m_label;
    QProgressBar* m_bar;
    QPushButton* m_cancelButton;
};
