#pragma once

#include <QProgressBar>

// The progress bar of the transfer windows: it always runs from 0 to 100,
// and stepping past the end starts again from 0.
class VornaProgress : public QProgressBar
{
    Q_OBJECT
public:
    explicit VornaProgress(QWidget* parent = nullptr);

    // Whatever range is given, the bar runs from 0 to 100.
    void SetRange(int lower, int upper);
    void SetStep(int step);
    int GetStep() const { return m_nStep; }
    int GetPos() const { return value(); }
    void SetPos(int position);
    // Moves on by the step; past the upper end the bar starts again from the lower end.
    void StepIt();

private:
    int m_nStep = 1;
};
