// The debug stream: diagnostic texts that are never shown to the user. They go to stderr when the
// environment variable V38_DEBUG is set and nowhere otherwise; tests install their own sink.
#pragma once

#include <functional>
#include <string_view>

namespace v38 {

bool debugOutputEnabled();
// Writes one line (a newline is added).
void debugOutput(std::string_view line);

using DebugSink = std::function<void(std::string_view line)>;
// Replaces where debug lines go; an empty sink restores the default. Returns the previous sink.
DebugSink setDebugSink(DebugSink sink);

} // namespace v38
