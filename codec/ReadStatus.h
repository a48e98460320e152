#pragma once

namespace codec {

// Why a picture file did not load. The readers never show anything; the document turns these
// into its messages.
enum class ReadStatus {
    Ok = 0,
    CannotOpen,         // missing, unreadable, or not a regular file (a folder, a device)
    UnknownFormat,      // neither a BMP nor a JPEG
    UnsupportedBitmap,  // a BMP of another depth or kind: palette, run-length, embedded, odd masks
    Corrupt,            // truncated or inconsistent data
    TooLarge,           // more pixels than the sane maximum or than the file's data can hold
};

// Short stable name for logs and the command line ("ok", "cannot-open", ...).
const char* ReadStatusName(ReadStatus status);

}  // namespace codec
