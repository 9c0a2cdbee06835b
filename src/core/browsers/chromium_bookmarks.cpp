#include "core/browsers/chromium_bookmarks.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <iterator>
#include <nlohmann/json.hpp>
#include <random>
#include <unordered_set>

#include "core/platform/ascii.h"
#include "core/platform/md5.h"
#include "core/platform/utf16.h"

namespace browsers {

namespace {

// New nodes, and the file of a profile that has none, keep their keys in the order written,
// which is the browser's own.
using Json = nlohmann::ordered_json;

// The roots the browser shows, in the order it walks them.
constexpr std::array<std::string_view, 3> kShownRoots{"bookmark_bar", "other", "synced"};
constexpr std::string_view kOtherRoot = "other";
constexpr int kVersion = 1;
// The browser's JSON reader refuses text nested deeper than this.
constexpr int kDeepestNesting = 200;
// From 1601-01-01, where the browser's time starts, to 1970-01-01.
constexpr std::int64_t kMicrosecondsBefore1970 = 11644473600LL * 1000000;

// The fixed identities of the three roots of a new file, as the browser gives them.
struct PermanentFolder {
    std::string_view key;
    std::string_view id;
    std::string_view guid;
    std::string_view name;
};
constexpr std::array<PermanentFolder, 3> kPermanentFolders{{
    {"bookmark_bar", "1", "0bc5d13f-2cba-5d74-951f-3f233fe6c908", "Bookmarks bar"},
    {"other", "2", "82b081ec-3dd3-529c-8475-ab6c344590dd", "Other bookmarks"},
    {"synced", "3", "4cf2e351-0e85-532b-bb37-df045d8f8d0f", "Mobile bookmarks"},
}};

// Looked at before parsing: a file nested deeper than the browser reads is none of its files.
[[nodiscard]] bool nestsWithinLimit(std::string_view text) {
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            i += c == '\\' ? 1 : 0;
            inString = c != '"';
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            if (++depth > kDeepestNesting) {
                return false;
            }
        } else if (c == '}' || c == ']') {
            --depth;
        }
    }
    return true;
}

// A node of the roots the browser shows, as the outline of a file keeps it.
struct OutlineNode {
    std::size_t parent = 0;  // index of the parent node; a root is its own parent
    std::size_t root = 0;    // index into kShownRoots; past its end for the other roots
    std::string id, name, type, url, guid;
};

// What the browser reads of a file, gathered in one pass over the text without building it
// in memory: the nodes of the three roots in the order the browser walks them, and the
// checksum the file states. Used for reading, and for checking a file before it is written.
struct Outline {
    std::vector<OutlineNode> nodes;
    std::string checksum;
    // what the nodes of all roots hold, shown or not: the highest id and the GUIDs, in lower case
    std::int64_t highestId = 0;
    std::unordered_set<std::string> guids;
};

// Reads the outline as the parser meets the file's parts. A file the browser would not load is
// refused (a false answer stops the parser), and so is one that repeats a key the outline
// depends on, whose meaning would be in doubt.
class OutlineReader final : public nlohmann::json_sax<nlohmann::json> {
public:
    bool null() override { return inFile(); }
    bool boolean(bool) override { return inFile(); }
    bool number_integer(number_integer_t number) override {
        if (m_frames.size() == 1 && m_key == "version") {
            m_version = number;
        }
        return inFile();
    }
    bool number_unsigned(number_unsigned_t number) override {
        return number_integer(static_cast<number_integer_t>(std::min<number_unsigned_t>(number, 2)));
    }
    bool number_float(number_float_t, const string_t&) override { return inFile(); }
    bool binary(binary_t&) override { return inFile(); }
    bool string(string_t& text) override {
        if (m_frames.size() == 1 && m_key == "checksum") {
            m_outline.checksum = text;
        } else if (Frame* frame = nodeFrame()) {
            std::string* field = m_key == "id"     ? &m_outline.nodes[frame->node].id
                                 : m_key == "name" ? &m_outline.nodes[frame->node].name
                                 : m_key == "type" ? &m_outline.nodes[frame->node].type
                                 : m_key == "url"  ? &m_outline.nodes[frame->node].url
                                 : m_key == "guid" ? &m_outline.nodes[frame->node].guid
                                                   : nullptr;
            if (field != nullptr) {
                *field = std::move(text);
            }
        }
        return inFile();
    }
    bool start_object(std::size_t) override {
        Frame frame{Frame::Plain, 0, {}};
        if (m_frames.empty()) {
            frame.role = Frame::File;
        } else if (m_frames.back().role == Frame::File && m_key == "roots") {
            frame.role = Frame::Roots;
        } else if (m_frames.back().role == Frame::Roots) {
            frame = rootFrame();
        } else if (m_frames.back().role == Frame::Children) {
            frame = {Frame::Node, m_outline.nodes.size(), {}};
            const OutlineNode& parent = m_outline.nodes[m_frames.back().node];
            m_outline.nodes.push_back({m_frames.back().node, parent.root, {}, {}, {}, {}, {}});
        }
        m_frames.push_back(std::move(frame));
        return true;
    }
    bool end_object() override { return leave(); }
    bool start_array(std::size_t) override {
        Frame* node = nodeFrame();
        m_frames.push_back(node != nullptr && m_key == "children" ? Frame{Frame::Children, node->node, {}}
                                                                  : Frame{Frame::Plain, 0, {}});
        return m_frames.size() > 1;
    }
    bool end_array() override { return leave(); }
    bool key(string_t& key) override {
        m_key = std::move(key);
        const bool counted = (m_frames.back().role == Frame::Node && m_key == "children") ||
                             m_frames.back().role == Frame::File || m_frames.back().role == Frame::Roots;
        return !counted || m_frames.back().keys.insert(m_key).second;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override { return false; }

    // The outline of a file the browser loads; nothing for any other.
    [[nodiscard]] std::optional<Outline> result() {
        if (m_version != kVersion || m_rootsSeen != kShownRoots.size()) {
            return std::nullopt;
        }
        // a link's children, and all below them, are none of the browser's bookmarks
        Outline outline{{}, std::move(m_outline.checksum), 0, {}};
        std::vector<bool> shown(m_outline.nodes.size());
        std::vector<std::vector<OutlineNode>> byRoot(kShownRoots.size());
        for (std::size_t i = 0; i < m_outline.nodes.size(); ++i) {
            OutlineNode& node = m_outline.nodes[i];
            takeIdAndGuid(node, outline);
            const OutlineNode& parent = m_outline.nodes[node.parent];
            shown[i] =
                node.root < kShownRoots.size() && (node.parent == i || (shown[node.parent] && parent.type != "url"));
            if (shown[i]) {
                byRoot[node.root].push_back(std::move(node));
            }
        }
        for (std::vector<OutlineNode>& nodes : byRoot) {
            std::move(nodes.begin(), nodes.end(), std::back_inserter(outline.nodes));
        }
        return outline;
    }

private:
    struct Frame {
        enum Role { Plain, File, Roots, Node, Children } role;
        std::size_t node;                      // the node of a Node frame, the owner of a Children one
        std::unordered_set<std::string> keys;  // the keys met, where a repeated one is refused
    };

    static void takeIdAndGuid(const OutlineNode& node, Outline& outline) {
        std::int64_t number = 0;
        const auto [end, error] = std::from_chars(node.id.data(), node.id.data() + node.id.size(), number);
        if (error == std::errc() && end == node.id.data() + node.id.size()) {
            outline.highestId = std::max(outline.highestId, number);
        }
        outline.guids.insert(platform::toLowerAscii(node.guid));
    }

    [[nodiscard]] Frame* nodeFrame() {
        return !m_frames.empty() && m_frames.back().role == Frame::Node ? &m_frames.back() : nullptr;
    }

    [[nodiscard]] Frame rootFrame() {
        const auto root = std::find(kShownRoots.begin(), kShownRoots.end(), m_key);
        m_rootsSeen += root == kShownRoots.end() ? 0 : 1;
        const std::size_t index = m_outline.nodes.size();
        m_outline.nodes.push_back({index, static_cast<std::size_t>(root - kShownRoots.begin()), {}, {}, {}, {}, {}});
        return {Frame::Node, index, {}};
    }

    // The file itself is an object: a value outside of one is refused.
    [[nodiscard]] bool inFile() const { return !m_frames.empty(); }

    // The key of a value ends with it: what follows an object or array is the next key's.
    bool leave() {
        m_frames.pop_back();
        m_key.clear();
        return true;
    }

    Outline m_outline;
    std::vector<Frame> m_frames;
    std::string m_key;
    number_integer_t m_version = 0;
    std::size_t m_rootsSeen = 0;
};

[[nodiscard]] std::optional<Outline> outlineOf(std::string_view text) {
    if (!nestsWithinLimit(text)) {
        return std::nullopt;
    }
    OutlineReader reader;
    if (!nlohmann::json::sax_parse(text, &reader, nlohmann::json::input_format_t::json, false)) {
        return std::nullopt;
    }
    return reader.result();
}

[[nodiscard]] std::string checksumOf(const std::vector<OutlineNode>& nodes) {
    platform::Md5 digest;
    for (const OutlineNode& node : nodes) {
        digest.update(node.id);
        digest.update(platform::utf16leFromUtf8(node.name));
        digest.update(node.type == "url" ? "url" : "folder");
        if (node.type == "url") {
            digest.update(node.url);
        }
    }
    return digest.hexDigest();
}

[[nodiscard]] std::size_t linksOf(const std::vector<OutlineNode>& nodes) {
    return static_cast<std::size_t>(
        std::count_if(nodes.begin(), nodes.end(), [](const OutlineNode& node) { return node.type == "url"; }));
}

// Where a splice goes into the text of a file whose outline was read: found by walking the
// raw text, keys compared as written (the browser never escapes them).
class RawJson final {
public:
    explicit RawJson(std::string_view text) : m_text(text) {}

    // Moves to the value of a member of the object that starts here; false when it has none.
    bool enterMember(std::string_view key) {
        if (!expect('{')) {
            return false;
        }
        while (skipBlanks() && peek() == '"') {
            const std::string_view name = string();
            if (!skipBlanks() || !expect(':') || !skipBlanks()) {
                return false;
            }
            if (name == key) {
                return true;
            }
            skipValue();
            skipBlanks();
            if (peek() == ',') {
                ++m_pos;
            }
        }
        return false;
    }

    // Passes over the value that starts here; where it ends.
    std::size_t skipValue() {
        int depth = 0;
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (c == '"') {
                string();
                if (depth == 0) {
                    return m_pos;
                }
                continue;
            }
            if (c == '{' || c == '[') {
                ++depth;
            } else if (c == '}' || c == ']') {
                if (depth == 0) {
                    return m_pos;
                }
                if (--depth == 0) {
                    return ++m_pos;
                }
            } else if (depth == 0 && (c == ',' || isBlank(c))) {
                return m_pos;
            }
            ++m_pos;
        }
        return m_pos;
    }

    [[nodiscard]] std::size_t position() const { return m_pos; }
    [[nodiscard]] char peek() const { return m_pos < m_text.size() ? m_text[m_pos] : '\0'; }
    bool skipBlanks() {
        while (m_pos < m_text.size() && (isBlank(m_text[m_pos]) || m_text.substr(m_pos, 3) == "\xEF\xBB\xBF")) {
            m_pos += isBlank(m_text[m_pos]) ? 1 : 3;
        }
        return m_pos < m_text.size();
    }

private:
    [[nodiscard]] static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

    bool expect(char c) {
        skipBlanks();
        if (peek() != c) {
            return false;
        }
        ++m_pos;
        return true;
    }

    // The text between the quotes of the string that starts here, escapes as written.
    std::string_view string() {
        const std::size_t start = ++m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != '"') {
            m_pos += m_text[m_pos] == '\\' ? 2 : 1;
        }
        const std::string_view inside = m_text.substr(start, std::min(m_pos, m_text.size()) - start);
        ++m_pos;
        return inside;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

// A piece of new text to put in place of some of the old.
struct Splice {
    std::size_t at;
    std::size_t length;  // of the old text replaced
    std::string text;
};

// Where the new links go, before the end of the other bookmarks' children, and where the
// checksum goes; nothing when the text cannot be walked so.
[[nodiscard]] std::optional<std::vector<Splice>> splicesOf(std::string_view text, const std::string& checksum,
                                                           const std::string& newNodes) {
    RawJson checksumAt(text);
    std::vector<Splice> splices;
    if (checksumAt.enterMember("checksum") && checksumAt.peek() == '"') {
        const std::size_t start = checksumAt.position();
        splices.push_back({start, checksumAt.skipValue() - start, "\"" + checksum + "\""});
    } else {
        RawJson top(text);
        top.skipBlanks();
        splices.push_back({top.position() + 1, 0, "\"checksum\": \"" + checksum + "\", "});
    }
    RawJson children(text);
    if (!children.enterMember("roots") || !children.enterMember(kOtherRoot) || !children.enterMember("children") ||
        children.peek() != '[') {
        return std::nullopt;
    }
    const std::size_t end = children.skipValue() - 1;
    // the array holds something when anything but blanks stands between its brackets
    std::size_t last = end;
    while (last > 0 &&
           (text[last - 1] == ' ' || text[last - 1] == '\n' || text[last - 1] == '\r' || text[last - 1] == '\t')) {
        --last;
    }
    if (!newNodes.empty()) {
        splices.push_back({end, 0, (text[last - 1] == '[' ? "" : ", ") + newNodes});
    }
    std::sort(splices.begin(), splices.end(), [](const Splice& a, const Splice& b) { return a.at < b.at; });
    return splices;
}

// A text the JSON writer takes as it is: bytes that are no UTF-8 become U+FFFD.
[[nodiscard]] std::string validUtf8(std::string_view text) {
    return platform::utf8FromUtf16le(platform::utf16leFromUtf8(text));
}

[[nodiscard]] Json emptyBookmarks(std::int64_t now) {
    Json file = Json::object();
    file["checksum"] = "";
    Json& roots = file["roots"] = Json::object();
    for (const PermanentFolder& folder : kPermanentFolders) {
        roots[std::string(folder.key)] = Json{{"children", Json::array()}, {"date_added", std::to_string(now)},
                                              {"date_last_used", "0"},     {"date_modified", "0"},
                                              {"guid", folder.guid},       {"id", folder.id},
                                              {"name", folder.name},       {"type", "folder"}};
    }
    file["version"] = kVersion;
    return file;
}

// A random (version 4) GUID in lower case that the file does not hold yet.
[[nodiscard]] std::string newGuid(std::mt19937_64& random, std::unordered_set<std::string>& taken) {
    constexpr std::string_view kHex = "0123456789abcdef";
    std::string guid;
    do {
        guid.clear();
        for (int i = 0; i < 32; ++i) {
            const unsigned digit = static_cast<unsigned>(random() & 0xF);
            guid += i == 12 ? '4' : i == 16 ? kHex[8 + (digit & 3)] : kHex[digit];
            if (i == 7 || i == 11 || i == 15 || i == 19) {
                guid += '-';
            }
        }
    } while (!taken.insert(guid).second);
    return guid;
}

}  // namespace

bool readChromiumBookmarks(std::string_view text, LinkTable& table) {
    const std::optional<Outline> outline = outlineOf(text);
    if (!outline) {
        return false;
    }
    for (const OutlineNode& node : outline->nodes) {
        if (node.type == "url") {
            table.add(node.name, node.url);
        }
    }
    return true;
}

std::optional<std::string> chromiumChecksum(std::string_view text) {
    const std::optional<Outline> outline = outlineOf(text);
    return outline ? std::optional<std::string>(checksumOf(outline->nodes)) : std::nullopt;
}

std::optional<ChromiumBookmarksEdit> addToOtherBookmarks(std::string_view text, const std::vector<Link>& links,
                                                         std::int64_t now) {
    const std::string fresh = text.empty() ? emptyBookmarks(now).dump(3) + "\n" : std::string();
    const std::string_view source = text.empty() ? std::string_view(fresh) : text;
    std::optional<Outline> outline = outlineOf(source);
    if (!outline) {
        return std::nullopt;
    }
    std::unordered_set<std::string> linkNames;  // in lower case
    for (const OutlineNode& node : outline->nodes) {
        if (node.type == "url") {
            linkNames.insert(platform::toLowerAscii(node.name));
        }
    }
    // the new links are the last nodes of the other bookmarks: before the mobile ones
    const auto mobile = std::find_if(outline->nodes.begin(), outline->nodes.end(),
                                     [](const OutlineNode& node) { return node.root == 2; });
    std::vector<OutlineNode> added;
    std::string newNodes;
    std::mt19937_64 random(std::random_device{}());
    for (const Link& link : links) {
        // compared with the file as it was read: two new links of one name are both written
        if (linkNames.contains(platform::toLowerAscii(link.name))) {
            continue;
        }
        OutlineNode node{0,
                         1,
                         std::to_string(++outline->highestId),
                         validUtf8(link.name),
                         "url",
                         validUtf8(link.url),
                         newGuid(random, outline->guids)};
        newNodes += (newNodes.empty() ? "" : ", ") + Json{{"date_added", std::to_string(now)},
                                                          {"date_last_used", "0"},
                                                          {"guid", node.guid},
                                                          {"id", node.id},
                                                          {"name", node.name},
                                                          {"type", node.type},
                                                          {"url", node.url}}
                                                         .dump();
        added.push_back(std::move(node));
    }
    ChromiumBookmarksEdit edit;
    edit.added = added.size();
    outline->nodes.insert(mobile, std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
    edit.links = linksOf(outline->nodes);
    const std::optional<std::vector<Splice>> splices = splicesOf(source, checksumOf(outline->nodes), newNodes);
    if (!splices) {
        return std::nullopt;
    }
    // everything else of the file stays exactly as it was written
    std::size_t from = 0;
    edit.text.reserve(source.size() + newNodes.size() + 64);
    for (const Splice& splice : *splices) {
        edit.text.append(source.substr(from, splice.at - from)).append(splice.text);
        from = splice.at + splice.length;
    }
    edit.text.append(source.substr(from));
    return edit;
}

std::int64_t chromiumTimeNow() {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::microseconds>(sinceEpoch).count() + kMicrosecondsBefore1970;
}

bool isSoundChromiumBookmarks(std::string_view text, std::size_t links) {
    const std::optional<Outline> outline = outlineOf(text);
    return outline && outline->checksum == checksumOf(outline->nodes) && linksOf(outline->nodes) == links;
}

}  // namespace browsers
