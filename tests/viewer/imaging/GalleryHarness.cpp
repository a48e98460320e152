// A window with the gallery strip alone, for looking at it by hand:
//   gallery_harness FOLDER [COUNT]
// With COUNT, FOLDER is first filled with COUNT generated captures (JPEG and BMP, sidecars,
// one file that is no picture). Messages of the list go to the standard error stream.

#include "viewer/imaging/CGalleryListCtrl.h"

#include "codec/BmpWriter.h"
#include "codec/JpegWriter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QVBoxLayout>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

// A round specimen on a tinted slide, its colours drawn from the picture's number.
std::vector<uint8_t> Specimen(int width, int height, int n) {
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    const double hue = n * 0.61803398875;
    const auto channel = [&](double phase) { return 0.5 + 0.5 * std::sin(6.2831853 * (hue + phase)); };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double dx = (x - width * 0.5) / width, dy = (y - height * 0.5) / height;
            const double r = std::sqrt(dx * dx + dy * dy);
            const double inside = r < 0.3 ? 1.0 - r : 0.25;
            uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            p[0] = static_cast<uint8_t>(255 * inside * channel(0.0));
            p[1] = static_cast<uint8_t>(255 * inside * channel(0.33));
            p[2] = static_cast<uint8_t>(255 * inside * channel(0.66));
            if ((x / 16 + y / 16) % 9 == 0 && r > 0.3) p[1] = 200;
        }
    return rgb;
}

void Generate(const QString& folder, int count) {
    QDir().mkpath(folder);
    for (int n = 1; n <= count; ++n) {
        const bool bitmap = n % 7 == 0;
        const QString stem = QString("%1/Pic%2").arg(folder).arg(n, 5, 10, QChar('0'));
        const std::vector<uint8_t> rgb = Specimen(320, 240, n);
        if (bitmap) {
            codec::Dib dib(320, 240, 24);
            for (int y = 0; y < 240; ++y)
                for (int x = 0; x < 320; ++x) {
                    const uint8_t* p = &rgb[(static_cast<size_t>(y) * 320 + x) * 3];
                    uint8_t* d = dib.pixel(x, y);
                    d[0] = p[2];
                    d[1] = p[1];
                    d[2] = p[0];
                }
            codec::WriteBmpFile((stem + ".bmp").toStdString(), dib);
        } else {
            codec::WriteJpegFile((stem + ".jpg").toStdString(), rgb.data(), 320, 240, 85);
        }
        QFile sidecar(stem + (bitmap ? "bmp.mag" : "jpg.mag"));
        if (sidecar.open(QIODevice::WriteOnly))
            sidecar.write(QString("[MAG]\r\nOptical=%1\r\nCorrective=100\r\n").arg(50 * (n % 9 + 1)).toLatin1());
    }
    QFile broken(folder + "/Damaged.jpg");
    if (broken.open(QIODevice::WriteOnly)) broken.write("no picture here");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: gallery_harness FOLDER [COUNT]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (argc > 2) Generate(folder, QString::fromLocal8Bit(argv[2]).toInt());

    QWidget window;
    window.setWindowTitle("Gallery");
    auto* layout = new QVBoxLayout(&window);
    auto* list = new lumora::CGalleryListCtrl(&window);
    list->setFixedSize(988, 135);
    layout->addWidget(list);
    QObject::connect(list, &lumora::CGalleryListCtrl::messageRequested, [](const QString& text) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    list->Refresh(folder);
    window.show();
    return app.exec();
}
