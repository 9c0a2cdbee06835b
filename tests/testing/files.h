#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace testing_support {

// A fresh folder under the system's temporary folder, removed with all its contents
// when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    [[nodiscard]] const std::string& path() const { return m_path; }
    // path()/name
    [[nodiscard]] std::string operator/(std::string_view name) const { return m_path + "/" + std::string(name); }

private:
    std::string m_path;
};

// Writes a file (creating its folders); fails the test when it cannot.
void writeFile(const std::string& path, std::string_view contents);
// The whole file; empty when it cannot be read.
[[nodiscard]] std::string readFile(const std::string& path);

// Everything below a folder, in name order: a folder as "relative/", a file as
// "relative=contents". Lets a test compare a whole tree on disk with one expected list.
[[nodiscard]] std::vector<std::string> treeOf(const std::string& folder);

// The bytes the program writes for a link.
[[nodiscard]] std::string shortcutBytes(std::string_view target);

// Writes <folder>/<name>.url holding the target, creating the folders on the way.
void writeLink(const std::string& folder, std::string_view name, std::string_view target);

// (name, URL) pairs, in order.
using BookmarkLinks = std::vector<std::pair<std::string, std::string>>;

// A bookmark file as a browser writes it: one anchor line per link inside the root list.
[[nodiscard]] std::string bookmarkFileText(const BookmarkLinks& links);

// Writes a registry file whose current user keeps Internet Explorer's Favorites in the folder.
void writeFavoritesRegistry(const std::string& registryFile, const std::string& favoritesFolder);

}  // namespace testing_support
