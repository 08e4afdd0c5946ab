#include "core/hid/hidraw_handle.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace v38 {

namespace {

// hidraw hands out at most this many bytes per report; a longer caller buffer gains nothing.
constexpr size_t kMaxHidrawReport = 16384;

std::optional<std::chrono::steady_clock::time_point> deadlineAfter(uint32_t timeoutMs) {
    if (timeoutMs == kHidInfinite)
        return std::nullopt;
    return std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
}

int pollTimeout(const std::optional<std::chrono::steady_clock::time_point>& deadline) {
    if (!deadline)
        return -1;
    auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(left.count(), 0, INT_MAX));
}

bool retryable(int error) {
    return error == EINTR || error == EAGAIN || error == EWOULDBLOCK;
}

} // namespace

std::shared_ptr<HidrawHandle> HidrawHandle::create(Setup setup) {
    int cancelFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (cancelFd < 0) {
        if (setup.fd >= 0)
            ::close(setup.fd);
        return nullptr;
    }
    return std::shared_ptr<HidrawHandle>(new HidrawHandle(std::move(setup), cancelFd));
}

HidrawHandle::HidrawHandle(Setup setup, int cancelFd) : setup_(std::move(setup)), cancelFd_(cancelFd) {}

HidrawHandle::~HidrawHandle() {
    if (setup_.fd >= 0)
        ::close(setup_.fd);
    ::close(cancelFd_);
}

bool HidrawHandle::ownsReportId(uint8_t id) const {
    return std::find(setup_.reportIds.begin(), setup_.reportIds.end(), id) != setup_.reportIds.end();
}

void HidrawHandle::cancel() {
    // The eventfd is never drained, so it stays readable and wakes every later wait as well.
    if (!cancelled_.exchange(true)) {
        uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(cancelFd_, &one, sizeof one);
    }
}

HidIoResult HidrawHandle::wait(short events, const std::optional<Clock::time_point>& deadline,
                               short& revents) {
    for (;;) {
        pollfd fds[2] = {{setup_.fd, events, 0}, {cancelFd_, POLLIN, 0}};
        int ready = ::poll(fds, 2, pollTimeout(deadline));
        if (cancelled_.load() || (ready > 0 && fds[1].revents != 0))
            return HidIoResult::Cancelled;
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return HidIoResult::Failed;
        }
        if (ready == 0) {
            // poll waits at most INT_MAX ms at a time; a longer time-out goes round again.
            if (Clock::now() >= *deadline)
                return HidIoResult::TimedOut;
            continue;
        }
        revents = fds[0].revents;
        return HidIoResult::Ok;
    }
}

HidIoResult HidrawHandle::read(uint8_t* buffer, size_t length, size_t& transferred, uint32_t timeoutMs) {
    transferred = 0;
    if (cancelled_.load())
        return HidIoResult::Cancelled;
    if (!setup_.canRead || !buffer || length == 0)
        return HidIoResult::Failed;
    auto deadline = deadlineAfter(timeoutMs);
    // Unnumbered reports arrive without the id byte the caller expects in front.
    size_t skip = setup_.numberedReports ? 0 : 1;
    std::vector<uint8_t> report(std::clamp<size_t>(length - skip, 1, kMaxHidrawReport));
    for (;;) {
        short revents = 0;
        HidIoResult waited = wait(POLLIN, deadline, revents);
        if (waited != HidIoResult::Ok)
            return waited;
        if (!(revents & POLLIN))
            return HidIoResult::Failed; // hang-up or error without data: the device is gone
        ssize_t n = ::read(setup_.fd, report.data(), report.size());
        if (n < 0 && retryable(errno))
            continue;
        if (n <= 0)
            return HidIoResult::Failed;
        // Another collection of the same interface owns this report; keep waiting for ours.
        if (setup_.numberedReports && !ownsReportId(report[0]))
            continue;
        size_t copied = std::min(static_cast<size_t>(n), length - skip);
        if (skip)
            buffer[0] = 0;
        std::memcpy(buffer + skip, report.data(), copied);
        transferred = skip + copied;
        return HidIoResult::Ok;
    }
}

HidIoResult HidrawHandle::write(const uint8_t* buffer, size_t length, size_t& transferred,
                                uint32_t timeoutMs) {
    transferred = 0;
    if (cancelled_.load())
        return HidIoResult::Cancelled;
    if (!setup_.canWrite || !buffer || length == 0)
        return HidIoResult::Failed;
    // hidraw takes byte 0 as the report number and drops it itself when it is 0, so an unnumbered
    // report goes down with its 0 in front. Any other value would be sent as a report id.
    if (!setup_.numberedReports && buffer[0] != 0)
        return HidIoResult::Failed;
    auto deadline = deadlineAfter(timeoutMs);
    for (;;) {
        short revents = 0;
        HidIoResult waited = wait(POLLOUT, deadline, revents);
        if (waited != HidIoResult::Ok)
            return waited;
        if (revents & (POLLERR | POLLHUP | POLLNVAL))
            return HidIoResult::Failed;
        ssize_t n = ::write(setup_.fd, buffer, length);
        if (n < 0 && retryable(errno))
            continue;
        if (n < 0)
            return HidIoResult::Failed;
        transferred = static_cast<size_t>(n);
        return transferred == length ? HidIoResult::Ok : HidIoResult::Failed;
    }
}

} // namespace v38
