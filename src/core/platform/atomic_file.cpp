#include "core/platform/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace v38 {

namespace {

std::string describe(const char* step, const std::string& path) {
    return std::string(step) + " " + path + ": " + std::strerror(errno);
}

} // namespace

bool writeFileAtomically(const std::string& path, std::string_view contents, std::string& error) {
    std::string temporary = path + ".XXXXXX";
    int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        error = describe("cannot create a temporary file beside", path);
        return false;
    }
    const char* data = contents.data();
    size_t left = contents.size();
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            error = describe("cannot write", temporary);
            ::close(fd);
            ::unlink(temporary.c_str());
            return false;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    // mkstemp creates 0600; a written file gets the usual permissions.
    ::fchmod(fd, 0644);
    bool synced = ::fsync(fd) == 0;
    bool closed = ::close(fd) == 0;
    if (!synced || !closed) {
        error = describe("cannot flush", temporary);
        ::unlink(temporary.c_str());
        return false;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        error = describe("cannot replace", path);
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace v38
