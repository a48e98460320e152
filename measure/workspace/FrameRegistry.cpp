#include "measure/workspace/FrameRegistry.h"

#include <algorithm>

namespace tessmet {

bool FrameRegistry::Register(CChildFrame* frame) {
    if (!frame || isRegistered(frame)) return false;
    const int entry = table_.acquire();
    if (entry < 0) return false;
    frames_.push_back(frame);
    entries_.push_back(entry);
    emit frameRegistered(frame);
    return true;
}

bool FrameRegistry::Unregister(CChildFrame* frame) {
    const auto it = std::find(frames_.begin(), frames_.end(), frame);
    if (it == frames_.end()) return false;
    const auto index = it - frames_.begin();
    table_.release(entries_[static_cast<size_t>(index)]);
    frames_.erase(it);
    entries_.erase(entries_.begin() + index);
    if (frames_.empty()) emit lastFrameClosed();
    return true;
}

bool FrameRegistry::isRegistered(const CChildFrame* frame) const {
    return std::find(frames_.begin(), frames_.end(), frame) != frames_.end();
}

CChildFrame* FrameRegistry::next(const CChildFrame* frame) const {
    if (frames_.empty()) return nullptr;
    const auto it = std::find(frames_.begin(), frames_.end(), frame);
    if (it == frames_.end() || it + 1 == frames_.end()) return frames_.front();
    return *(it + 1);
}

}  // namespace tessmet
