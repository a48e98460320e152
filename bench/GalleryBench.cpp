// Lumora's gallery strip with 10,000 pictures: reading the folder against a bare listing of its
// entries, one thumbnail of a 1600 x 1200 JPEG decoded at a reduced scale against a full decode
// then a shrink, and the time from opening the gallery to its first screen of thumbnails
// painted against listing the folder and building that screen's thumbnails the plain way.

#include "viewer/imaging/CGalleryListCtrl.h"
#include "viewer/imaging/GalleryFolder.h"
#include "viewer/imaging/Thumbnail.h"

#include "codec/JpegWriter.h"
#include "codec/PictureLoader.h"

#include <QApplication>
#include <QElapsedTimer>

#include "bench/Figure.h"

#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kFiles = 10000;

// A picture with the structure of a micrograph (smooth shading, round cells, fine ticks), so
// the decoder sees realistic blocks.
std::vector<uint8_t> MicrographRgb(int width, int height) {
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int dx = x % 200 - 100, dy = y % 200 - 100;
            const bool cell = dx * dx + dy * dy < 70 * 70;
            const bool tick = x % 25 == 0 && y % 200 < 15;
            const uint8_t base = static_cast<uint8_t>(90 + (x + y) / 40 % 60);
            uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            p[0] = tick ? 20 : static_cast<uint8_t>(cell ? base + 60 : base);
            p[1] = static_cast<uint8_t>(cell ? 80 : base);
            p[2] = static_cast<uint8_t>(cell ? 150 : base + 20);
        }
    return rgb;
}

// A folder of 10,000 captures: one 1600 x 1200 JPEG and hard links to it (distinct files to the
// list, one picture's bytes on disk), a sidecar beside every tenth.
struct Gallery {
    std::string folder;
    std::string picture;

    Gallery() {
        std::string pattern = (std::filesystem::temp_directory_path() / "bench-gallery-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        folder = pattern;
        picture = folder + "/Pic00001.jpg";
        const auto rgb = MicrographRgb(1600, 1200);
        if (codec::WriteJpegFile(picture, rgb.data(), 1600, 1200, 90) != 1) std::abort();
        char name[32];
        for (int i = 2; i <= kFiles; ++i) {
            std::snprintf(name, sizeof name, "/Pic%05d.jpg", i);
            if (::link(picture.c_str(), (folder + name).c_str()) != 0) std::abort();
            if (i % 10 == 0) {
                std::snprintf(name, sizeof name, "/Pic%05djpg.mag", i);
                FILE* f = std::fopen((folder + name).c_str(), "wb");
                std::fputs("[MAG]\r\nOptical=200\r\n", f);
                std::fclose(f);
            }
        }
    }
    ~Gallery() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

Gallery& TheGallery() {
    static Gallery gallery;
    return gallery;
}

void BareListing(benchmark::State& state) {
    const std::string& folder = TheGallery().folder;
    for (auto _ : state) {
        std::vector<std::string> names;
        DIR* dir = ::opendir(folder.c_str());
        while (const dirent* entry = ::readdir(dir)) names.emplace_back(entry->d_name);
        ::closedir(dir);
        benchmark::DoNotOptimize(names.data());
    }
}

void GalleryListing(benchmark::State& state) {
    const std::string& folder = TheGallery().folder;
    for (auto _ : state) {
        lumora::GalleryListing listing = lumora::ScanGalleryFolder(folder);
        if (listing.names.size() != kFiles) state.SkipWithError("wrong count");
        benchmark::DoNotOptimize(listing.names.data());
    }
}

QImage FullDecodeThenShrink(const std::string& path) {
    codec::Dib picture;
    if (codec::LoadPicture(path, picture) != codec::ReadStatus::Ok) std::abort();
    const QImage view(picture.bits(), picture.width(), picture.height(), picture.stride(), QImage::Format_BGR888);
    return view.scaled(lumora::kThumbnailWidth, lumora::kThumbnailHeight, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

void ThumbnailFullDecode(benchmark::State& state) {
    const std::string& picture = TheGallery().picture;
    for (auto _ : state) benchmark::DoNotOptimize(FullDecodeThenShrink(picture).constBits());
}

void ThumbnailScaledDecode(benchmark::State& state) {
    const std::string& picture = TheGallery().picture;
    for (auto _ : state) {
        const lumora::Thumbnail thumbnail = lumora::BuildThumbnail(picture);
        if (thumbnail.broken) state.SkipWithError("broken");
        benchmark::DoNotOptimize(thumbnail.image.constBits());
    }
}

// The rows on the first screen of a gallery strip of the main form's size.
int FirstScreenRows(const lumora::CGalleryListCtrl& list) {
    int rows = 0;
    for (int row = 0; row < list.ItemCount(); ++row) {
        if (!list.visualRect(list.model().index(row)).intersects(list.viewport()->rect())) break;
        ++rows;
    }
    return rows;
}

bool FirstScreenReady(const lumora::CGalleryListCtrl& list, int rows) {
    for (int row = 0; row < rows; ++row) {
        const auto state = list.model().item(row)->state;
        if (state != lumora::GalleryItem::ThumbnailState::Ready) return false;
    }
    return true;
}

lumora::CGalleryListCtrl& TheList() {
    static lumora::CGalleryListCtrl list;
    if (!list.isVisible()) {
        list.resize(988, 135);
        list.show();
        QApplication::processEvents();
    }
    return list;
}

// Opening: the folder read into the list, the thumbnails of the first screen built by the
// workers and painted. The thumbnail cache is emptied between runs.
void FirstScreenOurs(benchmark::State& state) {
    lumora::CGalleryListCtrl& list = TheList();
    const QString folder = QString::fromStdString(TheGallery().folder);
    int rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        list.RemoveAll();
        list.model().loader().clearCache();
        QApplication::processEvents();
        state.ResumeTiming();
        list.Refresh(folder);
        list.viewport()->repaint();
        rows = FirstScreenRows(list);
        while (!FirstScreenReady(list, rows)) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        list.viewport()->repaint();
    }
    state.counters["thumbnails"] = rows;
}

// The plain way: list the folder, then decode each picture of the first screen in full and
// shrink it, one after the other.
void FirstScreenBaseline(benchmark::State& state) {
    lumora::CGalleryListCtrl& list = TheList();
    list.Refresh(QString::fromStdString(TheGallery().folder));
    list.viewport()->repaint();
    const int rows = FirstScreenRows(list);
    const std::string& folder = TheGallery().folder;
    for (auto _ : state) {
        std::vector<std::string> names;
        DIR* dir = ::opendir(folder.c_str());
        while (const dirent* entry = ::readdir(dir)) names.emplace_back(entry->d_name);
        ::closedir(dir);
        for (int i = 0; i < rows; ++i) benchmark::DoNotOptimize(FullDecodeThenShrink(TheGallery().picture).constBits());
    }
    state.counters["thumbnails"] = rows;
}

}  // namespace

SUITE_FIGURE("Gallery listing 10000 files", BareListing, GalleryListing);
SUITE_FIGURE("Gallery thumbnail of a 1600x1200 JPEG", ThumbnailFullDecode, ThumbnailScaledDecode);
SUITE_FIGURE("Gallery first screen of 10000 files", FirstScreenBaseline, FirstScreenOurs);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
