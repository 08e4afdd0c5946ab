#include "gui/app/window_message_sink.h"

#include "gui/ui/window_base.h"

#include <QThread>

namespace v38 {

WindowMessageSink::WindowMessageSink(WindowBase* window) : m_window(window) {}

WindowMessageSink::~WindowMessageSink() {
    beginShutdown();
}

void WindowMessageSink::beginShutdown() {
    std::lock_guard lock(m_shared->mutex);
    m_shared->shutdown = true;
    m_shared->changed.notify_all();
}

void WindowMessageSink::post(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    {
        std::lock_guard lock(m_shared->mutex);
        if (m_shared->shutdown)
            return;
    }
    m_window->postMessage(message, wParam, lParam);
}

intptr_t WindowMessageSink::send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (QThread::currentThread() == m_window->thread())
        return m_window->sendMessage(message, wParam, lParam);

    struct Call {
        bool done = false;
        intptr_t result = 0;
    };
    auto call = std::make_shared<Call>();
    std::shared_ptr<Shared> shared = m_shared;
    {
        std::lock_guard lock(shared->mutex);
        if (shared->shutdown)
            return 0;
    }
    WindowBase* window = m_window;
    QMetaObject::invokeMethod(
        window,
        [window, shared, call, message, wParam, lParam] {
            const intptr_t result = window->sendMessage(message, wParam, lParam);
            std::lock_guard lock(shared->mutex);
            call->result = result;
            call->done = true;
            shared->changed.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(shared->mutex);
    shared->changed.wait(lock, [&] { return call->done || shared->shutdown; });
    return call->done ? call->result : 0;
}

} // namespace v38
