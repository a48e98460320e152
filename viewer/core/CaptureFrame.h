#pragma once

#include <QEvent>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace lumora {

// One camera frame: 24-bit pixels in blue, green, red byte order, rows bottom-up, each row
// width * 3 bytes (a bitmap's pixel block without its header).
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bytes;
    uint64_t sequence = 0;  // counts the frames of one stream, from 1

    size_t byteCount() const { return bytes.size(); }
};

// Frames are shared read-only between the streaming thread, the grabber's "current buffer"
// and the events on their way to the user-interface thread; the last holder returns the
// buffer to its pool.
using FramePtr = std::shared_ptr<const Frame>;

// The byte counts of the four frame sizes the viewer works with: 640 x 480, 800 x 600,
// 1280 x 960 and 1600 x 1200, three bytes a pixel.
inline constexpr size_t kAcceptedFrameBytes[] = {921600, 1440000, 3686400, 5760000};

constexpr bool IsAcceptedFrameByteCount(size_t bytes) {
    for (size_t accepted : kAcceptedFrameBytes)
        if (bytes == accepted) return true;
    return false;
}

// The event that carries a live frame to the main form (WM_USER + 51 of the message numbering
// the program has always used).
inline constexpr QEvent::Type WM_CAPTURE_FRAME = static_cast<QEvent::Type>(QEvent::User + 51);

// Posted by the camera's streaming thread to the main form. The event holds its own reference
// to the frame, so the pixels stay valid and unchanged for as long as the receiver looks at
// them, however late the event is handled.
class CaptureFrameEvent : public QEvent {
public:
    explicit CaptureFrameEvent(FramePtr frame) : QEvent(WM_CAPTURE_FRAME), frame_(std::move(frame)) {}

    const FramePtr& frame() const { return frame_; }
    const uint8_t* bytes() const { return frame_->bytes.data(); }
    size_t byteCount() const { return frame_->byteCount(); }

private:
    FramePtr frame_;
};

}  // namespace lumora
