// The live path of Lumora: a camera frame comes in, is handed to the user-interface thread as
// a WM_CAPTURE_FRAME event and is turned into the picture the screen paints. Measured against
// the plain copy of the frame's 921 600 bytes, the least any hand-over of a frame can cost.

#include "viewer/core/CaptureFrame.h"
#include "viewer/core/FrameGrabberCallback.h"
#include "viewer/core/FramePool.h"
#include "viewer/imaging/FrameImage.h"

#include <QCoreApplication>

#include "bench/Figure.h"

#include <cstring>
#include <numeric>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr size_t kBytes = size_t{kWidth} * kHeight * 3;

std::vector<uint8_t> CameraBytes() {
    std::vector<uint8_t> bytes(kBytes);
    std::iota(bytes.begin(), bytes.end(), uint8_t{0});
    return bytes;
}

// The main form's part: show each frame that arrives.
class LiveReceiver : public QObject {
public:
    QImage shown;

protected:
    bool event(QEvent* e) override {
        if (e->type() != lumora::WM_CAPTURE_FRAME) return QObject::event(e);
        const auto* frame = static_cast<lumora::CaptureFrameEvent*>(e);
        lumora::FrameToImage(frame->bytes(), frame->frame()->width, frame->frame()->height, shown);
        return true;
    }
};

void BM_PlainFrameCopy(benchmark::State& state) {
    const std::vector<uint8_t> source = CameraBytes();
    std::vector<uint8_t> target(kBytes);
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), kBytes);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kBytes));
}

// Frame in (into a pooled buffer, as the camera thread fills it), posted, delivered, shown.
void BM_LiveFrameInFrameShown(benchmark::State& state) {
    const std::vector<uint8_t> source = CameraBytes();
    lumora::FramePool pool(6);
    lumora::CFrameGrabberCallback callback;
    LiveReceiver form;
    callback.SetTarget(&form);
    for (auto _ : state) {
        std::shared_ptr<lumora::Frame> frame = pool.Acquire(kWidth, kHeight);
        std::memcpy(frame->bytes.data(), source.data(), kBytes);
        callback.BufferCB(std::move(frame));
        QCoreApplication::sendPostedEvents(&form, lumora::WM_CAPTURE_FRAME);
        benchmark::DoNotOptimize(form.shown.constBits());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kBytes));
}
SUITE_FIGURE("Lumora live frame 640x480", BM_PlainFrameCopy, BM_LiveFrameInFrameShown);

// The conversion alone, to see what the hand-over itself adds.
void BM_FrameToImageOnly(benchmark::State& state) {
    const std::vector<uint8_t> source = CameraBytes();
    QImage image;
    for (auto _ : state) {
        lumora::FrameToImage(source.data(), kWidth, kHeight, image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kBytes));
}
BENCHMARK(BM_FrameToImageOnly);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
