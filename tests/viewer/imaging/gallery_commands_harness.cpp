// The gallery strip with its commands in a window of its own, for looking at them by hand:
//   gallery_commands_harness FOLDER [menu|openwith|properties]
// FOLDER is filled with a few generated captures and their sidecars when it has no picture.
// The second argument opens the context menu on the first item, or runs "&Opening from
// program" or "&Property" on it, once the window is up.

#include "viewer/core/ViewerSettings.h"
#include "viewer/imaging/CGalleryListCtrl.h"
#include "viewer/imaging/GalleryCommands.h"

#include "codec/JpegWriter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>
#include <vector>

namespace {

void Generate(const QString& folder) {
    QDir().mkpath(folder);
    if (!QDir(folder).entryList({"*.jpg", "*.bmp"}).isEmpty()) return;
    for (int n = 1; n <= 8; ++n) {
        const int width = 320, height = 240;
        std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const double r = std::hypot(x - width / 2.0, y - height / 2.0) / width;
                uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
                p[0] = static_cast<uint8_t>(r < 0.25 ? 60 + 20 * n : 230);
                p[1] = static_cast<uint8_t>(r < 0.25 ? 180 - 15 * n : 225);
                p[2] = static_cast<uint8_t>(r < 0.25 ? 90 : 210);
            }
        const QString stem = QString("%1/Pic%2").arg(folder).arg(n, 5, 10, QChar('0'));
        codec::WriteJpegFile((stem + ".jpg").toStdString(), rgb.data(), width, height, 85);
        QFile sidecar(stem + "jpg.mag");
        if (sidecar.open(QIODevice::WriteOnly))
            sidecar.write("[MAG]\r\nOptical=251\r\nCorrective=100\r\n\r\n[SENSOR]\r\nWidth=713\r\nHeight=537\r\n\r\n"
                          "[CAL]\r\nUnit=um\r\nOnePixelLen=1.785715\r\n");
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: gallery_commands_harness FOLDER [menu|openwith|properties]\n");
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString what = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    Generate(folder);

    lumora::ViewerSettings settings;
    settings.galleryFolder = folder.toStdString();
    QWidget window;
    window.setWindowTitle("Gallery");
    auto* layout = new QVBoxLayout(&window);
    auto* list = new lumora::CGalleryListCtrl(&window);
    list->setFixedSize(988, 135);
    layout->addWidget(list);
    lumora::GalleryCommands commands(list, settings, &window);
    QObject::connect(list, &lumora::CGalleryListCtrl::messageRequested, [](const QString& text) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    list->Refresh(folder);
    window.move(40, 40);
    window.show();

    QTimer::singleShot(500, &window, [&] {
        list->selectionModel()->select(list->model().index(0), QItemSelectionModel::Select);
        if (what == "menu")
            emit list->customContextMenuRequested(list->visualRect(list->model().index(0)).center() + QPoint(10, 10));
        else if (what == "openwith")
            commands.OpenWith();
        else if (what == "properties")
            commands.ShowProperties();
    });
    return app.exec();
}
