#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reading links out of a browser's bookmark file and staging them as Internet Shortcut
// files. The reader works on text it is given; opening the bookmark file is the caller's
// business.
namespace browsers {

// Cuts a text into fields the way a sequential-file field input reads them:
//  - blanks (spaces and tabs) at the start of a field are skipped;
//  - a field that begins with '"' runs to the next '"', across line ends; the quotes are
//    not part of it, and whatever follows the closing quote up to the next comma or line
//    end is dropped;
//  - any other field runs to the next comma or line end; a '"' inside it is dropped;
//  - the comma or line end (CR LF, CR or LF) that ends a field is consumed and lost;
//  - NUL characters are dropped, and a Ctrl-Z ends the text.
// Example: `  "Hello, W"  x,  b c` then a line end and `y` gives "Hello, W", "b c", "y".
class FieldReader final {
public:
    explicit FieldReader(std::string_view text);

    // The next field, or nothing when the text is used up.
    [[nodiscard]] std::optional<std::string> next();

private:
    void readQuoted(std::string& field);
    void readUnquoted(std::string& field);
    void skipToFieldEnd();
    void consumeTerminator();

    std::string_view m_text;
    std::size_t m_pos = 0;
};

struct Link {
    std::string name;
    std::string url;
};

// The links read in one load, in the order read. Each name is kept in a field of 400
// characters: a longer one is cut to 400. Names come back without leading and trailing blanks.
class LinkTable final {
public:
    static constexpr std::size_t kNameFieldLength = 400;

    void add(std::string_view name, std::string_view url);
    void clear() { m_links.clear(); }

    [[nodiscard]] std::size_t size() const { return m_links.size(); }
    [[nodiscard]] bool empty() const { return m_links.empty(); }
    // The link at index (less than size()), its name trimmed.
    [[nodiscard]] Link at(std::size_t index) const;
    // The same name and URL, read in place.
    [[nodiscard]] std::string_view nameAt(std::size_t index) const;
    [[nodiscard]] std::string_view urlAt(std::size_t index) const { return m_links[index].url; }

private:
    std::vector<Link> m_links;
};

// Appends every link of a bookmark file's text to the table, in order. An anchor runs from
// "<A HREF=" to "</A>" (any case), also across fields, which are then joined with nothing
// between; its URL is the text after "<A HREF=" up to the first blank and before any '>',
// its name the text after the first '>' (at position r), at most r - 1 characters long.
// An anchor without a '>' or without its "</A>" is left out.
void extractFURL(std::string_view text, LinkTable& table);

// True when a file can be created at path: the file is created, closed and deleted again.
[[nodiscard]] bool isValidFilename(const std::string& path);

// Writes one Internet Shortcut file, <name>.url, per link of the table into the staging
// folder. A later link replaces an earlier one of the same name, compared without regard
// to case; the file takes the later spelling. Links whose names cannot be file names, or
// would leave the staging folder, are left out without a word.
void createURLFile(const LinkTable& table, std::string_view stagingFolder);

}  // namespace browsers
