#include "viewer/core/FramePool.h"

#include <mutex>

namespace lumora {

struct FramePool::State {
    std::mutex mutex;
    std::vector<std::unique_ptr<Frame>> free;
    size_t capacity = 0;
    size_t inUse = 0;
};

FramePool::FramePool(size_t capacity) : state_(std::make_shared<State>()) {
    state_->capacity = capacity;
    state_->free.reserve(capacity);  // returning a buffer never allocates
}

FramePool::~FramePool() = default;

std::shared_ptr<Frame> FramePool::Acquire(int width, int height) {
    std::unique_ptr<Frame> frame;
    {
        std::lock_guard lock(state_->mutex);
        if (!state_->free.empty()) {
            frame = std::move(state_->free.back());
            state_->free.pop_back();
        } else if (state_->inUse < state_->capacity) {
            frame = std::make_unique<Frame>();
        } else {
            return nullptr;
        }
        ++state_->inUse;
    }
    frame->width = width;
    frame->height = height;
    frame->bytes.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3u);
    std::shared_ptr<State> state = state_;
    return std::shared_ptr<Frame>(frame.release(), [state](Frame* returned) {
        std::lock_guard lock(state->mutex);
        --state->inUse;
        state->free.emplace_back(returned);
    });
}

size_t FramePool::capacity() const { return state_->capacity; }

size_t FramePool::inUse() const {
    std::lock_guard lock(state_->mutex);
    return state_->inUse;
}

}  // namespace lumora
