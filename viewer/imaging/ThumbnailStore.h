#pragma once

#include "viewer/imaging/Thumbnail.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace lumora {

// Thumbnails kept on disk between runs, so that a gallery opened again shows the pictures it has
// seen without decoding them. One file per picture, named by a hash of the picture's absolute
// path, size and modification time; the file repeats that key and carries the whole picture's
// size, the 90 x 70 pixels and a checksum. A picture that changed has another key, so it can
// never be shown with an old thumbnail. The store is a cache: a file that is missing, truncated,
// damaged or not ours reads as absent and is written anew after the next decode.
//
// Files are written to a temporary name and renamed, without a flush to disk: a crash can lose
// a thumbnail, never show half of one (the checksum refuses it).
//
// The folder is kept below a size and a count: beyond either, the files used longest ago go
// until the store is back under nine tenths of both. A thumbnail read back counts as used (at
// most once an hour, so reading stays a read).

// The per-user store: $XDG_CACHE_HOME/lumora/thumbnails, or ~/.cache/lumora/thumbnails when
// XDG_CACHE_HOME is not set to an absolute path; empty when no home folder is known.
std::string UserThumbnailStoreFolder();

// One stored record, as read from its bytes.
struct StoredThumbnail {
    std::string path;  // the picture's absolute path, as the file system spells it
    int64_t size = 0;
    int64_t modifiedNs = 0;
    Thumbnail thumbnail;
};

// The bytes of a record, and back. Reading checks everything (signature, version, lengths, the
// thumbnail's size, the picture's size, the checksum) and gives nothing for any other bytes.
std::string EncodeStoredThumbnail(const StoredThumbnail& record);
std::optional<StoredThumbnail> DecodeStoredThumbnail(const uint8_t* data, size_t size);

class ThumbnailStore {
public:
    struct Limits {
        uint64_t maxBytes = 256ull << 20;  // about 13,000 thumbnails of 19 KB
        size_t maxFiles = 50000;
    };

    explicit ThumbnailStore(std::string folder, Limits limits);
    explicit ThumbnailStore(std::string folder) : ThumbnailStore(std::move(folder), Limits{}) {}

    // The store of the user's cache folder, one for the whole program; null when there is no
    // such folder.
    static std::shared_ptr<ThumbnailStore> ForUser();

    // The thumbnail stored for the picture `key` names, or nothing. Safe on any thread.
    std::optional<Thumbnail> find(const ThumbnailKey& key) const;
    // Keeps `thumbnail` of the picture `key` names. False when it could not be written (an
    // unwritable folder, a full disk): the store simply stays without it. Broken thumbnails
    // are not kept. Safe on any thread.
    bool put(const ThumbnailKey& key, const Thumbnail& thumbnail);

    const std::string& folder() const { return folder_; }
    // The file that holds, or would hold, the thumbnail of `key`.
    std::string fileOf(const ThumbnailKey& key) const;

private:
    void account(uint64_t bytes);
    void countFolder();
    void trim();

    std::string folder_;
    Limits limits_;
    std::mutex mutex_;  // guards the running totals below
    bool counted_ = false;
    uint64_t bytes_ = 0;
    size_t files_ = 0;
};

}  // namespace lumora
