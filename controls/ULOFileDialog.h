#pragma once

#include "controls/CFileDialog.h"
#include "controls/ULOFileDialogModel.h"

// The program's dialog for opening, saving and creating pages. The mode
// decides the folder it starts in and the one it remembers (see
// ULOFileDialogModel); a button first in the folder row goes back to the
// mode's home folder keeping the typed name; in mode 0 an address typed as
// "http://..." ends the dialog with IDOK and comes back in m_bURL and
// m_strURL; in mode 1 a new page's name that is taken is replaced by the first
// free numbered one.
//
//   ULOFileDialog dlg(true, 0, QString(), QString(), 0x1006, LoadResString(41881), this);
//   if (dlg.DoModal() == IDOK)
//       open(dlg.m_bURL ? dlg.m_strURL : dlg.GetPathName());
class ULOFileDialog : public CFileDialog, public ULOFileDialogModel
{
    Q_OBJECT
public:
    // The id its modal runs go under.
    static constexpr int kDialogId = -11;
    // The home-folder button.
    static constexpr int kHomeFolderButtonId = 1016;

    // An empty default extension means "html".
    ULOFileDialog(bool bOpenFileDialog, int nMode, const QString& defExt = QString(),
                  const QString& fileName = QString(), quint32 flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                  const QString& filter = QString(), QWidget* parent = nullptr);
    ~ULOFileDialog() override;

    // OK: an address in mode 0 closes the dialog without the file checks.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    void OnDestroy(int result) override;

private:
    void OnHomeFolder();
    void OnFileNameChange();
};
