#include "publish/CVornaInternetSession.h"

#include "platform/FtpClient.h"
#include "publish/CVornaDialogStatus.h"
#include "util/StringResources.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QMutexLocker>
#include <QThread>

CVornaInternetSession::CVornaInternetSession() = default;

CVornaInternetSession::~CVornaInternetSession() = default;

int CVornaInternetSession::StatusTextId(int status)
{
    namespace S = platform::FtpStatus;
    switch (status) {
    case S::ResolvingName:
        return 41790;
    case S::NameResolved:
        return 41794;
    case S::ConnectingToServer:
        return 41795;
    case S::ConnectedToServer:
        return 41796;
    case S::SendingRequest:
        return 41797;
    case S::RequestSent:
        return 41798;
    case S::ReceivingResponse:
        return 41799;
    case S::ResponseReceived:
        return 41800;
    case S::ClosingConnection:
        return 41801;
    case S::ConnectionClosed:
        return 41802;
    case S::HandleCreated:
        return 41793;
    case S::HandleClosing:
        return 41792;
    case 100: // an asynchronous request completed
        return 41791;
    default:
        return 41803;
    }
}

void CVornaInternetSession::OnStatusCallback(quintptr, int status, const void*, int)
{
    const QString text = LoadResString(StatusTextId(status));
    QPointer<CVornaDialogStatus> dialog;
    {
        QMutexLocker lock(&m_mutex);
        m_statusText = text;
        dialog = m_dialogGuard;
    }
    if (!m_statusShown || !dialog)
        return;
    auto show = [dialog, text] {
        if (dialog)
            dialog->SetStatusText(text);
    };
    if (QThread::currentThread() == dialog->thread())
        show();
    else
        QMetaObject::invokeMethod(dialog, show, Qt::QueuedConnection);
}

QString CVornaInternetSession::statusText() const
{
    QMutexLocker lock(&m_mutex);
    return m_statusText;
}

void CVornaInternetSession::setStatusDialog(std::unique_ptr<CVornaDialogStatus> dialog)
{
    QMutexLocker lock(&m_mutex);
    m_statusDialog = std::move(dialog);
    m_dialogGuard = m_statusDialog.get();
}

std::unique_ptr<CVornaDialogStatus> CVornaInternetSession::takeStatusDialog()
{
    QMutexLocker lock(&m_mutex);
    m_dialogGuard = nullptr;
    return std::move(m_statusDialog);
}
