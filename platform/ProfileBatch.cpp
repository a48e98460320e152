#include "platform/ProfileBatch.h"

namespace platform {

ProfileReader::ProfileReader(const std::string& path, size_t bufferSize)
    : file_(ProfileFile::Load(path)), bufferSize_(bufferSize) {}

std::string ProfileReader::text(std::string_view section, std::string_view key, const std::string& fallback) const {
    std::string value = file_.value(section, key).value_or(fallback);
    const size_t limit = bufferSize_ > 0 ? bufferSize_ - 1 : 0;
    if (value.size() > limit) value.resize(limit);
    return value;
}

int32_t ProfileReader::integer(std::string_view section, std::string_view key, int32_t fallback) const {
    const auto value = file_.value(section, key);
    return value ? ParseProfileInt(*value, fallback) : fallback;
}

ProfileBatch::ProfileBatch(std::string path) : path_(std::move(path)), file_(ProfileFile::Load(path_)) {}

void ProfileBatch::set(std::string_view section, std::string_view key, const std::string& value) {
    file_.setValue(section, key, value);
}

void ProfileBatch::set(std::string_view section, std::string_view key, int32_t value) {
    set(section, key, std::to_string(value));
}

void ProfileBatch::remove(std::string_view section, std::string_view key) { file_.setValue(section, key, std::nullopt); }

bool ProfileBatch::commit() const { return file_.save(path_); }

}  // namespace platform
