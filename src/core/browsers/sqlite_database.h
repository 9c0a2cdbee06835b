#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>
#include <string_view>

// Handles of SQLite databases and statements that close themselves, and the copying of a
// database together with the write-ahead log that holds its newest changes.
namespace browsers {

struct CloseDatabase {
    void operator()(sqlite3* database) const { sqlite3_close(database); }
};
using Database = std::unique_ptr<sqlite3, CloseDatabase>;

struct FinalizeStatement {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

// The file beside a database that keeps its newest changes until they are written into it.
inline constexpr std::string_view kWriteAheadLogSuffix = "-wal";

// Opens an existing database for reading, or for reading and writing; nothing when it cannot
// be opened. A database from another program is data: no function its schema names is run.
[[nodiscard]] Database openDatabase(const std::string& path, bool writable);

// Nothing when the database has no such tables (it is not the expected one) or cannot be read.
[[nodiscard]] Statement prepare(sqlite3* database, const char* sql);

// A column's text; empty for NULL.
[[nodiscard]] std::string_view columnText(sqlite3_stmt* statement, int column);

// Binds a text to a parameter (counted from 1) for as long as the text lives.
[[nodiscard]] bool bindText(sqlite3_stmt* statement, int parameter, std::string_view text);

// Copies the database and, when there is one, its write-ahead log beside the copy; a log
// left beside the copy from before is removed. False when no complete copy could be made.
[[nodiscard]] bool copyDatabase(const std::string& databasePath, const std::string& copyPath);

}  // namespace browsers
