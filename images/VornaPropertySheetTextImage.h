#pragma once

#include <QDialog>
#include <QRect>
#include <QString>

class QLineEdit;
class QPushButton;

// The banner maker (挿入 > バナー): a line of text drawn over an optional
// picture, written as a GIF in the user's image folder. The caller may set
// the picture to start from; after IDOK m_strResultPath names the GIF
// written (empty when none was) and m_rcCanvas is the banner's rectangle.
//
// Until the maker's own pages and layout window come, it takes the text
// alone and draws it in the banner's default look.
class VornaPropertySheetTextImage : public QDialog
{
    Q_OBJECT
public:
    // The sheet has no dialog template: its runs go by this id.
    static constexpr int kDialogId = -57747;

    VornaPropertySheetTextImage(unsigned captionId, QWidget* parent = nullptr, int selectPage = 0);
    ~VornaPropertySheetTextImage() override;

    // Runs the sheet; IDOK or IDCANCEL.
    int DoModal();

    QString m_strPicturePath;
    QString m_strResultPath;
    QRect m_rcCanvas;

private:
    // OK: the banner drawn and written.
    void OnOK();

    QLineEdit* m_edText = nullptr;
    QLineEdit* m_edPicture = nullptr;
    QPushButton* m_btnOk = nullptr;
};
