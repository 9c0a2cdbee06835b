#pragma once

#include <string>
#include <string_view>

#include "core/browsers/bookmark_reader.h"

// Reading the bookmarks a Firefox profile keeps in its database, places.sqlite, into the
// same link table a bookmark file is read into.
namespace browsers {

// The bookmark database of a Firefox profile.
inline constexpr std::string_view kPlacesFileName = "places.sqlite";

// Appends every bookmark of a places database to the table as (title, URL), in the order of
// the bookmark tree: folder by folder from the top, each folder's entries by position, the
// bookmarks of a subfolder where the subfolder stands. Left out: the tags and the entries
// below them, separators, folders and "place:" queries. Titles and URLs are stored without
// escapes and are taken as they are; a bookmark without a title gets an empty name.
//
// The browser's files are only read: the database and its write-ahead log are copied into a
// fresh folder in the scratch folder, the copy is read there and deleted with that folder.
// So a running Firefox's lock does not stand in the way, its newest bookmarks are read, and
// nothing is ever written beside its files.
//
// False, with the table unchanged, when no copy can be made or the copy is no bookmark
// database that can be read (damaged, of another program, or not a database at all).
[[nodiscard]] bool readPlacesDatabase(const std::string& databasePath, std::string_view scratchFolder,
                                      LinkTable& table);

}  // namespace browsers
