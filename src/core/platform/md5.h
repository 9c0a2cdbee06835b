#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The MD5 digest, fed in pieces. Browsers stamp their bookmark files with it, so a file the
// program writes must carry the digest the browser would compute.
namespace platform {

class Md5 final {
public:
    Md5();

    void update(std::string_view bytes);
    // The digest of everything fed, as 32 lower-case hex digits; the object is used up.
    [[nodiscard]] std::string hexDigest();

private:
    void transform(const unsigned char* block);

    std::array<std::uint32_t, 4> m_state;
    std::array<unsigned char, 64> m_block{};
    std::uint64_t m_length = 0;  // bytes fed
};

}  // namespace platform
