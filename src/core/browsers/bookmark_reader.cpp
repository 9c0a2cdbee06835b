#include "core/browsers/bookmark_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

#include "core/platform/ascii.h"
#include "core/platform/folder_names.h"
#include "core/platform/paths.h"
#include "core/platform/windows_names.h"

namespace browsers {

namespace {

constexpr char kCtrlZ = '\x1A';
constexpr std::string_view kAnchorStart = "<A HREF=";
constexpr std::string_view kAnchorEnd = "</A>";

// Where the field that runs at from ends: at the next comma or line end, else at the end.
[[nodiscard]] std::size_t fieldEndAt(std::string_view text, std::size_t from) {
    while (from < text.size() && text[from] != ',' && text[from] != '\r' && text[from] != '\n') {
        ++from;
    }
    return from;
}

// Appends text to a field without the dropped character and without NULs, a run of
// kept characters at a time.
void appendWithout(std::string& field, std::string_view text, char dropped) {
    std::size_t run = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == dropped || text[at] == '\0') {
            field.append(text.substr(run, at - run));
            run = at + 1;
        }
    }
    field.append(text.substr(run));
}

// The position of a tag in text at or after from, its letters compared without regard to
// case; npos when absent. The tag is written in capitals and begins with '<', which a
// byte search finds at memory speed.
[[nodiscard]] std::size_t findTag(std::string_view text, std::string_view tag, std::size_t from) {
    for (std::size_t at = text.find('<', from); at != std::string_view::npos; at = text.find('<', at + 1)) {
        if (text.size() - at < tag.size()) {
            break;
        }
        if (std::equal(tag.begin(), tag.end(), text.begin() + static_cast<std::ptrdiff_t>(at),
                       [](char t, char c) { return platform::upperAscii(c) == t; })) {
            return at;
        }
    }
    return std::string_view::npos;
}

[[nodiscard]] bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
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
    if (isAscii(text)) {
        return text.size();
    }
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at += characterBytes(text, at)) {
        ++count;
    }
    return count;
}

// The first count characters of text (all of it when it is shorter).
[[nodiscard]] std::string_view firstCharacters(std::string_view text, std::size_t count) {
    if (isAscii(text)) {
        return text.substr(0, count);
    }
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
    std::size_t start = findTag(text, kAnchorStart, 0);
    while (start != std::string_view::npos) {
        const std::size_t end = findTag(text, kAnchorEnd, start + 1);
        if (end == std::string_view::npos) {
            return;
        }
        const std::size_t bodyStart = start + kAnchorStart.size();
        addAnchor(text.substr(bodyStart, end - bodyStart), table);
        start = findTag(text, kAnchorStart, end + 1);
    }
}

// How a file is opened for writing, created or emptied; the name is taken exactly as given,
// with no lookup of other spellings.
constexpr int kCreateForWriting = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;

// Writes the two lines of a minimal Internet Shortcut file and closes it; text is the
// caller's buffer, refilled here.
void writeShortcut(int fd, std::string_view url, std::string& text) {
    text.assign("[InternetShortcut]\r\nURL=").append(url.substr(0, url.find('>'))).append("\r\n");
    // A link that cannot be written is passed over; the next one is tried.
    static_cast<void>(::write(fd, text.data(), text.size()));
    ::close(fd);
}

// A staged file takes the spelling of its name written last: a file made under another
// spelling of the name, on a drive that tells them apart, is removed.
void keepLaterSpelling(platform::FolderNames& staged, const std::optional<platform::FolderNames::Entry>& existing,
                       std::string_view fileName) {
    if (existing && existing->name == fileName) {
        return;
    }
    if (existing) {
        ::unlink(platform::joinPath(staged.folder(), existing->name).c_str());
        staged.removed(existing->name);
    }
    staged.added(fileName, false);
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
    appendWithout(field, m_text.substr(m_pos, close - m_pos), '\0');
    m_pos = std::min(close + 1, m_text.size());
}

// A double quote inside an unquoted field is dropped, not kept: the HREF value of an
// anchor then reads without its quotes, which is how shortcut readers take it anyway.
void FieldReader::readUnquoted(std::string& field) {
    const std::size_t end = fieldEndAt(m_text, m_pos);
    appendWithout(field, m_text.substr(m_pos, end - m_pos), '"');
    m_pos = end;
}

void FieldReader::skipToFieldEnd() { m_pos = fieldEndAt(m_text, m_pos); }

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

Link LinkTable::at(std::size_t index) const { return Link{std::string(nameAt(index)), std::string(urlAt(index))}; }

std::string_view LinkTable::nameAt(std::size_t index) const {
    return platform::trim(m_links[index].name, platform::kSpaceAndTab);
}

void extractFURL(std::string_view text, LinkTable& table) {
    FieldReader reader(text);
    while (std::optional<std::string> field = reader.next()) {
        if (findTag(*field, kAnchorStart, 0) == std::string_view::npos) {
            continue;
        }
        // An anchor split over fields is joined up until a field brings its end.
        std::string joined = std::move(*field);
        bool ended = findTag(joined, kAnchorEnd, 0) != std::string_view::npos;
        while (!ended) {
            std::optional<std::string> more = reader.next();
            if (!more) {
                break;
            }
            joined += *more;
            ended = findTag(*more, kAnchorEnd, 0) != std::string_view::npos;
        }
        addAnchors(joined, table);
    }
}

bool isValidFilename(const std::string& path) {
    const int fd = ::open(path.c_str(), kCreateForWriting, 0666);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    ::unlink(path.c_str());
    return true;
}

void createURLFile(const LinkTable& table, std::string_view stagingFolder) {
    // the file system compares names without regard to case: "News.url" and "NEWS.URL" are one file
    platform::FolderNames staged(stagingFolder);
    staged.expectMore(table.size());
    // one path and one file text, refilled for every link
    std::string path = platform::withTrailingSlash(staged.folder());
    const std::size_t folderLength = path.size();
    std::string text;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::string_view name = table.nameAt(i);
        // a name stays one file inside the staging folder, and one a Windows drive can hold
        if (platform::windowsRefusesName(name)) {
            continue;
        }
        path.resize(folderLength);
        path.append(name).append(".url");
        const std::string_view fileName = std::string_view(path).substr(folderLength);
        const std::optional<platform::FolderNames::Entry> existing = staged.find(fileName);
        if (existing && existing->isFolder) {
            continue;
        }
        // Creating the file is the test that the name can be a file name: the same test
        // isValidFilename makes, without a second creation for every link.
        const int fd = staged.openFile(fileName, kCreateForWriting, 0666);
        if (fd < 0) {
            continue;
        }
        keepLaterSpelling(staged, existing, fileName);
        writeShortcut(fd, table.urlAt(i), text);
    }
}

}  // namespace browsers
