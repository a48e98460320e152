#include "codec/ByteSource.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace codec {


bool MemoryByteSource::readAt(uint64_t offset, void* destination, size_t count) const {
    if (offset > size_ || count > size_ - offset) return false;
    if (count > 0) std::memcpy(destination, data_ + offset, count);
    return true;
}

std::unique_ptr<FileByteSource> FileByteSource::Open(const std::string& path) {
    if (path.empty()) return nullptr;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<FileByteSource>(new FileByteSource(fd, static_cast<uint64_t>(st.st_size)));
}

FileByteSource::~FileByteSource() { ::close(fd_); }

bool FileByteSource::readAt(uint64_t offset, void* destination, size_t count) const {
    if (offset > size_ || count > size_ - offset) return false;
    auto* out = static_cast<uint8_t*>(destination);
    while (count > 0) {
        const ssize_t n = ::pread(fd_, out, count, static_cast<off_t>(offset));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false;  // the file shrank since it was opened
        out += n;
        offset += static_cast<uint64_t>(n);
        count -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace codec
