#pragma once

#include <QStringList>
#include <QtGlobal>

// Which page a request of the tutorial for its document (message 0x4C9)
// concerns.
enum class TutorialTarget {
    None,         // the tutorial is left without a document
    ActiveView,   // the page being edited
    FramesetView, // the frameset page of the active window
    ContentsView, // the open page named "contents.html" (a photo album's contents)
};

// wParam 6 asks about a frameset page: with lParam 1 a photo album (frames
// "menu" and "album") hands over its contents page, any other lParam the
// frameset itself; without an active window or a frameset page there is none.
// Any other wParam asks for the page being edited.
TutorialTarget ChooseTutorialTarget(quintptr wParam, qintptr lParam, bool hasActiveChild, bool isFrameset,
                                    const QStringList& frameNames);
