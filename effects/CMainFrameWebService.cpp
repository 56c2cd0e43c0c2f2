#include "app/CMainFrame.h"

#include "effects/VornaDialogRegister.h"
#include "effects/WebServiceAccount.h"
#include "publish/CVornaFtp.h"

#include "platform/ModalRunner.h"

bool CMainFrame::EnsureWebServiceUserId()
{
    // 1. A stored id that is one.
    if (webservice::IsUserId(webservice::ReadUserId()))
        return true;
    // 2. Otherwise the user is asked for it.
    VornaDialogRegister dialog(this);
    return dialog.DoModal() == platform::IDOK;
}

QString CMainFrame::BuildWebObjectQuery(const QString& folder, const QString& styleName, const QString& extension)
{
    Q_UNUSED(folder);
    // 1. The address start of the object's page.
    CVornaFtp& ftp = GetFtp();
    QString start;
    switch (webservice::KindOfExtension(extension)) {
    case webservice::WebObjectKind::Board:
        start = ftp.GetWebObjectBoard();
        break;
    case webservice::WebObjectKind::Visitor:
        start = ftp.GetWebObjectVisitor();
        break;
    case webservice::WebObjectKind::Counter:
        start = ftp.GetWebObjectCounter();
        break;
    }
    // 2. The query with the stored id and the style.
    return webservice::BuildWebObjectAddress(start, webservice::ReadUserId(), styleName, extension);
}

void CMainFrame::OnToolsCustomerInfo()
{
    VornaDialogRegister dialog(this);
    dialog.DoModal();
}
