// fuzz_seeds DIR: writes a small seed corpus per fuzz target into DIR/<target>/.
#include "codec/BmpWriter.h"
#include "codec/JpegWriter.h"
#include "viewer/imaging/ThumbnailStore.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

void Write(const std::filesystem::path& folder, const std::string& name, const std::string& bytes) {
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary) << bytes;
}

const std::vector<std::string> kProfiles = {
    "[DATA]\r\nUnitType=1\r\nHResolution=4444\r\nVResolution=4444\r\n",
    "[MAG]\r\nOptical=251\r\nCorrective=100\r\n\r\n[SENSOR]\r\nWidth=713\r\nHeight=537\r\n\r\n[CAL]\r\nUnit=mm\r\nOnePixelLen=0.001776\r\n",
    "; comment\n[PEN]\nIP-Color=65280\nIP-Type=0\n\n[OTHER]\nJpegQuality=5\nGridDistance=-12abc\n",
    "[GALLERY]\nPATH=\"/home/user/Gallery\"\n[CALIBRATION]\nONE_PIXEL=0.001000\n",
    "",
};

// Small pictures written by our own writers: 16, 24 and 32-bit bitmaps, and a baseline JPEG.
void WritePictures(const std::filesystem::path& root) {
    std::filesystem::create_directories(root / "fuzz_bmp_reader");
    std::filesystem::create_directories(root / "fuzz_bmp_probe");
    std::filesystem::create_directories(root / "fuzz_jpeg_reader");
    for (const int bits : {16, 24, 32}) {
        codec::Dib dib(7, 5, bits);
        for (size_t i = 0; i < dib.sizeBytes(); ++i) dib.bits()[i] = static_cast<uint8_t>(i * 37);
        const std::string name = "seed" + std::to_string(bits) + ".bmp";
        codec::WriteBmpFile((root / "fuzz_bmp_reader" / name).string(), dib);
        codec::WriteBmpFile((root / "fuzz_bmp_probe" / name).string(), dib);
    }
    std::vector<uint8_t> rgb(24 * 16 * 3);
    for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<uint8_t>(i * 29 + (i >> 4));
    codec::WriteJpegFile((root / "fuzz_jpeg_reader" / "seed.jpg").string(), rgb.data(), 24, 16, 75);
}

// A stored thumbnail of the key the store's fuzz target looks up.
void WriteStoredThumbnail(const std::filesystem::path& root) {
    QImage image(lumora::kThumbnailWidth, lumora::kThumbnailHeight, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x * 2, y * 3, (x + y) & 255));
    Write(root / "fuzz_thumbnail_store", "record",
          lumora::EncodeStoredThumbnail({"/fuzz/Pic00001.jpg", 1000, 1, {image, 1600, 1200, false}}));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds DIR\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    int n = 0;
    for (const std::string& text : kProfiles) {
        const std::string name = "seed" + std::to_string(n++);
        Write(root / "fuzz_profile_file", name, text);
        Write(root / "fuzz_calibration_file", name, text);
        Write(root / "fuzz_magnification_file", name, text);
        Write(root / "fuzz_settings_files", name, text);
    }
    Write(root / "fuzz_hand_over_file", "path", "/home/user/Gallery/Pic00001.jpg");
    Write(root / "fuzz_hand_over_file", "crlf", "/home/user/a b.jpg\r\nsecond line\r\n");
    Write(root / "fuzz_hand_over_file", "long", std::string(300, 'x'));
    Write(root / "fuzz_settings_files", "lumora",
          "[GALLERY]\r\nPATH=/home/u/Gallery\r\n[GRID_LINE]\r\nSPACE_INDEX=x1\r\nCOLOR=-5\r\n"
          "[CALIBRATION]\r\nONE_PIXEL_LENGTH=1e309\r\nUNIT=7\r\n");
    // Scripted cameras (see tests/support/RandomCameraRun.h for the byte layout): an MJPEG camera
    // at 640 x 480 with three frames, and one at two sizes whose third dequeue fails with EIO.
    const std::string streaming{0, 0, 1, 1, '\x80', 2, '\xe0', 1, 1, 0, 1, 4, 0, 0, 3, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0};
    Write(root / "fuzz_v4l2_camera", "streaming", streaming);
    const std::string faulty{0, 1, 1, 2, '\x80', 2, '\xe0', 1, 32, 3, 88, 2, 1, 2, 1, 30, 1, 4, 0, 1,
                             9, 0, 2, 1, 2, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1};
    Write(root / "fuzz_v4l2_camera", "faulty", faulty);
    WritePictures(root);
    WriteStoredThumbnail(root);
    return 0;
}
