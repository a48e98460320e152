#include "viewer/core/ProfileBatch.h"

#include "viewer/core/ViewerSettings.h"

namespace lumora {

ProfileReader::ProfileReader(const std::string& path) : file_(platform::ProfileFile::Load(path)) {}

std::string ProfileReader::text(const char* section, const char* key, const std::string& fallback) const {
    std::string value = file_.value(section, key).value_or(fallback);
    if (value.size() > kViewerStringBuffer - 1) value.resize(kViewerStringBuffer - 1);
    return value;
}

int32_t ProfileReader::integer(const char* section, const char* key, int32_t fallback) const {
    const auto value = file_.value(section, key);
    return value ? platform::ParseProfileInt(*value, fallback) : fallback;
}

ProfileBatch::ProfileBatch(std::string path)
    : path_(std::move(path)), file_(platform::ProfileFile::Load(path_)) {}

void ProfileBatch::set(const char* section, const char* key, const std::string& value) {
    file_.setValue(section, key, value);
}

void ProfileBatch::set(const char* section, const char* key, int32_t value) {
    set(section, key, std::to_string(value));
}

bool ProfileBatch::commit() const { return file_.save(path_); }

}  // namespace lumora
