#pragma once

#include "measure/core/OpenImageTable.h"

#include <QObject>

#include <vector>

namespace tessmet {

class CChildFrame;

// The main window's list of image windows, in registration order, at most 64. A window
// registers on its first activation and unregisters when it is destroyed. The same count
// decides whether another picture may be opened (OpenImage with table()).
class FrameRegistry : public QObject {
    Q_OBJECT
public:
    static constexpr int kCapacity = OpenImageTable::kCapacity;

    explicit FrameRegistry(QObject* parent = nullptr) : QObject(parent) {}

    // Appends the frame: false (nothing added) when 64 are registered or it is registered
    // already.
    bool Register(CChildFrame* frame);
    // Removes the frame; later ones move down one place. False when it was not registered.
    bool Unregister(CChildFrame* frame);

    int count() const { return static_cast<int>(frames_.size()); }
    bool isRegistered(const CChildFrame* frame) const;
    const std::vector<CChildFrame*>& frames() const { return frames_; }
    // The frame after `frame` in registration order, wrapping round ("Window Change").
    CChildFrame* next(const CChildFrame* frame) const;

    // 0 when one more picture may be opened, otherwise message 10001.
    int CheckOpenLimit() const { return table_.checkLimit(); }
    const OpenImageTable& table() const { return table_; }

signals:
    // A frame was registered: the result windows learn that a document is open.
    void frameRegistered(CChildFrame* frame);
    // The last frame went: the main window greys the menus that need an image, clears its
    // nine flags and empties the result windows.
    void lastFrameClosed();

private:
    std::vector<CChildFrame*> frames_;
    std::vector<int> entries_;  // the table entry of each frame
    OpenImageTable table_;
};

}  // namespace tessmet
