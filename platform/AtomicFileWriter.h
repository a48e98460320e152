#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace platform {

// Writes a file in pieces so that the old file survives any failure: everything goes to a
// temporary file in the target's folder, and only commit() renames it over the target, after the
// data have been flushed and synced and every write has been checked (a full disk included).
// Destroying the writer without a successful commit() removes the temporary file.
//
// The target keeps its permissions; a symbolic link is followed, so the file it names is
// replaced and the link stays. A target that exists but is not a writable regular file is
// refused by open().
class AtomicFileWriter {
public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the temporary file. False when the target cannot be replaced.
    bool open(const std::string& path);

    // The buffered stream on the temporary file, for libraries that write to a FILE*. Null
    // before open() and after commit() or discard(). Do not close it.
    std::FILE* stream() const { return file_; }

    // Appends bytes; false on a write error (which also makes commit() fail).
    bool write(std::string_view bytes);
    bool write(const void* data, size_t size);

    // Finishes the file and moves it into place. False, with the target untouched and the
    // temporary file removed, when anything went wrong since open().
    bool commit();

    // Drops the temporary file; the target stays as it was.
    void discard();

private:
    std::string target_;
    std::string temp_;
    std::FILE* file_ = nullptr;
    mode_t mode_ = 0;
    bool failed_ = false;
};

}  // namespace platform
