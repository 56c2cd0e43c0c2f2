#include "source/HtmlNames.h"
#include "source/HtmlSourceColoring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace {

// The names as a list to compare the program's tables with.
const char* const kAllTagsText =
    "!DOCTYPE, A, ABBR, ACRONYM, ADDRESS, APPLET, AREA, B, BASE, BASEFONT, BGSOUND, BDO, BIG, BLINK, "
    "BLOCKQUOTE, BODY, BR, BUTTON, CAPTION, CENTER, CITE, CODE, COL, COLGROUP, COMMENT, DD, DEL, "
    "DFN, DIR, DIV, DL, DT, EM, EMBED, FIELDSET, FONT, FORM, FRAME, FRAMESET, H, H1, H2, H3, H4, H5, "
    "H6, HEAD, HR, HTA:APPLICATION, HTML, I, IFRAME, IMG, INPUT, INS, ISINDEX, KBD, LABEL, LEGEND, "
    "LI, LINK, LISTING, MAP, MARQUEE, MENU, META, MULTICOL, NEXTID, NOBR, NOFRAMES, NOSCRIPT, "
    "OBJECT, OL, OPTGROUP, OPTION, P, PARAM, PLAINTEXT, PRE, Q, S, SAMP, SCRIPT, SELECT, SERVER, "
    "SMALL, SOUND, SPACER, SPAN, STRIKE, STRONG, STYLE, SUB, SUP, TABLE, TBODY, TD, TEXTAREA, "
    "TEXTFLOW, TFOOT, TH, THEAD, TITLE, TR, TT, U, UL, VAR, WBR, XMP";

const char* const kAllAttributesText =
    "abbr, accept-charset, accept, accesskey, action, align, alink, alt, applicationname, archive, "
    "autoplay, axis, background, behavior, bgcolor, bgproperties, border, bordercolor, "
    "bordercolordark, bordercolorlight, borderstyle, caption, cellpadding, cellspacing, char, "
    "charoff, charset, checked, cite, class, classid, clear, code, codebase, codetype, color, cols, "
    "colspan, compact, content, coords, data, datetime, declare, defer, dir, direction, disabled, "
    "dynsrc, enctype, face, for, frame, frameborder, framespacing, gutter, headers, height, href, "
    "hreflang, hspace, http-equiv, icon, id, ismap, label, language, leftmargin, link, longdesc, "
    "loop, lowsrc, marginheight, marginwidth, maximizebutton, maxlength, media, method, methods, "
    "minimizebutton, multiple, name, nohref, noresize, noshade, nowrap, object, onabort, onblur, "
    "onchange, onclick, ondblclick, onerror, onfocus, onkeydown, onkeypress, onkeyup, onload, "
    "onmousedown, onmousemove, onmouseout, onmouseover, onmouseup, onreset, onselect, onsubmit, "
    "onunload, profile, prompt, readonly, rel, rev, rows, rowspan, rules, runat, scheme, scope, "
    "scrollamount, scrolldelay, scrolling, selected, shape, showintaskbar, singleinstance, size, "
    "span, src, standby, start, style, summary, sysmenu, tabindex, target, text, title, topmargin, "
    "type, urn, usemap, valign, value, valuetype, version, vlink, vrml, vspace, width, windowstate, "
    "wrap";

std::vector<std::string> splitNames(const char* text)
{
    std::vector<std::string> names;
    std::string rest(text);
    for (size_t comma; (comma = rest.find(", ")) != std::string::npos; rest.erase(0, comma + 2))
        names.push_back(rest.substr(0, comma));
    names.push_back(rest);
    return names;
}

const std::vector<std::string> kAllTags = splitNames(kAllTagsText);
const std::vector<std::string> kAllAttributes = splitNames(kAllAttributesText);

std::string toLowerAscii(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string toUpperAscii(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

TEST(HtmlNames, EveryTagMatchesInAnyCaseAndWhole)
{
    EXPECT_EQ(kAllTags.size(), 110u);
    for (const std::string& tag : kAllTags) {
        const std::string lower = toLowerAscii(tag);
        EXPECT_TRUE(IsHtmlTagName(tag.c_str(), static_cast<int>(tag.size()))) << tag;
        EXPECT_TRUE(IsHtmlTagName(lower.c_str(), static_cast<int>(lower.size()))) << tag;
        const std::string longer = lower + "x";
        EXPECT_FALSE(IsHtmlTagName(longer.c_str(), static_cast<int>(longer.size()))) << tag;
    }
    EXPECT_FALSE(IsHtmlTagName("TABLES", 6));
    EXPECT_TRUE(IsHtmlTagName("TABLES", 5)); // only the first n bytes count
    EXPECT_FALSE(IsHtmlTagName("", 0));
}

TEST(HtmlNames, EveryAttributeMatchesInAnyCaseAndWhole)
{
    EXPECT_EQ(kAllAttributes.size(), 151u);
    for (const std::string& attribute : kAllAttributes) {
        const std::string upper = toUpperAscii(attribute);
        EXPECT_TRUE(IsHtmlAttributeName(upper.c_str(), static_cast<int>(upper.size()))) << attribute;
        const std::string shorter = attribute.substr(0, attribute.size() - 1);
        if (std::find(kAllAttributes.begin(), kAllAttributes.end(), shorter) == kAllAttributes.end()) {
            EXPECT_FALSE(IsHtmlAttributeName(shorter.c_str(), static_cast<int>(shorter.size()))) << attribute;
        }
    }
    EXPECT_FALSE(IsHtmlAttributeName("colour", 6));
}

// Colour of every byte of a line, as a string of digits.
std::string colorsOf(const std::string& line, LineState& state)
{
    std::vector<ColorRun> runs(line.size() + 1);
    int count = 0;
    state = ParseHtmlLineColors(state, line.data(), static_cast<int>(line.size()), runs.data(), count);
    std::string colors(line.size(), '2');
    for (int r = 0; r < count; ++r) {
        const int end = r + 1 < count ? runs[r + 1].pos : static_cast<int>(line.size());
        EXPECT_TRUE(r == 0 || runs[r].pos > runs[r - 1].pos);
        for (int i = runs[r].pos; i < end; ++i)
            colors[i] = static_cast<char>('0' + runs[r].color);
    }
    return colors;
}

struct ColorCase
{
    const char* name;
    LineState stateIn;
    std::string line;
    std::string colors;
    LineState stateOut;
};

// Test names in CTest show the case's name.
void PrintTo(const ColorCase& c, std::ostream* os)
{
    *os << c.name;
}

class HtmlColoringTest : public ::testing::TestWithParam<ColorCase>
{
};

TEST_P(HtmlColoringTest, ColoursLine)
{
    const ColorCase& c = GetParam();
    LineState state = c.stateIn;
    EXPECT_EQ(colorsOf(c.line, state), c.colors) << c.line;
    EXPECT_EQ(state, c.stateOut);
    // Without a run buffer the state comes out the same.
    int count = -1;
    EXPECT_EQ(ParseHtmlLineColors(c.stateIn, c.line.data(), static_cast<int>(c.line.size()), nullptr, count),
              c.stateOut);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, HtmlColoringTest,
    ::testing::Values(
        //                                      line                          colours
        ColorCase{"QuotedValue", 0, R"(<a href="x.html">)", "66677776888888886", 0},
        ColorCase{"UnquotedValue", 0, "<td width=100>", "66667777768886", 0},
        ColorCase{"ClosingTag", 0, "</td>", "66666", 0}, ColorCase{"SlashElsewhere", 0, "<br />", "666626", 0},
        ColorCase{"UnknownTagStaysNormal", 0, "<foo>", "62226", 0},
        ColorCase{"TagNameNotRightAfterBracket", 0, "< b>", "6226", 0},
        ColorCase{"CommentSpansLines", 0, "x <!-- <b>", "2299999999", 0x080},
        ColorCase{"CommentEndsTagState", 0x081, "c --> <b>", "999992666", 0},
        ColorCase{"OpenDoubleQuoteCarries", 0, R"(<a title="one)", "6667777768888", 0x043},
        ColorCase{"ValueContinuesOnNextLine", 0x043, R"(two" alt='x'>)", "8888277768886", 0},
        ColorCase{"HyphenatedNameIsWhole", 0, "<meta http-equiv=x>", "6666667777777777686", 0},
        ColorCase{"DataAttributeAndValueAreWhole", 0, "<b data-url_root=../a_b-c.html>",
                  "6667777777777777688888888888886", 0},
        ColorCase{"ValueRunsToBlank", 0, "<p class=kettle-timer id=a/b>", "66677777688888888888887768886", 0},
        ColorCase{"NameEndsAtSlash", 0, "<br clear/>", "66667777726", 0},
        ColorCase{"UnknownNameStaysNormal", 0, "<b x-y=1>", "666222226", 0},
        ColorCase{"AttributeOnContinuationLine", 0x003, " border=0>", "2777777686", 0},
        ColorCase{"EmptyLineClearsTagNamed", 0x003, "", "", 0x001}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HtmlColoring, TagStateCarriesAcrossLines)
{
    LineState state = 0;
    EXPECT_EQ(colorsOf("<img", state), "6666");
    EXPECT_EQ(state, static_cast<LineState>(HtmlStateInTag | HtmlStateTagNamed));
    EXPECT_EQ(colorsOf("  src=a.gif>", state), "227776888886");
    EXPECT_EQ(state, 0u);
}

TEST(HtmlColoring, EveryTagAndAttributeIsColouredInPlace)
{
    for (const std::string& name : kAllTags) {
        if (name[0] == '!')
            continue; // "!" cannot begin a name, so these never match
        const std::string line = "<" + toLowerAscii(name) + ">";
        LineState state = 0;
        EXPECT_EQ(colorsOf(line, state), std::string(line.size(), '6')) << line;
    }
    for (const std::string& name : kAllAttributes) {
        const std::string line = "<hr " + toUpperAscii(name) + "=1>";
        LineState state = 0;
        const std::string colors = colorsOf(line, state);
        EXPECT_EQ(colors, "6666" + std::string(name.size(), '7') + "686") << line;
    }
}

} // namespace
