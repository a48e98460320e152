#pragma once

#include <poll.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lumora {

// Every call the video4linux camera makes on the system, so that a scripted device can answer
// in place of a real one. Each call answers as its system call does: -1 (or nullptr for Map)
// with errno set on failure.
class VideoDeviceIo {
public:
    virtual ~VideoDeviceIo() = default;

    // The capture device nodes (/dev/videoN) in device-number order.
    virtual std::vector<std::string> DeviceNodes() = 0;

    // Opens a device node for reading and writing, non-blocking, with the 24-bit conversion in
    // between.
    virtual int Open(const std::string& path) = 0;
    virtual int Close(int fd) = 0;
    virtual int Ioctl(int fd, unsigned long request, void* arg) = 0;
    // Maps a capture buffer for reading and writing, shared with the driver.
    virtual void* Map(int fd, size_t length, int64_t offset) = 0;
    virtual int Unmap(void* start, size_t length) = 0;

    // The wake-up channel that ends a Poll from another thread: a counter that polls readable
    // once signalled, until drained.
    virtual int OpenEvent() = 0;
    virtual int SignalEvent(int fd) = 0;
    virtual int DrainEvent(int fd) = 0;
    virtual int CloseEvent(int fd) = 0;

    virtual int Poll(pollfd* fds, size_t count, int timeoutMs) = 0;
};

// The real devices, through libv4l2. nullptr where the program was built without it.
std::shared_ptr<VideoDeviceIo> MakeLibV4l2DeviceIo();

}  // namespace lumora
