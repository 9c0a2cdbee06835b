#include "testing/browser_files.h"

#include "testing/temp_folder.h"

namespace testing_support {

std::string bookmarkFileText(const BookmarkLinks& links) {
    std::string text = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<TITLE>Bookmarks</TITLE>\n<DL><p>\n";
    for (const auto& [name, url] : links) {
        text += "    <DT><A HREF=\"" + url + "\" ADD_DATE=\"1113502144\">" + name + "</A>\n";
    }
    return text + "</DL><p>\n";
}

void writeFavoritesRegistry(const std::string& registryFile, const std::string& favoritesFolder) {
    writeFile(registryFile,
              "Windows Registry Editor Version 5.00\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]\r\n"
              "\"Favorites\"=\"" +
                  favoritesFolder + "\"\r\n");
}

}  // namespace testing_support
