// Lumora's gallery strip with 10,000 pictures: reading the folder against a bare listing of its
// entries, one thumbnail of a 1600 x 1200 JPEG decoded at a reduced scale against a full decode
// then a shrink, and the time from opening the gallery to its first screen of thumbnails
// painted against listing the folder and building that screen's thumbnails the plain way. The
// same two once more for a gallery opened again, its thumbnails read from the thumbnail store.

#include "viewer/imaging/CGalleryListCtrl.h"
#include "viewer/imaging/GalleryFolder.h"
#include "viewer/imaging/Thumbnail.h"
#include "viewer/imaging/ThumbnailStore.h"

#include "viewer/core/CaptureFrame.h"
#include "viewer/core/CameraProperties.h"
#include "viewer/core/SlideRenderer.h"
#include "viewer/imaging/CaptureFile.h"

#include "codec/JpegWriter.h"
#include "codec/PictureLoader.h"

#include <QApplication>
#include <QElapsedTimer>

#include "bench/Figure.h"

#include <cstdlib>
#include <memory>
#include <optional>
#include <dirent.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kFiles = 10000;

// What a capture holds: the simulated camera's slide (stained cells, a ruler) at 1600 x 1200,
// as top-down RGB.
std::vector<uint8_t> CaptureRgb(int width, int height) {
    lumora::Frame frame;
    frame.width = width;
    frame.height = height;
    frame.bytes.resize(static_cast<size_t>(width) * height * 3);
    lumora::RenderSpecimen(frame, lumora::DriftingView(1, 100), lumora::CameraProperties{});
    std::vector<uint8_t> rgb(frame.bytes.size());
    for (int y = 0; y < height; ++y) {
        const uint8_t* from = &frame.bytes[static_cast<size_t>(height - 1 - y) * width * 3];
        uint8_t* to = &rgb[static_cast<size_t>(y) * width * 3];
        for (int x = 0; x < width; ++x) {
            to[3 * x] = from[3 * x + 2];
            to[3 * x + 1] = from[3 * x + 1];
            to[3 * x + 2] = from[3 * x];
        }
    }
    return rgb;
}

// A folder of 10,000 captures: one 1600 x 1200 JPEG at the quality captures are written with and hard links to it (distinct files to the
// list, one picture's bytes on disk), a sidecar beside every tenth.
// The thumbnail store lives in a folder of its own beside it.
struct Gallery {
    std::string folder;
    std::string picture;
    std::string storeFolder;

    Gallery() {
        std::string pattern = (std::filesystem::temp_directory_path() / "bench-gallery-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        folder = pattern;
        std::string storePattern = (std::filesystem::temp_directory_path() / "bench-thumbnails-XXXXXX").string();
        if (!::mkdtemp(storePattern.data())) std::abort();
        storeFolder = storePattern + "/lumora/thumbnails";
        picture = folder + "/Pic00001.jpg";
        const auto rgb = CaptureRgb(1600, 1200);
        if (codec::WriteJpegFile(picture, rgb.data(), 1600, 1200, lumora::kCaptureJpegQuality) != 1) std::abort();
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
        std::filesystem::remove_all(std::filesystem::path(storeFolder).parent_path().parent_path(), ignored);
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

// A thumbnail as a worker finds it for a picture seen before: read from the store.
void ThumbnailFromStore(benchmark::State& state) {
    const std::string& picture = TheGallery().picture;
    lumora::ThumbnailStore store(TheGallery().storeFolder);
    const lumora::ThumbnailKey key = lumora::ThumbnailKey::Of(QString::fromStdString(picture));
    if (!store.put(key, lumora::BuildThumbnail(picture))) state.SkipWithError("not stored");
    for (auto _ : state) {
        const std::optional<lumora::Thumbnail> thumbnail = store.find(key);
        if (!thumbnail) state.SkipWithError("not found");
        benchmark::DoNotOptimize(thumbnail->image.constBits());
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

// Made once and gone before the application object: a list that always decodes (no store) and
// one that reads the thumbnails stored by an earlier opening.
std::unique_ptr<lumora::CGalleryListCtrl> theList;
std::unique_ptr<lumora::CGalleryListCtrl> theStoredList;

std::unique_ptr<lumora::CGalleryListCtrl> ShownList(std::shared_ptr<lumora::ThumbnailStore> store) {
    auto list = std::make_unique<lumora::CGalleryListCtrl>();
    list->model().loader().setStore(std::move(store));
    list->resize(988, 135);
    list->show();
    QApplication::processEvents();
    return list;
}

lumora::CGalleryListCtrl& TheList() {
    if (!theList) theList = ShownList(nullptr);
    return *theList;
}

// Its store holds the thumbnails of the gallery's first 100 pictures, as an earlier opening
// left them.
lumora::CGalleryListCtrl& TheStoredList() {
    if (!theStoredList) {
        auto store = std::make_shared<lumora::ThumbnailStore>(TheGallery().storeFolder);
        char name[32];
        for (int i = 1; i <= 100; ++i) {
            std::snprintf(name, sizeof name, "/Pic%05d.jpg", i);
            const std::string path = TheGallery().folder + name;
            store->put(lumora::ThumbnailKey::Of(QString::fromStdString(path)), lumora::BuildThumbnail(path));
        }
        theStoredList = ShownList(store);
    }
    return *theStoredList;
}

// Opening: the folder read into the list, the thumbnails of the first screen built by the
// workers (or read from the store) and painted. The thumbnail cache in memory is emptied
// between runs.
void FirstScreen(benchmark::State& state, lumora::CGalleryListCtrl& list) {
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

void FirstScreenOurs(benchmark::State& state) { FirstScreen(state, TheList()); }
void FirstScreenOpenedAgain(benchmark::State& state) { FirstScreen(state, TheStoredList()); }

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
SUITE_FIGURE("Gallery thumbnail of a 1600x1200 JPEG seen before", ThumbnailFullDecode, ThumbnailFromStore);
SUITE_FIGURE("Gallery first screen of 10000 files opened again", FirstScreenBaseline, FirstScreenOpenedAgain);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    theList.reset();
    theStoredList.reset();
    benchmark::Shutdown();
    return 0;
}
