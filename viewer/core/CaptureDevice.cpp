#include "viewer/core/CaptureDevice.h"

#include <QCursor>
#include <QGuiApplication>

#include <algorithm>
#include <utility>

namespace lumora {
namespace {

using Clock = std::chrono::steady_clock;

constexpr FrameSize kLiveSize{640, 480};
// A still asked for at 640 x 480 is taken at 800 x 600; the picture is scaled down afterwards,
// which looks better than the camera's own 640 x 480 mode.
constexpr FrameSize kSmallStillSize{800, 600};

// The wait cursor while the camera reconfigures; nothing without a graphical application.
class WaitCursor {
public:
    WaitCursor() : active_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        if (active_) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~WaitCursor() {
        if (active_) QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool active_;
};

}  // namespace

CCaptureDevice::CCaptureDevice(std::shared_ptr<CameraSystem> system, QObject* parent)
    : QObject(parent), system_(std::move(system)) {}

CCaptureDevice::~CCaptureDevice() { Close(); }

void CCaptureDevice::report(CaptureMessage message) {
    if (messages_) messages_(message);
}

int CCaptureDevice::Open(const std::string& deviceName, QObject* target, int width, int height,
                         int bytesPerPixel) {
    if (bytesPerPixel != 3 || width <= 0 || height <= 0 || width > StillBuffer::kMaxWidth ||
        height > StillBuffer::kMaxHeight)
        return kCaptureBadArgument;
    Close();
    if (!system_) return kCaptureNoDevice;
    backend_ = system_->OpenByName(deviceName);
    if (!backend_) return kCaptureNoDevice;

    const FrameSize wanted{width, height};
    if (backend_->Format() == wanted || backend_->SetFormat(wanted))
        current_ = wanted;
    else if (backend_->Busy())
        return busy();
    else
        report(CaptureMessage::FailedSetFormat);  // opening goes on with the camera's own size

    callback_.SetTarget(target);
    if (target) {
        targetWatch_ = connect(target, &QObject::destroyed, this, [this] { callback_.SetTarget(nullptr); });
    }
    posting_ = true;
    running_ = 1;
    const StartResult started = startStream();
    if (started != StartResult::Started && backend_->Busy()) return busy();
    switch (started) {
    case StartResult::Started: busyReported_ = false; return kCaptureOk;
    case StartResult::SetupFailed:
        report(CaptureMessage::CannotCreateVideoInterface);
        return kCaptureNoInterface;
    case StartResult::StreamRefused: break;
    }
    report(CaptureMessage::RenderStreamFailed);
    return kCaptureStreamFailed;
}

int CCaptureDevice::busy() {
    Close();
    // Recorded before the message is shown: the retry timer keeps running while it is open.
    const bool reported = std::exchange(busyReported_, true);
    if (!reported) report(CaptureMessage::CameraBusy);
    return kCaptureBusy;
}

StartResult CCaptureDevice::startStream() {
    if (!backend_) return StartResult::StreamRefused;
    if (backend_->IsStreaming()) return StartResult::Started;
    return backend_->Start([this](FramePtr frame) { onFrame(std::move(frame)); },
                           [this] {
                               // Streaming thread: the signal is raised on this object's thread.
                               QMetaObject::invokeMethod(this, [this] { emit deviceLost(); },
                                                         Qt::QueuedConnection);
                           });
}

void CCaptureDevice::onFrame(FramePtr frame) {
    {
        std::lock_guard lock(latestMutex_);
        latest_ = frame;
    }
    frameArrived_.notify_all();
    if (posting_) callback_.BufferCB(std::move(frame));
}

FramePtr CCaptureDevice::latestFrame() {
    std::lock_guard lock(latestMutex_);
    return latest_;
}

void CCaptureDevice::reconfigure(FrameSize size) {
    posting_ = false;
    // A camera that already delivers the size keeps its format and its stream untouched.
    if (backend_->Format() != size) {
        backend_->Stop();
        if (backend_->SetFormat(size)) current_ = size;
    }
    std::lock_guard lock(latestMutex_);
    latest_.reset();  // a still must come from a frame taken after the request
}

int CCaptureDevice::SetLive(int live, int width, int height) {
    if (!backend_) return 0;
    WaitCursor wait;
    if (live) {
        reconfigure(kLiveSize);
        startStream();
        posting_ = true;
        running_ = 1;
    } else {
        const FrameSize size = width == 640 ? kSmallStillSize : FrameSize{width, height};
        if (size.width <= 0 || size.height <= 0 || size.width > StillBuffer::kMaxWidth ||
            size.height > StillBuffer::kMaxHeight) {
            stillValid_ = false;  // the still buffer has room for 1600 x 1200 at most
            return live;
        }
        reconfigure(size);
        startStream();
        stillValid_ = grabStill(size);
        backend_->Stop();
        running_ = 0;
    }
    return live;
}

bool CCaptureDevice::grabStill(FrameSize size) {
    const Clock::time_point deadline = Clock::now() + stillTimeout_;
    const auto waitUntil = [&](auto ready) {
        std::unique_lock lock(latestMutex_);
        for (;;) {
            if (ready()) return true;
            const Clock::time_point now = Clock::now();
            if (now >= deadline) return false;
            frameArrived_.wait_until(lock, std::min(deadline, now + std::chrono::milliseconds(100)));
        }
    };
    if (!waitUntil([&] { return backend_->Format() == size; })) {
        report(CaptureMessage::FormatTimeout);
        return false;
    }
    const size_t bytes = static_cast<size_t>(size.width) * static_cast<size_t>(size.height) * 3u;
    if (bytes != 0 && !waitUntil([&] {
            return latest_ && latest_->width == size.width && latest_->byteCount() == bytes;
        })) {
        report(CaptureMessage::BufferTimeout);
        return false;
    }
    const FramePtr frame = latestFrame();
    return frame && frame->byteCount() == bytes && still_.WriteHeader(size.width, size.height) &&
           still_.CopyPixels(*frame);
}

void CCaptureDevice::SetRunning(int flag) {
    if (backend_) {
        if (flag == 1 && running_ == 0) startStream();
        if (flag == 0 && running_ == 1) backend_->Stop();
    }
    running_ = flag;
}

int CCaptureDevice::GetZoom() {
    if (!backend_) return -1;
    return backend_->Zoom().value_or(-1);
}

bool CCaptureDevice::SetZoom(int value) { return backend_ && backend_->SetZoom(value); }

std::optional<int> CCaptureDevice::GetProperty(CameraProperty property) {
    if (!backend_) return std::nullopt;
    return backend_->GetProperty(property);
}

bool CCaptureDevice::SetProperty(CameraProperty property, int value) {
    return backend_ && backend_->SetProperty(property, value);
}

int CCaptureDevice::GetProperties(CameraProperties& out) {
    if (!backend_) return -1;
    CameraProperties read = out;
    bool any = false;
    for (CameraProperty p : kAllCameraProperties) {
        if (const auto value = backend_->GetProperty(p)) {
            read[p] = *value;
            any = true;
        }
    }
    if (!any) return -1;
    out = read;
    return 0;
}

int CCaptureDevice::SetProperties(const CameraProperties& values) {
    if (!backend_) return -1;
    bool any = false;
    for (CameraProperty p : kAllCameraProperties) {
        if (!backend_->GetProperty(p)) continue;
        any = true;
        backend_->SetProperty(p, values[p]);  // a refused value leaves the camera's own
    }
    return any ? 0 : -1;
}

std::vector<CameraControl> CCaptureDevice::Controls() {
    return backend_ ? backend_->Controls() : std::vector<CameraControl>{};
}

bool CCaptureDevice::SetControl(uint32_t id, int value) { return backend_ && backend_->SetControl(id, value); }

std::string CCaptureDevice::DeviceName() const { return backend_ ? backend_->Name() : std::string(); }

void CCaptureDevice::Close() {
    posting_ = false;
    callback_.SetTarget(nullptr);
    disconnect(targetWatch_);
    if (backend_) {
        backend_->Stop();
        backend_.reset();
    }
    std::lock_guard lock(latestMutex_);
    latest_.reset();
}

}  // namespace lumora
