#include "core/platform/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace v38 {

namespace {

bool writeAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace

FileReadStatus readFileCapped(const std::string& path, size_t maxBytes, std::string& bytes) {
    bytes.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? FileReadStatus::Missing : FileReadStatus::Unreadable;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return FileReadStatus::Unreadable;
    }
    if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
        ::close(fd);
        return FileReadStatus::TooLarge;
    }
    // The size may change while reading; never take more than the cap.
    bytes.resize(static_cast<size_t>(st.st_size));
    size_t got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (bytes.size() >= maxBytes) {
                char extra;
                ssize_t n = ::read(fd, &extra, 1);
                if (n > 0) {
                    ::close(fd);
                    bytes.clear();
                    return FileReadStatus::TooLarge;
                }
                break;
            }
            bytes.resize(std::min(maxBytes, bytes.size() + 4096));
        }
        ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            bytes.clear();
            return FileReadStatus::Unreadable;
        }
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    bytes.resize(got);
    ::close(fd);
    return FileReadStatus::Ok;
}

bool writeFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty() || path.back() == '/')
        return false;
    std::string folder = ".";
    std::string name = path;
    if (size_t slash = path.rfind('/'); slash != std::string::npos) {
        folder = slash == 0 ? "/" : path.substr(0, slash);
        name = path.substr(slash + 1);
    }
    std::string temp = (folder == "/" ? "" : folder) + "/." + name + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    // Keep the permissions of the file being replaced; new files get the usual 0644.
    mode_t mode = 0644;
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        mode = old.st_mode & 07777;
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok && ::rename(temp.c_str(), path.c_str()) == 0)
        return true;
    ::unlink(temp.c_str());
    return false;
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool removeFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

bool setFileAside(const std::string& path) {
    return ::rename(path.c_str(), (path + ".bad").c_str()) == 0;
}

} // namespace v38
