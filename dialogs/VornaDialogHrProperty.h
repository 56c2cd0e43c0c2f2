#pragma once

#include "controls/ColorValue.h"
#include "res/resource.h"

#include <QDialog>
#include <QString>

// The horizontal rule dialog (555 "罫線のプロパティ") of the rule properties
// command: width in per cent or pixels, height in pixels, colour and no
// shading. The caller fills the fields, runs it, and after IDOK writes each
// value whose changed flag is set.
//
// Width and height are -1 when not given. The colour is kColorDefault (-1)
// for the picker's default (no attribute), kColorNone (-2) when several
// rules differ. Width unit: 0 per cent, 1 pixels. The reference width is
// what 100 % stands for, -1 when unknown.
//
// Until the dialog's own controls come, it shows its OK and Cancel buttons
// only: OK hands the fields back as the caller filled them, nothing changed.
class VornaDialogHrProperty : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = IDD_HR_PROPERTY;

    explicit VornaDialogHrProperty(QWidget* parent = nullptr);
    ~VornaDialogHrProperty() override;

    // Runs the dialog; IDOK or IDCANCEL.
    int DoModal();

    int m_bNoShade = 0;
    int m_nWidthUnit = 0;
    QString m_strHeight;
    QString m_strWidth;
    platform::ColorRef m_crColor = kColorDefault;
    int m_nWidth = -1;
    int m_nInitialWidth = -1;
    int m_nHeight = -1;
    int m_nInitialHeight = -1;
    bool m_bColorChanged = false;
    bool m_bNoShadeChanged = false;
    bool m_bWidthChanged = false;
    bool m_bHeightChanged = false;
    double m_dWidth = -1.0;
    int m_nReferenceWidth = -1;
};
