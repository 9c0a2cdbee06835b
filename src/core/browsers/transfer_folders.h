#pragma once

#include <string_view>

// The staging folder every import and export goes through: the links wait there on their way.
namespace browsers {

// Deletes the staging folder with everything in it and makes it again, empty. The folders
// above it are made when missing, open to their owner alone. A staging folder that could
// not be deleted keeps what is left in it. True when the folder was made anew, empty.
bool emptyStagingFolder(std::string_view stagingFolder);

}  // namespace browsers
