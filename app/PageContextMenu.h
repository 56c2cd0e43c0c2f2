#pragma once

#include <QList>
#include <QString>

// The context menu of a page: its entries for the tag of the element under
// the mouse and the page's selection-kind mask. The page background's menu
// starts from menu 205; every other starts with the clipboard entries.

struct PageMenuEntry
{
    int id = 0; // 0: a separator
    QString text;
    bool isSeparator() const { return id == 0; }
};

// The entries, in order. `onBody`: the mouse is on the page's BODY;
// `frameset`: the page window shows a frameset page; `flowTextRange`: text
// (not just a caret) is selected in the page's flowing text.
QList<PageMenuEntry> BuildPageContextMenu(const QString& tag, quint32 mask, bool onBody, bool frameset,
                                          bool flowTextRange = false);
