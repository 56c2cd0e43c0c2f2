#pragma once

#include "controls/ColorValue.h"
#include "res/resource.h"

#include <QDialog>
#include <QString>

// The marquee dialog (662 "マーキー") of the marquee properties command:
// direction, behaviour, width and height (each optional, in per cent or
// pixels), scroll delay and amount, repeat count or continuous looping, and
// the background colour. The caller fills the fields, runs it, and after
// IDOK writes each value whose changed flag is set.
//
// Numbers: -2 not given (an empty edit; also values that differ among
// several marquees), -1 the default (the attribute is left out), else the
// value. Direction and behaviour are the attribute words or "Default". The
// background colour is kColorDefault (-1) for none. Units: 0 per cent, 1
// pixels. The reference size is what 100 % stands for, -1 when unknown.
//
// Until the dialog's own controls come, it shows its OK and Cancel buttons
// only: OK hands the fields back as the caller filled them, nothing changed.
class VornaDialogMarquee : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = IDD_MARQUEE;

    explicit VornaDialogMarquee(QWidget* parent = nullptr);
    ~VornaDialogMarquee() override;

    // Runs the dialog; IDOK or IDCANCEL.
    int DoModal();

    int m_bContinuous = 1;
    int m_bHeightOn = 0;
    int m_bWidthOn = 0;
    int m_nHeightUnit = 0;
    int m_nWidthUnit = 0;
    QString m_strAmount;
    QString m_strDelay;
    QString m_strHeight;
    QString m_strLoop;
    QString m_strWidth;
    QString m_strDirection = QStringLiteral("Default");
    QString m_strBehavior = QStringLiteral("Default");
    platform::ColorRef m_crBackground = kColorDefault;
    int m_nAmount = -1;
    int m_nDelay = -1;
    int m_nLoop = -1;
    int m_nWidth = -1;
    double m_dWidth = -1.0;
    int m_nHeight = -1;
    double m_dHeight = -1.0;
    int m_nReferenceWidth = -1;
    int m_nReferenceHeight = -1;
    bool m_bAmountChanged = false;
    bool m_bDelayChanged = false;
    bool m_bLoopChanged = false;
    bool m_bHeightChanged = false;
    bool m_bWidthChanged = false;
    bool m_bDirectionChanged = false;
    bool m_bBehaviorChanged = false;
    bool m_bColorChanged = false;
};
