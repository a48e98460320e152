#include "viewer/core/VideoDeviceIo.h"

#include <libv4l2.h>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/eventfd.h>
#include <sys/mman.h>
#include <unistd.h>

namespace lumora {
namespace {

class LibV4l2DeviceIo : public VideoDeviceIo {
public:
    std::vector<std::string> DeviceNodes() override {
        std::vector<std::pair<int, std::string>> nodes;
        DIR* dir = ::opendir("/dev");
        if (!dir) return {};
        while (const dirent* entry = ::readdir(dir)) {
            const std::string file = entry->d_name;
            if (file.rfind("video", 0) != 0 || file.size() == 5 || file.size() > 11) continue;
            const std::string digits = file.substr(5);
            if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) continue;
            nodes.emplace_back(std::stoi(digits), "/dev/" + file);
        }
        ::closedir(dir);
        std::sort(nodes.begin(), nodes.end());
        std::vector<std::string> paths;
        for (auto& node : nodes) paths.push_back(std::move(node.second));
        return paths;
    }

    int Open(const std::string& path) override { return v4l2_open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC); }
    int Close(int fd) override { return v4l2_close(fd); }

    int Ioctl(int fd, unsigned long request, void* arg) override {
        int result;
        do {
            result = v4l2_ioctl(fd, request, arg);
        } while (result == -1 && errno == EINTR);
        return result;
    }

    void* Map(int fd, size_t length, int64_t offset) override {
        void* start = v4l2_mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED, fd, offset);
        return start == MAP_FAILED ? nullptr : start;
    }
    int Unmap(void* start, size_t length) override { return v4l2_munmap(start, length); }

    int OpenEvent() override { return ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK); }
    int SignalEvent(int fd) override {
        const uint64_t one = 1;
        return ::write(fd, &one, sizeof one) == sizeof one ? 0 : -1;
    }
    int DrainEvent(int fd) override {
        uint64_t count = 0;
        return ::read(fd, &count, sizeof count) == sizeof count ? 0 : -1;
    }
    int CloseEvent(int fd) override { return ::close(fd); }

    int Poll(pollfd* fds, size_t count, int timeoutMs) override {
        return ::poll(fds, static_cast<nfds_t>(count), timeoutMs);
    }
};

}  // namespace

std::shared_ptr<VideoDeviceIo> MakeLibV4l2DeviceIo() { return std::make_shared<LibV4l2DeviceIo>(); }

}  // namespace lumora
