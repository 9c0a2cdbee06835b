#pragma once

#include <string>
#include <string_view>

namespace testing_support {

// A fresh folder under the system's temporary folder, removed with all its contents
// when the object goes.
class TempFolder final {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    [[nodiscard]] const std::string& path() const { return m_path; }
    // path()/relative
    [[nodiscard]] std::string operator/(std::string_view relative) const;

private:
    std::string m_path;
};

// Writes a file (creating its folders); fails the test when it cannot.
void writeFile(const std::string& path, std::string_view contents);
// The whole file; empty when it cannot be read.
[[nodiscard]] std::string readFile(const std::string& path);

}  // namespace testing_support
