#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/browsers/bookmark_reader.h"

// The "Bookmarks" file of a Chromium-family profile: JSON whose "roots" hold the bookmark
// bar ("bookmark_bar"), the other bookmarks ("other") and the mobile ones ("synced"), each
// a folder node; a node is a link ("type": "url", with "url") or a folder (with "children"),
// and carries its "id", "guid", "name" and "date_added" (microseconds since 1601, as text).
// The file's "checksum" is an MD5 over the nodes the browser checks it against.
namespace browsers {

inline constexpr std::string_view kChromiumBookmarksFileName = "Bookmarks";

// Appends every link of the file to the table as (name, URL), depth first: the bookmark bar,
// the other bookmarks, then the mobile ones, a folder's links where the folder stands. False,
// with the table unchanged, when the text is no bookmark file the browser would load (not
// JSON, nested beyond its limit, another version, or without its roots): the browser then
// shows no bookmarks at all, and neither does the program.
[[nodiscard]] bool readChromiumBookmarks(std::string_view text, LinkTable& table);

// The checksum of a bookmark file as the browser computes it: MD5 (lower-case hex) over the
// nodes of the three roots, depth first in the order bar, other, mobile, the roots included:
// each node's id, its name as UTF-16LE, then "url" and the URL, or "folder". Nothing when
// the text is no bookmark file the browser would load.
[[nodiscard]] std::optional<std::string> chromiumChecksum(std::string_view text);

// The text with the links added at the end of the other bookmarks, each left out when a
// link of its name (letters A to Z compared without regard to case) is in the file already,
// or when its address has no scheme (the browser would drop it).
// New links get ids above every id in the file, fresh GUIDs and "now" as their date, in the
// browser's time (microseconds since 1601-01-01 UTC); the checksum is written anew.
// Everything else (nodes, keys, values, other roots) is kept as it was. Nothing when the text
// is no bookmark file the browser would load; an empty text stands for a profile that has no
// bookmark file yet.
struct ChromiumBookmarksEdit {
    std::string text;
    std::size_t added = 0;  // links written
    // what the text must show when read as the browser reads it: its nodes' fingerprint, and
    // the checksum computed over them
    std::uint64_t fingerprint = 0;
    std::string checksum;
};
[[nodiscard]] std::optional<ChromiumBookmarksEdit> addToOtherBookmarks(std::string_view text,
                                                                       const std::vector<Link>& links,
                                                                       std::int64_t now);

// True when the edit's text, read as the browser reads it, holds the nodes its checksum was
// computed over and states that checksum: the browser loads it with every bookmark meant.
[[nodiscard]] bool isEditAsMeant(const ChromiumBookmarksEdit& edit);

// The browser's time of this moment: microseconds since 1601-01-01 UTC.
[[nodiscard]] std::int64_t chromiumTimeNow();

}  // namespace browsers
