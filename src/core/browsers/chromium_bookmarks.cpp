#include "core/browsers/chromium_bookmarks.h"

#include <array>
#include <charconv>
#include <chrono>
#include <nlohmann/json.hpp>
#include <random>
#include <unordered_set>

#include "core/platform/ascii.h"
#include "core/platform/md5.h"
#include "core/platform/utf16.h"

namespace browsers {

namespace {

// Keys keep the order the file has them in, so that a file written back differs from the
// one read only where links were added.
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

// Looked at before parsing: the nesting stays within the browser's limit (and the walks
// below within the stack).
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

[[nodiscard]] std::optional<Json> parseBookmarks(std::string_view text) {
    if (!nestsWithinLimit(text)) {
        return std::nullopt;
    }
    Json file = Json::parse(text, nullptr, false);
    if (!file.is_object() || file.value("version", Json()) != kVersion) {
        return std::nullopt;
    }
    const auto roots = file.find("roots");
    if (roots == file.end() || !roots->is_object()) {
        return std::nullopt;
    }
    for (const std::string_view root : kShownRoots) {
        const auto found = roots->find(root);
        if (found == roots->end() || !found->is_object()) {
            return std::nullopt;
        }
    }
    return file;
}

[[nodiscard]] std::string_view textOf(const Json& node, std::string_view key) {
    const auto found = node.find(key);
    return found != node.end() && found->is_string() ? std::string_view(found->get_ref<const std::string&>())
                                                     : std::string_view();
}

[[nodiscard]] bool isLink(const Json& node) { return textOf(node, "type") == "url"; }

// Visits every node below and with the root, depth first, a folder's children in order.
template <typename Visit>
void walkDepthFirst(const Json& root, Visit&& visit) {
    std::vector<const Json*> pending{&root};
    while (!pending.empty()) {
        const Json& node = *pending.back();
        pending.pop_back();
        if (!node.is_object()) {
            continue;
        }
        visit(node);
        const auto children = node.find("children");
        if (!isLink(node) && children != node.end() && children->is_array()) {
            for (auto child = children->rbegin(); child != children->rend(); ++child) {
                pending.push_back(&*child);
            }
        }
    }
}

template <typename Visit>
void walkShownRoots(const Json& file, Visit&& visit) {
    const Json& roots = file["roots"];
    for (const std::string_view root : kShownRoots) {
        walkDepthFirst(roots.find(root).value(), visit);
    }
}

[[nodiscard]] std::string checksumOf(const Json& file) {
    platform::Md5 digest;
    walkShownRoots(file, [&](const Json& node) {
        digest.update(textOf(node, "id"));
        digest.update(platform::utf16leFromUtf8(textOf(node, "name")));
        if (isLink(node)) {
            digest.update("url");
            digest.update(textOf(node, "url"));
        } else {
            digest.update("folder");
        }
    });
    return digest.hexDigest();
}

[[nodiscard]] std::size_t linksOf(const Json& file) {
    std::size_t links = 0;
    walkShownRoots(file, [&](const Json& node) { links += isLink(node) ? 1 : 0; });
    return links;
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

// What the file holds already: the highest id and every GUID of all its roots, and the names
// of the links it shows.
struct Taken {
    std::int64_t highestId = 0;
    std::unordered_set<std::string> guids;
    std::unordered_set<std::string> linkNames;  // in lower case
};

[[nodiscard]] Taken takenIn(const Json& file) {
    Taken taken;
    for (const auto& [key, root] : file["roots"].items()) {
        walkDepthFirst(root, [&](const Json& node) {
            const std::string_view id = textOf(node, "id");
            std::int64_t number = 0;
            const auto [end, error] = std::from_chars(id.data(), id.data() + id.size(), number);
            if (error == std::errc() && end == id.data() + id.size()) {
                taken.highestId = std::max(taken.highestId, number);
            }
            taken.guids.insert(platform::toLowerAscii(textOf(node, "guid")));
        });
    }
    walkShownRoots(file, [&](const Json& node) {
        if (isLink(node)) {
            taken.linkNames.insert(platform::toLowerAscii(textOf(node, "name")));
        }
    });
    return taken;
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
    const std::optional<Json> file = parseBookmarks(text);
    if (!file) {
        return false;
    }
    walkShownRoots(*file, [&](const Json& node) {
        if (isLink(node)) {
            table.add(textOf(node, "name"), textOf(node, "url"));
        }
    });
    return true;
}

std::optional<std::string> chromiumChecksum(std::string_view text) {
    const std::optional<Json> file = parseBookmarks(text);
    return file ? std::optional<std::string>(checksumOf(*file)) : std::nullopt;
}

std::optional<ChromiumBookmarksEdit> addToOtherBookmarks(std::string_view text, const std::vector<Link>& links,
                                                         std::int64_t now) {
    std::optional<Json> file = text.empty() ? emptyBookmarks(now) : parseBookmarks(text);
    if (!file) {
        return std::nullopt;
    }
    Json& other = (*file)["roots"][std::string(kOtherRoot)];
    Json& children = other["children"];
    if (children.is_null()) {
        children = Json::array();
    }
    if (!children.is_array()) {
        return std::nullopt;
    }
    Taken taken = takenIn(*file);
    ChromiumBookmarksEdit edit;
    edit.links = linksOf(*file);
    std::mt19937_64 random(std::random_device{}());
    for (const Link& link : links) {
        // compared with the file as it was read: two new links of one name are both written
        if (taken.linkNames.contains(platform::toLowerAscii(link.name))) {
            continue;
        }
        children.push_back(Json{{"date_added", std::to_string(now)},
                                {"date_last_used", "0"},
                                {"guid", newGuid(random, taken.guids)},
                                {"id", std::to_string(++taken.highestId)},
                                {"name", validUtf8(link.name)},
                                {"type", "url"},
                                {"url", validUtf8(link.url)}});
        ++edit.added;
    }
    edit.links += edit.added;
    if (edit.added > 0) {
        other["date_modified"] = std::to_string(now);
    }
    (*file)["checksum"] = checksumOf(*file);
    // the browser writes its files with three blanks of indentation and a final line end
    edit.text = file->dump(3, ' ', false, Json::error_handler_t::replace) + "\n";
    return edit;
}

std::int64_t chromiumTimeNow() {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::microseconds>(sinceEpoch).count() + kMicrosecondsBefore1970;
}

bool isSoundChromiumBookmarks(std::string_view text, std::size_t links) {
    const std::optional<Json> file = parseBookmarks(text);
    return file && textOf(*file, "checksum") == checksumOf(*file) && linksOf(*file) == links;
}

}  // namespace browsers
