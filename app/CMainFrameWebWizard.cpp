// The main frame's web wizard (a new web made from a sample web) and the
// start-up guide's FTP button.
#include "app/CMainFrame.h"

#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"
#include "web/VornaDialogProjectWizard.h"
#include "web/WebFolders.h"
#include "web/WebTemplates.h"

#include "platform/DataRoot.h"
#include "platform/ModalRunner.h"

#include <QDir>

void CMainFrame::OnFileWebWizard()
{
    GuideWebWizard();
}

bool CMainFrame::GuideWebWizard()
{
    // 1. The open web closes first.
    if (!CloseWebToReplaceIt())
        return false;
    // 2. The template and the name.
    VornaDialogProjectWizard dialog(this);
    dialog.m_strTemplatesRoot = platform::installPath(QStringLiteral("Template/Home"));
    if (dialog.DoModal() != platform::IDOK)
        return false;
    // 3.-5. The web's folders.
    const QString folder = WebFolderOf(dialog.m_strWebName, platform::webRoot());
    if (!CreateNewWebFolders(folder))
        return false;
    // 7. The template's files; the user hears of those that did not come.
    const QStringList failed = CopyWebTemplate(dialog.m_strTemplateFolder, folder);
    if (!failed.isEmpty()) {
        QStringList paths;
        for (const QString& name : failed)
            paths.append(QDir::toNativeSeparators(folder + QLatin1Char('/') + name));
        ShowMessageBox(LoadResString(IDS_FILE_NOT_COPIED).arg(paths.join(QLatin1Char('\n'))));
    }
    // 6, 8, 9. The web opens with its site manager and home page.
    OpenWeb(dialog.m_strWebName, folder);
    OpenHomePage();
    return true;
}

bool CMainFrame::GuideFtp()
{
    // The same steps as ツール > FTP; the guide stays open after them.
    OnToolsFtp();
    return false;
}
