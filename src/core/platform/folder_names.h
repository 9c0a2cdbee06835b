#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/platform/ascii.h"

namespace platform {

// The names of one folder, listed at most once, and the folder held open, for a step that
// looks up, reads or makes many names in it (an import of 100,000 links into one folder).
// A look-up finds a name as the rest of the program does, without regard to case: the
// exact name first, else the first of the names that match it without regard to case, in
// name order. A name that is there as written is found without a listing; the first one
// that is not has the folder listed, and from then on the step keeps the names current by
// telling which ones it made or removed, so making N files costs one listing, not N.
class FolderNames final {
public:
    struct Entry {
        // as the file system spells it: a view of the wanted name or of the one kept here,
        // valid while both are
        std::string_view name;
        bool isFolder = false;
    };

    // The folder, found without regard to case. A folder that does not exist or cannot be
    // read holds no names.
    explicit FolderNames(std::string_view folder);
    ~FolderNames();
    FolderNames(const FolderNames&) = delete;
    FolderNames& operator=(const FolderNames&) = delete;

    // The folder as the file system spells it, without a trailing '/'.
    [[nodiscard]] const std::string& folder() const { return m_folder; }

    // Opens a file of the folder by its name alone: the folder is held open from the first
    // call that finds it there, so a step that opens many files does not walk the whole path
    // again for each. As open(2): a descriptor, or -1 with errno set.
    [[nodiscard]] int openFile(std::string_view name, int flags, unsigned mode = 0) const;
    // The folder held open, or -1 while it cannot be opened.
    [[nodiscard]] int descriptor() const;

    // The entry that stands for the wanted name, or nothing.
    [[nodiscard]] std::optional<Entry> find(std::string_view wanted) const;

    // The path of the entry that stands for the wanted name; of the name as given when none does.
    [[nodiscard]] std::string pathOf(std::string_view wanted) const;

    // The step will make about this many names: the table of names is made that large at
    // once rather than grown again and again.
    void expectMore(std::size_t names);

    // The step made an entry of a name the folder did not hold in that spelling, or removed one.
    void added(std::string_view name, bool isFolder);
    void removed(std::string_view name);

private:
    void listOnce() const;

    std::string m_folder;
    // each name as spelled, and whether it is a folder; filled by the first look-up that
    // needs the listing
    mutable std::unordered_multimap<std::string, bool, FoldedHash, FoldedEqual> m_entries;
    mutable bool m_listed = false;
    std::size_t m_expected = 0;
    mutable int m_descriptor = -1;
};

}  // namespace platform
