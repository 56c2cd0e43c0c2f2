#include "images/BrowseForFolder.h"

#include "images/ImageBookmarks.h"
#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/ShellFolders.h"

#include "platform/ModalRunner.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

namespace browseforfolder_detail {

class FolderPicker : public QFileDialog
{
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const QStringList chosen = selectedFiles();
        const QString folder = chosen.isEmpty() ? directory().absolutePath() : chosen.front();
        // The network places cannot be confirmed.
        if (ImageBookmarks::IsNetworkPlace(folder, QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))) {
            MessageBoxById(IDS_BOOKMARK_NETWORK_PLACE);
            return;
        }
        QFileDialog::accept();
    }
};

} // namespace browseforfolder_detail

bool BrowseForFolder(QString& result, const QString& title, QWidget* owner, const QString& rootText,
                     const QString& initialFolder)
{
    Q_UNUSED(rootText);
    browseforfolder_detail::FolderPicker picker(owner, title);
    picker.setObjectName(QStringLiteral("id_%1").arg(IDD_BOOKMARK_FOLDER_PICKER));
    picker.setOption(QFileDialog::DontUseNativeDialog);
    picker.setOption(QFileDialog::ShowDirsOnly);
    picker.setFileMode(QFileDialog::Directory);
    picker.setAcceptMode(QFileDialog::AcceptOpen);
    // A display root ("マイ コンピュータ/") opens at the file system's root.
    QString start = initialFolder;
    ResolveShellDisplayPath(start);
    if (start.isEmpty() || !QDir(start).exists())
        start = QStringLiteral("/");
    picker.setDirectory(start);
    result.clear();
    if (platform::runModal(picker, IDD_BOOKMARK_FOLDER_PICKER) != platform::IDOK)
        return false;
    const QStringList chosen = picker.selectedFiles();
    if (chosen.isEmpty())
        return false;
    result = QDir::cleanPath(chosen.front());
    return true;
}
