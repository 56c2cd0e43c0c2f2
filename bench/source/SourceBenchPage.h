#pragma once

// A page of about the given size in bytes, as the source view shows it:
// tables, links, images, comments and Japanese text, CR LF line ends.

#include <string>

inline std::string makeSourcePage(size_t size)
{
    std::string page = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<html>\r\n<head>\r\n"
                       "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n"
                       "<title>Benchmark</title>\r\n</head>\r\n<body bgcolor=\"#ffffff\" text=#000000>\r\n";
    int row = 0;
    while (page.size() < size) {
        page += "<!-- row " + std::to_string(row) + " -->\r\n";
        page += "<table border=0 cellpadding=\"2\" cellspacing='0' width=\"100%\">\r\n";
        page += "  <tr><td align=center valign=\"top\"><a href=\"page" + std::to_string(row) +
                ".html\" target=_blank>\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e link</a></td>\r\n";
        page += "  <td><img src=\"image/photo.gif\" width=120 height=90 alt=\"a photo\" border=\"0\"></td></tr>\r\n";
        page += "</table>\r\n<p style=\"position:absolute; left:10px; top:20px\">Some text &amp; more text</p>\r\n";
        ++row;
    }
    page += "</body>\r\n</html>\r\n";
    return page;
}
