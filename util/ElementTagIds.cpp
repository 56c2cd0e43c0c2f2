#include "util/ElementTagIds.h"

#include <array>

namespace elementtagids_detail {

// Indexed by identifier; an empty entry names no element.
constexpr std::array<const char*, TAGID_COUNT> kTagNames = {
    "",         "",         "A",       "ACRONYM",   "ADDRESS", "APPLET",     "AREA",     "B",      "BASE",
    "BASEFONT", "BDO",      "BGSOUND", "BIG",       "BLINK",   "BLOCKQUOTE", "BODY",     "BR",     "BUTTON",
    "CAPTION",  "CENTER",   "CITE",    "CODE",      "COL",     "COLGROUP",   "COMMENT",  "",       "DD",
    "DEL",      "DFN",      "DIR",     "DIV",       "DL",      "DT",         "EM",       "EMBED",  "FIELDSET",
    "FONT",     "FORM",     "FRAME",   "FRAMESET",  "",        "H1",         "H2",       "H3",     "H4",
    "H5",       "H6",       "HEAD",    "HR",        "HTML",    "I",          "IFRAME",   "IMG",    "INPUT",
    "INS",      "KBD",      "LABEL",   "LEGEND",    "LI",      "LINK",       "LISTING",  "MAP",    "MARQUEE",
    "MENU",     "META",     "NEXTID",  "NOBR",      "NOEMBED", "NOFRAMES",   "NOSCRIPT", "OBJECT", "OL",
    "OPTION",   "P",        "PARAM",   "PLAINTEXT", "PRE",     "Q",          "RP",       "RT",     "RUBY",
    "S",        "SAMP",     "SCRIPT",  "SELECT",    "SMALL",   "SPAN",       "STRIKE",   "STRONG", "STYLE",
    "SUB",      "SUP",      "TABLE",   "TBODY",     "TC",      "TD",         "TEXTAREA", "TFOOT",  "TH",
    "THEAD",    "TITLE",    "TR",      "TT",        "U",       "UL",         "VAR",      "WBR",    "XMP",
    "",         "OPTGROUP",
};

} // namespace elementtagids_detail

QString TagNameFromId(int tagId)
{
    if (tagId < 0 || tagId >= TAGID_COUNT)
        return {};
    return QString::fromLatin1(elementtagids_detail::kTagNames[size_t(tagId)]);
}
