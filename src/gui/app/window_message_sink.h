// The main window as the MessageSink of workers: posted messages queue on the event loop, sent ones
// run there while the worker waits, until shutdown releases every waiting worker.
#pragma once

#include "core/platform/message_sink.h"

#include <condition_variable>
#include <memory>
#include <mutex>

namespace v38 {

class WindowBase;

class WindowMessageSink : public MessageSink {
public:
    explicit WindowMessageSink(WindowBase* window);
    ~WindowMessageSink() override;

    void post(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    intptr_t send(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    // Releases the workers waiting in send; later sends return 0 at once and posts are dropped.
    void beginShutdown();

private:
    struct Shared {
        std::mutex mutex;
        std::condition_variable changed;
        bool shutdown = false;
    };

    WindowBase* m_window;
    std::shared_ptr<Shared> m_shared = std::make_shared<Shared>();
};

} // namespace v38
