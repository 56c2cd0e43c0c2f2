#pragma once

#include <QMutex>
#include <QPointer>
#include <QString>

#include <atomic>
#include <memory>

class CVornaDialogStatus;

// The internet session of an FTP engine: it turns the connection steps the
// FTP client reports into the texts of the connection status dialog. Steps
// arrive on the thread that runs the connection; the dialog is touched on the
// user-interface thread only.
class CVornaInternetSession
{
public:
    CVornaInternetSession();
    virtual ~CVornaInternetSession();
    CVornaInternetSession(const CVornaInternetSession&) = delete;
    CVornaInternetSession& operator=(const CVornaInternetSession&) = delete;

    // A step of the connection (the internet library's status number); the
    // information arguments are not used.
    virtual void OnStatusCallback(quintptr context, int status, const void* information, int length);

    // The string id of a status number's text.
    static int StatusTextId(int status);

    // The text of the last step; empty before the first.
    QString statusText() const;

    // The shown status dialog, owned by the session (user-interface thread).
    CVornaDialogStatus* statusDialog() const { return m_statusDialog.get(); }
    void setStatusDialog(std::unique_ptr<CVornaDialogStatus> dialog);
    std::unique_ptr<CVornaDialogStatus> takeStatusDialog();
    void setStatusShown(bool shown) { m_statusShown = shown; }
    bool isStatusShown() const { return m_statusShown; }

private:
    mutable QMutex m_mutex;
    QString m_statusText;
    std::unique_ptr<CVornaDialogStatus> m_statusDialog;
    QPointer<CVornaDialogStatus> m_dialogGuard; // read from other threads to queue the repaint
    std::atomic<bool> m_statusShown{false};
};
