#pragma once

#include "dialogs/TableCellPropertyModel.h"
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
// only: OK hands the fields back as the caller filled them, each number
// clamped to its box's range.
class VornaDialogTableCellProperty : public QDialog, public TableCellPropertyModel
{
    Q_OBJECT
public:
    static constexpr int IDD = IDD_TABLE_CELL_PROPERTY;

    explicit VornaDialogTableCellProperty(QWidget* parent = nullptr);
    ~VornaDialogTableCellProperty() override;

    // Runs the dialog; IDOK or IDCANCEL.
    int DoModal();
};
