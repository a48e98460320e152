#include "platform/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// A symbolic link is followed, so that the file it names is replaced and the link stays.
std::string ResolveTarget(const std::string& path) {
    struct stat st{};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char buffer[PATH_MAX];
        if (::realpath(path.c_str(), buffer)) return buffer;
    }
    return path;
}

}  // namespace

bool WriteFileAtomically(const std::string& requested, std::string_view bytes) {
    if (requested.empty()) return false;
    const std::string path = ResolveTarget(requested);

    mode_t mode = 0666;
    bool existed = false;
    struct stat st{};
    if (::stat(path.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) return false;
        if (::access(path.c_str(), W_OK) != 0) return false;
        mode = st.st_mode & 07777;
        existed = true;
    }

    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string temp = (slash == std::string::npos ? std::string() : folder) + "." + name + ".XXXXXX";

    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;

    bool ok = WriteAll(fd, bytes);
    if (ok) {
        if (existed) {
            ok = ::fchmod(fd, mode) == 0;
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            ok = ::fchmod(fd, mode & ~mask) == 0;
        }
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

}  // namespace platform
