// How code outside the window reaches it: window messages with their numbers and two values, posted
// (queued, returns at once) or sent (runs on the UI thread and waits for the answer).
#pragma once

#include <cstdint>

namespace v38 {

class MessageSink {
public:
    virtual ~MessageSink() = default;

    virtual void post(unsigned message, intptr_t wParam, intptr_t lParam) = 0;
    // Returns the handler's answer; returns 0 without waiting once shutdown has started, so a worker
    // blocked here can always be joined.
    virtual intptr_t send(unsigned message, intptr_t wParam, intptr_t lParam) = 0;
};

} // namespace v38
