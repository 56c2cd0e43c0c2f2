#pragma once

#include <QString>

class FrameSetHost;

// The frameset page text. A frameset page is not saved by the editing engine:
// its text is generated from the frame tree, a fixed head followed by the
// FRAMESET markup, every line ending in CR LF and no line end after the last.
//
// Modes of the writer, for each FRAME before its tag is written:
//   0: the pane page becomes the active view and is saved (asking for a name
//      when it has none);
//   1: as 0, but only a page without a path or without an .htm/.html name is saved;
//   2: nothing is saved;
//   3: the preview: the FRAME's src is "VornaPreview~<n>.html", n counting up
//      from the child frame's preview counter.
enum FramesetWriteMode {
    FramesetSaveFrames = 0,
    FramesetSaveUnsavedFrames = 1,
    FramesetTextOnly = 2,
    FramesetPreview = 3,
};

// Replaces `out` by the whole page text of the child frame's frameset page
// (the active child frame when none is given). Leaves it alone when the child
// frame has no tree or no frameset view. Marks the frameset page modified when
// a pane page is modified.
void BuildFramesetPageHtml(QString& out, int mode, FrameSetHost* host = nullptr);

// The rule for a FRAME's src: the two forms "file:///" and "FILE:///" become
// "/", "\" becomes "/" and "%20" a blank; a path inside the base folder (the
// base followed by "/" at its start; "/" or "\" separators, empty for none)
// becomes relative to it. Paths compare exactly.
QString MakeFrameSrc(const QString& value, const QString& baseFolder);

// The base folder for the src values of a frameset page: the open web's folder
// when the page is one of the web's pages, else the folder of its path.
QString FrameSrcBaseFolder(const QString& displayName, const QString& framesetPath);

// An attribute value as the writer writes it: bare when it is plain, else in
// double quotes with &, ", < and > escaped.
QString FramesetAttributeValue(const QString& value);
