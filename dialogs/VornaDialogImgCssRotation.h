#pragma once

#include "dialogs/ImgCssPopup.h"

#include <QString>

class CVornaEdit;
class VornaFontListBox;

// The popup of the image rotation (547): an angle typed, or picked from the list of 45° to 315°. A click on an
// entry copies it into the box, a double click also closes with OK, typing selects the first entry that begins with
// the text, and Enter closes with OK.
class VornaDialogImgCssRotation : public ImgCssPopup
{
    Q_OBJECT
public:
    static constexpr int IDD = 547;
    explicit VornaDialogImgCssRotation(QWidget* parent = nullptr);

    // The angle as the box holds it.
    QString m_strAngle;

    void accept() override;

private:
    void OnTyped(const QString& text);

    CVornaEdit* m_pEdit = nullptr;
    VornaFontListBox* m_pList = nullptr;
};
