#pragma once

#include <QDialog>
#include <QString>

class CVornaComboBox;
class CVornaEdit;
class CVornaListCtrlImage;
class QPushButton;

// The web wizard: the user picks a category of sample webs and one of its
// templates (shown as their pictures), names the new web and may look at the
// template's home page in the browser. OK stays open while the choice cannot
// make a web, saying why; it ends with the web name and the template folder
// in the members.
class VornaDialogProjectWizard : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 540;
    static constexpr int kPreviewId = 3;
    static constexpr int kTemplateListId = 1015;
    static constexpr int kNameEditId = 1233;
    static constexpr int kCategoryComboId = 1367;
    // The template pictures' size and the room each takes in the list.
    static constexpr int kThumbnailWidth = 102;
    static constexpr int kThumbnailHeight = 76;
    static constexpr int kSpacingX = 140;
    static constexpr int kSpacingY = 120;

    explicit VornaDialogProjectWizard(QWidget* parent = nullptr);
    ~VornaDialogProjectWizard() override;

    // IDOK or IDCANCEL.
    int DoModal();

    // Out: the name typed, always current.
    QString m_strWebName;
    // The category shown and the template last clicked (-1 before any).
    QString m_strCategory;
    int m_nSelected = -1;
    // Out: the folder of the chosen template's web.
    QString m_strTemplateFolder;
    // In: the folder of the categories; the install folder's "Template/Home".
    QString m_strTemplatesRoot;
    QString m_strCategoryFolder;
    QString m_strTemplateName;
    // In: where the new web is made; the web root unless a caller sets another.
    QString m_strWebRoot;

    // Fills the categories from the root and shows the first one.
    void FillCategoryList(const QString& root);
    // The category folder of the category shown.
    void SetCategory();
    // Fills the templates of the category folder.
    void FillTemplateList();

    // The user's actions; an item of -1 is a click beside the items.
    void OnSelchangeCategory();
    void OnClickTemplate(int item);
    void OnDblclkTemplate(int item);
    void OnPreview();
    void OnOK();

    CVornaListCtrlImage* templateList() const { return m_list; }

protected:
    void accept() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();
    // Item 0 selected and current, and its text the template name.
    void SelectFirstTemplate();
    QString TemplateFolderOf(const QString& name) const;

    CVornaEdit* m_editName;
    CVornaComboBox* m_comboCategory;
    CVornaListCtrlImage* m_list;
};
