#pragma once

#include <QString>
#include <QStringList>

// The filter texts the image effect commands write into an image's style: calls separated by line feeds, each call
// written with a line feed in front of it.

// The call each one-click effect appends; empty for commands without one (the restore command among them).
QString ImageFilterCall(unsigned commandId);

// The filter text an image with `filterText` gets from the command: an effect already in the list moves to its end,
// the blur steps its radius up (to 20) or down (to 0), the mirrors append their call each time. False when nothing
// is to be written (a blur step past its end); `filterText` is then left as it was.
bool NextImageFilterText(unsigned commandId, const QString& call, QString& filterText);

// The filter text the image effects dialog's list stands for: a line feed and each non-empty entry after a line feed.
QString ImageFilterListText(const QStringList& filterList);
