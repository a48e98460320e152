#include "platform/FileProbe.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

int OpenRegularFile(const std::string& path, struct stat& st) {
    if (path.empty()) return -1;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

bool PathExists(const std::string& path) {
    struct stat st{};
    return !path.empty() && ::lstat(path.c_str(), &st) == 0;
}

bool IsReadableFile(const std::string& path) {
    struct stat st{};
    const int fd = OpenRegularFile(path, st);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

bool ReadSmallFile(const std::string& path, std::string& contents, size_t maxBytes) {
    contents.clear();
    struct stat st{};
    const int fd = OpenRegularFile(path, st);
    if (fd < 0) return false;
    bool ok = static_cast<unsigned long long>(st.st_size) <= maxBytes;
    char buffer[16384];
    while (ok) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        if (n == 0) break;
        if (contents.size() + static_cast<size_t>(n) > maxBytes) {
            ok = false;  // the file grew past the limit while we read it
            break;
        }
        contents.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    if (!ok) contents.clear();
    return ok;
}

}  // namespace platform
