#pragma once

#include <future>

namespace platform {

// Work given to std::async with this runs on a thread of its own, on another core where the PC
// has one, while the caller goes on; where no thread can be started, it is done when its
// result is asked for.
inline constexpr std::launch kOnSpareCore = std::launch::async | std::launch::deferred;

}  // namespace platform
