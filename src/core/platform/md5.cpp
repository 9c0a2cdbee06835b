#include "core/platform/md5.h"

#include <algorithm>
#include <bit>

namespace platform {
namespace {

// The per-step shifts and the sine table of the algorithm.
constexpr std::array<int, 64> kShifts{7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                                      5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                                      4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                                      6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};

constexpr std::array<std::uint32_t, 64> kSines{
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

[[nodiscard]] std::uint32_t littleEndianAt(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

}  // namespace

Md5::Md5() : m_state{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476} {}

void Md5::update(std::string_view bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t size = bytes.size();
    std::size_t used = m_length % 64;
    m_length += size;
    // whole blocks are digested where they lie; only the pieces around them are gathered
    if (used != 0) {
        const std::size_t taken = std::min(size, 64 - used);
        std::copy_n(data, taken, m_block.data() + used);
        data += taken;
        size -= taken;
        used += taken;
        if (used < 64) {
            return;
        }
        transform(m_block.data());
    }
    for (; size >= 64; data += 64, size -= 64) {
        transform(data);
    }
    std::copy_n(data, size, m_block.data());
}

std::string Md5::hexDigest() {
    const std::uint64_t bits = m_length * 8;
    update(std::string_view("\x80", 1));
    while (m_length % 64 != 56) {
        update(std::string_view("\0", 1));
    }
    std::string length;
    for (int i = 0; i < 8; ++i) {
        length += static_cast<char>((bits >> (8 * i)) & 0xFF);
    }
    update(length);
    constexpr std::string_view kHex = "0123456789abcdef";
    std::string digest;
    for (const std::uint32_t word : m_state) {
        for (int i = 0; i < 4; ++i) {
            const unsigned byte = (word >> (8 * i)) & 0xFF;
            digest += kHex[byte >> 4];
            digest += kHex[byte & 0xF];
        }
    }
    return digest;
}

// The four rounds, sixteen steps each, spelled out so that every step's word, shift and sine
// are constants: the loop of the algorithm's definition runs at half the speed.
void Md5::transform(const unsigned char* block) {
    std::array<std::uint32_t, 16> words{};
    for (std::size_t i = 0; i < words.size(); ++i) {
        words[i] = littleEndianAt(block + 4 * i);
    }
    std::uint32_t a = m_state[0];
    std::uint32_t b = m_state[1];
    std::uint32_t c = m_state[2];
    std::uint32_t d = m_state[3];
    const auto step = [&](std::size_t i, std::uint32_t mixed, std::size_t word) {
        const std::uint32_t next = d;
        d = c;
        c = b;
        b += std::rotl(a + mixed + kSines[i] + words[word], kShifts[i]);
        a = next;
    };
#pragma GCC unroll 16
    for (std::size_t i = 0; i < 16; ++i) {
        step(i, (b & c) | (~b & d), i);
    }
#pragma GCC unroll 16
    for (std::size_t i = 16; i < 32; ++i) {
        step(i, (d & b) | (~d & c), (5 * i + 1) % 16);
    }
#pragma GCC unroll 16
    for (std::size_t i = 32; i < 48; ++i) {
        step(i, b ^ c ^ d, (3 * i + 5) % 16);
    }
#pragma GCC unroll 16
    for (std::size_t i = 48; i < 64; ++i) {
        step(i, c ^ (b | ~d), (7 * i) % 16);
    }
    m_state[0] += a;
    m_state[1] += b;
    m_state[2] += c;
    m_state[3] += d;
}

}  // namespace platform
