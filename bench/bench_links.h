#pragma once

#include <string>

// The links every benchmark makes: link N's name and address, and a bookmark file of them as
// a browser writes it.

[[nodiscard]] inline std::string urlOf(int link) {
    return "https://www.example.org/articles/" + std::to_string(link) + "/page.html";
}

[[nodiscard]] inline std::string nameOf(int link) { return "Article " + std::to_string(link) + " on the example site"; }

// Folders of twenty links, each anchor with its dates and icon.
[[nodiscard]] inline std::string bookmarkFileText(int links) {
    std::string text = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n<DL><p>\n";
    for (int link = 0; link < links; ++link) {
        if (link % 20 == 0) {
            text += (link == 0 ? "" : "    </DL><p>\n") + std::string("    <DT><H3 ADD_DATE=\"1113502144\">Folder ") +
                    std::to_string(link / 20) + "</H3>\n    <DL><p>\n";
        }
        text += "        <DT><A HREF=\"" + urlOf(link) +
                "\" ADD_DATE=\"1113502144\" LAST_MODIFIED=\"1113502155\" ICON_URI=\"https://www.example.org/"
                "favicon.ico\">" +
                nameOf(link) + "</A>\n";
    }
    return text + "    </DL><p>\n</DL><p>\n";
}
