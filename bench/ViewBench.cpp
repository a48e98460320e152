// The measurement view on a 6000 x 4000 picture, offscreen: a paint at zoom 0.25 and at zoom 1
// (the whole paint event of a 1280 x 960 client area: screen copy, overlays, blit), the first
// paint after the display changed at zoom 0.25 (which shrinks the whole picture once), the full
// recomposition of the layers with 64 measurements, and the whole path from the mouse release
// that completes a measurement to the end of the first paint that shows it, at zooms 0.25, 0.5
// and 1; the same for a draw object and a region whose completion switches their layer on; and
// the commands that may recompose everything (Undo, Clear, layer switches, a new calibration),
// each to the end of its first paint. Each against a plain copy of the bytes it has to touch:
// the client area's pixels for a paint, the display bitmap for the others.

#include "measure/core/MeasureKinds.h"
#include "measure/core/Measurement.h"
#include "measure/workspace/CTessmetView.h"
#include "measure/workspace/ViewHost.h"
#include "measure/workspace/ShowMessage.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include "bench/Figure.h"

#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace {

using namespace tessmet;

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;
constexpr QSize kClient(1280, 960);

class QuietPresenter : public MessagePresenter {
public:
    MessageAnswer present(const MessageRequest&) override { return MessageAnswer::Ok; }
};

class BenchHost : public ViewHost {
public:
    void setStatusText(int, const QString&) override {}
    ToolMode currentTool() const override { return tool; }
    void setFlags(const LayerFlags&) override {}
    const Settings& settings() const override { return settings_; }
    const SharedCalibration& sharedCalibration() const override { return shared_; }
    MessagePresenter& messages() override { return presenter_; }
    void runCommand(int) override {}
    void setMainWindowEnabled(bool) override {}

    ToolMode tool = Tool::None;

private:
    Settings settings_;
    SharedCalibration shared_;
    QuietPresenter presenter_;
};

Dib Specimen() {
    Dib dib(kWidth, kHeight, 24);
    std::mt19937 random(3);
    for (int y = 0; y < kHeight; ++y) {
        uint8_t* row = dib.row(y);
        for (int x = 0; x < kWidth * 3; ++x) row[x] = static_cast<uint8_t>((x / 3 + y) ^ (random() & 15));
    }
    return dib;
}

// One measurement of each of the eight kinds per block of 8, spread over the picture.
Measurement Sample(int index) {
    const int ox = 100 + (index % 8) * 700, oy = 100 + (index / 8) * 480;
    std::vector<Point> points;
    switch (index % 8) {
        case 0: points = {{ox, oy}, {ox + 400, oy + 50}}; break;
        case 1: points = {{ox, oy}, {ox + 400, oy}, {ox + 200, oy + 150}}; break;
        case 2: points = {{ox, oy}, {ox + 300, oy + 20}, {ox + 280, oy + 220}, {ox + 10, oy + 200}}; break;
        case 3: points = {{ox, oy}, {ox + 300, oy}, {ox + 100, oy + 250}}; break;
        case 4: points = {{ox, oy}, {ox + 300, oy + 20}, {ox, oy + 200}, {ox + 250, oy + 10}}; break;
        case 5: points = {{ox + 150, oy + 150}, {ox + 250, oy + 150}}; break;
        case 6: points = {{ox, oy + 100}, {ox + 100, oy}, {ox + 200, oy + 100}}; break;
        default: points = {{ox, oy}, {ox + 350, oy + 100}}; break;
    }
    const ObjectKind kind = MeasureKindTable()[index % 8].kind;
    MeasureInput input;
    input.kind = kind;
    input.points = points;
    input.label = {ox + 20, oy + 300};
    input.pen = {0, 1, 0xFF0000};
    input.imageWidth = kWidth;
    input.imageHeight = kHeight;
    Measurement m;
    BuildMeasurement(input, 1.0, m);
    return m;
}

// A shown view of the specimen with 64 measurements and every layer with content on.
struct ViewFixture {
    ViewFixture() : view(host, nullptr) {
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.SetPicture(Specimen());
        restore();
        view.resize(kClient);
        view.show();
        QApplication::processEvents();
        target = QImage(kClient, QImage::Format_ARGB32_Premultiplied);
    }
    void paint() { view.viewport()->render(&target); }
    // Back to the 64 measurements with the measure layer alone on, in pixels, composed.
    void restore() {
        view.store().ClearKinds(Kind::MeasureMask | Kind::DrawMask);
        for (int i = 0; i < 64; ++i) {
            const Measurement m = Sample(i);
            view.store().Add(m.kind, EncodeRecord(m));
        }
        view.document().calibration() = Calibration{};
        LayerFlags flags;
        flags.measureLayer = true;
        view.SetFlags(flags);
        view.Rebuild();
    }

    BenchHost host;
    CTessmetView view;
    QImage target;
};

// Made on first use, and destroyed by main while the application still exists.
std::unique_ptr<ViewFixture>& FixtureSlot() {
    static std::unique_ptr<ViewFixture> fixture;
    return fixture;
}

ViewFixture& Fixture() {
    std::unique_ptr<ViewFixture>& slot = FixtureSlot();
    if (!slot) slot = std::make_unique<ViewFixture>();
    return *slot;
}

void CopyBytes(benchmark::State& state, size_t bytes) {
    std::vector<uint8_t> source(bytes, 1), target(bytes);
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), bytes);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

void BM_CopyClientBytes(benchmark::State& state) { CopyBytes(state, size_t(kClient.width()) * kClient.height() * 4); }
void BM_CopyDisplayBytes(benchmark::State& state) { CopyBytes(state, size_t(kWidth) * kHeight * 3); }

void PaintAt(benchmark::State& state, double zoom) {
    ViewFixture& f = Fixture();
    f.view.SetZoom(zoom);
    f.view.ScrollTo({kWidth / 3, kHeight / 3});
    f.paint();  // the shrunken picture is made once per zoom and display
    for (auto _ : state) {
        f.paint();
        benchmark::DoNotOptimize(f.target.constBits());
    }
}

void BM_PaintZoomQuarter(benchmark::State& state) { PaintAt(state, 0.25); }
void BM_PaintZoomOne(benchmark::State& state) { PaintAt(state, 1.0); }

void BM_FirstPaintZoomQuarter(benchmark::State& state) {
    ViewFixture& f = Fixture();
    f.view.SetZoom(0.25);
    f.view.ScrollTo({0, 0});
    for (auto _ : state) {
        f.view.DisplayChanged();  // as after a recomposition
        f.paint();
        benchmark::DoNotOptimize(f.target.constBits());
    }
}

void BM_Rebuild64Measurements(benchmark::State& state) {
    ViewFixture& f = Fixture();
    for (auto _ : state) {
        f.view.DisplayChanged();  // forgets what was composed: everything again
        f.view.Rebuild();
        benchmark::DoNotOptimize(f.view.images().display().bits());
    }
}

void Click(QWidget* viewport, QPoint p) {
    const QPointF at(p), global(viewport->mapToGlobal(p));
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &release);
}

// A two-point distance completed on every iteration, with the store full (every new
// measurement drops the oldest); the figure spreads over the client area and moves on each time.
// Timed either from the release that completes it to the end of the first paint that shows it,
// or the first paint alone.
enum class MeasureTiming { ReleaseToPaint, PaintOnly };

void MeasureThenPaint(benchmark::State& state, double zoom, MeasureTiming timing) {
    ViewFixture& f = Fixture();
    f.view.SetZoom(zoom);
    f.view.ScrollTo({kWidth / 3, kHeight / 3});
    f.host.tool = Tool::TwoPointDistance;
    f.paint();
    int k = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const int dx = (k * 97) % 600, dy = (k * 61) % 400;
        ++k;
        Click(f.view.viewport(), {100 + dx, 100 + dy});
        Click(f.view.viewport(), {500 + dx, 300 + dy});
        if (timing == MeasureTiming::ReleaseToPaint) state.ResumeTiming();
        Click(f.view.viewport(), {300 + dx, 500 + dy});  // the label: completes it
        if (timing == MeasureTiming::PaintOnly) state.ResumeTiming();
        f.paint();
        benchmark::DoNotOptimize(f.target.constBits());
    }
    f.host.tool = Tool::None;
    f.view.ForgetPoints();
}

void BM_MeasureZoomQuarter(benchmark::State& state) { MeasureThenPaint(state, 0.25, MeasureTiming::ReleaseToPaint); }
void BM_MeasureZoomHalf(benchmark::State& state) { MeasureThenPaint(state, 0.5, MeasureTiming::ReleaseToPaint); }
void BM_MeasureZoomOne(benchmark::State& state) { MeasureThenPaint(state, 1.0, MeasureTiming::ReleaseToPaint); }

void BM_FirstPaintAfterMeasureQuarter(benchmark::State& state) { MeasureThenPaint(state, 0.25, MeasureTiming::PaintOnly); }
void BM_FirstPaintAfterMeasureHalf(benchmark::State& state) { MeasureThenPaint(state, 0.5, MeasureTiming::PaintOnly); }
void BM_FirstPaintAfterMeasureOne(benchmark::State& state) { MeasureThenPaint(state, 1.0, MeasureTiming::PaintOnly); }

// From the release that completes a draw line while the draw layer is off (no draw object yet,
// the 64 measurements shown) to the end of the first paint: the completion switches the layer
// on. Between iterations Draw - Clear takes the line away and switches the layer off again.
void DrawSwitchingLayerOn(benchmark::State& state, double zoom) {
    ViewFixture& f = Fixture();
    f.view.SetZoom(zoom);
    f.view.ScrollTo({kWidth / 3, kHeight / 3});
    f.host.tool = Tool::DrawLine;
    int k = 0;
    for (auto _ : state) {
        state.PauseTiming();
        f.view.ClearDrawObjects();
        f.paint();
        const int dx = (k * 97) % 600, dy = (k * 61) % 400;
        ++k;
        Click(f.view.viewport(), {100 + dx, 100 + dy});
        state.ResumeTiming();
        Click(f.view.viewport(), {700 + dx, 500 + dy});  // completes it: draw layer on
        f.paint();
        benchmark::DoNotOptimize(f.target.constBits());
    }
    f.host.tool = Tool::None;
    f.view.ForgetPoints();
    f.restore();
}

void BM_DrawLayerOnZoomQuarter(benchmark::State& state) { DrawSwitchingLayerOn(state, 0.25); }
void BM_DrawLayerOnZoomHalf(benchmark::State& state) { DrawSwitchingLayerOn(state, 0.5); }
void BM_DrawLayerOnZoomOne(benchmark::State& state) { DrawSwitchingLayerOn(state, 1.0); }

// From the release that sets a rectangular region while the processing layer is off (nothing
// processed yet) to the end of the first paint: the region's outline switches the layer on.
void RegionSwitchingLayerOn(benchmark::State& state, double zoom) {
    ViewFixture& f = Fixture();
    f.view.SetZoom(zoom);
    f.view.ScrollTo({kWidth / 3, kHeight / 3});
    f.host.tool = Tool::RoiRectangle;
    int k = 0;
    for (auto _ : state) {
        state.PauseTiming();
        LayerFlags flags = f.view.flags();
        flags.processingLayer = false;
        f.view.SetFlags(flags);
        f.view.ClearRegion();
        f.paint();
        const int dx = (k * 97) % 600, dy = (k * 61) % 400;
        ++k;
        Click(f.view.viewport(), {100 + dx, 100 + dy});
        state.ResumeTiming();
        Click(f.view.viewport(), {700 + dx, 500 + dy});  // completes it: processing layer on
        f.paint();
        benchmark::DoNotOptimize(f.target.constBits());
    }
    f.host.tool = Tool::None;
    f.view.ForgetPoints();
    f.view.ClearRegion();
    f.restore();
}

void BM_RegionLayerOnZoomQuarter(benchmark::State& state) { RegionSwitchingLayerOn(state, 0.25); }

// The commands that may recompose everything, each to the end of its first paint at zoom 0.25
// (the costliest first paint): the state they change is put back untimed.
void CommandAndPaint(benchmark::State& state, const std::function<void(ViewFixture&)>& prepare,
                     const std::function<void(ViewFixture&)>& command) {
    ViewFixture& f = Fixture();
    f.view.SetZoom(0.25);
    f.view.ScrollTo({0, 0});
    for (auto _ : state) {
        state.PauseTiming();
        prepare(f);
        f.paint();
        state.ResumeTiming();
        command(f);
        f.paint();
        benchmark::DoNotOptimize(f.target.constBits());
    }
    f.restore();
}

void AddOneMeasurement(ViewFixture& f) {
    const Measurement m = Sample(3);
    f.view.store().Add(m.kind, EncodeRecord(m));
    f.view.Rebuild();
}

void ToggleLayer(ViewFixture& f, bool LayerFlags::*layer) {
    LayerFlags flags = f.view.flags();
    flags.*layer = !(flags.*layer);
    f.view.SetFlags(flags);
}

void BM_UndoZoomQuarter(benchmark::State& state) {
    CommandAndPaint(state, AddOneMeasurement, [](ViewFixture& f) { f.view.Undo(); });
}
void BM_ClearMeasurementsZoomQuarter(benchmark::State& state) {
    CommandAndPaint(state, [](ViewFixture& f) { f.restore(); }, [](ViewFixture& f) { f.view.ClearMeasurements(); });
}
void BM_ToggleMeasureLayerZoomQuarter(benchmark::State& state) {
    CommandAndPaint(state, [](ViewFixture&) {}, [](ViewFixture& f) { ToggleLayer(f, &LayerFlags::measureLayer); });
}
void BM_ToggleOriginalLayerZoomQuarter(benchmark::State& state) {
    CommandAndPaint(state, [](ViewFixture&) {}, [](ViewFixture& f) { ToggleLayer(f, &LayerFlags::originalLayer); });
}
void BM_CalibrationChangeZoomQuarter(benchmark::State& state) {
    int k = 0;
    CommandAndPaint(state, [](ViewFixture&) {}, [&k](ViewFixture& f) {
        Calibration& c = f.view.document().calibration();
        c.unit = Unit::Millimetre;
        c.hResolution = c.vResolution = (++k % 2 == 0) ? 0.002 : 0.003;
        f.view.Rebuild(true);
    });
}

SUITE_FIGURE("View paint 6000x4000 at zoom 0.25", BM_CopyClientBytes, BM_PaintZoomQuarter);
SUITE_FIGURE("View paint 6000x4000 at zoom 1", BM_CopyClientBytes, BM_PaintZoomOne);
SUITE_FIGURE("View first paint after a change at zoom 0.25", BM_CopyDisplayBytes, BM_FirstPaintZoomQuarter);
SUITE_FIGURE("View Rebuild 6000x4000 with 64 measurements", BM_CopyDisplayBytes, BM_Rebuild64Measurements);
SUITE_FIGURE("View measurement to first paint 6000x4000 at zoom 0.25", BM_CopyDisplayBytes, BM_MeasureZoomQuarter);
SUITE_FIGURE("View measurement to first paint 6000x4000 at zoom 0.5", BM_CopyDisplayBytes, BM_MeasureZoomHalf);
SUITE_FIGURE("View measurement to first paint 6000x4000 at zoom 1", BM_CopyDisplayBytes, BM_MeasureZoomOne);
SUITE_FIGURE("View first paint after a measurement at zoom 0.25", BM_CopyDisplayBytes, BM_FirstPaintAfterMeasureQuarter);
SUITE_FIGURE("View first paint after a measurement at zoom 0.5", BM_CopyDisplayBytes, BM_FirstPaintAfterMeasureHalf);
SUITE_FIGURE("View first paint after a measurement at zoom 1", BM_CopyDisplayBytes, BM_FirstPaintAfterMeasureOne);
SUITE_FIGURE("View draw object switching its layer on to first paint at zoom 0.25", BM_CopyDisplayBytes, BM_DrawLayerOnZoomQuarter);
SUITE_FIGURE("View draw object switching its layer on to first paint at zoom 0.5", BM_CopyDisplayBytes, BM_DrawLayerOnZoomHalf);
SUITE_FIGURE("View draw object switching its layer on to first paint at zoom 1", BM_CopyDisplayBytes, BM_DrawLayerOnZoomOne);
SUITE_FIGURE("View region switching its layer on to first paint at zoom 0.25", BM_CopyDisplayBytes, BM_RegionLayerOnZoomQuarter);
SUITE_FIGURE("View Undo to first paint at zoom 0.25", BM_CopyDisplayBytes, BM_UndoZoomQuarter);
SUITE_FIGURE("View Measure - Clear to first paint at zoom 0.25", BM_CopyDisplayBytes, BM_ClearMeasurementsZoomQuarter);
SUITE_FIGURE("View measure layer toggle to first paint at zoom 0.25", BM_CopyDisplayBytes, BM_ToggleMeasureLayerZoomQuarter);
SUITE_FIGURE("View original layer toggle to first paint at zoom 0.25", BM_CopyDisplayBytes, BM_ToggleOriginalLayerZoomQuarter);
SUITE_FIGURE("View calibration change to first paint at zoom 0.25", BM_CopyDisplayBytes, BM_CalibrationChangeZoomQuarter);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    FixtureSlot().reset();
    return 0;
}
