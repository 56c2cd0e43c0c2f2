#pragma once

#include <QString>

// The markup of another provider's counter that the user pastes into the
// counter dialog: one IMG tag (an image counter) or EMBED tag (a Flash
// counter). Check() tells which, or which message refuses it.
struct CounterMarkup
{
    // Longer markup is more than a counter's tag.
    static constexpr qsizetype kMaxLength = 32767;

    // The markup as the dialog keeps it: a closing "</EMBED>" (any case) is
    // taken out, once, where it stands.
    QString markup;
    // 0 an image counter, 1 a Flash counter; -1 when refused.
    int kind = -1;
    // The string id of the message that refuses it; 0 when accepted.
    unsigned int messageId = 0;

    // "IMG" anywhere makes an image counter, else "EMBED" a Flash counter;
    // either needs the tag's brackets. Markup with a SCRIPT element is no
    // counter's tag.
    static CounterMarkup Check(const QString& markup);
};
