#include "core/platform/os_probe.h"

namespace platform {
namespace {

// What this system reports itself as.
constexpr std::int32_t kReportedMajor = 10;
constexpr std::int32_t kReportedMinor = 0;

[[nodiscard]] std::int16_t codeOfVersion4(std::int32_t minor, bool nt, std::int16_t previousCode) {
    if (nt) {
        return 1;
    }
    switch (minor) {
        case 0:
            return 2;
        case 10:
            return 3;
        case 90:
            return 4;
        default:
            return previousCode;
    }
}

}  // namespace

std::int16_t osCodeFor(std::int32_t major, std::int32_t minor, std::int32_t platformId, std::int16_t previousCode) {
    const bool nt = platformId == kPlatformWindowsNT;
    switch (major) {
        case 5:
            return minor == 0 ? 0 : -1;
        case 4:
            return codeOfVersion4(minor, nt, previousCode);
        case 3:
            return nt ? 5 : 6;
        default:
            return 7;
    }
}

bool probeOs(OsVersionRecord& record) {
    record.majorVersion = kReportedMajor;
    record.minorVersion = kReportedMinor;
    record.osCode = osCodeFor(kReportedMajor, kReportedMinor, kPlatformWindowsNT, record.osCode);
    return true;
}

}  // namespace platform
