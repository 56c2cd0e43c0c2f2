#include "source/HtmlSourceColoring.h"

#include "source/HtmlNames.h"

namespace {

constexpr LineState kHtmlStateMask = 0x1FFF;
constexpr LineState kHtmlStateInValue = HtmlStateValue | HtmlStateSingleQuote | HtmlStateDoubleQuote;

// Collects the runs of one line. A run before the last one is dropped; a run
// at the last one's position replaces it.
class HtmlRunSink
{
public:
    HtmlRunSink(ColorRun* runs, int& count) : m_runs(runs), m_count(count) { m_count = 0; }

    void Add(int pos, int color)
    {
        if (!m_runs)
            return;
        if (m_count > 0) {
            ColorRun& last = m_runs[m_count - 1];
            if (pos < last.pos)
                return;
            if (pos == last.pos) {
                last.color = color;
                return;
            }
        }
        m_runs[m_count++] = ColorRun{pos, color};
    }

private:
    ColorRun* m_runs;
    int& m_count;
};

bool isHtmlWordByte(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c >= 0x80;
}

bool isHtmlSpace(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

// Where a word inside a tag ends, as HTML reads tags: a name (of the tag or
// of an attribute) at white space, "/", ">" or "=", so "http-equiv" and
// "data-url_root" are one name each; an unquoted value at white space or ">".
bool endsTagWord(unsigned char c, bool value)
{
    return isHtmlSpace(c) || c == '>' || (!value && (c == '/' || c == '='));
}

// An attribute name the view colours: a known one, or a custom data
// attribute ("data-" and a name), which every element may carry.
bool isColouredAttributeName(const char* text, int n)
{
    if (IsHtmlAttributeName(text, n))
        return true;
    if (n <= 5)
        return false;
    for (int i = 0; i < 4; ++i) {
        if ((text[i] | 0x20) != "data"[i])
            return false;
    }
    return text[4] == '-';
}

} // namespace

LineState ParseHtmlLineColors(LineState state, const char* text, int length, ColorRun* runs, int& count)
{
    HtmlRunSink sink(runs, count);
    if (length <= 0 || !text)
        return state & ~static_cast<LineState>(HtmlStateTagNamed);

    bool redefineBlock = true;
    bool stepBack = false;
    int wordStart = -1;
    bool valueWord = false; // the word was begun where a value was expected
    int tagOpen = -1;

    // A word that ends inside a tag: a tag name right after "<" or "</", else
    // an attribute name, else (when a value is expected and the word may
    // close it) an unquoted value.
    auto finishWord = [&](int end, bool valueMayEnd) {
        const int n = end - wordStart;
        if (valueWord) {
            if (valueMayEnd && (state & HtmlStateValue)) {
                sink.Add(wordStart, COLORINDEX_VALUE);
                redefineBlock = true;
                wordStart = -1;
                state &= ~static_cast<LineState>(HtmlStateValue);
            }
        } else if (!(state & HtmlStateTagNamed) && wordStart == tagOpen + 1 && IsHtmlTagName(text + wordStart, n)) {
            sink.Add(wordStart, COLORINDEX_TAG);
            redefineBlock = true;
            state |= HtmlStateTagNamed;
            wordStart = -1;
        } else if (isColouredAttributeName(text + wordStart, n)) {
            sink.Add(wordStart, COLORINDEX_ATTRIBUTE);
            redefineBlock = true;
            stepBack = true;
            state |= HtmlStateAttribute;
            wordStart = -1;
        }
    };
    // A delimiter that gets a run of its own ends any step back.
    auto addDelimiter = [&](int pos, int color) {
        sink.Add(pos, color);
        redefineBlock = true;
        stepBack = false;
    };

    for (int i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (redefineBlock) {
            const int pos = stepBack ? i - 1 : i;
            if (state & kHtmlStateInValue) {
                sink.Add(pos, COLORINDEX_VALUE);
            } else if (state & HtmlStateComment) {
                sink.Add(pos, COLORINDEX_COMMENT);
            } else {
                sink.Add(pos, COLORINDEX_NORMALTEXT);
                wordStart = -1;
            }
            redefineBlock = false;
            stepBack = false;
        }

        if (state & HtmlStateSingleQuote) {
            if (c == '\'') {
                state &= ~static_cast<LineState>(HtmlStateSingleQuote);
                redefineBlock = true;
            }
            continue;
        }
        if (state & HtmlStateDoubleQuote) {
            if (c == '"') {
                state &= ~static_cast<LineState>(HtmlStateDoubleQuote);
                redefineBlock = true;
            }
            continue;
        }
        if (state & HtmlStateComment) {
            if (i > 1 && text[i - 2] == '-' && text[i - 1] == '-' && c == '>') {
                state &= ~static_cast<LineState>(HtmlStateComment | HtmlStateInTag);
                redefineBlock = true;
            }
            continue;
        }

        // A quote opens a value only where the value begins.
        if (c == '"' && (state & HtmlStateValue) && wordStart < 0) {
            sink.Add(i, COLORINDEX_VALUE);
            state = (state & ~static_cast<LineState>(HtmlStateValue)) | HtmlStateDoubleQuote;
            continue;
        }
        if (c == '\'' && (state & HtmlStateValue) && wordStart < 0) {
            sink.Add(i, COLORINDEX_VALUE);
            state = (state & ~static_cast<LineState>(HtmlStateValue)) | HtmlStateSingleQuote;
            continue;
        }
        if (i >= 3 && c == '-' && text[i - 1] == '-' && text[i - 2] == '!' && text[i - 3] == '<') {
            sink.Add(i - 3, COLORINDEX_COMMENT);
            state |= HtmlStateComment;
            continue;
        }

        if (state & HtmlStateInTag) {
            // Where a value is expected, anything but white space and ">"
            // begins it ("#fff", "../a.html"); a name begins with a letter
            // or digit.
            const bool begins = (state & HtmlStateValue) ? !endsTagWord(c, true) : isHtmlWordByte(c);
            if (wordStart >= 0 ? !endsTagWord(c, valueWord) : begins) {
                if (wordStart < 0) {
                    wordStart = i;
                    valueWord = (state & HtmlStateValue) != 0;
                }
                continue;
            }
        } else if (isHtmlWordByte(c)) {
            if (wordStart < 0) {
                wordStart = i;
                valueWord = false;
            }
            continue;
        }

        // A delimiter ends the word: inside a tag it may be a name or a value.
        if (wordStart >= 0 && (state & HtmlStateInTag))
            finishWord(i, c != '=');
        wordStart = -1;

        if (c == '<') {
            if (i + 3 < length && text[i + 1] == '!' && text[i + 2] == '-' && text[i + 3] == '-')
                continue; // a comment begins; it is coloured from its last dash
            if (!(state & HtmlStateInTag)) {
                state |= HtmlStateInTag;
                addDelimiter(i, COLORINDEX_TAG);
                tagOpen = i;
            }
            continue;
        }
        if (c == '>' && (state & (HtmlStateInTag | HtmlStateAttribute | HtmlStateValue))) {
            state &= ~static_cast<LineState>(HtmlStateInTag | HtmlStateTagNamed | HtmlStateAttribute | HtmlStateValue);
            addDelimiter(i, COLORINDEX_TAG);
            tagOpen = -1;
            continue;
        }
        if (c == '=') {
            if ((state & HtmlStateInTag) && (state & HtmlStateAttribute)) {
                state = (state & ~static_cast<LineState>(HtmlStateAttribute)) | HtmlStateValue;
                addDelimiter(i, COLORINDEX_TAG);
            } else if (state & HtmlStateValue) {
                addDelimiter(i, COLORINDEX_TAG);
            }
        } else if (c == '/' && (state & HtmlStateInTag)) {
            if (i == tagOpen + 1) {
                addDelimiter(i, COLORINDEX_TAG);
                tagOpen = i;
            } else {
                addDelimiter(i, COLORINDEX_NORMALTEXT);
            }
        }
    }

    if (wordStart >= 0 && (state & HtmlStateInTag))
        finishWord(length, false);

    return state & kHtmlStateMask;
}
