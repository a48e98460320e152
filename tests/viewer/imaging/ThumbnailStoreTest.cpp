// The thumbnail store: what is put comes back exactly, only for the same file state; damaged or
// foreign files read as absent and are replaced; the folder stays under its limits by dropping
// what was used longest ago; an unwritable folder only means nothing is kept.

#include "viewer/imaging/ThumbnailStore.h"

#include "codec/JpegWriter.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <random>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

using namespace lumora;
using testsupport::TempDir;

namespace {

// A gradient picture whose colours depend on `seed`, so two pictures give different thumbnails.
void WritePicture(const std::string& path, int width, int height, int seed) {
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            p[0] = static_cast<uint8_t>(x * 255 / width);
            p[1] = static_cast<uint8_t>(y * 255 / height);
            p[2] = static_cast<uint8_t>(seed * 40);
        }
    ASSERT_EQ(codec::WriteJpegFile(path, rgb.data(), width, height, 90), 1);
}

QString QPath(const std::string& path) { return QString::fromStdString(path); }

// A thumbnail of `path` as the gallery builds it.
Thumbnail Built(const std::string& path) {
    Thumbnail thumbnail = BuildThumbnail(path);
    EXPECT_FALSE(thumbnail.broken) << path;
    return thumbnail;
}

void SetUsed(const std::string& file, time_t seconds) {
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0) << file;
}

size_t StoreFiles(const std::string& folder) {
    if (!std::filesystem::exists(folder)) return 0;
    return testsupport::CountEntries(folder);
}

}  // namespace

TEST(ThumbnailStore, ThumbnailComesBackExactlyWithThePictureSize) {
    TempDir dir;
    const std::string picture = dir.file("Pic00001.jpg");
    WritePicture(picture, 1600, 1200, 1);
    const ThumbnailKey key = ThumbnailKey::Of(QPath(picture));
    const Thumbnail thumbnail = Built(picture);

    ThumbnailStore store(dir.file("cache/lumora/thumbnails"));
    EXPECT_FALSE(store.find(key));
    ASSERT_TRUE(store.put(key, thumbnail));
    // Another store object over the same folder: what a later run of the program sees.
    const std::optional<Thumbnail> stored = ThumbnailStore(store.folder()).find(key);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->image, thumbnail.image);
    EXPECT_EQ(stored->pictureWidth, 1600);
    EXPECT_EQ(stored->pictureHeight, 1200);
    EXPECT_FALSE(stored->broken);
    // One file, no temporary file left beside it.
    EXPECT_EQ(StoreFiles(store.folder()), 1u);
}

TEST(ThumbnailStore, AnotherStateOfThePictureFindsNothing) {
    TempDir dir;
    const std::string picture = dir.file("a.jpg");
    WritePicture(picture, 640, 480, 1);
    const ThumbnailKey key = ThumbnailKey::Of(QPath(picture));
    ThumbnailStore store(dir.file("store"));
    ASSERT_TRUE(store.put(key, Built(picture)));

    const struct {
        const char* name;
        ThumbnailKey key;
    } rows[] = {
        {"larger", {key.path, key.size + 1, key.modifiedNs}},
        {"modified a nanosecond later", {key.path, key.size, key.modifiedNs + 1}},
        {"modified earlier", {key.path, key.size, key.modifiedNs - 1000000000}},
        {"other folder", {QPath(dir.file("sub/a.jpg")), key.size, key.modifiedNs}},
        {"other letter case", {QPath(dir.file("A.jpg")), key.size, key.modifiedNs}},
    };
    for (const auto& row : rows) EXPECT_FALSE(store.find(row.key)) << row.name;
    // A relative spelling of the same file is the same key.
    const QString relative = QPath(std::filesystem::relative(picture).string());
    EXPECT_TRUE(store.find({relative, key.size, key.modifiedNs}));

    // The picture rewritten in place: its new state has no thumbnail yet, and once it has one,
    // it is the new picture's.
    WritePicture(picture, 800, 600, 5);
    const ThumbnailKey changed = ThumbnailKey::Of(QPath(picture));
    ASSERT_FALSE(changed == key);
    EXPECT_FALSE(store.find(changed));
    const Thumbnail rebuilt = Built(picture);
    ASSERT_TRUE(store.put(changed, rebuilt));
    const auto found = store.find(changed);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->image, rebuilt.image);
    EXPECT_EQ(found->pictureWidth, 800);
}

TEST(ThumbnailStore, RecordOfAnotherKeyUnderTheNameIsRefused) {
    // Two keys whose file names clash (forced here by copying) must not see each other's
    // thumbnail: the record repeats its key.
    TempDir dir;
    WritePicture(dir.file("a.jpg"), 320, 240, 1);
    const ThumbnailKey a = ThumbnailKey::Of(QPath(dir.file("a.jpg")));
    ThumbnailStore store(dir.file("store"));
    ASSERT_TRUE(store.put(a, Built(dir.file("a.jpg"))));
    // Each part of the key on its own.
    const ThumbnailKey others[] = {{QPath(dir.file("b.jpg")), a.size, a.modifiedNs},
                                   {a.path, a.size + 1, a.modifiedNs},
                                   {a.path, a.size, a.modifiedNs + 1}};
    for (const ThumbnailKey& other : others) {
        std::filesystem::copy_file(store.fileOf(a), store.fileOf(other));
        EXPECT_FALSE(store.find(other)) << other.path.toStdString() << " " << other.size << " " << other.modifiedNs;
    }
    EXPECT_TRUE(store.find(a));
}

TEST(ThumbnailStore, DamagedOrForeignFilesReadAsAbsentAndAreReplaced) {
    TempDir dir;
    const std::string picture = dir.file("a.jpg");
    WritePicture(picture, 320, 240, 3);
    const ThumbnailKey key = ThumbnailKey::Of(QPath(picture));
    const Thumbnail thumbnail = Built(picture);
    ThumbnailStore store(dir.file("store"));
    ASSERT_TRUE(store.put(key, thumbnail));
    const std::string file = store.fileOf(key);
    const std::string good = testsupport::ReadText(file);

    const auto flipped = [&](size_t at) {
        std::string bytes = good;
        bytes[at] = static_cast<char>(bytes[at] ^ 0x10);
        return bytes;
    };
    const struct {
        const char* name;
        std::string bytes;
    } rows[] = {
        {"empty", ""},
        {"truncated to half", good.substr(0, good.size() / 2)},
        {"last byte missing", good.substr(0, good.size() - 1)},
        {"one byte more", good + "x"},
        {"signature", flipped(0)},
        {"version", flipped(4)},
        {"path length", flipped(8)},
        {"a pixel", flipped(good.size() / 2)},
        {"checksum", flipped(good.size() - 3)},
        {"text", "[MAG]\r\nOptical=200\r\n"},
        {"a JPEG", testsupport::ReadText(picture)},
    };
    for (const auto& row : rows) {
        testsupport::WriteText(file, row.bytes);
        EXPECT_FALSE(store.find(key)) << row.name;
        ASSERT_TRUE(store.put(key, thumbnail)) << row.name;
        const auto found = store.find(key);
        ASSERT_TRUE(found) << row.name;
        EXPECT_EQ(found->image, thumbnail.image) << row.name;
    }
    // A folder where the file should be.
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    EXPECT_FALSE(store.find(key));
    EXPECT_FALSE(store.put(key, thumbnail));
}

TEST(ThumbnailStore, EveryDamagedRecordIsRefused) {
    // Random records with every prefix and random byte changes: nothing but the intact record
    // decodes, and that one decodes to what was encoded.
    std::mt19937 random(15);
    QImage image(kThumbnailWidth, kThumbnailHeight, QImage::Format_RGB32);
    for (int y = 0; y < kThumbnailHeight; ++y)
        for (int x = 0; x < kThumbnailWidth; ++x) image.setPixel(x, y, qRgb(random() & 255, random() & 255, random() & 255));
    const StoredThumbnail record{"/home/user/Gallery/Pic00001.jpg", 188934, 1765000000123456789, {image, 1600, 1200, false}};
    const std::string bytes = EncodeStoredThumbnail(record);
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    const auto decoded = DecodeStoredThumbnail(data, bytes.size());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->path, record.path);
    EXPECT_EQ(decoded->size, record.size);
    EXPECT_EQ(decoded->modifiedNs, record.modifiedNs);
    EXPECT_EQ(decoded->thumbnail.image, image);

    for (size_t length = 0; length < bytes.size(); ++length)
        ASSERT_FALSE(DecodeStoredThumbnail(data, length)) << length;
    for (int i = 0; i < 2000; ++i) {
        std::string damaged = bytes;
        const size_t at = random() % damaged.size();
        damaged[at] = static_cast<char>(damaged[at] ^ (1 + random() % 255));
        ASSERT_FALSE(DecodeStoredThumbnail(reinterpret_cast<const uint8_t*>(damaged.data()), damaged.size())) << at;
    }

    // Only whole thumbnails of the gallery's size are kept.
    StoredThumbnail small = record;
    small.thumbnail.image = image.scaled(45, 35);
    EXPECT_TRUE(EncodeStoredThumbnail(small).empty());
    StoredThumbnail none = record;
    none.thumbnail.image = QImage();
    EXPECT_TRUE(EncodeStoredThumbnail(none).empty());
}

TEST(ThumbnailStore, BeyondItsLimitsTheLeastRecentlyUsedGo) {
    TempDir dir;
    WritePicture(dir.file("p.jpg"), 320, 240, 4);
    const ThumbnailKey base = ThumbnailKey::Of(QPath(dir.file("p.jpg")));
    const Thumbnail thumbnail = Built(dir.file("p.jpg"));
    const auto keyOf = [&](int i) { return ThumbnailKey{base.path, base.size + i, base.modifiedNs}; };
    const uint64_t recordBytes = EncodeStoredThumbnail({"x", 0, 0, thumbnail}).size() + base.path.toUtf8().size() - 1;

    const struct {
        const char* name;
        ThumbnailStore::Limits limits;
    } rows[] = {
        {"by count", {1ull << 30, 10}},
        {"by size", {10 * recordBytes + recordBytes / 2, 1000}},
    };
    for (const auto& row : rows) {
        TempDir storeDir;
        ThumbnailStore store(storeDir.file("thumbnails"), row.limits);
        const time_t longAgo = std::time(nullptr) - 10 * 86400;
        for (int i = 0; i < 10; ++i) {
            ASSERT_TRUE(store.put(keyOf(i), thumbnail)) << row.name;
            SetUsed(store.fileOf(keyOf(i)), longAgo + i);
        }
        ASSERT_EQ(StoreFiles(store.folder()), 10u) << row.name;
        // Looking at the oldest makes it the most recently used.
        ASSERT_TRUE(store.find(keyOf(0))) << row.name;
        // The eleventh goes over the limit: the store goes down to nine files.
        ASSERT_TRUE(store.put(keyOf(10), thumbnail)) << row.name;
        EXPECT_EQ(StoreFiles(store.folder()), 9u) << row.name;
        for (int i = 0; i <= 10; ++i) EXPECT_EQ(store.find(keyOf(i)).has_value(), i == 0 || i > 2) << row.name << " " << i;
    }
}

TEST(ThumbnailStore, LimitsCountWhatEarlierRunsLeft) {
    TempDir dir;
    WritePicture(dir.file("p.jpg"), 320, 240, 4);
    const ThumbnailKey base = ThumbnailKey::Of(QPath(dir.file("p.jpg")));
    const Thumbnail thumbnail = Built(dir.file("p.jpg"));
    const std::string folder = dir.file("thumbnails");
    {
        ThumbnailStore earlier(folder, {1ull << 30, 1000});
        for (int i = 0; i < 8; ++i) ASSERT_TRUE(earlier.put({base.path, base.size + i, base.modifiedNs}, thumbnail));
    }
    ThumbnailStore store(folder, {1ull << 30, 8});
    ASSERT_TRUE(store.put({base.path, base.size + 100, base.modifiedNs}, thumbnail));
    EXPECT_LE(StoreFiles(folder), 8u);
    EXPECT_TRUE(store.find({base.path, base.size + 100, base.modifiedNs}));
}

TEST(ThumbnailStore, UnwritableFolderKeepsNothingAndFailsNothing) {
    TempDir dir;
    WritePicture(dir.file("a.jpg"), 320, 240, 2);
    const ThumbnailKey key = ThumbnailKey::Of(QPath(dir.file("a.jpg")));
    const Thumbnail thumbnail = Built(dir.file("a.jpg"));

    // Below a plain file: no folder can be made there, not even by root.
    testsupport::WriteText(dir.file("file"), "x");
    ThumbnailStore blocked(dir.file("file/lumora/thumbnails"));
    EXPECT_FALSE(blocked.put(key, thumbnail));
    EXPECT_FALSE(blocked.find(key));

    // A folder the user may not write to.
    const std::filesystem::path readOnly = dir.path() / "readonly";
    std::filesystem::create_directory(readOnly);
    testsupport::OpenToOthers(dir.path());
    testsupport::OpenToOthers(dir.file("a.jpg"));
    std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                                               std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
    EXPECT_TRUE(testsupport::AsOrdinaryUser([&] {
        ThumbnailStore store((readOnly / "thumbnails").string());
        return !store.put(key, thumbnail) && !store.find(key);
    }));
    EXPECT_EQ(testsupport::CountEntries(readOnly), 0u);

    // No folder at all: nothing to look in.
    ThumbnailStore nowhere("");
    EXPECT_FALSE(nowhere.put(key, thumbnail));
    EXPECT_FALSE(nowhere.find(key));
}

TEST(ThumbnailStore, BrokenThumbnailsAreNotKept) {
    TempDir dir;
    testsupport::WriteText(dir.file("broken.jpg"), "no picture");
    const ThumbnailKey key = ThumbnailKey::Of(QPath(dir.file("broken.jpg")));
    const Thumbnail broken = BuildThumbnail(dir.file("broken.jpg"));
    ASSERT_TRUE(broken.broken);
    ThumbnailStore store(dir.file("store"));
    EXPECT_FALSE(store.put(key, broken));
    EXPECT_FALSE(store.find(key));
}

TEST(ThumbnailStore, UserFolderFollowsTheCacheVariable) {
    const char* savedCache = std::getenv("XDG_CACHE_HOME");
    const char* savedHome = std::getenv("HOME");
    const std::string cache = savedCache ? savedCache : "", home = savedHome ? savedHome : "";
    const struct {
        const char* cache;  // null: not set
        const char* home;
        const char* folder;
    } rows[] = {
        {"/var/cache/u", "/home/u", "/var/cache/u/lumora/thumbnails"},
        {nullptr, "/home/u", "/home/u/.cache/lumora/thumbnails"},
        {"relative/cache", "/home/u", "/home/u/.cache/lumora/thumbnails"},
        {"", "/home/u", "/home/u/.cache/lumora/thumbnails"},
        {nullptr, nullptr, ""},
    };
    for (const auto& row : rows) {
        if (row.cache) ::setenv("XDG_CACHE_HOME", row.cache, 1); else ::unsetenv("XDG_CACHE_HOME");
        if (row.home) ::setenv("HOME", row.home, 1); else ::unsetenv("HOME");
        EXPECT_EQ(UserThumbnailStoreFolder(), row.folder) << (row.cache ? row.cache : "(unset)");
    }
    if (savedCache) ::setenv("XDG_CACHE_HOME", cache.c_str(), 1); else ::unsetenv("XDG_CACHE_HOME");
    if (savedHome) ::setenv("HOME", home.c_str(), 1); else ::unsetenv("HOME");
}
