#pragma once

#include <QString>

// How FTP work running off the user-interface thread meets the user. Every
// call may come from the worker thread.
class FtpTransferHost
{
public:
    virtual ~FtpTransferHost() = default;

    // Shows a message with an OK button and returns once the user closed it.
    virtual void showMessage(const QString& text) = 0;
    // Moves the progress bar to a percentage (0..100) and shows a label.
    virtual void setProgress(int percent, const QString& label) = 0;
    // True once the user confirmed Cancel.
    virtual bool cancelRequested() const = 0;
};
