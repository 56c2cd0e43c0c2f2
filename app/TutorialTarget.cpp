#include "app/TutorialTarget.h"

TutorialTarget ChooseTutorialTarget(quintptr wParam, qintptr lParam, bool hasActiveChild, bool isFrameset,
                                    const QStringList& frameNames)
{
    if (wParam != 6)
        return TutorialTarget::ActiveView;
    if (!hasActiveChild || !isFrameset)
        return TutorialTarget::None;
    if (lParam != 1)
        return TutorialTarget::FramesetView;
    const bool album =
        frameNames.size() >= 2 && frameNames[0] == QLatin1String("menu") && frameNames[1] == QLatin1String("album");
    return album ? TutorialTarget::ContentsView : TutorialTarget::None;
}
