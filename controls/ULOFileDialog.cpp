#include "controls/ULOFileDialog.h"

#include "res/resource.h"
#include "util/AppContext.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QToolButton>

ULOFileDialog::ULOFileDialog(bool bOpenFileDialog, int nMode, const QString& defExt, const QString& fileName,
                             quint32 flags, const QString& filter, QWidget* parent)
    : CFileDialog(bOpenFileDialog, defExt, fileName, flags, filter, parent, kDialogId),
      ULOFileDialogModel(nMode, fileName, defExt, Place::Current())
{
    SetDefExt(m_strDefExt);
    // The folders of the program's own tree are made when first needed.
    const QString installFolder = QDir::cleanPath(AppContext::instance().installFolder());
    if (m_strHomeFolder.startsWith(installFolder + u'/') && !QFileInfo::exists(m_strHomeFolder))
        QDir().mkpath(m_strHomeFolder);
    if (!QDir::isAbsolutePath(fileName))
        setDirectory(m_strInitialDir);
    if (!m_strTitle.isEmpty())
        setWindowTitle(m_strTitle);
    QToolButton* home = AddFolderButton(kHomeFolderButtonId, ProgramIcon(), LoadResString(IDS_PROGRAM_FOLDER_SHORTCUT));
    connect(home, &QToolButton::clicked, this, [this] { OnHomeFolder(); });
}

ULOFileDialog::~ULOFileDialog() = default;

void ULOFileDialog::accept()
{
    if (TakeAddress(fileNameEdit()->text())) {
        QDialog::accept();
        return;
    }
    CFileDialog::accept();
}

void ULOFileDialog::showEvent(QShowEvent* event)
{
    CFileDialog::showEvent(event);
    OnFileNameChange();
}

void ULOFileDialog::OnFileNameChange()
{
    if (m_bNameProposed || m_nMode != 1)
        return;
    m_bNameProposed = true;
    const QString typed = fileNameEdit()->text();
    if (typed.isEmpty())
        return;
    m_strFileName = ProposeFreeName(GetFolderPath(), typed, m_strDefExt);
    fileNameEdit()->setText(m_strFileName);
    fileNameEdit()->selectAll();
}

void ULOFileDialog::OnHomeFolder()
{
    ChangeFolder(m_strHomeFolder);
}

void ULOFileDialog::OnDestroy(int result)
{
    if (result == platform::IDOK)
        RememberFolder(GetPathName());
}
