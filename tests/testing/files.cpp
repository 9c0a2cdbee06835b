#include "testing/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace testing_support {

TempFolder::TempFolder() : m_path((std::filesystem::temp_directory_path() / "dorvane-test-XXXXXX").string()) {
    EXPECT_NE(mkdtemp(m_path.data()), nullptr) << "cannot create a temporary folder";
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

void writeFile(const std::string& path, std::string_view contents) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    ASSERT_TRUE(out) << "cannot write " << path;
    out << contents;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::string> treeOf(const std::string& folder) {
    std::vector<std::string> entries;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string relative = std::filesystem::relative(entry.path(), folder).string();
        entries.push_back(entry.is_directory() ? relative + "/" : relative + "=" + readFile(entry.path().string()));
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::string shortcutBytes(std::string_view target) {
    return "[InternetShortcut]\r\nURL=" + std::string(target) + "\r\n";
}

void writeLink(const std::string& folder, std::string_view name, std::string_view target) {
    writeFile(folder + "/" + std::string(name) + ".url", shortcutBytes(target));
}

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
