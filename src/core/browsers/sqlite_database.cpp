#include "core/browsers/sqlite_database.h"

#include <filesystem>
#include <system_error>

namespace browsers {

namespace fs = std::filesystem;

Database openDatabase(const std::string& path, bool writable) {
    sqlite3* handle = nullptr;
    const int flags = writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY;
    const int result = sqlite3_open_v2(path.c_str(), &handle, flags, nullptr);
    Database database(handle);
    if (result != SQLITE_OK) {
        return nullptr;
    }
    sqlite3_db_config(handle, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    return database;
}

Statement prepare(sqlite3* database, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(database, sql, -1, &statement, nullptr);
    return Statement(statement);
}

std::string_view columnText(sqlite3_stmt* statement, int column) {
    const unsigned char* text = sqlite3_column_text(statement, column);
    if (text == nullptr) {
        return {};
    }
    return {reinterpret_cast<const char*>(text), static_cast<std::size_t>(sqlite3_column_bytes(statement, column))};
}

bool bindText(sqlite3_stmt* statement, int parameter, std::string_view text) {
    return sqlite3_bind_text(statement, parameter, text.data(), static_cast<int>(text.size()), SQLITE_STATIC) ==
           SQLITE_OK;
}

bool copyDatabase(const std::string& databasePath, const std::string& copyPath) {
    const std::string log = databasePath + std::string(kWriteAheadLogSuffix);
    const std::string logCopy = copyPath + std::string(kWriteAheadLogSuffix);
    std::error_code error;
    fs::remove(logCopy, error);
    if (!fs::copy_file(databasePath, copyPath, fs::copy_options::overwrite_existing, error)) {
        return false;
    }
    // without its log the copy would miss the newest bookmarks
    return !fs::exists(log, error) || fs::copy_file(log, logCopy, error);
}

}  // namespace browsers
