#include "codec/ReadStatus.h"

namespace codec {

const char* ReadStatusName(ReadStatus status) {
    switch (status) {
        case ReadStatus::Ok: return "ok";
        case ReadStatus::CannotOpen: return "cannot-open";
        case ReadStatus::UnknownFormat: return "unknown-format";
        case ReadStatus::UnsupportedBitmap: return "unsupported-bitmap";
        case ReadStatus::Corrupt: return "corrupt";
        case ReadStatus::TooLarge: return "too-large";
    }
    return "unknown";
}

}  // namespace codec
