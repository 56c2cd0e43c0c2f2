#pragma once

#include "platform/WindowMessage.h"

#include <QImage>
#include <QMetaType>

#include <atomic>
#include <memory>

// The messages a thumbnail loader posts to its list. Each carries the
// loader's generation in lParam and the item in wParam; the list drops every
// message of another generation than its own.
inline constexpr uint WM_THUMB_ADDBITMAP = platform::WM_USER + 151; // a tile for the item
inline constexpr uint WM_THUMB_SETSTATE = platform::WM_USER + 156;  // the item's new state

// What a message carries besides its numbers. `pending` counts the loader's
// messages not handled yet, so that it never runs far ahead of the list.
struct ThumbMessage
{
    QImage tile;
    qint64 value = 0;
    std::shared_ptr<std::atomic<int>> pending;
};
Q_DECLARE_METATYPE(ThumbMessage)
