#include "platform/ModalRunner.h"

#include <QDialog>
#include <QList>

namespace platform {

namespace {
QList<ModalAnswerer*>& modalAnswerers()
{
    static QList<ModalAnswerer*> answerers;
    return answerers;
}
std::function<void(const QString&)>& modalFailureHandler()
{
    static std::function<void(const QString&)> handler;
    return handler;
}
QString describeModalRun(const QDialog& dialog, int dialogId, const QString& text)
{
    QString what =
        dialogId == kMessageBoxDialogId ? QStringLiteral("message box") : QStringLiteral("dialog %1").arg(dialogId);
    if (!dialog.windowTitle().isEmpty())
        what += QStringLiteral(" \"%1\"").arg(dialog.windowTitle());
    if (!text.isEmpty())
        what += QStringLiteral(": ") + text;
    return what;
}
} // namespace

ModalAnswerer::~ModalAnswerer()
{
    removeModalAnswerer(this);
}

void pushModalAnswerer(ModalAnswerer* answerer)
{
    if (answerer)
        modalAnswerers().append(answerer);
}

void removeModalAnswerer(ModalAnswerer* answerer)
{
    modalAnswerers().removeAll(answerer);
}

void setModalFailureHandler(std::function<void(const QString&)> handler)
{
    modalFailureHandler() = std::move(handler);
}

void reportModalFailure(const QString& what)
{
    if (modalFailureHandler())
        modalFailureHandler()(what);
    else
        qWarning("%s", qPrintable(what));
}

int programDialogResult(int result)
{
    // A dialog closed by Escape or its close button ends as Qt's Rejected
    // (0), which is no button of the program: that is its Cancel.
    return result == QDialog::Rejected ? IDCANCEL : result;
}

int runModal(QDialog& dialog, int dialogId, const QString& text)
{
    const QList<ModalAnswerer*>& answerers = modalAnswerers();
    if (!answerers.isEmpty()) {
        int result = IDCANCEL;
        if (answerers.last()->respond(dialog, dialogId, text, &result))
            return programDialogResult(result);
        reportModalFailure(QStringLiteral("Unanswered modal run of ") + describeModalRun(dialog, dialogId, text));
        return IDCANCEL;
    }
    if (modalFailureHandler()) {
        reportModalFailure(QStringLiteral("Modal run without a responder: ") +
                           describeModalRun(dialog, dialogId, text));
        return IDCANCEL;
    }
    return programDialogResult(dialog.exec());
}

} // namespace platform
