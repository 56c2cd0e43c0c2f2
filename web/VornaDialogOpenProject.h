#pragma once

#include <QDialog>
#include <QString>

class CVornaEdit;
class VornaDirListCtrl;

// The open-web dialog: the webs of the web root, one row each, a name box,
// Open, Delete and Cancel. Open ends the dialog with the chosen web's name
// in m_strName and its folder in m_strRoot when that name is a web of the
// root. Delete removes a listed web's folder with everything in it, after a
// question that names the web.
class VornaDialogOpenProject : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 463;
    static constexpr int kListId = 1015;
    static constexpr int kDeleteId = 1167;
    static constexpr int kNameEditId = 1217;

    explicit VornaDialogOpenProject(QWidget* parent = nullptr);
    ~VornaDialogOpenProject() override;

    // IDOK or IDCANCEL.
    int DoModal();

    // Out: the chosen web's name.
    QString m_strName;
    // The selected row; -1 until the dialog opens.
    int m_nSel = -1;
    // The folder of the web named last.
    QString m_strFolder;
    // In: the web root; out after OK: the chosen web's folder.
    QString m_strRoot;

    // Lists the folders of the root, one row each.
    void FillFolderList(const QString& root);
    void OnDelete();
    VornaDirListCtrl* webList() const { return m_list; }

protected:
    void accept() override;

private:
    void OnInitDialog();
    void OnSelectionChanged();
    void OnDoubleClick();
    void SetName(const QString& name);

    CVornaEdit* m_editName;
    VornaDirListCtrl* m_list;
};
