#pragma once

#include "controls/ColorValue.h"
#include "res/resource.h"

#include <QDialog>
#include <QString>

// The image properties dialog (318 "画像のプロパティ") of the image
// properties command: the path, alternative text, size, border width and
// border colour of the selected image or images. The caller fills the
// fields, runs it, and after IDOK reads them back and writes them.
//
// Numbers are -1 when not given (nothing to write). m_crBorder is
// kColorDefault (-1) when the images' border colours differ, kColorNone (-2)
// for no border colour, else the colour; m_bColorChanged tells that the user
// picked one. With m_bMultiple the dialog edits only what several images
// share: the path and the sizes start empty.
//
// Until the dialog's own controls come, it shows its OK and Cancel buttons
// only: OK hands the fields back as the caller filled them.
class VornaDialogImageProperty : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = IDD_IMAGE_PROPERTY;

    explicit VornaDialogImageProperty(QWidget* parent = nullptr);
    ~VornaDialogImageProperty() override;

    // Runs the dialog; IDOK or IDCANCEL.
    int DoModal();

    QString m_strAlt;
    QString m_strPath;
    // The size is given (サイズの指定); off: the image shows at its file's size.
    int m_bSpecifySize = 0;
    int m_bKeepRatio = 0;
    QString m_strBorder;
    QString m_strHeight;
    QString m_strWidth;
    int m_nBorder = -1;
    int m_nHeight = -1;
    int m_nWidth = -1;
    bool m_bMultiple = false;
    double m_dRatio = 0.0;
    platform::ColorRef m_crBorder = kColorNone;
    bool m_bColorChanged = false;
};
