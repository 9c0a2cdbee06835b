#pragma once

#include <cstdint>

// The OS probe: which Windows version the program believes it runs on. The answer decides
// whether skinning is enabled (OS codes -1 and 0 only).
namespace platform {

inline constexpr std::int32_t kPlatformWindowsNT = 2;

struct OsVersionRecord {
    std::int16_t osCode = 0;
    std::int32_t majorVersion = 0;
    std::int32_t minorVersion = 0;
};

// The OS code of a Windows version:
//   -1 XP-class (5.x after 2000)   0 2000 (5.0)          1 NT 4.0
//    2 95 (4.0)   3 98 (4.10)   4 Me (4.90)   5 NT 3.x   6 other 3.x
//    7 anything else (6 and later, or below 3).
// A non-NT 4.x of another minor version keeps the code the caller had.
[[nodiscard]] std::int16_t osCodeFor(std::int32_t major, std::int32_t minor, std::int32_t platformId,
                                     std::int16_t previousCode);

// Fills the record as this system answers: Windows NT 10.0, so the OS code is 7.
// Always succeeds.
bool probeOs(OsVersionRecord& record);

}  // namespace platform
