// Stored thumbnails are read back from the user's cache folder, where any program may have
// written anything: any bytes must read as a whole thumbnail of the gallery's size or as none.
#include "viewer/imaging/ThumbnailStore.h"
#include "fuzz/FuzzFile.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// The key the seed record was written for, so the whole read path is reached.
const lumora::ThumbnailKey kKey{QStringLiteral("/fuzz/Pic00001.jpg"), 1000, 1};

void CheckThumbnail(const lumora::Thumbnail& thumbnail) {
    if (thumbnail.broken || thumbnail.image.size() != QSize(lumora::kThumbnailWidth, lumora::kThumbnailHeight) ||
        thumbnail.pictureWidth <= 0 || thumbnail.pictureHeight <= 0)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (const auto record = lumora::DecodeStoredThumbnail(data, size)) {
        CheckThumbnail(record->thumbnail);
        // A record that reads writes back to the same bytes.
        if (lumora::EncodeStoredThumbnail(*record) != std::string(reinterpret_cast<const char*>(data), size))
            std::abort();
    }
    static const lumora::ThumbnailStore store = [] {
        const std::string folder = FuzzScratchFile(".thumbnails");
        std::filesystem::create_directories(folder);
        return lumora::ThumbnailStore(folder);
    }();
    WriteFuzzInput(store.fileOf(kKey), data, size);
    if (const auto found = store.find(kKey)) CheckThumbnail(*found);
    return 0;
}
