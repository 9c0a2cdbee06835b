#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

// A file in a fresh temporary folder that a fuzz target rewrites on every run; the folder
// goes when the process ends.
class ScratchFile final {
public:
    explicit ScratchFile(std::string_view name) {
        std::string pattern = (std::filesystem::temp_directory_path() / "dorvane-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        m_folder = pattern;
        m_path = m_folder + "/" + std::string(name);
    }
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    [[nodiscard]] const std::string& path() const { return m_path; }

    // Replaces the file's contents with the bytes.
    void write(std::string_view bytes) const { std::ofstream(m_path, std::ios::binary | std::ios::trunc) << bytes; }

private:
    std::string m_folder;
    std::string m_path;
};
