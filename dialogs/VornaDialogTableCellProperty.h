#pragma once

#include "controls/ColorValue.h"
#include "res/resource.h"

#include <QDialog>
#include <QString>

// The cell dialog (132 "セルのプロパティ") of 表 > セルのプロパティ: the caller
// fills the fields from the cell, runs it, and after IDOK writes them back.
//
// Width and height: the text, its unit, whether the cell had the attribute,
// and the value known in both units (pixels, percent) for the unit switch;
// the reference width and height are the table's size that 100 % stands for.
// Alignments: the text ("left", "center", "right"; "top", "middle",
// "bottom") and whether one is set; picking "デフォルト" leaves them alone.
// Colours: kColorDefault (-1) the default colour, kColorNone (-2) none,
// else the colour.
//
// Until the dialog's own controls come, it shows its OK and Cancel buttons
// only: OK hands the fields back as the caller filled them.
class VornaDialogTableCellProperty : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = IDD_TABLE_CELL_PROPERTY;

    explicit VornaDialogTableCellProperty(QWidget* parent = nullptr);
    ~VornaDialogTableCellProperty() override;

    // Runs the dialog; IDOK or IDCANCEL.
    int DoModal();

    bool m_bWidthPresent = false;
    bool m_bHeightPresent = false;
    bool m_bHAlignSet = false;
    bool m_bVAlignSet = false;
    bool m_bWidthPercent = true;
    bool m_bHeightPercent = true;
    bool m_bBackgroundPresent = false;
    platform::ColorRef m_crBackground = kColorNone;
    platform::ColorRef m_crBorder = kColorNone;
    QString m_strHAlign;
    QString m_strVAlign;
    int m_nReferenceWidth = 1;
    int m_nReferenceHeight = 1;
    int m_nWidthPixels = 1;
    int m_nWidthPercentValue = 1;
    int m_nHeightPixels = 1;
    int m_nHeightPercentValue = 1;
    QString m_strHeight;
    QString m_strWidth;
    bool m_bNoWrap = false;
    QString m_strBackground; // the background image
};
