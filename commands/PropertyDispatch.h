#pragma once

#include <QtGlobal>

// Which properties command fits the selection, from the selection-kind mask
// of the page view (CZQView::m_dwSelKind), for 設定 > プロパティ and the link
// item after it.

// The properties command of the selection, tested in this order: a counter
// (33143), an image (33141), a rule (33343), a marquee (33146); 0 for none.
int ObjectPropertiesCommand(quint32 mask);
// The string that names the menu item for the selection: the counter's,
// the image's, the rule's or the marquee's properties, else the plain
// "properties".
unsigned ObjectPropertiesTextId(quint32 mask);

// The command of the link the selection carries: a plain link (33135), a
// bulletin board link (33403), a guest-book link (33405); 0 for none.
int LinkObjectPropertiesCommand(quint32 mask);
// The string that names the link item; 0 without a link.
unsigned LinkObjectPropertiesTextId(quint32 mask);
