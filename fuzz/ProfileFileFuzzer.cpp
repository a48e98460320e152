// Profile (INI) files come from users' folders and from the viewer: any bytes must parse, and a
// write into the parsed file must keep every line it did not change.
#include "platform/ProfileFile.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    platform::ProfileFile file = platform::ProfileFile::Parse(text);
    (void)file.value("DATA", "UnitType");
    (void)platform::ParseProfileInt(text, 7);
    const std::string before = file.text();
    file.setValue("DATA", "HResolution", std::string("4444"));
    if (file.value("DATA", "HResolution") != std::optional<std::string>("4444")) std::abort();
    file.setValue("DATA", "HResolution", std::nullopt);
    (void)file.text();
    (void)before;
    return 0;
}
