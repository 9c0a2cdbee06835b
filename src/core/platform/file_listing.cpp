#include "core/platform/file_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>

#include "core/platform/ascii.h"
#include "core/platform/paths.h"

namespace platform {
namespace {

// A pattern after the rewrite Windows makes before matching: '?' may also stand for
// nothing in front of a dot or at the end; "*." stops at the last dot of the name; a dot
// in front of a wildcard may also stand for the end of a name without extension.
enum class TokenKind {
    Literal,
    AnyRun,           // '*': any run of characters
    AnyRunToLastDot,  // '*' before '.': any run that does not take the name's last dot
    OneOrNone,        // '?': one character, or nothing at a dot or at the end
    DotOrEnd,         // '.' before a wildcard: a dot, or the end of the name
};

struct Token {
    TokenKind kind = TokenKind::Literal;
    char literal = '\0';
};

[[nodiscard]] std::vector<Token> compilePattern(std::string_view pattern) {
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (c == '?') {
            tokens.push_back({TokenKind::OneOrNone});
        } else if (c == '*') {
            tokens.push_back({next == '.' ? TokenKind::AnyRunToLastDot : TokenKind::AnyRun});
        } else if (c == '.' && (next == '*' || next == '?')) {
            tokens.push_back({TokenKind::DotOrEnd});
        } else {
            tokens.push_back({TokenKind::Literal, c});
        }
    }
    // trailing dots and blanks never take part in a match ("name." finds "name")
    while (!tokens.empty() && tokens.back().kind == TokenKind::Literal &&
           (tokens.back().literal == '.' || tokens.back().literal == ' ')) {
        tokens.pop_back();
    }
    return tokens;
}

class PatternMatcher {
public:
    PatternMatcher(const std::vector<Token>& tokens, std::string_view name)
        : m_tokens(tokens),
          m_name(name),
          m_lastDot(name.rfind('.')),
          m_known((tokens.size() + 1) * (name.size() + 1), kUnknown) {}

    [[nodiscard]] bool matches() { return matchFrom(0, 0); }

private:
    static constexpr signed char kUnknown = -1;

    [[nodiscard]] bool matchFrom(std::size_t token, std::size_t at) {
        signed char& known = m_known[token * (m_name.size() + 1) + at];
        if (known == kUnknown) {
            known = computeFrom(token, at) ? 1 : 0;
        }
        return known == 1;
    }

    [[nodiscard]] bool anyRunFrom(std::size_t token, std::size_t at, std::size_t last) {
        for (std::size_t end = at; end <= last; ++end) {
            if (matchFrom(token + 1, end)) {
                return true;
            }
        }
        return false;
    }

    [[nodiscard]] bool computeFrom(std::size_t token, std::size_t at) {
        const std::size_t size = m_name.size();
        if (token == m_tokens.size()) {
            return at == size;
        }
        const bool atEnd = at == size;
        switch (m_tokens[token].kind) {
            case TokenKind::Literal:
                return !atEnd &&
                       equalsIgnoreCase(m_name.substr(at, 1), std::string_view(&m_tokens[token].literal, 1)) &&
                       matchFrom(token + 1, at + 1);
            case TokenKind::AnyRun:
                return anyRunFrom(token, at, size);
            case TokenKind::AnyRunToLastDot:
                return anyRunFrom(token, at, m_lastDot != std::string_view::npos && m_lastDot >= at ? m_lastDot : size);
            case TokenKind::OneOrNone:
                return matchFrom(token + 1, atEnd || m_name[at] == '.' ? at : at + 1);
            case TokenKind::DotOrEnd:
                return atEnd ? matchFrom(token + 1, at) : m_name[at] == '.' && matchFrom(token + 1, at + 1);
        }
        return false;
    }

    const std::vector<Token>& m_tokens;
    std::string_view m_name;
    std::size_t m_lastDot;
    std::vector<signed char> m_known;
};

[[nodiscard]] bool matchesTokens(const std::vector<Token>& tokens, std::string_view name) {
    return PatternMatcher(tokens, name).matches();
}

[[nodiscard]] bool isDotEntry(std::string_view name) { return name == "." || name == ".."; }

[[nodiscard]] std::uint32_t attributesOf(const struct stat& info, std::string_view name, bool writable) {
    std::uint32_t attributes = S_ISDIR(info.st_mode) ? kAttrDirectory : kAttrArchive;
    if (!writable) {
        attributes |= kAttrReadOnly;
    }
    if (name.starts_with('.') && !isDotEntry(name)) {
        attributes |= kAttrHidden;
    }
    return attributes;
}

// Who may write the entries of one folder: worked out once per listing from the folder's
// file system and the user's ids, so that listing a large folder costs one look-up a name.
class WriteAccess {
public:
    explicit WriteAccess(int dirFd) {
        struct statvfs fileSystem {};
        m_readOnlyFileSystem = ::fstatvfs(dirFd, &fileSystem) == 0 && (fileSystem.f_flag & ST_RDONLY) != 0;
        m_user = ::geteuid();
        m_groups.push_back(::getegid());
        const int count = ::getgroups(0, nullptr);
        if (count > 0) {
            std::vector<gid_t> more(static_cast<std::size_t>(count));
            if (::getgroups(count, more.data()) == count) {
                m_groups.insert(m_groups.end(), more.begin(), more.end());
            }
        }
    }

    [[nodiscard]] bool allows(const struct stat& info) const {
        if (m_readOnlyFileSystem) {
            return false;
        }
        if (m_user == 0) {
            return true;
        }
        if (info.st_uid == m_user) {
            return (info.st_mode & S_IWUSR) != 0;
        }
        if (std::find(m_groups.begin(), m_groups.end(), info.st_gid) != m_groups.end()) {
            return (info.st_mode & S_IWGRP) != 0;
        }
        return (info.st_mode & S_IWOTH) != 0;
    }

private:
    bool m_readOnlyFileSystem = false;
    uid_t m_user = 0;
    std::vector<gid_t> m_groups;
};

// The entry as seen from the folder open at dirFd; links are followed, a broken link is
// seen as itself.
[[nodiscard]] std::optional<struct stat> statEntry(int dirFd, const std::string& name) {
    struct stat info {};
    if (::fstatat(dirFd, name.c_str(), &info, 0) != 0 &&
        ::fstatat(dirFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return std::nullopt;
    }
    return info;
}

// The entry's attributes and size as seen from the folder open at dirFd.
[[nodiscard]] std::optional<FindEntry> describeEntry(int dirFd, std::string_view name, const WriteAccess& access) {
    const std::string nameText(name);
    const std::optional<struct stat> info = statEntry(dirFd, nameText);
    if (!info) {
        return std::nullopt;
    }
    FindEntry entry;
    entry.name = nameText;
    entry.attributes = attributesOf(*info, name, access.allows(*info));
    entry.size = S_ISDIR(info->st_mode) ? 0 : static_cast<std::uint64_t>(info->st_size);
    return entry;
}

// "." and ".." first, as NTFS gives them, then every other name in case-insensitive order.
[[nodiscard]] bool listedBefore(const FindEntry& a, const FindEntry& b) {
    const auto rank = [](std::string_view name) { return name == "." ? 0 : name == ".." ? 1 : 2; };
    if (rank(a.name) != rank(b.name)) {
        return rank(a.name) < rank(b.name);
    }
    return lessIgnoringCase(a.name, b.name);
}

[[nodiscard]] std::string lastComponent(std::string_view path) {
    while (path.size() > 1 && path.ends_with('/')) {
        path.remove_suffix(1);
    }
    const std::size_t slash = path.find_last_of('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// Shows each entry of a folder (found without regard to case) to visit(dirFd, entry, access)
// in listing order; nothing when the folder cannot be read.
template <typename Visit>
void visitEntries(std::string_view folder, Visit visit) {
    const std::string resolved = resolvePath(folder);
    DIR* dir = ::opendir(resolved.empty() ? "." : resolved.c_str());
    if (dir == nullptr) {
        return;
    }
    const WriteAccess access(::dirfd(dir));
    while (const dirent* raw = ::readdir(dir)) {
        visit(::dirfd(dir), *raw, access);
    }
    ::closedir(dir);
}

// The entries of a folder that the listing's own look at each one keeps, described, in
// the order listFolder gives.
template <typename Keep>
[[nodiscard]] std::vector<FindEntry> listEntries(std::string_view folder, Keep keep) {
    std::vector<FindEntry> entries;
    visitEntries(folder, [&](int dirFd, const dirent& raw, const WriteAccess& access) {
        if (!keep(raw)) {
            return;
        }
        if (std::optional<FindEntry> entry = describeEntry(dirFd, raw.d_name, access)) {
            entries.push_back(std::move(*entry));
        }
    });
    std::sort(entries.begin(), entries.end(), listedBefore);
    return entries;
}

}  // namespace

bool matchesPattern(std::string_view name, std::string_view pattern) {
    return matchesTokens(compilePattern(pattern), name);
}

std::vector<FindEntry> listFolder(std::string_view folder, std::string_view pattern) {
    const std::vector<Token> tokens = compilePattern(pattern);
    return listEntries(folder, [&tokens](const dirent& entry) { return matchesTokens(tokens, entry.d_name); });
}

std::vector<std::string> listShownFiles(std::string_view folder, std::string_view pattern) {
    const std::vector<Token> tokens = compilePattern(pattern);
    std::vector<std::string> names;
    visitEntries(folder, [&](int dirFd, const dirent& raw, const WriteAccess& access) {
        if (!matchesTokens(tokens, raw.d_name)) {
            return;
        }
        if (raw.d_type == DT_REG) {
            names.emplace_back(raw.d_name);
            return;
        }
        const std::optional<struct stat> info = statEntry(dirFd, raw.d_name);
        // pipes, devices and sockets hold no link, and one opened to be read could block for good
        if (!info || S_ISFIFO(info->st_mode) || S_ISCHR(info->st_mode) || S_ISBLK(info->st_mode) ||
            S_ISSOCK(info->st_mode)) {
            return;
        }
        if (attributesOf(*info, raw.d_name, access.allows(*info)) != kAttrDirectory) {
            names.emplace_back(raw.d_name);
        }
    });
    return names;
}

std::vector<FindEntry> listSubfolders(std::string_view folder) {
    std::vector<FindEntry> entries = listEntries(folder, [](const dirent& entry) {
        return entry.d_type == DT_DIR || entry.d_type == DT_LNK || entry.d_type == DT_UNKNOWN;
    });
    std::erase_if(entries, [](const FindEntry& entry) {
        return isDotEntry(entry.name) || (entry.attributes & kAttrDirectory) == 0;
    });
    return entries;
}

std::optional<std::uint32_t> fileAttributes(std::string_view path) {
    const std::string resolved = resolvePath(path);
    if (resolved.empty()) {
        return std::nullopt;
    }
    struct stat info {};
    if (::stat(resolved.c_str(), &info) != 0 && ::lstat(resolved.c_str(), &info) != 0) {
        return std::nullopt;
    }
    const bool writable = ::faccessat(AT_FDCWD, resolved.c_str(), W_OK, AT_EACCESS) == 0;
    return attributesOf(info, lastComponent(resolved), writable);
}

bool fileExists(std::string_view path) {
    const std::optional<std::uint32_t> attributes = fileAttributes(path);
    return attributes && (*attributes & kAttrDirectory) == 0;
}

bool folderExists(std::string_view path) {
    const std::optional<std::uint32_t> attributes = fileAttributes(path);
    return attributes && (*attributes & kAttrDirectory) != 0;
}

}  // namespace platform
