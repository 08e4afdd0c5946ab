// Identifiers made from the local time, "2024_03_05_07_08_09_012" (year, month, day, hour, minute,
// second, millisecond). They name profiles and macros, so they must never collide.
#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace v38 {

using WallClock = std::function<std::chrono::system_clock::time_point()>;

// The identifier of the given moment in local time.
std::string makeTimestampId(std::chrono::system_clock::time_point when);
// The identifier of now.
std::string makeTimestampId();

// The identifier of now (or of clock() when given), moved forward one millisecond at a time while
// taken(id) says it is in use. Empty when no free identifier turns up within a bounded search.
std::string makeUniqueTimestampId(const std::function<bool(const std::string&)>& taken,
                                  const WallClock& clock = {});

} // namespace v38
