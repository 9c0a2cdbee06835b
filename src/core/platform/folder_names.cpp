#include "core/platform/folder_names.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/platform/ascii.h"
#include "core/platform/paths.h"

namespace platform {
namespace {

[[nodiscard]] std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

// The listing tells most entries' kind; a link, and a file system that does not say,
// need a look at the entry itself. A link counts as what it points to.
[[nodiscard]] bool isFolderEntry(int dirFd, const dirent& entry) {
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK) {
        return entry.d_type == DT_DIR;
    }
    struct stat info {};
    return ::fstatat(dirFd, entry.d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

FolderNames::FolderNames(std::string_view folder) : m_folder(withoutTrailingSlashes(resolvePath(folder))) {}

FolderNames::~FolderNames() {
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
    }
}

int FolderNames::descriptor() const {
    if (m_descriptor < 0) {
        m_descriptor = ::open(m_folder.empty() ? "." : m_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }
    return m_descriptor;
}

int FolderNames::openFile(std::string_view name, int flags, unsigned mode) const {
    const int folder = descriptor();
    if (folder < 0) {
        return ::open(joinPath(m_folder, name).c_str(), flags, mode);
    }
    return ::openat(folder, std::string(name).c_str(), flags, mode);
}

void FolderNames::listOnce() const {
    if (m_listed) {
        return;
    }
    m_listed = true;
    DIR* dir = ::opendir(m_folder.empty() ? "." : m_folder.c_str());
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name != "." && name != "..") {
            m_entries.emplace(name, isFolderEntry(::dirfd(dir), *entry));
        }
    }
    ::closedir(dir);
    m_entries.reserve(m_entries.size() + m_expected);
}

void FolderNames::expectMore(std::size_t names) {
    m_expected = names;
    if (m_listed) {
        m_entries.reserve(m_entries.size() + names);
    }
}

std::optional<FolderNames::Entry> FolderNames::find(std::string_view wanted) const {
    if (!m_listed) {
        struct stat info {};
        const std::string path = joinPath(m_folder, wanted);
        // a link counts as what it points to; a broken one is listed, as a file
        if (::stat(path.c_str(), &info) == 0) {
            return Entry{wanted, S_ISDIR(info.st_mode)};
        }
        listOnce();
    }
    const auto [first, last] = m_entries.equal_range(wanted);
    std::optional<Entry> best;
    for (auto it = first; it != last; ++it) {
        if (it->first == wanted) {
            return Entry{it->first, it->second};
        }
        // names equal without regard to case are in name order by their bytes
        if (!best || it->first < best->name) {
            best = Entry{it->first, it->second};
        }
    }
    return best;
}

std::string FolderNames::pathOf(std::string_view wanted) const {
    const std::optional<Entry> entry = find(wanted);
    return joinPath(m_folder, entry ? entry->name : wanted);
}

// Before the listing there is nothing to keep: the listing will see what is on the drive.
void FolderNames::added(std::string_view name, bool isFolder) {
    if (m_listed) {
        m_entries.emplace(name, isFolder);
    }
}

void FolderNames::removed(std::string_view name) {
    const auto [first, last] = m_entries.equal_range(name);
    for (auto it = first; it != last; ++it) {
        if (it->first == name) {
            m_entries.erase(it);
            return;
        }
    }
}

}  // namespace platform
