#pragma once

#include "controls/ColorValue.h"
#include "res/resource.h"

#include <QDialog>
#include <QString>

// The table dialog (130 "表のプロパティ") of 表 > 表の挿入 and 表 > 表のプロパティ:
// the caller fills the fields, runs it, and after IDOK reads them back and
// writes the table.
//
// Texts are the edits' contents (numbers as decimal text). Colours are
// kColorDefault (-1) for the default colour, which writes no attribute,
// kColorNone (-2) for none, else the colour; the colour texts are their
// ColorRefToHtml texts, kept when a colour is picked. The reference width
// and height are the pixels that 100 % stands for.
//
// Until the dialog's own controls come, it shows its OK and Cancel buttons
// only: OK hands the fields back as the caller filled them.
class VornaDialogTableProperty : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = IDD_TABLE_PROPERTY;

    explicit VornaDialogTableProperty(QWidget* parent = nullptr);
    ~VornaDialogTableProperty() override;

    // Runs the dialog; IDOK or IDCANCEL.
    int DoModal();

    // An existing table is edited: the rows and columns edits are locked.
    bool m_bExistingTable = false;
    // The caption's place: set by the caller from the caption's vAlign; the
    // bottom flag also follows the 上 and 下 buttons.
    bool m_bCaptionTop = false;
    bool m_bCaptionBottom = false;
    bool m_bWidthPercent = true;
    bool m_bHeightPercent = true;
    QString m_strBackgroundColor;
    QString m_strBorderColor;
    int m_nReferenceWidth = 1;
    int m_nReferenceHeight = 1;
    QString m_strBackground; // the background image
    QString m_strCaption;
    QString m_strWidth;
    QString m_strHeight;
    QString m_strCellSpacing;
    QString m_strCellPadding;
    platform::ColorRef m_crBackground = kColorDefault;
    platform::ColorRef m_crBorder = kColorDefault;
    QString m_strBorder = QStringLiteral("1");
    QString m_strRows;
    QString m_strColumns;
};
