// MessageSink: how core code and worker threads reach the main window. post() queues a message and
// returns; send() runs the window's handler on its own thread and waits for the result.
#pragma once

#include <cstdint>

namespace v38 {

class MessageSink {
public:
    virtual ~MessageSink() = default;

    virtual void post(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
    // Called on the window's thread, the handler runs at once. From any other thread the caller
    // waits until the handler ran, or until shutdown begins; then the result is 0.
    virtual intptr_t send(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
};

} // namespace v38
