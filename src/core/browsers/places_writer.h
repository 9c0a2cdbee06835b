#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Adding links to the bookmarks of a Linux desktop's Firefox, in its database, with the rows
// Firefox itself writes for a bookmark made by hand.
namespace browsers {

// A link as Firefox receives it.
struct PlacesLink {
    std::string name;
    std::string url;
};

// What an export into a Firefox database came to.
enum class PlacesWrite {
    Written,         // the links are at the end of the Bookmarks Menu
    InUse,           // Firefox runs on the profile; nothing was read or written
    UnknownVersion,  // a database of a version never tried; nothing was written
    NotWritten,      // the database could not be copied, read or written; it is as it was
};

// The number Firefox finds an address by: a 32-bit hash of the first 1500 bytes of the
// address, with the hash of its scheme (the text before a ':' among its first 50 bytes)
// in the 16 bits above. A row whose number is wrong is listed but never found by address.
[[nodiscard]] std::int64_t firefoxUrlHash(std::string_view url);

// Adds a bookmark per link at the end of the Bookmarks Menu of the profile's places.sqlite,
// in order, but for a link whose name a bookmark of the database bears already (letters A to
// Z compared without regard to case), and for one whose address has no scheme, which Firefox
// would not take. Nothing is done while Firefox runs on the profile. Before anything is
// written, the database and its write-ahead log are copied into the kept-copy folder, and the
// copy is what is read; everything is written in one transaction, so after any failure the
// database is as it was.
[[nodiscard]] PlacesWrite addToBookmarksMenu(const std::string& profileFolder, const std::string& keptCopyFolder,
                                             const std::vector<PlacesLink>& links);

}  // namespace browsers
