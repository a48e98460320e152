// Thumbnails: a picture of any size and kind becomes 90 x 70, keeps the whole picture's size for
// the tooltip, and anything that is no picture gives the broken sign rather than a failure.

#include "viewer/imaging/Thumbnail.h"

#include "codec/BmpWriter.h"
#include "codec/JpegWriter.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

using namespace lumora;
using testsupport::TempDir;

namespace {

// Left half red, right half blue, so the stretch can be checked by colour.
std::vector<uint8_t> HalvesRgb(int width, int height) {
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            p[0] = x < width / 2 ? 220 : 0;
            p[2] = x < width / 2 ? 0 : 220;
        }
    return rgb;
}

void ExpectHalves(const QImage& image, const char* name) {
    ASSERT_EQ(image.size(), QSize(kThumbnailWidth, kThumbnailHeight)) << name;
    const QColor left = image.pixelColor(10, 35), right = image.pixelColor(80, 35);
    EXPECT_GT(left.red(), 180) << name;
    EXPECT_LT(left.blue(), 40) << name;
    EXPECT_GT(right.blue(), 180) << name;
    EXPECT_LT(right.red(), 40) << name;
}

}  // namespace

TEST(Thumbnail, PicturesOfEveryKindAreStretchedToTheThumbnail) {
    TempDir dir;
    const struct {
        const char* name;
        int width, height;
        int bits;  // 0: JPEG
    } rows[] = {
        {"large.jpg", 1600, 1200, 0}, {"wide.jpg", 640, 120, 0}, {"small.jpg", 30, 20, 0},
        {"deep.bmp", 800, 600, 24},   {"high.bmp", 200, 700, 32}, {"555.bmp", 180, 140, 16},
    };
    for (const auto& row : rows) {
        const std::string path = dir.file(row.name);
        const auto rgb = HalvesRgb(row.width, row.height);
        if (row.bits == 0) {
            ASSERT_EQ(codec::WriteJpegFile(path, rgb.data(), row.width, row.height, 90), 1) << row.name;
        } else {
            codec::Dib dib(row.width, row.height, row.bits);
            for (int y = 0; y < row.height; ++y)
                for (int x = 0; x < row.width; ++x) {
                    const uint8_t* p = &rgb[(static_cast<size_t>(y) * row.width + x) * 3];
                    uint8_t* d = dib.pixel(x, y);
                    if (row.bits == 16) {
                        const uint16_t word = static_cast<uint16_t>((p[0] >> 3) << 10 | (p[2] >> 3));
                        d[0] = static_cast<uint8_t>(word);
                        d[1] = static_cast<uint8_t>(word >> 8);
                    } else {
                        d[0] = p[2];
                        d[1] = p[1];
                        d[2] = p[0];
                    }
                }
            ASSERT_EQ(codec::WriteBmpFile(path, dib), codec::BmpWriteResult::Ok) << row.name;
        }
        const Thumbnail thumbnail = BuildThumbnail(path);
        EXPECT_FALSE(thumbnail.broken) << row.name;
        EXPECT_EQ(thumbnail.pictureWidth, row.width) << row.name;
        EXPECT_EQ(thumbnail.pictureHeight, row.height) << row.name;
        ExpectHalves(thumbnail.image, row.name);
    }
}

TEST(Thumbnail, AnythingButAPictureIsBroken) {
    TempDir dir;
    const auto rgb = HalvesRgb(320, 240);
    ASSERT_EQ(codec::WriteJpegFile(dir.file("whole.jpg"), rgb.data(), 320, 240, 90), 1);
    const std::string whole = testsupport::ReadText(dir.file("whole.jpg"));
    testsupport::WriteText(dir.file("truncated.jpg"), whole.substr(0, whole.size() / 3));
    testsupport::WriteText(dir.file("text.jpg"), "not a picture at all");
    testsupport::WriteText(dir.file("empty.bmp"), "");
    testsupport::WriteText(dir.file("header.bmp"), "BM\x10\x00");
    std::filesystem::create_directory(dir.path() / "folder.jpg");
    for (const char* name : {"truncated.jpg", "text.jpg", "empty.bmp", "header.bmp", "folder.jpg", "missing.jpg"}) {
        const Thumbnail thumbnail = BuildThumbnail(dir.file(name));
        EXPECT_TRUE(thumbnail.broken) << name;
        EXPECT_TRUE(thumbnail.image.isNull()) << name;
        EXPECT_EQ(thumbnail.pictureWidth, 0) << name;
    }
}

TEST(ThumbnailKey, ChangesWithTheFilesSizeOrTime) {
    TempDir dir;
    const QString path = QString::fromStdString(dir.file("a.jpg"));
    EXPECT_TRUE(ThumbnailKey::Of(path).isNull());
    testsupport::WriteText(dir.file("a.jpg"), "one");
    const ThumbnailKey first = ThumbnailKey::Of(path);
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.size, 3);
    EXPECT_EQ(ThumbnailKey::Of(path), first);

    testsupport::WriteText(dir.file("a.jpg"), "two!");
    EXPECT_NE(ThumbnailKey::Of(path), first);
    // Same size, other time.
    testsupport::WriteText(dir.file("a.jpg"), "one");
    std::filesystem::last_write_time(dir.file("a.jpg"), std::filesystem::last_write_time(dir.file("a.jpg")) + std::chrono::seconds(5));
    const ThumbnailKey later = ThumbnailKey::Of(path);
    EXPECT_EQ(later.size, first.size);
    EXPECT_NE(later, first);
}
