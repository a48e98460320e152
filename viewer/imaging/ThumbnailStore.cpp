#include "viewer/imaging/ThumbnailStore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace lumora {
namespace {

constexpr char kSignature[4] = {'L', 'T', 'H', 'B'};
constexpr uint32_t kVersion = 1;
constexpr char kExtension[] = ".thumb";
constexpr size_t kMaxPathBytes = 4096;
constexpr size_t kPixelBytes = static_cast<size_t>(kThumbnailWidth) * kThumbnailHeight * 3;
// Signature, version, path length; then after the path: size, time, picture size, thumbnail
// size; then the pixels and the checksum.
constexpr size_t kFixedBytes = 4 + 4 + 4 + 8 + 8 + 4 + 4 + 2 + 2 + kPixelBytes + 8;
constexpr size_t kMaxRecordBytes = kFixedBytes + kMaxPathBytes;
// A thumbnail read back marks its file as used again only when the mark is older than this.
constexpr int64_t kTouchAfterSeconds = 3600;
// A temporary file this old was left by a program that ended while writing it.
constexpr int64_t kAbandonedAfterSeconds = 3600;

void PutLe(std::string& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

uint64_t GetLe(const uint8_t* p, int bytes) {
    uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | p[i];
    return value;
}

// A quick 64-bit checksum over whole words (the tail byte-wise); it only has to notice damage.
uint64_t Checksum(const uint8_t* data, size_t size) {
    uint64_t h = 0x9e3779b97f4a7c15ull ^ size;
    size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        uint64_t word;
        std::memcpy(&word, data + i, 8);
        h = (h ^ word) * 0xff51afd7ed558ccdull;
        h ^= h >> 32;
    }
    for (; i < size; ++i) h = (h ^ data[i]) * 0x100000001b3ull;
    h ^= h >> 29;
    return h;
}

std::string AbsolutePathBytes(const QString& path) {
    return QFile::encodeName(QDir::cleanPath(QFileInfo(path).absoluteFilePath())).toStdString();
}

// One store file of the folder.
struct Entry {
    std::string name;
    uint64_t bytes;
    int64_t usedNs;
};

bool IsStoreFile(const char* name) {
    const size_t length = std::strlen(name);
    const size_t extension = sizeof kExtension - 1;
    return length > extension && std::strcmp(name + length - extension, kExtension) == 0;
}

bool IsTemporaryFile(const char* name) { return std::strstr(name, kExtension) && std::strstr(name, ".tmp."); }

// The store files of `folder`; temporary files a crash left behind more than an hour ago are
// removed on the way.
std::vector<Entry> ReadFolder(const std::string& folder) {
    std::vector<Entry> entries;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return entries;
    const int fd = ::dirfd(dir);
    const time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const bool storeFile = IsStoreFile(entry->d_name);
        if (!storeFile && !IsTemporaryFile(entry->d_name)) continue;
        struct stat st{};
        if (::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) continue;
        if (!storeFile) {
            if (now - st.st_mtim.tv_sec > kAbandonedAfterSeconds) ::unlinkat(fd, entry->d_name, 0);
            continue;
        }
        entries.push_back({entry->d_name, static_cast<uint64_t>(st.st_size),
                           static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec});
    }
    ::closedir(dir);
    return entries;
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool ReadAll(int fd, uint8_t* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::read(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

std::string UserThumbnailStoreFolder() {
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache == '/')
        return std::string(cache) + "/lumora/thumbnails";
    if (const char* home = std::getenv("HOME"); home && *home == '/') return std::string(home) + "/.cache/lumora/thumbnails";
    return {};
}

std::string EncodeStoredThumbnail(const StoredThumbnail& record) {
    std::string out;
    const QImage& image = record.thumbnail.image;
    if (image.size() != QSize(kThumbnailWidth, kThumbnailHeight) || record.path.size() > kMaxPathBytes) return out;
    const QImage pixels = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    out.reserve(kFixedBytes + record.path.size());
    out.append(kSignature, sizeof kSignature);
    PutLe(out, kVersion, 4);
    PutLe(out, record.path.size(), 4);
    out += record.path;
    PutLe(out, static_cast<uint64_t>(record.size), 8);
    PutLe(out, static_cast<uint64_t>(record.modifiedNs), 8);
    PutLe(out, static_cast<uint32_t>(record.thumbnail.pictureWidth), 4);
    PutLe(out, static_cast<uint32_t>(record.thumbnail.pictureHeight), 4);
    PutLe(out, kThumbnailWidth, 2);
    PutLe(out, kThumbnailHeight, 2);
    for (int y = 0; y < kThumbnailHeight; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < kThumbnailWidth; ++x) {
            out.push_back(static_cast<char>(qBlue(row[x])));
            out.push_back(static_cast<char>(qGreen(row[x])));
            out.push_back(static_cast<char>(qRed(row[x])));
        }
    }
    PutLe(out, Checksum(reinterpret_cast<const uint8_t*>(out.data()), out.size()), 8);
    return out;
}

std::optional<StoredThumbnail> DecodeStoredThumbnail(const uint8_t* data, size_t size) {
    if (!data || size < kFixedBytes || size > kMaxRecordBytes) return std::nullopt;
    if (std::memcmp(data, kSignature, sizeof kSignature) != 0 || GetLe(data + 4, 4) != kVersion) return std::nullopt;
    const uint64_t pathBytes = GetLe(data + 8, 4);
    if (pathBytes == 0 || pathBytes > kMaxPathBytes || size != kFixedBytes + pathBytes) return std::nullopt;
    if (GetLe(data + size - 8, 8) != Checksum(data, size - 8)) return std::nullopt;

    StoredThumbnail record;
    const uint8_t* p = data + 12;
    record.path.assign(reinterpret_cast<const char*>(p), pathBytes);
    p += pathBytes;
    record.size = static_cast<int64_t>(GetLe(p, 8));
    record.modifiedNs = static_cast<int64_t>(GetLe(p + 8, 8));
    const uint64_t pictureWidth = GetLe(p + 16, 4), pictureHeight = GetLe(p + 20, 4);
    if (pictureWidth == 0 || pictureHeight == 0 || pictureWidth > INT32_MAX || pictureHeight > INT32_MAX)
        return std::nullopt;
    if (GetLe(p + 24, 2) != kThumbnailWidth || GetLe(p + 26, 2) != kThumbnailHeight) return std::nullopt;
    p += 28;
    record.thumbnail.pictureWidth = static_cast<int>(pictureWidth);
    record.thumbnail.pictureHeight = static_cast<int>(pictureHeight);
    QImage image(kThumbnailWidth, kThumbnailHeight, QImage::Format_RGB32);
    if (image.isNull()) return std::nullopt;
    for (int y = 0; y < kThumbnailHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kThumbnailWidth; ++x, p += 3) row[x] = qRgb(p[2], p[1], p[0]);
    }
    record.thumbnail.image = std::move(image);
    return record;
}

ThumbnailStore::ThumbnailStore(std::string folder, Limits limits) : folder_(std::move(folder)), limits_(limits) {}

std::shared_ptr<ThumbnailStore> ThumbnailStore::ForUser() {
    static const std::shared_ptr<ThumbnailStore> store = [] {
        const std::string folder = UserThumbnailStoreFolder();
        return folder.empty() ? nullptr : std::make_shared<ThumbnailStore>(folder);
    }();
    return store;
}

std::string ThumbnailStore::fileOf(const ThumbnailKey& key) const {
    QByteArray text = QByteArray::fromStdString(AbsolutePathBytes(key.path));
    text.append('\0').append(QByteArray::number(static_cast<qlonglong>(key.size)));
    text.append('\0').append(QByteArray::number(static_cast<qlonglong>(key.modifiedNs)));
    const QByteArray hash = QCryptographicHash::hash(text, QCryptographicHash::Sha1).toHex().left(32);
    return folder_ + "/" + hash.toStdString() + kExtension;
}

std::optional<Thumbnail> ThumbnailStore::find(const ThumbnailKey& key) const {
    if (key.isNull() || folder_.empty()) return std::nullopt;
    const std::string file = fileOf(key);
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return std::nullopt;
    std::optional<StoredThumbnail> record;
    struct stat st{};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= static_cast<off_t>(kFixedBytes) &&
        st.st_size <= static_cast<off_t>(kMaxRecordBytes)) {
        std::vector<uint8_t> bytes(static_cast<size_t>(st.st_size));
        if (ReadAll(fd, bytes.data(), bytes.size())) record = DecodeStoredThumbnail(bytes.data(), bytes.size());
        // Marks the file as used, so trimming keeps what is looked at.
        if (record && std::time(nullptr) - st.st_mtim.tv_sec > kTouchAfterSeconds) ::futimens(fd, nullptr);
    }
    ::close(fd);
    // Another picture whose key hashes alike, or a record of an older state of this one.
    if (!record || record->path != AbsolutePathBytes(key.path) || record->size != key.size ||
        record->modifiedNs != key.modifiedNs)
        return std::nullopt;
    return std::move(record->thumbnail);
}

bool ThumbnailStore::put(const ThumbnailKey& key, const Thumbnail& thumbnail) {
    if (key.isNull() || folder_.empty() || thumbnail.broken) return false;
    const std::string bytes =
        EncodeStoredThumbnail({AbsolutePathBytes(key.path), key.size, key.modifiedNs, thumbnail});
    if (bytes.empty()) return false;
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    if (error) return false;
    static std::atomic<uint64_t> serial{0};
    const std::string file = fileOf(key);
    const std::string temporary =
        file + ".tmp." + std::to_string(::getpid()) + "." + std::to_string(serial.fetch_add(1));
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    const bool written = WriteAll(fd, bytes.data(), bytes.size());
    if (::close(fd) != 0 || !written || ::rename(temporary.c_str(), file.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    account(bytes.size());
    return true;
}

void ThumbnailStore::account(uint64_t bytes) {
    const std::lock_guard<std::mutex> lock(mutex_);
    // The folder is counted once, at the first thumbnail written; from then on the totals run
    // along (a file replaced counts twice, which only makes the next trim come a little early;
    // the trim counts again).
    if (!counted_) {
        countFolder();
        counted_ = true;
    } else {
        bytes_ += bytes;
        ++files_;
    }
    if (bytes_ > limits_.maxBytes || files_ > limits_.maxFiles) trim();
}

// The names alone, without looking at each file: a full store holds over ten thousand, and this
// runs on a worker that has thumbnails to make. Sizes are reckoned for a path of 256 bytes; the
// trim that an estimate above the limit brings on measures every file.
void ThumbnailStore::countFolder() {
    bytes_ = 0;
    files_ = 0;
    DIR* dir = ::opendir(folder_.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_type != DT_REG && entry->d_type != DT_UNKNOWN) continue;
        if (!IsStoreFile(entry->d_name)) continue;
        bytes_ += kFixedBytes + 256;
        ++files_;
    }
    ::closedir(dir);
}

void ThumbnailStore::trim() {
    std::vector<Entry> entries = ReadFolder(folder_);
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.usedNs < b.usedNs; });
    uint64_t bytes = 0;
    for (const Entry& entry : entries) bytes += entry.bytes;
    size_t files = entries.size();
    const uint64_t keepBytes = limits_.maxBytes - limits_.maxBytes / 10;
    const size_t keepFiles = limits_.maxFiles - limits_.maxFiles / 10;
    for (const Entry& entry : entries) {
        if (bytes <= keepBytes && files <= keepFiles) break;
        if (::unlink((folder_ + "/" + entry.name).c_str()) != 0 && errno != ENOENT) continue;
        bytes -= entry.bytes;
        --files;
    }
    bytes_ = bytes;
    files_ = files;
}

}  // namespace lumora
