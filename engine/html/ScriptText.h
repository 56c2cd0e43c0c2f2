#pragma once

#include <QtGlobal>

namespace engine::script_text {

// The end of a SCRIPT's text as the tokenizer reads it. Text in a "<!--"
// escape goes on over an end tag that follows a "<script" start tag in it,
// up to the escape's "-->": such text may swallow the end tag written after
// it. Works on bytes and on UTF-16 text alike.

template <class Char> bool isTagSpace(Char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

// Whether an end tag (or, with `open`, a start tag) of SCRIPT stands at `f`,
// its name followed by space, '/' or '>'.
template <class Char> bool scriptTagAt(const Char* s, qsizetype f, qsizetype n, bool open)
{
    const qsizetype name = f + (open ? 1 : 2);
    if (name + 6 > n || s[f] != '<' || (!open && s[f + 1] != '/'))
        return false;
    for (int i = 0; i < 6; ++i) {
        const Char c = s[name + i];
        if ((c >= 'A' && c <= 'Z' ? Char(c + 32) : c) != Char("script"[i]))
            return false;
    }
    return name + 6 == n || isTagSpace(s[name + 6]) || s[name + 6] == '/' || s[name + 6] == '>';
}

// Where the text that starts at `from` ends: the '<' of the end tag that
// closes it, or n.
template <class Char> qsizetype scriptTextEnd(const Char* s, qsizetype from, qsizetype n)
{
    enum { Data, Escaped, DoubleEscaped } state = Data;
    int dashes = 0;
    for (qsizetype k = from; k < n; ++k) {
        const Char c = s[k];
        if (state != Data) {
            if (c == '-') {
                ++dashes;
                continue;
            }
            const bool closes = c == '>' && dashes >= 2;
            dashes = 0;
            if (closes) {
                state = Data;
                continue;
            }
        }
        if (c != '<')
            continue;
        switch (state) {
        case Data:
            if (scriptTagAt(s, k, n, false))
                return k;
            if (k + 3 < n && s[k + 1] == '!' && s[k + 2] == '-' && s[k + 3] == '-') {
                state = Escaped;
                dashes = 2;
                k += 3;
            }
            break;
        case Escaped:
            if (scriptTagAt(s, k, n, false))
                return k;
            if (scriptTagAt(s, k, n, true)) {
                state = DoubleEscaped;
                k += 6;
            }
            break;
        case DoubleEscaped:
            if (scriptTagAt(s, k, n, false)) {
                state = Escaped;
                k += 7;
            }
            break;
        }
    }
    return n;
}

} // namespace engine::script_text
