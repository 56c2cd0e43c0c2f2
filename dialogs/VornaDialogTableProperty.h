#pragma once

#include "dialogs/TablePropertyModel.h"
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
// only: OK hands the fields back as the caller filled them, each number
// clamped to its box's range.
class VornaDialogTableProperty : public QDialog, public TablePropertyModel
{
    Q_OBJECT
public:
    static constexpr int IDD = IDD_TABLE_PROPERTY;

    explicit VornaDialogTableProperty(QWidget* parent = nullptr);
    ~VornaDialogTableProperty() override;

    // Runs the dialog; IDOK or IDCANCEL.
    int DoModal();
};
