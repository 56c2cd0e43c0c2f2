#pragma once

#include <QDialog>
#include <QString>

class CVornaEdit;
class QRadioButton;

// The new-web dialog: the name of the new web and the kind of its first page
// (0 a blank page, 1 a frameset page, 2 a page from a template). OK keeps the
// dialog open while the name cannot make a new web in the web root, saying
// why; otherwise the dialog ends with the name and the kind in its members.
class VornaDialogCreateProject : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 327;
    static constexpr int kNameEditId = 1218;
    static constexpr int kBlankPageId = 1463;
    static constexpr int kFramesetPageId = 1464;
    static constexpr int kTemplatePageId = 1465;

    explicit VornaDialogCreateProject(QWidget* parent = nullptr);
    ~VornaDialogCreateProject() override;

    // IDOK or IDCANCEL.
    int DoModal();

    // Out: the name and the first page's kind (-1 until the dialog opens).
    QString m_strName;
    int m_nPageKind = -1;
    // In: the folder the webs live in; the web root unless a caller sets another.
    QString m_strRoot;

protected:
    void accept() override;

private:
    void OnInitDialog();
    // Copies the controls into the members.
    void UpdateData();

    CVornaEdit* m_editName;
    QRadioButton* m_kinds[3];
};
