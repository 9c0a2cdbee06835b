#include "core/platform/ini_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/ascii.h"
#include "core/platform/paths.h"
#include "core/platform/replace_file.h"

namespace platform {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Lines, keys and values are trimmed of spaces, tabs and vertical tabs.
[[nodiscard]] std::string_view trimBlanks(std::string_view text) { return trim(text, " \t\v"); }

// The names a caller asks for lose their surrounding spaces only: a tab stays part of the name.
[[nodiscard]] std::string_view trimSpaces(std::string_view text) { return trim(text, " "); }

// A default loses its trailing spaces, nothing else.
[[nodiscard]] std::string_view trimTrailingSpaces(std::string_view text) { return trimRight(text, " "); }

// One pair of matching quotes around a value is dropped: "v" and 'v' read as v, ""v"" as "v".
[[nodiscard]] std::string_view dropSurroundingQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// One line of the file: where it starts, its text, and the CR LF, CR or LF that ends it
// (none on a last line without a line end).
struct Line {
    std::size_t start = 0;
    std::string_view text;
    std::string_view ending;

    [[nodiscard]] std::size_t end() const { return start + text.size() + ending.size(); }
};

[[nodiscard]] std::vector<Line> splitLines(std::string_view contents) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < contents.size()) {
        const std::size_t stop = std::min(contents.find_first_of("\r\n", start), contents.size());
        std::size_t endingSize = 0;
        if (stop < contents.size()) {
            endingSize = contents.compare(stop, kLineEnd.size(), kLineEnd) == 0 ? 2 : 1;
        }
        lines.push_back({start, contents.substr(start, stop - start), contents.substr(stop, endingSize)});
        start = stop + endingSize;
    }
    return lines;
}

enum class LineKind { Blank, Comment, Section, Key, Other };

struct ParsedLine {
    LineKind kind = LineKind::Blank;
    std::string_view name;   // the section's or the key's name
    std::string_view value;  // a key's value, trimmed, quotes still on
};

// "[name]" opens a section whose name ends at the first ']' (text after it is ignored, and a
// missing ']' runs the name to the line's end); ";" starts a comment; "key=value" splits at
// the first '='; a line without '=' is no key.
[[nodiscard]] ParsedLine parseLine(std::string_view text) {
    const std::string_view line = trimBlanks(text);
    if (line.empty()) {
        return {};
    }
    if (line.front() == ';') {
        return {LineKind::Comment, {}, {}};
    }
    if (line.front() == '[') {
        const std::string_view inside = line.substr(1);
        return {LineKind::Section, trimBlanks(inside.substr(0, inside.find(']'))), {}};
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return {LineKind::Other, {}, {}};
    }
    return {LineKind::Key, trimBlanks(line.substr(0, equals)), trimBlanks(line.substr(equals + 1))};
}

// The lines of one section: its header and the lines up to the next header.
struct SectionSpan {
    std::size_t header = 0;
    std::size_t end = 0;
};

// Only the first of several sections of the same name is ever searched.
[[nodiscard]] std::optional<SectionSpan> findSection(const std::vector<Line>& lines, std::string_view name) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ParsedLine parsed = parseLine(lines[i].text);
        if (parsed.kind != LineKind::Section || !equalsIgnoreCase(parsed.name, name)) {
            continue;
        }
        std::size_t end = i + 1;
        while (end < lines.size() && parseLine(lines[end].text).kind != LineKind::Section) {
            ++end;
        }
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

// Of several keys of the same name the first wins.
[[nodiscard]] std::optional<std::size_t> findKey(const std::vector<Line>& lines, SectionSpan section,
                                                 std::string_view key) {
    for (std::size_t i = section.header + 1; i < section.end; ++i) {
        const ParsedLine parsed = parseLine(lines[i].text);
        if (parsed.kind == LineKind::Key && equalsIgnoreCase(parsed.name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

// The bytes of an INI file. A file that does not exist reads as no file; a file that exists
// but cannot be read (a folder, no permission) as nothing at all.
struct IniBytes {
    bool exists = false;
    std::string contents;
};

[[nodiscard]] std::optional<IniBytes> readIniBytes(const std::string& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return errno == ENOENT ? std::optional<IniBytes>(IniBytes{}) : std::nullopt;
    }
    IniBytes bytes{true, {}};
    char chunk[8192];
    ssize_t got = 0;
    while ((got = ::read(descriptor, chunk, sizeof chunk)) != 0) {
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            ::close(descriptor);
            return std::nullopt;
        }
        bytes.contents.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(descriptor);
    return bytes;
}

[[nodiscard]] std::optional<std::string> findValue(std::string_view contents, std::string_view section,
                                                   std::string_view key) {
    const std::vector<Line> lines = splitLines(contents);
    const std::optional<SectionSpan> span = findSection(lines, trimSpaces(section));
    if (!span) {
        return std::nullopt;
    }
    const std::optional<std::size_t> index = findKey(lines, *span, trimSpaces(key));
    if (!index) {
        return std::nullopt;
    }
    return std::string(dropSurroundingQuotes(parseLine(lines[*index].text).value));
}

// One change to a file's bytes: the bytes from..to give way to text.
struct Edit {
    std::size_t from = 0;
    std::size_t to = 0;
    std::string text;
};

[[nodiscard]] std::string keyLine(std::string_view key, std::string_view value) {
    return std::string(key) + "=" + std::string(value) + std::string(kLineEnd);
}

// A new key goes right after the section's last key (or its header), before any comment
// or blank line that follows; the line it follows gets a line end if it had none.
[[nodiscard]] Edit insertKey(const std::vector<Line>& lines, SectionSpan section, std::string_view key,
                             std::string_view value) {
    std::size_t last = section.header;
    for (std::size_t i = section.header + 1; i < section.end; ++i) {
        const LineKind kind = parseLine(lines[i].text).kind;
        if (kind == LineKind::Key || kind == LineKind::Other) {
            last = i;
        }
    }
    const Line& before = lines[last];
    const std::string lineEnd = before.ending.empty() ? std::string(kLineEnd) : std::string();
    return {before.end(), before.end(), lineEnd + keyLine(key, value)};
}

// A new section goes at the very end of the file, with no blank line before it.
[[nodiscard]] Edit appendSection(std::string_view contents, std::string_view section, std::string_view key,
                                 std::string_view value) {
    const bool needsLineEnd = !contents.empty() && contents.back() != '\r' && contents.back() != '\n';
    std::string text = needsLineEnd ? std::string(kLineEnd) : std::string();
    text += "[" + std::string(section) + "]" + std::string(kLineEnd) + keyLine(key, value);
    return {contents.size(), contents.size(), text};
}

// An existing key's line becomes key=value, the key spelled as in the file; every other
// byte of the file stays as it was.
[[nodiscard]] Edit editFor(std::string_view contents, std::string_view section, std::string_view key,
                           std::string_view value) {
    const std::vector<Line> lines = splitLines(contents);
    const std::optional<SectionSpan> span = findSection(lines, section);
    if (!span) {
        return appendSection(contents, section, key, value);
    }
    const std::optional<std::size_t> index = findKey(lines, *span, key);
    if (!index) {
        return insertKey(lines, *span, key, value);
    }
    const Line& line = lines[*index];
    return {line.start, line.end(), keyLine(parseLine(line.text).name, value)};
}

[[nodiscard]] ProfileRead fitToBuffer(std::string value, std::size_t bufferSize) {
    if (bufferSize == 0) {
        return {};
    }
    if (value.size() > bufferSize - 1) {
        value.resize(bufferSize - 1);
    }
    const std::size_t copied = value.size();
    return {std::move(value), copied};
}

}  // namespace

ProfileRead getProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                             std::size_t bufferSize, std::string_view file) {
    const std::optional<IniBytes> bytes = readIniBytes(resolvePath(file));
    std::optional<std::string> value;
    if (bytes && bytes->exists) {
        value = findValue(bytes->contents, section, key);
    }
    return fitToBuffer(value.value_or(std::string(trimTrailingSpaces(defaultValue))), bufferSize);
}

std::optional<std::string> findProfileValue(std::string_view contents, std::string_view section, std::string_view key) {
    return findValue(contents, section, key);
}

bool writeProfileString(std::string_view section, std::string_view key, std::string_view value, std::string_view file) {
    const std::string path = resolvePath(file);
    const std::optional<IniBytes> bytes = readIniBytes(path);
    if (!bytes) {
        return false;
    }
    std::string contents = bytes->contents;
    const Edit edit = editFor(contents, trimSpaces(section), trimSpaces(key), value);
    contents.replace(edit.from, edit.to - edit.from, edit.text);
    return replaceFile(path, contents);
}

}  // namespace platform
