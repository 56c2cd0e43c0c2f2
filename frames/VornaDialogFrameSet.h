#pragma once

#include "controls/CPicture.h"
#include "frames/FramesetTemplateCatalogue.h"

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;
class VornaDirListCtrl;

// The frameset template dialog: the templates of the catalogue listed by
// title, the selected one's description and preview picture. After IDOK the
// template path holds the page of the chosen template (the template folder
// followed by its HTM value).
class VornaDialogFrameSet : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 502;

    // The templates of the folder (ending with "/"); by default the install
    // folder's "Template/FramesetTemplate/".
    explicit VornaDialogFrameSet(QWidget* parent = nullptr, const QString& templateFolder = QString());
    ~VornaDialogFrameSet() override;

    // IDOK (1) or IDCANCEL (2).
    int DoModal();

    // Lists the titles, selects the stored index and shows that template.
    void OnInitDialog();
    // Shows template i: its path, description and picture.
    void ShowTemplate(int index);
    // The list's selection moved to the item.
    void OnItemChanged(int index);
    // A double click on an item (-1: on no item) acts as OK.
    void OnDoubleClick(int index);
    // OK: refused, with a message, while the selected template has no page.
    void OnOK();

    const CPicture& preview() const { return m_picture; }

    QString m_strDescription;
    QString m_strPreviewPath;
    QString m_strTemplatePath;
    QString m_strCataloguePath;
    QString m_strTemplateFolder;
    int m_nSelected = 0;

protected:
    void accept() override;

private:
    FramesetTemplateCatalogue m_catalogue;
    CPicture m_picture;
    VornaDirListCtrl* m_list = nullptr;
    QLabel* m_description = nullptr;
    QWidget* m_preview = nullptr;
};
