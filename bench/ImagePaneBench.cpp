// The image pane. The live path: a camera frame comes in through the grabber callback, is
// posted to the user-interface thread, copied into the pane's frame buffer and painted with
// every overlay on; measured against a plain copy of the frame's 921 600 bytes. The capture: a
// 1600 x 1200 still with every overlay burnt in, written as a JPEG beside its sidecar through a
// temporary file; measured against libjpeg-turbo encoding the same pixels into a file.

#include "viewer/core/CaptureFrame.h"
#include "viewer/core/FrameGrabberCallback.h"
#include "viewer/core/FramePool.h"
#include "viewer/core/ViewerSettings.h"
#include "viewer/imaging/ImageView.h"

#include <QApplication>

#include <jpeglib.h>

#include "bench/Figure.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <unistd.h>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr size_t kBytes = size_t{kWidth} * kHeight * 3;

// Camera-like bytes: noise, so no stage profits from uniform input.
std::vector<uint8_t> CameraBytes(size_t count) {
    std::vector<uint8_t> bytes(count);
    std::mt19937 random(7);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(random() >> 24);
    return bytes;
}

lumora::ViewerSettings& Settings() {
    static lumora::ViewerSettings settings = [] {
        lumora::ViewerSettings s;
        s.printScale = s.printMagBar = s.printMagData = s.printGridLine = s.printCenterLine = 1;
        return s;
    }();
    return settings;
}

// A pane with every overlay on, shown 640 x 480.
std::unique_ptr<lumora::CImageView> PaneWithEveryOverlay() {
    auto view = std::make_unique<lumora::CImageView>(Settings());
    view->resize(kWidth, kHeight);
    view->show();
    view->ApplySettings();
    view->SetDrawingEnabled(true);
    view->SetMagnification(150);
    view->ShowGrid(true);
    view->ShowCentreLine(true);
    view->ShowScale(true);
    view->ShowMagBar(true);
    view->ShowMagData(true);
    view->repaint();
    return view;
}

// The main form's part: each frame goes into the active pane, which paints it at once.
class LiveReceiver : public QObject {
public:
    explicit LiveReceiver(lumora::CImageView& view) : view_(view) {}

protected:
    bool event(QEvent* e) override {
        if (e->type() != lumora::WM_CAPTURE_FRAME) return QObject::event(e);
        const auto* frame = static_cast<lumora::CaptureFrameEvent*>(e);
        view_.ShowFrame(frame->bytes(), frame->byteCount());
        view_.repaint();
        return true;
    }

private:
    lumora::CImageView& view_;
};

void BM_PlainFrameCopy(benchmark::State& state) {
    const std::vector<uint8_t> source = CameraBytes(kBytes);
    std::vector<uint8_t> target(kBytes);
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), kBytes);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
}

void BM_PaneFrameInFramePainted(benchmark::State& state) {
    const std::vector<uint8_t> source = CameraBytes(kBytes);
    auto view = PaneWithEveryOverlay();
    lumora::FramePool pool(6);
    lumora::CFrameGrabberCallback callback;
    LiveReceiver form(*view);
    callback.SetTarget(&form);
    for (auto _ : state) {
        std::shared_ptr<lumora::Frame> frame = pool.Acquire(kWidth, kHeight);
        std::memcpy(frame->bytes.data(), source.data(), kBytes);
        callback.BufferCB(std::move(frame));
        QCoreApplication::sendPostedEvents(&form, lumora::WM_CAPTURE_FRAME);
    }
}
SUITE_FIGURE("Lumora pane 640x480 all overlays", BM_PlainFrameCopy, BM_PaneFrameInFramePainted);

constexpr int kStillWidth = 1600;
constexpr int kStillHeight = 1200;

std::string BenchFolder() {
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "pane-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        return pattern;
    }();
    return folder;
}

void BM_LibjpegEncode(benchmark::State& state) {
    // The same pixels as the capture, top-down red, green, blue.
    const std::vector<uint8_t> bgr = CameraBytes(size_t{kStillWidth} * kStillHeight * 3);
    std::vector<uint8_t> rgb(bgr.size());
    const size_t row = size_t{kStillWidth} * 3;
    for (int y = 0; y < kStillHeight; ++y)
        for (size_t x = 0; x < row; x += 3) {
            const uint8_t* in = bgr.data() + size_t(kStillHeight - 1 - y) * row + x;
            uint8_t* out = rgb.data() + size_t(y) * row + x;
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    const std::string path = BenchFolder() + "/plain.jpg";
    for (auto _ : state) {
        FILE* file = std::fopen(path.c_str(), "wb");
        jpeg_compress_struct cinfo;
        jpeg_error_mgr jerr;
        cinfo.err = jpeg_std_error(&jerr);
        jpeg_create_compress(&cinfo);
        jpeg_stdio_dest(&cinfo, file);
        cinfo.image_width = kStillWidth;
        cinfo.image_height = kStillHeight;
        cinfo.input_components = 3;
        cinfo.in_color_space = JCS_RGB;
        jpeg_set_defaults(&cinfo);
        jpeg_set_quality(&cinfo, 90, TRUE);
        jpeg_start_compress(&cinfo, TRUE);
        while (cinfo.next_scanline < cinfo.image_height) {
            JSAMPROW r = rgb.data() + row * cinfo.next_scanline;
            jpeg_write_scanlines(&cinfo, &r, 1);
        }
        jpeg_finish_compress(&cinfo);
        jpeg_destroy_compress(&cinfo);
        std::fclose(file);
    }
}

void BM_CaptureWithOverlays(benchmark::State& state) {
    const std::vector<uint8_t> still = CameraBytes(size_t{kStillWidth} * kStillHeight * 3);
    auto view = PaneWithEveryOverlay();
    view->ShowFrame(still.data(), still.size());
    const std::string stem = BenchFolder() + "/Pic00001";
    for (auto _ : state) {
        ::unlink((stem + ".jpg").c_str());  // a capture never replaces a picture by itself
        if (view->SaveCapture(stem, true, 3).result != lumora::CaptureResult::Written) std::abort();
    }
}
SUITE_FIGURE("Lumora capture 1600x1200 JPEG with overlays", BM_LibjpegEncode, BM_CaptureWithOverlays);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(BenchFolder());
    return 0;
}
