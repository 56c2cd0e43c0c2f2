#include "source/HtmlNames.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string_view>

namespace {

// Sorted by byte value, for a binary search.
const char* const kHtmlTagNames[] = {
    "!DOCTYPE",   "A",      "ABBR",     "ACRONYM",  "ADDRESS", "APPLET",  "AREA",
    "B",          "BASE",   "BASEFONT", "BDO",      "BGSOUND", "BIG",     "BLINK",
    "BLOCKQUOTE", "BODY",   "BR",       "BUTTON",   "CAPTION", "CENTER",  "CITE",
    "CODE",       "COL",    "COLGROUP", "COMMENT",  "DD",      "DEL",     "DFN",
    "DIR",        "DIV",    "DL",       "DT",       "EM",      "EMBED",   "FIELDSET",
    "FONT",       "FORM",   "FRAME",    "FRAMESET", "H",       "H1",      "H2",
    "H3",         "H4",     "H5",       "H6",       "HEAD",    "HR",      "HTA:APPLICATION",
    "HTML",       "I",      "IFRAME",   "IMG",      "INPUT",   "INS",     "ISINDEX",
    "KBD",        "LABEL",  "LEGEND",   "LI",       "LINK",    "LISTING", "MAP",
    "MARQUEE",    "MENU",   "META",     "MULTICOL", "NEXTID",  "NOBR",    "NOFRAMES",
    "NOSCRIPT",   "OBJECT", "OL",       "OPTGROUP", "OPTION",  "P",       "PARAM",
    "PLAINTEXT",  "PRE",    "Q",        "S",        "SAMP",    "SCRIPT",  "SELECT",
    "SERVER",     "SMALL",  "SOUND",    "SPACER",   "SPAN",    "STRIKE",  "STRONG",
    "STYLE",      "SUB",    "SUP",      "TABLE",    "TBODY",   "TD",      "TEXTAREA",
    "TEXTFLOW",   "TFOOT",  "TH",       "THEAD",    "TITLE",   "TR",      "TT",
    "U",          "UL",     "VAR",      "WBR",      "XMP",
};

const char* const kHtmlAttributeNames[] = {
    "abbr",
    "accept",
    "accept-charset",
    "accesskey",
    "action",
    "align",
    "alink",
    "alt",
    "applicationname",
    "archive",
    "autoplay",
    "axis",
    "background",
    "behavior",
    "bgcolor",
    "bgproperties",
    "border",
    "bordercolor",
    "bordercolordark",
    "bordercolorlight",
    "borderstyle",
    "caption",
    "cellpadding",
    "cellspacing",
    "char",
    "charoff",
    "charset",
    "checked",
    "cite",
    "class",
    "classid",
    "clear",
    "code",
    "codebase",
    "codetype",
    "color",
    "cols",
    "colspan",
    "compact",
    "content",
    "coords",
    "data",
    "datetime",
    "declare",
    "defer",
    "dir",
    "direction",
    "disabled",
    "dynsrc",
    "enctype",
    "face",
    "for",
    "frame",
    "frameborder",
    "framespacing",
    "gutter",
    "headers",
    "height",
    "href",
    "hreflang",
    "hspace",
    "http-equiv",
    "icon",
    "id",
    "ismap",
    "label",
    "language",
    "leftmargin",
    "link",
    "longdesc",
    "loop",
    "lowsrc",
    "marginheight",
    "marginwidth",
    "maximizebutton",
    "maxlength",
    "media",
    "method",
    "methods",
    "minimizebutton",
    "multiple",
    "name",
    "nohref",
    "noresize",
    "noshade",
    "nowrap",
    "object",
    "onabort",
    "onblur",
    "onchange",
    "onclick",
    "ondblclick",
    "onerror",
    "onfocus",
    "onkeydown",
    "onkeypress",
    "onkeyup",
    "onload",
    "onmousedown",
    "onmousemove",
    "onmouseout",
    "onmouseover",
    "onmouseup",
    "onreset",
    "onselect",
    "onsubmit",
    "onunload",
    "profile",
    "prompt",
    "readonly",
    "rel",
    "rev",
    "rows",
    "rowspan",
    "rules",
    "runat",
    "scheme",
    "scope",
    "scrollamount",
    "scrolldelay",
    "scrolling",
    "selected",
    "shape",
    "showintaskbar",
    "singleinstance",
    "size",
    "span",
    "src",
    "standby",
    "start",
    "style",
    "summary",
    "sysmenu",
    "tabindex",
    "target",
    "text",
    "title",
    "topmargin",
    "type",
    "urn",
    "usemap",
    "valign",
    "value",
    "valuetype",
    "version",
    "vlink",
    "vrml",
    "vspace",
    "width",
    "windowstate",
    "wrap",
};

bool findHtmlName(const char* const* begin, const char* const* end, const char* text, int n, bool upper)
{
    if (!text || n <= 0 || n > 32)
        return false;
    char word[32];
    for (int i = 0; i < n; ++i) {
        const char c = text[i];
        if (upper)
            word[i] = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        else
            word[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    const std::string_view key(word, static_cast<size_t>(n));
    const auto it = std::lower_bound(begin, end, key,
                                     [](const char* entry, std::string_view k) { return std::string_view(entry) < k; });
    return it != end && std::string_view(*it) == key;
}

} // namespace

bool IsHtmlTagName(const char* text, int n)
{
    return findHtmlName(std::begin(kHtmlTagNames), std::end(kHtmlTagNames), text, n, true);
}

bool IsHtmlAttributeName(const char* text, int n)
{
    return findHtmlName(std::begin(kHtmlAttributeNames), std::end(kHtmlAttributeNames), text, n, false);
}
