// Shows one image pane for looking at it: `pane_harness live` a 640 x 480 pane over a test
// frame with every overlay and a few annotations; `pane_harness capture DIR` writes a
// 1600 x 1200 capture with every overlay into DIR and shows it in a pane at actual size.

#include "viewer/core/ViewerSettings.h"
#include "viewer/imaging/ImageView.h"

#include <QApplication>

#include <cstdio>
#include <vector>

namespace {

// A frame of soft colour bands, bottom-up blue, green, red.
std::vector<uint8_t> TestFrame(int width, int height) {
    std::vector<uint8_t> bytes(size_t(width) * size_t(height) * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = bytes.data() + (size_t(y) * size_t(width) + size_t(x)) * 3;
            p[0] = uint8_t(40 + 60 * x / width);
            p[1] = uint8_t(50 + 80 * y / height);
            p[2] = uint8_t(90 + 60 * (x + y) / (width + height));
        }
    return bytes;
}

void EveryOverlay(lumora::CImageView& view, int magnification) {
    view.ApplySettings();
    view.SetDrawingEnabled(true);
    view.SetMagnification(magnification);
    view.ShowGrid(true);
    view.ShowCentreLine(true);
    view.ShowScale(true);
    view.ShowMagBar(true);
    view.ShowMagData(true);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("live");
    lumora::ViewerSettings settings;
    settings.printGridLine = settings.printCenterLine = 1;
    lumora::CImageView view(settings);
    view.setWindowTitle(QStringLiteral("Pane"));
    if (mode == QLatin1String("capture") && argc > 2) {
        lumora::CImageView still(settings);
        still.resize(640, 480);
        EveryOverlay(still, 150);
        const auto frame = TestFrame(1600, 1200);
        still.ShowFrame(frame.data(), frame.size());
        still.Annotations().CreateTemplates();
        still.Annotations().RectangleStart(200, 150);
        still.Annotations().RectangleFinish(300, 230);
        const std::string stem = std::string(argv[2]) + "/Pic00001";
        const auto outcome = still.SaveCapture(stem, true, 3);
        std::printf("%s %d\n", outcome.imagePath.c_str(), int(outcome.result));
        view.resize(1600, 1000);
        view.show();
        view.ShowFile(QString::fromStdString(outcome.imagePath), QStringLiteral("um"), 1.785715);
    } else {
        view.resize(640, 480);
        view.show();
        EveryOverlay(view, 150);
        const auto frame = TestFrame(640, 480);
        view.ShowFrame(frame.data(), frame.size());
        view.SetSelected(true);
        view.SetDrawMode(true);
        view.Annotations().LineStart(100, 300);
        view.Annotations().LineFinish(260, 300);
        view.Annotations().EllipseStart(380, 120);
        view.Annotations().EllipseFinish(470, 190);
    }
    return app.exec();
}
