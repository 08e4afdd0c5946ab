#include "core/platform/debug_log.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

namespace v38 {

namespace {
std::mutex sinkMutex;
DebugSink currentSink;

bool environmentAsksForDebug() {
    const char* value = std::getenv("V38_DEBUG");
    return value && *value && std::string_view(value) != "0";
}
} // namespace

bool debugOutputEnabled() {
    std::lock_guard lock(sinkMutex);
    return currentSink || environmentAsksForDebug();
}

void debugOutput(std::string_view line) {
    std::lock_guard lock(sinkMutex);
    if (currentSink) {
        currentSink(line);
        return;
    }
    if (!environmentAsksForDebug())
        return;
    std::string text(line);
    text.push_back('\n');
    std::fwrite(text.data(), 1, text.size(), stderr);
}

DebugSink setDebugSink(DebugSink sink) {
    std::lock_guard lock(sinkMutex);
    DebugSink previous = std::move(currentSink);
    currentSink = std::move(sink);
    return previous;
}

} // namespace v38
