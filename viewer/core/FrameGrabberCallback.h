#pragma once

#include "viewer/core/CaptureFrame.h"

#include <QObject>

#include <atomic>
#include <cstdint>
#include <mutex>

namespace lumora {

// Hands live frames from the camera's streaming thread to the main form as posted
// WM_CAPTURE_FRAME events. Only frames of the four accepted byte counts are passed on; a
// frame of any other size is dropped. The target is guarded by a lock so that no event is
// posted to a window that has been destroyed.
class CFrameGrabberCallback {
public:
    // User-interface thread. nullptr stops all posting.
    void SetTarget(QObject* target);

    // Streaming thread. Always returns 0, as a grabber callback must.
    int BufferCB(FramePtr frame);

    uint64_t postedFrames() const { return posted_.load(); }
    uint64_t ignoredFrames() const { return ignored_.load(); }

private:
    std::mutex mutex_;
    QObject* target_ = nullptr;
    std::atomic<uint64_t> posted_{0};
    std::atomic<uint64_t> ignored_{0};
};

}  // namespace lumora
