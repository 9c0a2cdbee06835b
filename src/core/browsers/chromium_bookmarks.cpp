#include "core/browsers/chromium_bookmarks.h"

#include <simdjson.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <deque>
#include <functional>
#include <future>
#include <iterator>
#include <memory>
#include <nlohmann/json.hpp>
#include <random>
#include <span>
#include <unordered_set>
#include <utility>

#include "core/browsers/web_address.h"
#include "core/platform/ascii.h"
#include "core/platform/md5.h"
#include "core/platform/spare_core.h"
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

// A node of the roots the browser shows, as the outline of a file keeps it: views of the texts
// of the parsed file.
struct OutlineNode {
    std::size_t root = 0;  // index into kShownRoots
    std::string_view id, name, type, url, guid;
};

// Where an edit changes a file's text, as offsets into it: the value of its checksum as written
// (none when the file states none), and the closing bracket of the other bookmarks' children.
struct SplicePoints {
    std::optional<std::pair<std::size_t, std::size_t>> checksum;  // where it starts, how long
    std::size_t otherChildrenEnd = 0;
};

// What the browser reads of a file: the nodes of the three roots in the order the browser walks
// them, and the checksum the file states. Used for reading, and for checking a file before it
// is written.
struct Outline {
    std::vector<OutlineNode> nodes;
    std::string_view checksum;
    // what the nodes of all roots hold, shown or not: the highest id, and the hashes of the
    // GUIDs without regard to case: a new GUID of none of these hashes is new to the file
    std::int64_t highestId = 0;
    std::vector<std::size_t> guidHashes;
    SplicePoints splicePoints;  // found for an edit only
};

// Reads the outline from the parsed file. A file the browser would not load is refused, and
// so is one that repeats a key the outline depends on, whose meaning would be in doubt.
class OutlineReader final {
public:
    // An edit also gathers the GUIDs of the file, which new nodes must not repeat.
    OutlineReader(Outline& outline, bool forEdit) : m_outline(outline), m_forEdit(forEdit) {}

    // False for a file the browser does not load.
    [[nodiscard]] bool read(simdjson::dom::element file) {
        simdjson::dom::object members;
        return file.get_object().get(members) == simdjson::SUCCESS && readFile(members);
    }

private:
    [[nodiscard]] bool readFile(simdjson::dom::object members) {
        std::unordered_set<std::string_view> keys;
        std::int64_t version = 0;
        simdjson::dom::object roots;
        bool hasRoots = false;
        for (const simdjson::dom::key_value_pair member : members) {
            if (!keys.insert(member.key).second) {
                return false;
            }
            if (member.key == "version") {
                version = member.value.is_int64() ? member.value.get_int64().value_unsafe() : 0;
            } else if (member.key == "checksum" && member.value.is_string()) {
                m_outline.checksum = member.value.get_string().value_unsafe();
            } else if (member.key == "roots") {
                hasRoots = member.value.get_object().get(roots) == simdjson::SUCCESS;
            }
        }
        return version == kVersion && hasRoots && readRoots(roots);
    }

    // The shown roots in the order the browser walks them, whatever their order in the file;
    // the others only for their ids and GUIDs.
    [[nodiscard]] bool readRoots(simdjson::dom::object roots) {
        std::unordered_set<std::string_view> keys;
        std::array<simdjson::dom::object, kShownRoots.size()> shown;
        std::size_t shownSeen = 0;
        std::vector<simdjson::dom::object> others;
        for (const simdjson::dom::key_value_pair root : roots) {
            simdjson::dom::object node;
            if (!keys.insert(root.key).second) {
                return false;
            }
            if (root.value.get_object().get(node) != simdjson::SUCCESS) {
                continue;
            }
            const auto known = std::find(kShownRoots.begin(), kShownRoots.end(), root.key);
            if (known == kShownRoots.end()) {
                others.push_back(node);
            } else {
                shown[static_cast<std::size_t>(known - kShownRoots.begin())] = node;
                ++shownSeen;
            }
        }
        if (shownSeen != kShownRoots.size()) {
            return false;
        }
        for (std::size_t root = 0; root < shown.size(); ++root) {
            if (!readNode(shown[root], root)) {
                return false;
            }
        }
        return std::all_of(others.begin(), others.end(),
                           [this](simdjson::dom::object node) { return readNode(node, std::nullopt); });
    }

    // The node's own texts, then its children: a node in no shown root, or below a link, is
    // none of the browser's bookmarks, but its id and GUID are taken.
    [[nodiscard]] bool readNode(simdjson::dom::object members, std::optional<std::size_t> root) {
        OutlineNode node{root.value_or(0), {}, {}, {}, {}, {}};
        simdjson::dom::array children;
        bool hasChildren = false;
        bool listed = false;  // children of another kind are none
        for (const simdjson::dom::key_value_pair member : members) {
            std::string_view text;
            if (member.key == "children") {
                if (hasChildren) {
                    return false;
                }
                hasChildren = true;
                listed = member.value.get_array().get(children) == simdjson::SUCCESS;
            } else if (std::string_view* field = fieldOf(node, member.key);
                       field != nullptr && member.value.get_string().get(text) == simdjson::SUCCESS) {
                *field = text;
            }
        }
        takeIdAndGuid(node);
        if (root) {
            m_outline.nodes.push_back(node);
        }
        return !listed || readChildren(children, node.type == "url" ? std::nullopt : root);
    }

    [[nodiscard]] bool readChildren(simdjson::dom::array children, std::optional<std::size_t> root) {
        for (const simdjson::dom::element child : children) {
            simdjson::dom::object members;
            if (child.get_object().get(members) == simdjson::SUCCESS && !readNode(members, root)) {
                return false;
            }
        }
        return true;
    }

    [[nodiscard]] static std::string_view* fieldOf(OutlineNode& node, std::string_view key) {
        return key == "id"     ? &node.id
               : key == "name" ? &node.name
               : key == "type" ? &node.type
               : key == "url"  ? &node.url
               : key == "guid" ? &node.guid
                               : nullptr;
    }

    void takeIdAndGuid(const OutlineNode& node) {
        std::int64_t number = 0;
        const auto [end, error] = std::from_chars(node.id.data(), node.id.data() + node.id.size(), number);
        if (error == std::errc() && end == node.id.data() + node.id.size()) {
            m_outline.highestId = std::max(m_outline.highestId, number);
        }
        if (m_forEdit) {
            m_outline.guidHashes.push_back(platform::FoldedHash()(node.guid));
        }
    }

    Outline& m_outline;
    bool m_forEdit;
};

// The parser of this thread, which holds the texts an outline views. Its memory, as large as
// the largest file read, is kept for the next file: an export reads the old file and then
// the new one, and fresh memory for each costs more than the parse. So an outline's views
// hold until the next outline is read on the same thread.
[[nodiscard]] simdjson::dom::parser& threadParser() {
    thread_local simdjson::dom::parser parser;
    return parser;
}

// The text where the parsers may read past its end, as they do: where it stands when that much
// of the memory after it may be read (readable counts from the text's start), else a copy, in
// memory kept for the next text of this thread.
[[nodiscard]] simdjson::padded_string_view paddedViewOf(std::string_view text, std::size_t readable) {
    if (readable >= text.size() + simdjson::SIMDJSON_PADDING) {
        return simdjson::padded_string_view(text.data(), text.size(), readable);
    }
    thread_local simdjson::padded_string buffer;
    if (buffer.size() < text.size()) {
        buffer = simdjson::padded_string(text.size());
    }
    std::copy(text.begin(), text.end(), buffer.data());
    return simdjson::padded_string_view(buffer.data(), text.size(), buffer.size() + simdjson::SIMDJSON_PADDING);
}

using SimdjsonValue = simdjson::simdjson_result<simdjson::ondemand::value>;

// The value of a member of the object, as the outline's reader compares keys: unescaped.
[[nodiscard]] SimdjsonValue memberOf(SimdjsonValue object, std::string_view key) {
    simdjson::ondemand::object members;
    if (const simdjson::error_code error = object.get_object().get(members)) {
        return error;
    }
    for (auto member : members) {
        std::string_view name;
        if (const simdjson::error_code error = member.unescaped_key().get(name)) {
            return error;
        }
        if (name == key) {
            return member.value();
        }
    }
    return simdjson::NO_SUCH_FIELD;
}

// The text of an object or array as written: taking it passes over the value.
template <typename Container>
[[nodiscard]] simdjson::error_code containerText(simdjson::simdjson_result<Container> value, std::string_view& text) {
    Container container;
    const simdjson::error_code error = std::move(value).get(container);
    return error != simdjson::SUCCESS ? error : container.raw_json().get(text);
}

// A value's text as written, without the blanks after it.
[[nodiscard]] std::optional<std::string_view> writtenText(SimdjsonValue value) {
    simdjson::ondemand::json_type type{};
    std::string_view text;
    if (value.type().get(type) != simdjson::SUCCESS) {
        return std::nullopt;
    }
    const simdjson::error_code error =
        type == simdjson::ondemand::json_type::object  ? containerText(value.get_object(), text)
        : type == simdjson::ondemand::json_type::array ? containerText(value.get_array(), text)
                                                       : value.raw_json_token().get(text);
    if (error != simdjson::SUCCESS) {
        return std::nullopt;
    }
    return text.substr(0, text.find_last_not_of(" \t\n\r") + 1);
}

// Finds where an edit goes in a file whose outline was read, through the parser's index of the
// text's structure: the walk passes over the values before them without reading them.
[[nodiscard]] bool findSplicePoints(simdjson::padded_string_view text, SplicePoints& points) {
    simdjson::ondemand::parser parser;
    simdjson::ondemand::document file;
    simdjson::ondemand::object members;
    if (parser.iterate(text).get(file) != simdjson::SUCCESS || file.get_object().get(members) != simdjson::SUCCESS) {
        return false;
    }
    const auto offsetOf = [&text](std::string_view part) {
        return static_cast<std::size_t>(part.data() - text.data());
    };
    bool found = false;
    for (auto member : members) {
        std::string_view key;
        if (member.unescaped_key().get(key) != simdjson::SUCCESS) {
            return false;
        }
        if (key == "checksum") {
            const std::optional<std::string_view> value = writtenText(member.value());
            if (!value) {
                return false;
            }
            points.checksum = {offsetOf(*value), value->size()};
        } else if (key == "roots") {
            const std::optional<std::string_view> children =
                writtenText(memberOf(memberOf(member.value(), kOtherRoot), "children"));
            found = children && children->ends_with(']');
            if (found) {
                points.otherChildrenEnd = offsetOf(*children) + children->size() - 1;
            }
        }
    }
    return found;
}

// The one place a bookmark file is parsed: the import, the export and its check all read it so.
// Readable counts the bytes from the text's start that may be read, its own and those after it.
enum class Purpose { Read, Edit };
[[nodiscard]] std::unique_ptr<Outline> outlineOf(std::string_view text, std::size_t readable,
                                                 Purpose purpose = Purpose::Read) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const std::size_t start = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    const simdjson::padded_string_view padded = paddedViewOf(text.substr(start), readable - start);
    const bool forEdit = purpose == Purpose::Edit;
    // a file nested deeper than the browser reads is none of its files
    auto outline = std::make_unique<Outline>();
    simdjson::dom::parser& parser = threadParser();
    simdjson::dom::element file;
    if ((parser.capacity() < padded.size() && parser.allocate(padded.size(), kDeepestNesting) != simdjson::SUCCESS) ||
        parser.parse(padded).get(file) != simdjson::SUCCESS || !OutlineReader(*outline, forEdit).read(file) ||
        (forEdit && !findSplicePoints(padded, outline->splicePoints))) {
        return nullptr;
    }
    if (outline->splicePoints.checksum) {
        outline->splicePoints.checksum->first += start;
    }
    outline->splicePoints.otherChildrenEnd += start;
    return outline;
}

// The name as the checksum takes it, in UTF-16LE, made in the buffer given: most names are
// ASCII, whose code units are the bytes themselves.
std::string_view utf16leOf(std::string_view name, std::string& buffer) {
    if (!std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        buffer = platform::utf16leFromUtf8(name);
        return buffer;
    }
    buffer.resize(name.size() * 2);
    for (std::size_t i = 0; i < name.size(); ++i) {
        buffer[2 * i] = name[i];
        buffer[2 * i + 1] = '\0';
    }
    return buffer;
}

// The nodes as the browser's checksum covers them, and as a quick fingerprint that tells whether
// a text holds the nodes a checksum was computed over without computing it again; fed in the
// nodes' order, in as many pieces as wanted.
class NodesDigest final {
public:
    void add(std::span<const OutlineNode> nodes) {
        for (const OutlineNode& node : nodes) {
            m_checksum.update(node.id);
            m_checksum.update(utf16leOf(node.name, m_utf16));
            m_checksum.update(node.type == "url" ? "url" : "folder");
            if (node.type == "url") {
                m_checksum.update(node.url);
            }
            m_fingerprint = fingerprintWith(m_fingerprint, node);
        }
    }
    [[nodiscard]] std::string checksum() { return m_checksum.hexDigest(); }
    [[nodiscard]] std::uint64_t fingerprint() const { return m_fingerprint; }

    [[nodiscard]] static std::uint64_t fingerprintWith(std::uint64_t fingerprint, const OutlineNode& node) {
        constexpr std::uint64_t kPrime = 0x100000001b3;
        const std::hash<std::string_view> hash;
        fingerprint = (fingerprint ^ node.root) * kPrime;
        for (const std::string_view text : {node.id, node.name, node.type, node.url, node.guid}) {
            fingerprint = (fingerprint ^ hash(text)) * kPrime;
        }
        return fingerprint;
    }

private:
    platform::Md5 m_checksum;
    std::string m_utf16;
    std::uint64_t m_fingerprint = 0;
};

[[nodiscard]] std::uint64_t fingerprintOf(const std::vector<OutlineNode>& nodes) {
    std::uint64_t fingerprint = 0;
    for (const OutlineNode& node : nodes) {
        fingerprint = NodesDigest::fingerprintWith(fingerprint, node);
    }
    return fingerprint;
}

// A piece of new text to put in place of some of the old.
struct Splice {
    std::size_t at;
    std::size_t length;  // of the old text replaced
    std::string text;
};

// The new links before the end of the other bookmarks' children, and the checksum in place of
// the old one, or as the first member where the file states none.
[[nodiscard]] std::vector<Splice> splicesOf(std::string_view text, const SplicePoints& points,
                                            const std::string& checksum, const std::string& newNodes) {
    std::vector<Splice> splices;
    if (points.checksum) {
        splices.push_back({points.checksum->first, points.checksum->second, "\"" + checksum + "\""});
    } else {
        splices.push_back({text.find('{') + 1, 0, "\"checksum\": \"" + checksum + "\", "});
    }
    const std::size_t end = points.otherChildrenEnd;
    // the array holds something when anything but blanks stands between its brackets
    const std::size_t last = text.find_last_not_of(" \t\n\r", end - 1);
    if (!newNodes.empty()) {
        splices.push_back({end, 0, (text[last] == '[' ? "" : ", ") + newNodes});
    }
    std::sort(splices.begin(), splices.end(), [](const Splice& a, const Splice& b) { return a.at < b.at; });
    return splices;
}

// A text the JSON writer takes as it is: bytes that are no UTF-8 become U+FFFD.
[[nodiscard]] std::string validUtf8(std::string_view text) {
    return simdjson::validate_utf8(text.data(), text.size())
               ? std::string(text)
               : platform::utf8FromUtf16le(platform::utf16leFromUtf8(text));
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

// A random (version 4) GUID in lower case.
[[nodiscard]] std::string randomGuid(std::mt19937_64& random) {
    constexpr std::string_view kHex = "0123456789abcdef";
    const std::array<std::uint64_t, 2> bits{random(), random()};
    std::string guid;
    for (int i = 0; i < 32; ++i) {
        const auto digit = static_cast<unsigned>(bits[i / 16] >> (4 * (i % 16)) & 0xF);
        guid += i == 12 ? '4' : i == 16 ? kHex[8 + (digit & 3)] : kHex[digit];
        if (i == 7 || i == 11 || i == 15 || i == 19) {
            guid += '-';
        }
    }
    return guid;
}

// As many new GUIDs as asked, no two alike and none the file holds (taken: the hashes of its
// GUIDs, without regard to case).
[[nodiscard]] std::vector<std::string> newGuids(std::size_t count, const std::vector<std::size_t>& taken) {
    std::mt19937_64 random(std::random_device{}());
    for (;;) {
        std::vector<std::string> guids;
        std::unordered_set<std::size_t> drawn;
        while (guids.size() < count) {
            std::string guid = randomGuid(random);
            if (drawn.insert(platform::FoldedHash()(guid)).second) {
                guids.push_back(std::move(guid));
            }
        }
        // a draw that meets a GUID of the file, as good as never, is drawn again whole
        if (std::none_of(taken.begin(), taken.end(), [&drawn](std::size_t hash) { return drawn.contains(hash); })) {
            return guids;
        }
    }
}

// A new link as the browser writes one, after those before it. The texts of the user go
// through the JSON writer; the others are digits, hex and the key names.
void appendNode(std::string& nodes, const OutlineNode& node, std::string_view date) {
    nodes.append(nodes.empty() ? "" : ", ")
        .append(R"({"date_added":")")
        .append(date)
        .append(R"(","date_last_used":"0","guid":")")
        .append(node.guid)
        .append(R"(","id":")")
        .append(node.id)
        .append(R"(","name":)")
        .append(Json(node.name).dump())
        .append(R"(,"type":"url","url":)")
        .append(Json(node.url).dump())
        .append("}");
}

// Names compared as the export compares them: letters A to Z without regard to case.
using NameSet = std::unordered_set<std::string_view, platform::FoldedHash, platform::FoldedEqual>;

// The names of the new links that links of the file bear already. The few new names are looked
// up for each of the file's many links, which need no table of their own.
[[nodiscard]] NameSet namesInFile(const std::vector<OutlineNode>& nodes, const std::vector<Link>& links) {
    NameSet wanted;
    for (const Link& link : links) {
        wanted.insert(link.name);
    }
    NameSet taken;
    for (const OutlineNode& node : nodes) {
        if (node.type == "url" && wanted.contains(node.name)) {
            taken.insert(node.name);
        }
    }
    return taken;
}

// The links an edit adds: their nodes, the texts those view, and the nodes as JSON.
struct NewLinks {
    std::vector<OutlineNode> nodes;
    std::deque<std::string> texts;
    std::string json;
};

// The links whose names the file does not hold yet, as new links of the other bookmarks; one
// without a scheme, which the browser would drop, is left out.
void makeNewLinks(const std::vector<Link>& links, Outline& outline, std::int64_t now, NewLinks& made) {
    const NameSet namesTaken = namesInFile(outline.nodes, links);
    // compared with the file as it was read: two new links of one name are both written
    std::vector<const Link*> added;
    for (const Link& link : links) {
        if (!namesTaken.contains(link.name) && schemeEnd(link.url)) {
            added.push_back(&link);
        }
    }
    std::vector<std::string> guids = newGuids(added.size(), outline.guidHashes);
    const auto keep = [&made](std::string text) -> std::string_view {
        return made.texts.emplace_back(std::move(text));
    };
    const std::string date = std::to_string(now);
    for (std::size_t i = 0; i < added.size(); ++i) {
        const OutlineNode node{1,
                               keep(std::to_string(++outline.highestId)),
                               keep(validUtf8(added[i]->name)),
                               "url",
                               keep(validUtf8(added[i]->url)),
                               keep(std::move(guids[i]))};
        appendNode(made.json, node, date);
        made.nodes.push_back(node);
    }
}

}  // namespace

bool readChromiumBookmarks(std::string_view text, LinkTable& table) {
    const std::unique_ptr<Outline> outline = outlineOf(text, text.size());
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
    const std::unique_ptr<Outline> outline = outlineOf(text, text.size());
    if (!outline) {
        return std::nullopt;
    }
    NodesDigest digest;
    digest.add(outline->nodes);
    return digest.checksum();
}

std::optional<ChromiumBookmarksEdit> addToOtherBookmarks(std::string_view text, const std::vector<Link>& links,
                                                         std::int64_t now) {
    const std::string fresh = text.empty() ? emptyBookmarks(now).dump(3) + "\n" : std::string();
    const std::string_view source = text.empty() ? std::string_view(fresh) : text;
    std::unique_ptr<Outline> outline = outlineOf(source, source.size(), Purpose::Edit);
    if (!outline) {
        return std::nullopt;
    }
    // the new links are the last nodes of the other bookmarks: before the mobile ones
    const auto mobile = std::find_if(outline->nodes.begin(), outline->nodes.end(),
                                     [](const OutlineNode& node) { return node.root == 2; });
    // the checksum of the nodes before them is begun on another core while they are made
    NodesDigest digest;
    std::future<void> before =
        std::async(platform::kOnSpareCore, [&] { digest.add(std::span(outline->nodes.begin(), mobile)); });
    NewLinks added;
    makeNewLinks(links, *outline, now, added);
    before.get();
    digest.add(added.nodes);
    digest.add(std::span(mobile, outline->nodes.end()));
    ChromiumBookmarksEdit edit;
    edit.added = added.nodes.size();
    edit.fingerprint = digest.fingerprint();
    edit.checksum = digest.checksum();
    // everything else of the file stays exactly as it was written
    std::size_t from = 0;
    edit.text.reserve(source.size() + added.json.size() + 64 + simdjson::SIMDJSON_PADDING);
    for (const Splice& splice : splicesOf(source, outline->splicePoints, edit.checksum, added.json)) {
        edit.text.append(source.substr(from, splice.at - from)).append(splice.text);
        from = splice.at + splice.length;
    }
    edit.text.append(source.substr(from));
    return edit;
}

bool isEditAsMeant(const ChromiumBookmarksEdit& edit) {
    const std::unique_ptr<Outline> written = outlineOf(edit.text, edit.text.capacity());
    return written && written->checksum == edit.checksum && fingerprintOf(written->nodes) == edit.fingerprint;
}

std::int64_t chromiumTimeNow() {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::microseconds>(sinceEpoch).count() + kMicrosecondsBefore1970;
}

}  // namespace browsers
