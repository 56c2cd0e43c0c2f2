#pragma once

class CZQView;

namespace engine {
class Document;
}

// Brings a page the engine has just loaded up to date with the program's
// model of it, once per engine document of a view (the view's
// m_bLoadCompleted), inside the engine's load scope: its changes leave no
// undo step. It takes the page's title; a frameset page becomes its child
// frame's frameset view with its frame pages in panes (a page shown in a
// pane stays a page, frameset or not); an ordinary page has the links of a
// web address written as full addresses, gives the view its range of
// z-indexes, finishes its import into the open web, arms a waiting image
// insertion, gets the web's BODY attributes, puts the flowing text of BODY
// into a positioned text box, names its window and keeps its image maps'
// names without "#". What it needs to know of the whole page comes from one
// walk over it; a long page is walked in steps on the event loop, so that
// the window goes on painting and taking input, and is brought up to date
// in the step after the last (a change of the page meanwhile walks it
// again; another page loaded into the view or the view closing drops it).
// 0 when it ran, was begun or had nothing to do; -1 without an engine
// document.
int OnPageLoadComplete(engine::Document* document, CZQView* view);

// The highest and lowest z-index the TABLE, IMG and EMBED elements of the
// page set in their inline style; false (and the values untouched) when none
// sets one.
bool FindZIndexRange(engine::Document* document, int* highest, int* lowest);
