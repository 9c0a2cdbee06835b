// Feeds arbitrary bytes to the reader of the Chromium family's bookmark files and to the
// export's editor: whatever they hold, both end; a file the editor takes is one the reader
// takes, and the text written back is one the browser loads with its checksum right and
// every link kept. The same bytes
// as a "Local State" always leave at least one profile that stays in its user-data folder.
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string_view>

#include "core/browsers/chromium_bookmarks.h"
#include "core/browsers/chromium_profiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    browsers::LinkTable table;
    const bool read = browsers::readChromiumBookmarks(text, table);
    const std::optional<browsers::ChromiumBookmarksEdit> edit =
        browsers::addToOtherBookmarks(text, {{"Fuzz", "http://fuzz/"}, {"\xff", "x:\xff"}}, 0);
    if (!text.empty() && edit && !read) {
        __builtin_trap();
    }
    browsers::LinkTable written;
    if (edit && !(browsers::isEditAsMeant(*edit) && browsers::readChromiumBookmarks(edit->text, written) &&
                  browsers::chromiumChecksum(edit->text) == nlohmann::json::parse(edit->text)["checksum"] &&
                  written.size() == table.size() + edit->added)) {
        __builtin_trap();
    }
    const browsers::ChromiumProfiles profiles = browsers::chromiumProfilesFromLocalState(text);
    if (profiles.listed.empty() || profiles.lastUsed.folder.empty() ||
        profiles.lastUsed.folder.find('/') != std::string::npos) {
        __builtin_trap();
    }
    return 0;
}
