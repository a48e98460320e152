#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace codec {

// Random-access bytes of a picture: a file read piece by piece, or a buffer in memory. Readers
// check every size they find in a header against size() before they allocate anything, so a
// hostile header cannot make them allocate more than the data could fill.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint64_t size() const = 0;
    // Exactly `count` bytes at `offset` into `destination`; false when they are not all there.
    virtual bool readAt(uint64_t offset, void* destination, size_t count) const = 0;
};

class MemoryByteSource final : public ByteSource {
public:
    MemoryByteSource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint64_t size() const override { return size_; }
    bool readAt(uint64_t offset, void* destination, size_t count) const override;

private:
    const uint8_t* data_;
    size_t size_;
};

class FileByteSource final : public ByteSource {
public:
    // Null when `path` is not a regular file this process can read.
    static std::unique_ptr<FileByteSource> Open(const std::string& path);
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    uint64_t size() const override { return size_; }
    bool readAt(uint64_t offset, void* destination, size_t count) const override;

private:
    FileByteSource(int fd, uint64_t size) : fd_(fd), size_(size) {}
    int fd_;
    uint64_t size_;
};

}  // namespace codec
