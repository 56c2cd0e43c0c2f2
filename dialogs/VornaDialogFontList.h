#pragma once

#include <QDialog>

class VornaBitmapButton;
class VornaFontListBox;

// A borderless pop-up list of font names (406): "(デフォルト)" first, then the
// machine's faces in their own faces. The buttons above and below move the
// selection ten entries; a click on the list takes the entry under the mouse
// and ends with OK, a click outside cancels. m_strFace holds the answer:
// "Default" for the first entry, else the face.
class VornaDialogFontList : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 406;
    static constexpr int kStep = 10;

    explicit VornaDialogFontList(QWidget* parent = nullptr);
    ~VornaDialogFontList() override;

    int DoModal();
    // Moves the selection by the rows, not past either end.
    void MoveSelection(int rows);
    // Ends with OK on the entry.
    void Choose(int row);

    VornaFontListBox* m_lstFonts = nullptr;
    VornaBitmapButton* m_btnUp = nullptr;
    VornaBitmapButton* m_btnDown = nullptr;
    QString m_strFace;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
