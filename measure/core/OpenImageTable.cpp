#include "measure/core/OpenImageTable.h"

#include "measure/res/StringTable.h"
#include "platform/FileProbe.h"

namespace tessmet {

int OpenImageTable::checkLimit() const { return full() ? StringId::TooManyImages : 0; }

int OpenImageTable::acquire() {
    for (int i = 0; i < kCapacity; ++i) {
        if (!taken_[i]) {
            taken_[i] = true;
            ++count_;
            return i;
        }
    }
    return -1;
}

bool OpenImageTable::release(int entry) {
    if (entry < 0 || entry >= kCapacity || !taken_[entry]) return false;
    taken_[entry] = false;
    --count_;
    return true;
}

int OpenImage(const OpenImageTable& table, const std::string& path, const DocumentOpener& open) {
    if (const int limit = table.checkLimit(); limit != 0) return limit;
    if (!platform::IsReadableFile(path)) return StringId::FileNotOpened;
    return open ? open(path) : StringId::FileNotOpened;
}

}  // namespace tessmet
