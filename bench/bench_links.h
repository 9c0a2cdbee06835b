#pragma once

#include <nlohmann/json.hpp>
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

// A Chromium "Bookmarks" file of N links, in folders of twenty in "Other bookmarks", each node
// with the keys the browser writes, laid out as the browser lays it out.
[[nodiscard]] inline std::string chromiumBookmarksText(int links) {
    using Json = nlohmann::ordered_json;
    Json folders = Json::array();
    for (int link = 0; link < links; ++link) {
        const std::string id = std::to_string(10 + links + link);
        if (link % 20 == 0) {
            folders.push_back({{"children", Json::array()},
                               {"id", std::to_string(10 + link / 20)},
                               {"name", "Folder " + std::to_string(link / 20)},
                               {"type", "folder"}});
        }
        folders.back()["children"].push_back(
            {{"date_added", "13441082812353348"},
             {"date_last_used", "0"},
             {"guid", "4074fb54-3a06-466a-8ca2-" + std::string(12 - id.size(), '0') + id},
             {"id", id},
             {"meta_info", {{"power_bookmark_meta", ""}}},
             {"name", nameOf(link)},
             {"type", "url"},
             {"url", urlOf(link)}});
    }
    const auto rootNode = [](const char* id, Json children) {
        return Json{{"children", std::move(children)}, {"id", id}, {"name", ""}, {"type", "folder"}};
    };
    const Json file{{"checksum", ""},
                    {"roots",
                     {{"bookmark_bar", rootNode("1", Json::array())},
                      {"other", rootNode("2", folders)},
                      {"synced", rootNode("3", Json::array())}}},
                    {"version", 1}};
    return file.dump(3) + "\n";
}
