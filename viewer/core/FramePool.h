#pragma once

#include "viewer/core/CaptureFrame.h"

#include <cstddef>
#include <memory>

namespace lumora {

// A fixed number of frame buffers reused from frame to frame. A buffer handed out comes back
// to the pool when its last reference goes, on whatever thread that happens. When every buffer
// is still held (the user-interface thread has fallen behind) Acquire gives nothing and the
// producer drops the frame, so a slow receiver never makes memory grow.
class FramePool {
public:
    explicit FramePool(size_t capacity);
    ~FramePool();
    FramePool(const FramePool&) = delete;
    FramePool& operator=(const FramePool&) = delete;

    // A buffer sized for width x height x 3 bytes, or nullptr when all are in use.
    std::shared_ptr<Frame> Acquire(int width, int height);

    size_t capacity() const;
    size_t inUse() const;

private:
    struct State;
    std::shared_ptr<State> state_;  // shared with the buffers' deleters, which may outlive the pool
};

}  // namespace lumora
