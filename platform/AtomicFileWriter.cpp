#include "platform/AtomicFileWriter.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

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

AtomicFileWriter::~AtomicFileWriter() { discard(); }

bool AtomicFileWriter::open(const std::string& requested) {
    discard();
    if (requested.empty()) return false;
    const std::string path = ResolveTarget(requested);

    struct stat st{};
    if (::stat(path.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) return false;
        if (::access(path.c_str(), W_OK) != 0) return false;
        mode_ = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode_ = 0666 & ~mask;
    }

    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string temp = folder + "." + name + ".XXXXXX";

    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    file_ = ::fdopen(fd, "wb");
    if (!file_) {
        ::close(fd);
        ::unlink(temp.c_str());
        return false;
    }
    target_ = path;
    temp_ = temp;
    failed_ = false;
    return true;
}

bool AtomicFileWriter::write(const void* data, size_t size) {
    if (!file_) return false;
    if (size > 0 && std::fwrite(data, 1, size, file_) != size) failed_ = true;
    return !failed_;
}

bool AtomicFileWriter::write(std::string_view bytes) { return write(bytes.data(), bytes.size()); }

bool AtomicFileWriter::commit() {
    if (!file_) return false;
    // Buffered data reach the disk only at fflush; a full disk shows up there or in ferror.
    bool ok = !failed_ && std::fflush(file_) == 0 && !std::ferror(file_);
    const int fd = ::fileno(file_);
    ok = ok && ::fchmod(fd, mode_) == 0;
    ok = ok && ::fsync(fd) == 0;
    ok = (std::fclose(file_) == 0) && ok;
    file_ = nullptr;
    if (ok) ok = ::rename(temp_.c_str(), target_.c_str()) == 0;
    if (!ok) ::unlink(temp_.c_str());
    temp_.clear();
    target_.clear();
    return ok;
}

void AtomicFileWriter::discard() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
    target_.clear();
    failed_ = false;
}

}  // namespace platform
