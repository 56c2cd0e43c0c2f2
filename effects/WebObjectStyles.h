#pragma once

#include <QString>
#include <QStringList>

class VornaFrameSet;

// The rules the web-object dialogs share: the styles of a folder, the
// targets a link may name, and how the style list answers its keys.
namespace webobjectstyles {

// The install folder's folder of one kind of style ("Board",
// "VisitorsBook", "Counter" below "Other").
QString StyleFolder(const QString& name);

// The style names of a folder: the names of its files with the extension
// (without the dot, compared without regard to case), each cut at its last
// ".", in the list's ascending order. None for a missing folder.
QStringList StyleNames(const QString& folder, const QString& extension);

// The place of a text in a list kept in ascending order without regard to
// case (texts equal so come in code order).
qsizetype SortedInsertIndex(const QStringList& sorted, const QString& text);

// The first text equal to the given one without regard to case; -1.
qsizetype IndexOfCaseBlind(const QStringList& texts, const QString& text);

// The item an arrow key takes the list to: up, the one before the current
// (the first stays); down, the one after it (the last stays), the first when
// there is no current item. -1 for an empty list.
int ArrowKeyItem(int current, int count, bool down);

// The targets a link may name: "_self", "_blank", "_parent" and "_top", then
// the names of the frames of a frameset page in document order (a node, its
// children, its following siblings); empty names and "noname" are left out.
QStringList LinkTargets(const VornaFrameSet* root);

} // namespace webobjectstyles
