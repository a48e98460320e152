#include "measure/core/OpenImageTable.h"
#include "measure/core/TessmetDoc.h"
#include "codec/BmpReader.h"
#include "codec/JpegReader.h"
#include "measure/res/StringTable.h"
#include "support/BmpBytes.h"
#include "support/FileSizeLimit.h"
#include "support/JpegBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using testsupport::AsString;
using testsupport::ReadText;
using testsupport::TempDir;
using testsupport::WriteText;

namespace tessmet {
namespace {

std::string Bmp16() {
    testsupport::BmpLayout layout;
    layout.width = 5;
    layout.height = 3;
    layout.bitsPerPixel = 16;
    return AsString(testsupport::BuildBmp(layout));
}

std::string Jpeg() {
    testsupport::JpegLayout layout;
    layout.width = 16;
    layout.height = 16;
    return AsString(testsupport::EncodeJpeg(layout, std::vector<uint8_t>(16 * 16 * 3, 180)));
}

struct Counter {
    int calls = 0;
    RebuildHook hook() {
        return [this](ImageSet& images) {
            ++calls;
            ComposeOriginalOnly(images);
        };
    }
};

// A .jpeg document is saved back as JPEG, since its path ends in 'g'; the layers are rebuilt.
TEST(TessmetDoc, SaveWritesTheDisplayBackToItsOwnPathByTheLastLetter) {
    TempDir dir;
    const std::string path = dir.file("photo.jpeg");
    WriteText(path, Jpeg());
    CTessmetDoc document(path);
    ImageSet images;
    ASSERT_EQ(document.LoadImage(images), 0);
    EXPECT_EQ(document.calibration().imageWidth, 16);
    EXPECT_FALSE(document.isModified());

    images.display().fill(0);  // what is shown is what is saved
    Counter rebuilds;
    const SaveResult result = document.Save(images, 10, rebuilds.hook());
    ASSERT_TRUE(result.saved());
    EXPECT_EQ(result.format, SaveFormat::Jpeg);
    EXPECT_EQ(rebuilds.calls, 1);
    Dib written;
    ASSERT_EQ(codec::ReadJpegFile(path, written), codec::ReadStatus::Ok);
    EXPECT_LE(written.pixel(5, 5)[1], 2);  // black, not the grey 180 of the original
    EXPECT_EQ(images.display().pixel(5, 5)[1], images.original().pixel(5, 5)[1]);  // rebuilt afterwards
}

TEST(TessmetDoc, SaveAsWritesElsewhereAndTheDocumentKeepsItsPath) {
    TempDir dir;
    const std::string path = dir.file("a.bmp");
    const std::string original = Bmp16();
    WriteText(path, original);
    CTessmetDoc document(path);
    ImageSet images;
    ASSERT_EQ(document.LoadImage(images), 0);

    Counter rebuilds;
    const SaveResult bmp = document.SaveAs(dir.file("copy.BMP"), images, 5, rebuilds.hook());
    ASSERT_TRUE(bmp.saved());
    EXPECT_EQ(bmp.format, SaveFormat::Bmp);
    EXPECT_EQ(rebuilds.calls, 0);
    EXPECT_EQ(document.path(), path);
    EXPECT_EQ(ReadText(dir.file("copy.BMP")), original);  // a 16-bit file with standard headers round-trips whole

    const SaveResult jpeg = document.SaveAs(dir.file("copy.jpg"), images, 5, rebuilds.hook());
    ASSERT_TRUE(jpeg.saved());
    Dib decoded;
    EXPECT_EQ(codec::ReadJpegFile(dir.file("copy.jpg"), decoded), codec::ReadStatus::Ok);

    const SaveResult other = document.SaveAs(dir.file("copy.tif"), images, 5, rebuilds.hook());
    EXPECT_EQ(other.status, SaveStatus::NoFormat);
    EXPECT_FALSE(std::filesystem::exists(dir.file("copy.tif")));
}

TEST(TessmetDoc, AFailedSaveKeepsThePictureOnDisk) {
    TempDir dir;
    const std::string path = dir.file("big.bmp");
    testsupport::BmpLayout layout;
    layout.width = 200;
    layout.height = 100;
    const std::string before = AsString(testsupport::BuildBmp(layout));
    WriteText(path, before);
    CTessmetDoc document(path);
    ImageSet images;
    ASSERT_EQ(document.LoadImage(images), 0);
    images.display().fill(1);
    const int code = testsupport::RunWithFileSizeLimit(4096, [&] {
        return document.Save(images, 5, ComposeOriginalOnly).saved() ? 1 : 0;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadText(path), before);
}

TEST(OpenImageTable, HoldsSixtyFourImages) {
    OpenImageTable table;
    for (int i = 0; i < OpenImageTable::kCapacity; ++i) {
        EXPECT_EQ(table.checkLimit(), 0);
        EXPECT_EQ(table.acquire(), i);
    }
    EXPECT_TRUE(table.full());
    EXPECT_EQ(table.checkLimit(), StringId::TooManyImages);
    EXPECT_EQ(table.acquire(), -1);
    EXPECT_EQ(table.count(), 64);

    EXPECT_TRUE(table.release(17));
    EXPECT_FALSE(table.release(17));
    EXPECT_FALSE(table.release(-1));
    EXPECT_FALSE(table.release(64));
    EXPECT_EQ(table.checkLimit(), 0);
    EXPECT_EQ(table.acquire(), 17);  // the freed entry is reused
    EXPECT_EQ(table.checkLimit(), StringId::TooManyImages);
}

// The 65th image is refused before anything is opened, whichever route it comes by; every
// route calls OpenImage.
TEST(OpenImageTable, OpenImageChecksTheLimitFirstThenTheFile) {
    TempDir dir;
    const std::string picture = dir.file("p.bmp");
    WriteText(picture, Bmp16());
    OpenImageTable table;
    std::vector<std::string> opened;
    const DocumentOpener opener = [&](const std::string& path) {
        opened.push_back(path);
        return table.acquire() >= 0 ? 0 : StringId::TooManyImages;
    };

    for (int i = 0; i < 64; ++i) ASSERT_EQ(OpenImage(table, picture, opener), 0) << i;
    EXPECT_EQ(OpenImage(table, picture, opener), StringId::TooManyImages);
    EXPECT_EQ(OpenImage(table, dir.file("missing.bmp"), opener), StringId::TooManyImages);
    EXPECT_EQ(opened.size(), 64u);

    table.release(0);
    EXPECT_EQ(OpenImage(table, dir.file("missing.bmp"), opener), StringId::FileNotOpened);
    EXPECT_EQ(OpenImage(table, dir.path().string(), opener), StringId::FileNotOpened);
    EXPECT_EQ(opened.size(), 64u);
    // What the document's load says comes back unchanged.
    EXPECT_EQ(OpenImage(table, picture, [](const std::string&) { return StringId::NotSupportedBitmap; }),
              StringId::NotSupportedBitmap);
}

}  // namespace
}  // namespace tessmet
