#include "core/browsers/bookmark_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <unordered_map>

#include "core/platform/ascii.h"
#include "core/platform/paths.h"

namespace browsers {

namespace {

constexpr char kCtrlZ = '\x1A';
constexpr std::string_view kFieldEnds = ",\r\n";
constexpr std::string_view kAnchorStart = "<A HREF=";
constexpr std::string_view kAnchorEnd = "</A>";

// The position of an upper-case needle in text at or after from, letters compared without
// regard to case; npos when absent.
[[nodiscard]] std::size_t findIgnoreCase(std::string_view text, std::string_view needle, std::size_t from) {
    if (from > text.size()) {
        return std::string_view::npos;
    }
    const auto found = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), needle.begin(),
                                   needle.end(), [](char a, char b) { return platform::upperAscii(a) == b; });
    return found == text.end() ? std::string_view::npos : static_cast<std::size_t>(found - text.begin());
}

// Texts are UTF-8: a well-formed sequence is one character, and any other byte is a
// character of its own, so a cut never splits a character.
[[nodiscard]] std::size_t characterBytes(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    }
    if (at + length > text.size()) {
        return 1;
    }
    for (std::size_t i = at + 1; i < at + length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return length;
}

[[nodiscard]] std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at += characterBytes(text, at)) {
        ++count;
    }
    return count;
}

// The first count characters of text (all of it when it is shorter).
[[nodiscard]] std::string_view firstCharacters(std::string_view text, std::size_t count) {
    std::size_t at = 0;
    for (; at < text.size() && count > 0; --count) {
        at += characterBytes(text, at);
    }
    return text.substr(0, at);
}

// One anchor's body: the text between "<A HREF=" and "</A>".
void addAnchor(std::string_view body, LinkTable& table) {
    const std::size_t close = body.find('>');
    if (close == std::string_view::npos) {
        return;
    }
    std::string_view url = body.substr(0, body.find_first_of(" \t"));
    url = url.substr(0, url.find('>'));
    // A name is never longer than the text in front of its '>'.
    const std::string_view name = firstCharacters(body.substr(close + 1), characterCount(body.substr(0, close)));
    table.add(name, url);
}

// Every anchor of a text, left to right; the next anchor is looked for after the end of
// the one before, and an anchor without its end is left out.
void addAnchors(std::string_view text, LinkTable& table) {
    std::size_t start = findIgnoreCase(text, kAnchorStart, 0);
    while (start != std::string_view::npos) {
        const std::size_t end = findIgnoreCase(text, kAnchorEnd, start + 1);
        if (end == std::string_view::npos) {
            return;
        }
        const std::size_t bodyStart = start + kAnchorStart.size();
        addAnchor(text.substr(bodyStart, end - bodyStart), table);
        start = findIgnoreCase(text, kAnchorStart, end + 1);
    }
}

// A name must stay one file name inside the staging folder, and one that a Windows file
// system (as on a USB stick) can hold: no path separators, no reserved characters.
[[nodiscard]] bool canBeFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    return std::none_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 ||
               std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
    });
}

struct StagedFile {
    std::string fileName;
    bool isFolder = false;
};

// The staging folder's entries by case-folded name: the file system compares names
// without regard to case, so "News.url" and "NEWS.URL" are the same file.
using StagedIndex = std::unordered_map<std::string, StagedFile>;

[[nodiscard]] StagedIndex indexFolder(std::string_view folder) {
    StagedIndex index;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        std::error_code typeError;
        const bool isFolder = it->is_directory(typeError);
        std::string key = platform::toLowerAscii(name);
        index.emplace(std::move(key), StagedFile{std::move(name), isFolder});
    }
    return index;
}

// Opens a file for writing, creating it or emptying what is there; -1 when no file can
// be made at that path. The path is taken exactly as given: no lookup of other spellings.
[[nodiscard]] int createForWriting(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}

// Writes the two lines of a minimal Internet Shortcut file and closes it.
void writeShortcut(int fd, std::string_view url) {
    std::string text = "[InternetShortcut]\r\nURL=";
    text += url.substr(0, url.find('>'));
    text += "\r\n";
    // A link that cannot be written is passed over; the next one is tried.
    static_cast<void>(::write(fd, text.data(), text.size()));
    ::close(fd);
}

}  // namespace

FieldReader::FieldReader(std::string_view text) : m_text(text.substr(0, text.find(kCtrlZ))) {}

std::optional<std::string> FieldReader::next() {
    while (m_pos < m_text.size() && platform::isSpaceOrTab(m_text[m_pos])) {
        ++m_pos;
    }
    if (m_pos >= m_text.size()) {
        return std::nullopt;
    }
    std::string field;
    if (m_text[m_pos] == '"') {
        ++m_pos;
        readQuoted(field);
        skipToFieldEnd();
    } else {
        readUnquoted(field);
    }
    consumeTerminator();
    return field;
}

void FieldReader::readQuoted(std::string& field) {
    const std::size_t close = std::min(m_text.find('"', m_pos), m_text.size());
    for (; m_pos < close; ++m_pos) {
        if (m_text[m_pos] != '\0') {
            field += m_text[m_pos];
        }
    }
    m_pos = std::min(close + 1, m_text.size());
}

// A double quote inside an unquoted field is dropped, not kept: the HREF value of an
// anchor then reads without its quotes, which is how shortcut readers take it anyway.
void FieldReader::readUnquoted(std::string& field) {
    const std::size_t end = std::min(m_text.find_first_of(kFieldEnds, m_pos), m_text.size());
    for (; m_pos < end; ++m_pos) {
        if (m_text[m_pos] != '\0' && m_text[m_pos] != '"') {
            field += m_text[m_pos];
        }
    }
}

void FieldReader::skipToFieldEnd() { m_pos = std::min(m_text.find_first_of(kFieldEnds, m_pos), m_text.size()); }

void FieldReader::consumeTerminator() {
    if (m_pos >= m_text.size()) {
        return;
    }
    const char terminator = m_text[m_pos++];
    if (terminator == '\r' && m_pos < m_text.size() && m_text[m_pos] == '\n') {
        ++m_pos;
    }
}

void LinkTable::add(std::string_view name, std::string_view url) {
    m_links.push_back(Link{std::string(firstCharacters(name, kNameFieldLength)), std::string(url)});
}

Link LinkTable::at(std::size_t index) const {
    const Link& link = m_links[index];
    return Link{std::string(platform::trim(link.name, platform::kSpaceAndTab)), link.url};
}

void extractFURL(std::string_view text, LinkTable& table) {
    FieldReader reader(text);
    while (std::optional<std::string> field = reader.next()) {
        if (findIgnoreCase(*field, kAnchorStart, 0) == std::string_view::npos) {
            continue;
        }
        // An anchor split over fields is joined up until a field brings its end.
        std::string joined = std::move(*field);
        bool ended = findIgnoreCase(joined, kAnchorEnd, 0) != std::string_view::npos;
        while (!ended) {
            std::optional<std::string> more = reader.next();
            if (!more) {
                break;
            }
            joined += *more;
            ended = findIgnoreCase(*more, kAnchorEnd, 0) != std::string_view::npos;
        }
        addAnchors(joined, table);
    }
}

bool isValidFilename(const std::string& path) {
    const int fd = createForWriting(path);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    ::unlink(path.c_str());
    return true;
}

void createURLFile(const LinkTable& table, std::string_view stagingFolder) {
    StagedIndex staged = indexFolder(stagingFolder);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const Link link = table.at(i);
        if (!canBeFileName(link.name)) {
            continue;
        }
        std::string fileName = link.name + ".url";
        std::string key = platform::toLowerAscii(fileName);
        const auto existing = staged.find(key);
        if (existing != staged.end() && existing->second.isFolder) {
            continue;
        }
        // Creating the file is the test that the name can be a file name: the same test
        // isValidFilename makes, without a second creation for every link.
        const int fd = createForWriting(platform::joinPath(stagingFolder, fileName));
        if (fd < 0) {
            continue;
        }
        // The file takes the later spelling of its name.
        if (existing != staged.end() && existing->second.fileName != fileName) {
            ::unlink(platform::joinPath(stagingFolder, existing->second.fileName).c_str());
        }
        staged.insert_or_assign(std::move(key), StagedFile{std::move(fileName), false});
        writeShortcut(fd, link.url);
    }
}

}  // namespace browsers
