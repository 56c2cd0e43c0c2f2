#include "controls/VornaProgress.h"

VornaProgress::VornaProgress(QWidget* parent) : QProgressBar(parent)
{
    setRange(0, 100);
    setValue(0);
}

void VornaProgress::SetRange(int lower, int upper)
{
    Q_UNUSED(lower);
    Q_UNUSED(upper);
    setRange(0, 100);
}

void VornaProgress::SetStep(int step)
{
    m_nStep = step;
}

void VornaProgress::SetPos(int position)
{
    setValue(std::clamp(position, minimum(), maximum()));
}

void VornaProgress::StepIt()
{
    const int span = maximum() - minimum() + 1;
    int next = value() + m_nStep - minimum();
    next = ((next % span) + span) % span;
    setValue(minimum() + next);
}
