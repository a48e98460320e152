#pragma once

#include "viewer/core/CameraBackend.h"
#include "viewer/core/CaptureMessages.h"
#include "viewer/core/FrameGrabberCallback.h"
#include "viewer/core/StillBuffer.h"

#include <QObject>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

namespace lumora {

// Results of CCaptureDevice::Open: 0 success, negative failure.
inline constexpr int kCaptureOk = 0;
inline constexpr int kCaptureNoDevice = -1;       // no camera, or none with the configured name
inline constexpr int kCaptureBadArgument = -2;    // a frame format the viewer does not use
inline constexpr int kCaptureStreamFailed = -3;   // the camera was found but does not stream
inline constexpr int kCaptureNoInterface = -4;    // the capture machinery could not be set up
inline constexpr int kCaptureBusy = -5;           // another program holds the camera

// The viewer's one camera: opened by friendly name, a live 640 x 480 stream delivered to the
// main form as WM_CAPTURE_FRAME events, stills at 640 x 480 (taken at 800 x 600), 800 x 600,
// 1280 x 960 or 1600 x 1200 into the still buffer, the zoom, the eight processing values.
// Every operation runs on the user-interface thread; only the frame delivery runs on the
// camera's streaming thread.
class CCaptureDevice : public QObject {
    Q_OBJECT
public:
    using MessageHandler = std::function<void(CaptureMessage)>;

    explicit CCaptureDevice(std::shared_ptr<CameraSystem> system, QObject* parent = nullptr);
    ~CCaptureDevice() override;

    // Opens the camera `deviceName` (empty: the first), asks it for width x height frames and
    // starts the stream; live frames go to `target` (may be nullptr: no frames are posted).
    // A device already open is closed first. Only 3 bytes a pixel exist. A camera another
    // program holds gives kCaptureBusy and the CameraBusy message, the message only the first
    // time in a row, so that the retries every 2 seconds stay quiet.
    int Open(const std::string& deviceName, QObject* target, int width, int height, int bytesPerPixel);

    // live = 1: back to the live 640 x 480 stream (width and height unused). live = 0: a still
    // at width x height into the still buffer (640 is taken at 800 x 600), after which the
    // stream stays paused. Returns `live`; 0 without doing anything when nothing is open.
    int SetLive(int live, int width, int height);

    // Runs the stream when the flag becomes 1 and pauses it when it becomes 0.
    void SetRunning(int flag);
    int Running() const { return running_; }

    // The camera's absolute zoom, -1 when there is none.
    int GetZoom();
    bool SetZoom(int value);

    // The eight processing values in their order; -1 when the camera has none of them (`out`
    // unchanged). A value the camera lacks keeps what `out` held.
    int GetProperties(CameraProperties& out);
    // Sets the eight values in their order; -1 when the camera has none of them.
    int SetProperties(const CameraProperties& values);
    std::optional<int> GetProperty(CameraProperty property);
    bool SetProperty(CameraProperty property, int value);

    std::vector<CameraControl> Controls();
    bool SetControl(uint32_t id, int value);

    void Close();

    bool IsOpen() const { return backend_ != nullptr; }
    std::string DeviceName() const;
    FrameSize CurrentSize() const { return current_; }
    const StillBuffer& Still() const { return still_; }
    // Whether the last still came from the camera; after a time-out the buffer keeps whatever
    // it held before.
    bool StillValid() const { return stillValid_; }
    const CFrameGrabberCallback& Callback() const { return callback_; }

    // How the camera reports what the user must be told; by default nothing is shown.
    void SetMessageHandler(MessageHandler handler) { messages_ = std::move(handler); }
    // How long a still may wait for the new format and for its frame (12 s).
    void SetStillTimeout(std::chrono::milliseconds timeout) { stillTimeout_ = timeout; }

signals:
    // The open camera stopped delivering because it went away; Close and Open again to resume.
    void deviceLost();

private:
    void report(CaptureMessage message);
    StartResult startStream();
    int busy();
    void reconfigure(FrameSize size);
    bool grabStill(FrameSize size);
    void onFrame(FramePtr frame);
    FramePtr latestFrame();

    std::shared_ptr<CameraSystem> system_;
    std::unique_ptr<CameraBackend> backend_;
    StillBuffer still_;
    FrameSize current_{640, 480};
    int running_ = 1;
    bool stillValid_ = false;
    bool busyReported_ = false;  // since the last successful opening
    CFrameGrabberCallback callback_;
    std::atomic<bool> posting_{false};  // the buffer callback is installed

    // The grabber's current buffer: the newest frame, written by the streaming thread.
    std::mutex latestMutex_;
    std::condition_variable frameArrived_;
    FramePtr latest_;

    MessageHandler messages_;
    std::chrono::milliseconds stillTimeout_{12000};
    QMetaObject::Connection targetWatch_;
};

}  // namespace lumora
